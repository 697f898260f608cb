// A list window's undo history: the QUndoStack of its steps, kept within a number of
// steps and a memory budget by dropping the oldest, its clean state telling whether the
// catalogue differs from its file.
#pragma once

#include "UndoSteps.h"

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <memory>

namespace reelkeep {

class UndoHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int kStepLimit = 200;
    static constexpr std::size_t kByteLimit = std::size_t(200) << 20;

    // apply undoes (or redoes) a step on the document and tells the window.
    using Apply = std::function<void(UndoStep& step, bool undo)>;
    UndoHistory(Apply apply, QObject* parent = nullptr, int stepLimit = kStepLimit, std::size_t byteLimit = kByteLimit);
    // The stack clears itself as it goes; nobody is told any more by then.
    ~UndoHistory() override;

    QUndoStack& stack() { return m_stack; }
    std::size_t byteLimit() const { return m_byteLimit; }
    // Takes a step whose change is already made; it may merge into the step before it.
    void push(std::unique_ptr<UndoStep> step);
    // Forgets every step: after a load the document is as its file (clean), after a change
    // that could not be kept it is not.
    void forget(bool clean);
    // The document now is as its file.
    void markSaved() { m_stack.setClean(); }
    // The memory the steps keep.
    std::size_t heldBytes() const;
    // Other limits than the usual ones, before any step is pushed.
    void setLimits(int steps, std::size_t bytes);

signals:
    // The catalogue became equal to its file (false) or different from it (true).
    void modifiedChanged(bool modified);

private:
    class Command;
    void keepWithinBytes();

    Apply m_apply;
    QUndoStack m_stack;
    std::size_t m_byteLimit;
    bool m_rebuilding = false;
};

} // namespace reelkeep

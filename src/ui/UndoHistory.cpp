#include "UndoHistory.h"

#include "LongWorkPool.h"

#include <utility>
#include <vector>

namespace reelkeep {

// The stack's command around a step: the step is shared, so the oldest steps can be
// dropped by building the stack anew from the others.
class UndoHistory::Command : public QUndoCommand {
public:
    Command(UndoHistory& history, std::shared_ptr<UndoStep> step) : m_history(history), m_step(std::move(step))
    {
        setText(m_step->text);
    }
    const std::shared_ptr<UndoStep>& step() const { return m_step; }

    // The change was made before the step was pushed.
    void redo() override
    {
        if (!std::exchange(m_pushing, false))
            m_history.m_apply(*m_step, false);
    }
    void undo() override { m_history.m_apply(*m_step, true); }
    // Steps put back after dropping the oldest stay as they were: none merges then.
    int id() const override { return m_step->canAbsorb() && !m_history.m_rebuilding ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        if (!m_step->absorb(*static_cast<const Command*>(other)->m_step))
            return false;
        setObsolete(m_step->isEmpty());
        return true;
    }

private:
    UndoHistory& m_history;
    std::shared_ptr<UndoStep> m_step;
    bool m_pushing = true;
};

UndoHistory::UndoHistory(Apply apply, QObject* parent, int stepLimit, std::size_t byteLimit)
    : QObject(parent), m_apply(std::move(apply)), m_byteLimit(byteLimit)
{
    m_stack.setUndoLimit(stepLimit);
    connect(&m_stack, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (!m_rebuilding)
            emit modifiedChanged(!clean);
    });
}

UndoHistory::~UndoHistory()
{
    m_stack.disconnect(this);
    // The steps of big changes hold what they took out (65,000 records after a delete of half
    // the catalogue): the last hold on them goes to a worker, not to the closing window's time.
    std::vector<std::shared_ptr<UndoStep>> steps;
    steps.reserve(static_cast<std::size_t>(m_stack.count()));
    for (int k = 0; k < m_stack.count(); ++k)
        steps.push_back(static_cast<const Command*>(m_stack.command(k))->step());
    m_stack.clear();
    if (!steps.empty())
        FreeOnWorker(std::move(steps));
}

void UndoHistory::setLimits(int steps, std::size_t bytes)
{
    m_stack.setUndoLimit(steps);
    m_byteLimit = bytes;
}

void UndoHistory::push(std::unique_ptr<UndoStep> step)
{
    m_stack.push(new Command(*this, std::shared_ptr<UndoStep>(std::move(step))));
    keepWithinBytes();
}

void UndoHistory::forget(bool clean)
{
    m_stack.clear();
    if (!clean)
        m_stack.resetClean();
}

std::size_t UndoHistory::heldBytes() const
{
    std::size_t total = 0;
    for (int i = 0; i < m_stack.count(); ++i)
        total += static_cast<const Command*>(m_stack.command(i))->step()->bytes();
    return total;
}

void UndoHistory::keepWithinBytes()
{
    std::size_t total = heldBytes();
    if (total <= m_byteLimit)
        return;
    // The stack has no way to drop its oldest command but its step limit: it is built anew
    // from the steps kept. Right after a push every step is done.
    int first = 0;
    while (total > m_byteLimit && first < m_stack.count() - 1)
        total -= static_cast<const Command*>(m_stack.command(first++))->step()->bytes();
    std::vector<std::shared_ptr<UndoStep>> kept;
    for (int i = first; i < m_stack.count(); ++i)
        kept.push_back(static_cast<const Command*>(m_stack.command(i))->step());
    const int clean = m_stack.cleanIndex() - first;
    const bool wasClean = m_stack.isClean();
    m_rebuilding = true;
    m_stack.clear();
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (static_cast<int>(i) == clean)
            m_stack.setClean();
        m_stack.push(new Command(*this, kept[i]));
    }
    if (clean == static_cast<int>(kept.size()))
        m_stack.setClean();
    else if (clean < 0)
        m_stack.resetClean();
    m_rebuilding = false;
    if (m_stack.isClean() != wasClean)
        emit modifiedChanged(!m_stack.isClean());
}

} // namespace reelkeep

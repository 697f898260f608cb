// Masks with the wildcards "*" and "?", compiled into a short list of commands
// that run over a normalised text without backtracking.
#pragma once

#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

namespace reelkeep {

class TzkCommand {
public:
    explicit TzkCommand(QString text = {}) : Text(std::move(text)) {}
    virtual ~TzkCommand() = default;
    // Works on the rest of the subject; false ends the match as failed.
    virtual bool Execute(QStringView& rest) const = 0;

    QString Text;
};

class TzkBeginWithCommand : public TzkCommand {
public:
    using TzkCommand::TzkCommand;
    bool Execute(QStringView& rest) const override;
};

class TzkRollToCommand : public TzkCommand {
public:
    using TzkCommand::TzkCommand;
    bool Execute(QStringView& rest) const override;
};

class TzkEndCommand : public TzkCommand {
public:
    using TzkCommand::TzkCommand;
    bool Execute(QStringView& rest) const override;
};

class TAnyChar : public TzkCommand {
public:
    bool Execute(QStringView& rest) const override;
};

class TzkMask {
public:
    // The mask text is expected already normalised.
    explicit TzkMask(const QString& maskText);

    bool Matches(QStringView text) const;
    int Count() const { return static_cast<int>(Commands.size()); }
    const TzkCommand& Command(int i) const { return *Commands[static_cast<size_t>(i)]; }

private:
    std::vector<std::unique_ptr<TzkCommand>> Commands;
};

} // namespace reelkeep

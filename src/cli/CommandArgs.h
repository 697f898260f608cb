// A command's arguments split into positional ones, flags and options with values,
// with usage errors for anything unknown, for the commands of reelkeep-cli.
#pragma once

#include "CliCommand.h"

#include <QMap>

namespace reelkeep::cli {

class CommandArgs {
public:
    // flags take no value ("--as-kdx"); options take the next argument ("--list N"). Throws UsageError.
    CommandArgs(const QStringList& args, const QStringList& flags, const QStringList& options);

    const QStringList& positional() const { return m_positional; }
    // Exactly count positional arguments, or a UsageError.
    void expectPositional(qsizetype count) const;
    bool has(const QString& name) const { return m_given.contains(name); }
    // Every value given to an option, in order.
    QStringList values(const QString& name) const { return m_given.value(name); }
    // The last value given, or empty.
    QString value(const QString& name) const;
    // The option's value as a whole number within [low, high]; required.
    int number(const QString& name, int low, int high) const;

private:
    QStringList m_positional;
    QMap<QString, QStringList> m_given;
};

// A whole number within [low, high] or a UsageError naming what it is.
int ParseNumberArgument(const QString& text, const QString& what, int low, int high);

} // namespace reelkeep::cli

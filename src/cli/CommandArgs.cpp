#include "CommandArgs.h"

#include "IntegerText.h"

namespace reelkeep::cli {

CommandArgs::CommandArgs(const QStringList& args, const QStringList& flags, const QStringList& options)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            m_positional << arg;
        } else if (flags.contains(arg)) {
            m_given[arg];
        } else if (options.contains(arg)) {
            if (i + 1 == args.size())
                throw UsageError{QStringLiteral("%1 needs a value").arg(arg)};
            m_given[arg] << args[++i];
        } else {
            throw UsageError{QStringLiteral("Unknown option %1").arg(arg)};
        }
    }
}

void CommandArgs::expectPositional(qsizetype count) const
{
    if (m_positional.size() != count)
        throw UsageError{QStringLiteral("%1 file argument(s) expected, %2 given").arg(count).arg(m_positional.size())};
}

QString CommandArgs::value(const QString& name) const
{
    const QStringList given = values(name);
    return given.isEmpty() ? QString() : given.last();
}

int CommandArgs::number(const QString& name, int low, int high) const
{
    if (!has(name))
        throw UsageError{QStringLiteral("%1 is required").arg(name)};
    return ParseNumberArgument(value(name), name, low, high);
}

int ParseNumberArgument(const QString& text, const QString& what, int low, int high)
{
    const std::optional<qint64> value = ParseInteger(QStringView(text).trimmed(), low, high);
    if (!value)
        throw UsageError{QStringLiteral("%1 wants a whole number from %2 to %3, not \"%4\"").arg(what).arg(low).arg(high).arg(text)};
    return static_cast<int>(*value);
}

} // namespace reelkeep::cli

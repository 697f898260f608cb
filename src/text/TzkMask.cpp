#include "TzkMask.h"

namespace reelkeep {
namespace {

bool isWildcard(QChar c)
{
    return c == QLatin1Char('*') || c == QLatin1Char('?');
}

// Takes one token from the front of the mask: a single wildcard or the longest literal run.
QStringView takeToken(QStringView& mask)
{
    if (mask.isEmpty())
        return {};
    qsizetype length = 1;
    if (!isWildcard(mask[0]))
        while (length < mask.size() && !isWildcard(mask[length]))
            ++length;
    const QStringView token = mask.first(length);
    mask = mask.sliced(length);
    return token;
}

// Puts a token back in front of the mask it was just taken from.
void putBack(QStringView& mask, QStringView token)
{
    mask = QStringView(token.data(), token.size() + mask.size());
}

} // namespace

bool TzkBeginWithCommand::Execute(QStringView& rest) const
{
    const qsizetype p = rest.indexOf(Text);
    if (p < 0) {
        rest = {};
        return false;
    }
    rest = rest.sliced(p + Text.size());
    return p == 0;
}

bool TzkRollToCommand::Execute(QStringView& rest) const
{
    const qsizetype p = rest.indexOf(Text);
    rest = p < 0 ? QStringView() : rest.sliced(p);
    return !rest.isEmpty();
}

bool TzkEndCommand::Execute(QStringView& rest) const
{
    return rest == Text;
}

bool TAnyChar::Execute(QStringView& rest) const
{
    if (rest.isEmpty())
        return false;
    rest = rest.sliced(1);
    return true;
}

TzkMask::TzkMask(const QString& maskText)
{
    QStringView mask(maskText);
    while (!mask.isEmpty()) {
        const QStringView token = takeToken(mask);
        if (token == QLatin1String("*")) {
            QStringView next = takeToken(mask);
            while (next == QLatin1String("*"))
                next = takeToken(mask);
            putBack(mask, next);
            if (!next.isEmpty())
                Commands.push_back(std::make_unique<TzkRollToCommand>(next.toString()));
        } else if (token == QLatin1String("?")) {
            Commands.push_back(std::make_unique<TAnyChar>());
        } else {
            const QStringView next = takeToken(mask);
            if (next.isEmpty()) {
                Commands.push_back(std::make_unique<TzkEndCommand>(token.toString()));
            } else {
                Commands.push_back(std::make_unique<TzkBeginWithCommand>(token.toString()));
                putBack(mask, next);
            }
        }
    }
}

bool TzkMask::Matches(QStringView text) const
{
    QStringView rest = text;
    for (const auto& command : Commands)
        if (!command->Execute(rest))
            return false;
    return true;
}

} // namespace reelkeep

#include "TextLookup.h"

#include "ReelkeepError.h"

namespace reelkeep {

MessageLookup MessagesOf(const TextLookup& text)
{
    return [text](const QString& key) {
        try {
            return text(QStringLiteral("Messages"), key);
        } catch (const ReelkeepError&) {
            return QString();
        }
    };
}

QString Rendered(const Message& message, const TextLookup& text)
{
    return message.render(MessagesOf(text));
}

} // namespace reelkeep

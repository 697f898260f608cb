#include "Message.h"

#include "Plural.h"

#include <QHash>

namespace reelkeep {

Message::Message(const char* key)
    : m_key(QString::fromLatin1(key))
{
}

Message Message::Verbatim(QString text)
{
    Message message;
    message.m_verbatim = std::move(text);
    return message;
}

Message& Message::arg(const QString& value)
{
    m_arguments.push_back({value, nullptr});
    return *this;
}

Message& Message::arg(const Message& nested)
{
    m_arguments.push_back({QString(), std::make_shared<const Message>(nested)});
    return *this;
}

Message& Message::count(qint64 n)
{
    m_count = n;
    return *this;
}

Message& Message::continued()
{
    m_continued = true;
    return *this;
}

QString Message::render(const MessageLookup& lookup) const
{
    QString text = renderWhole(lookup);
    if (m_continued && text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString Message::renderWhole(const MessageLookup& lookup) const
{
    if (m_key.isEmpty())
        return m_verbatim;
    QString text = lookup ? lookup(m_key) : QString();
    if (text.isEmpty())
        text = EnglishMessageText(m_key);
    if (m_count) {
        text = PluralForm(text, *m_count);
        text.replace(QLatin1String("%n"), QString::number(*m_count));
    }
    // One pass over the text, so a "%2" inside an argument is shown as it stands.
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('%') && i + 1 < text.size() && text[i + 1] >= QLatin1Char('1') && text[i + 1] <= QLatin1Char('9')) {
            const auto index = static_cast<size_t>(text[i + 1].unicode() - '1');
            if (index < m_arguments.size()) {
                const Argument& argument = m_arguments[index];
                out += argument.nested ? argument.nested->render(lookup) : argument.text;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QString Message::english() const
{
    return render(nullptr);
}

QString EnglishMessageText(const QString& key)
{
    static const QHash<QString, QString> texts = [] {
        QHash<QString, QString> all;
        for (const MessageText& text : EnglishMessageTexts())
            all.insert(QString::fromLatin1(text.key), QString::fromUtf8(text.english));
        return all;
    }();
    return texts.value(key);
}

} // namespace reelkeep

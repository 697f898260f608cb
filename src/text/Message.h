// A text a person reads, kept as a key of the language table's section "Messages"
// and its arguments until it is shown: the interface renders it in the chosen
// language, the command-line tool in the built-in English.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

namespace reelkeep {

// The text of a key of the "Messages" section in the current language; an empty text
// when the table has none, so the built-in English is shown instead.
using MessageLookup = std::function<QString(const QString& key)>;

class Message {
public:
    Message() = default;
    // key names one of the built-in English texts (MessageTexts.cpp).
    explicit Message(const char* key);
    // A finished text that needs no translation (a name, a number, another program's words).
    static Message Verbatim(QString text);

    // Fills the next of %1, %2 …: a text as it stands, a number in digits, or a
    // message rendered in the same language.
    Message& arg(const QString& value);
    // A whole number; one with a fraction is formatted by the caller.
    template <typename Integer>
        requires std::is_integral_v<Integer>
    Message& arg(Integer number)
    {
        return arg(QString::number(static_cast<qint64>(number)));
    }
    Message& arg(const Message& nested);
    // The number the text's plural forms ("… запись|… записи|… записей") agree with;
    // it also stands for %n.
    Message& count(qint64 n);
    // Another clause follows this text ("…; the default settings are used"), so a
    // full stop at its end is left out.
    Message& continued();

    bool isEmpty() const { return m_key.isEmpty() && m_verbatim.isEmpty(); }
    const QString& key() const { return m_key; }

    // The text in the lookup's language, in the built-in English where it has none.
    QString render(const MessageLookup& lookup) const;
    QString english() const;

    // What the message is made of, for carrying it to another process.
    struct Argument {
        QString text;
        std::shared_ptr<const Message> nested;
    };
    const QString& verbatim() const { return m_verbatim; }
    const std::vector<Argument>& arguments() const { return m_arguments; }
    const std::optional<qint64>& countOf() const { return m_count; }
    bool isContinued() const { return m_continued; }

private:
    QString renderWhole(const MessageLookup& lookup) const;

    QString m_key;
    QString m_verbatim;
    std::vector<Argument> m_arguments;
    std::optional<qint64> m_count;
    bool m_continued = false;
};

// The built-in English text of a key of the "Messages" section; empty for an unknown key.
QString EnglishMessageText(const QString& key);
// Every key of the "Messages" section with its English text, in table order.
struct MessageText {
    const char* key;
    const char* english;
};
const std::vector<MessageText>& EnglishMessageTexts();

} // namespace reelkeep

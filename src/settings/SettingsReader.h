// Typed reads of the settings file: a value that is there but does not convert
// gives the key's default and one warning naming the file, section and key, so a
// slip in one setting never stops the program. An empty or missing value is no
// slip: it quietly gives the default.
#pragma once

#include "Message.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace reelkeep {

class IniFile;

class SettingsReader {
public:
    // Warnings are appended to `warnings`, which must outlive the reader.
    SettingsReader(const IniFile& ini, std::vector<Message>& warnings) : m_ini(ini), m_warnings(warnings) {}

    const IniFile& Ini() const { return m_ini; }

    // The warning for a settings file that cannot be read at all, from the reason it could not.
    static Message UnreadableFileWarning(const Message& reason);

    std::int32_t Integer(const QString& section, const QString& key, std::int32_t fallback) const;
    bool Bool(const QString& section, const QString& key, bool fallback) const;
    double Float(const QString& section, const QString& key, double fallback, QChar decimalSeparator) const;
    // One of the six pen style words, in any case.
    std::uint8_t PenStyle(const QString& section, const QString& key, std::uint8_t fallback) const;
    // A colour name or an integer (decimal, "$" or "0x" hexadecimal).
    std::uint32_t Color(const QString& section, const QString& key, std::uint32_t fallback) const;
    // A text that `isValid` accepts.
    QString Text(const QString& section, const QString& key, const QString& fallback,
                 const std::function<bool(const QString&)>& isValid) const;

private:
    // The value's text, or an empty text when the key is missing or empty.
    QString valueText(const QString& section, const QString& key) const;
    void warn(const QString& section, const QString& key, const QString& text, const QString& fallbackText) const;

    template <typename T, typename Parse>
    T read(const QString& section, const QString& key, T fallback, const QString& fallbackText, Parse parse) const
    {
        const QString text = valueText(section, key);
        T value = fallback;
        if (text.isEmpty())
            return fallback;
        if (parse(text, value))
            return value;
        warn(section, key, text, fallbackText);
        return fallback;
    }

    const IniFile& m_ini;
    std::vector<Message>& m_warnings;
};

} // namespace reelkeep

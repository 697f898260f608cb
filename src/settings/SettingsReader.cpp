#include "SettingsReader.h"

#include "IniFile.h"
#include "ReelkeepError.h"
#include "zkOptions.h"

#include <QDir>

namespace reelkeep {

Message SettingsReader::UnreadableFileWarning(const Message& reason)
{
    return Message("SettingsUnreadable").arg(Message(reason).continued());
}

QString SettingsReader::valueText(const QString& section, const QString& key) const
{
    return m_ini.ReadString(section, key, QString());
}

void SettingsReader::warn(const QString& section, const QString& key, const QString& text, const QString& fallbackText) const
{
    m_warnings.push_back(
        Message("SettingsBadValue").arg(QDir::toNativeSeparators(m_ini.FileName())).arg(section).arg(key).arg(text).arg(fallbackText));
}

std::int32_t SettingsReader::Integer(const QString& section, const QString& key, std::int32_t fallback) const
{
    return read(section, key, fallback, QString::number(fallback),
                [](const QString& text, std::int32_t& value) { return IniFile::ParseInteger(text, value); });
}

bool SettingsReader::Bool(const QString& section, const QString& key, bool fallback) const
{
    return Integer(section, key, fallback ? 1 : 0) != 0;
}

double SettingsReader::Float(const QString& section, const QString& key, double fallback, QChar decimalSeparator) const
{
    return read(section, key, fallback, IniFile::FloatToText(fallback, decimalSeparator),
                [&](const QString& text, double& value) { return IniFile::ParseFloat(text, decimalSeparator, value); });
}

std::uint8_t SettingsReader::PenStyle(const QString& section, const QString& key, std::uint8_t fallback) const
{
    return read(section, key, fallback, zkOptions::PenStyleToText(fallback), [](const QString& text, std::uint8_t& value) {
        constexpr std::uint8_t unknown = 0xFF;
        value = zkOptions::PenStyleFromText(text, unknown);
        return value != unknown;
    });
}

std::uint32_t SettingsReader::Color(const QString& section, const QString& key, std::uint32_t fallback) const
{
    return read(section, key, fallback, zkOptions::ColorToText(fallback), [](const QString& text, std::uint32_t& value) {
        try {
            value = zkOptions::ColorFromText(text);
            return true;
        } catch (const ConversionError&) {
            return false;
        }
    });
}

QString SettingsReader::Text(const QString& section, const QString& key, const QString& fallback,
                             const std::function<bool(const QString&)>& isValid) const
{
    return read(section, key, fallback, fallback, [&](const QString& text, QString& value) {
        value = text;
        return isValid(text);
    });
}

} // namespace reelkeep

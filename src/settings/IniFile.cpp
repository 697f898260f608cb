#include "IniFile.h"

#include "FileIO.h"
#include "IntegerText.h"
#include "ReelkeepError.h"

#include <QFileInfo>
#include <QLocale>
#include <cmath>
#include <limits>

namespace reelkeep {
namespace {

constexpr qsizetype kValueLimit = 2047;

QString unquoted(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            value = value.mid(1, value.size() - 2);
    }
    return value.left(kValueLimit);
}

QString withoutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1].isSpace())
        --end;
    return text.left(std::min(end, kValueLimit));
}

// A value stays on its line: line breaks would cut it and corrupt the lines after it.
QString singleLine(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

} // namespace

IniFile::IniFile(QString fileName, const CodePage& codePage) : m_fileName(std::move(fileName)), m_codePage(codePage)
{
    load();
}

QString IniFile::fold(const QString& name)
{
    return name.trimmed().toCaseFolded();
}

void IniFile::load()
{
    m_lines.clear();
    m_lineEnd = QByteArrayLiteral("\n");
    if (!QFileInfo::exists(m_fileName))
        return;
    const QByteArray bytes = ReadWholeFile(m_fileName);
    if (bytes.isEmpty())
        return;
    if (bytes.contains("\r\n"))
        m_lineEnd = QByteArrayLiteral("\r\n");

    QString section;
    bool inSection = false;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', pos);
        if (end < 0)
            end = bytes.size();
        Line line;
        line.raw = bytes.mid(pos, end - pos);
        if (line.raw.endsWith('\r'))
            line.raw.chop(1);
        pos = end + 1;

        const QString text = m_codePage.decode(line.raw).trimmed();
        if (text.startsWith(QLatin1Char('['))) {
            const qsizetype close = text.indexOf(QLatin1Char(']'));
            section = fold(text.mid(1, close < 0 ? -1 : close - 1));
            inSection = true;
            line.header = true;
            line.section = section;
        } else if (inSection && !text.startsWith(QLatin1Char(';'))) {
            const qsizetype eq = text.indexOf(QLatin1Char('='));
            if (eq >= 0) {
                line.section = section;
                line.key = fold(text.left(eq));
            }
        }
        m_lines.push_back(std::move(line));
    }
}

qsizetype IniFile::findKey(const QString& section, const QString& key) const
{
    const QString s = fold(section), k = fold(key);
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (!line.header && !line.key.isEmpty() && line.key == k && line.section == s)
            return static_cast<qsizetype>(i);
    }
    return -1;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const qsizetype i = findKey(section, key);
    if (i < 0)
        return withoutTrailingBlanks(defaultValue);
    const QString text = m_codePage.decode(m_lines[static_cast<size_t>(i)].raw);
    return unquoted(text.mid(text.indexOf(QLatin1Char('=')) + 1));
}

bool IniFile::ParseInteger(const QString& text, std::int32_t& value)
{
    const QStringView t = QStringView(text).trimmed();
    const bool hex = t.startsWith(u"0x", Qt::CaseInsensitive);
    const std::optional<qint64> number = reelkeep::ParseInteger(hex ? t.sliced(2) : t, std::numeric_limits<std::int32_t>::min(),
                                                                std::numeric_limits<std::uint32_t>::max(), hex ? 16 : 10);
    if (!number)
        return false;
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(*number));
    return true;
}

std::int32_t IniFile::ReadInteger(const QString& section, const QString& key, std::int32_t defaultValue) const
{
    std::int32_t value = defaultValue;
    return ParseInteger(ReadString(section, key, QString()), value) ? value : defaultValue;
}

bool IniFile::ParseFloat(const QString& text, QChar decimalSeparator, double& value)
{
    QString c = text.trimmed();
    const QChar other = decimalSeparator == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    if (c.count(decimalSeparator) + c.count(other) > 1)
        return false;
    c.replace(decimalSeparator, QLatin1Char('.'));
    c.replace(other, QLatin1Char('.'));
    bool ok = false;
    const double number = QLocale::c().toDouble(c, &ok);
    if (!ok || !std::isfinite(number))
        return false;
    value = number;
    return true;
}

QString IniFile::FloatToText(double value, QChar decimalSeparator)
{
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const
{
    return findKey(section, key) >= 0;
}

bool IniFile::SectionExists(const QString& section) const
{
    const QString s = fold(section);
    for (const Line& line : m_lines)
        if (line.header && line.section == s)
            return true;
    return false;
}

QStringList IniFile::ReadSection(const QString& section) const
{
    const QString s = fold(section);
    QStringList keys, folded;
    for (const Line& line : m_lines) {
        if (line.header || line.key.isEmpty() || line.section != s || folded.contains(line.key))
            continue;
        folded.append(line.key);
        const QString text = m_codePage.decode(line.raw);
        keys.append(text.left(text.indexOf(QLatin1Char('='))).trimmed());
    }
    return keys;
}

QByteArray IniFile::encodeLine(const QString& key, const QString& value) const
{
    return m_codePage.encode(key) + '=' + m_codePage.encode(singleLine(value));
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const qsizetype found = findKey(section, key);
    if (found >= 0) {
        Line& line = m_lines[static_cast<size_t>(found)];
        // A line that already reads as the value stays as it is (quotes and all).
        const QString text = m_codePage.decode(line.raw);
        if (unquoted(text.mid(text.indexOf(QLatin1Char('=')) + 1)) == value)
            return;
        // The key keeps the spelling it has in the file.
        line.raw = line.raw.left(line.raw.indexOf('=')) + '=' + m_codePage.encode(singleLine(value));
        changed();
        return;
    }

    Line added;
    added.raw = encodeLine(key, value);
    added.section = fold(section);
    added.key = fold(key);

    // After the last value line of the first section of that name.
    const QString s = added.section;
    qsizetype insertAt = -1;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.header) {
            if (insertAt >= 0)
                break;
            if (line.section == s)
                insertAt = static_cast<qsizetype>(i) + 1;
        } else if (insertAt >= 0 && !m_codePage.decode(line.raw).trimmed().isEmpty()) {
            insertAt = static_cast<qsizetype>(i) + 1;
        }
    }
    if (insertAt < 0) {
        Line header;
        header.raw = '[' + m_codePage.encode(section) + ']';
        header.header = true;
        header.section = s;
        m_lines.push_back(std::move(header));
        m_lines.push_back(std::move(added));
    } else {
        m_lines.insert(m_lines.begin() + insertAt, std::move(added));
    }
    changed();
}

void IniFile::WriteInteger(const QString& section, const QString& key, std::int32_t value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::WriteFloat(const QString& section, const QString& key, double value, QChar decimalSeparator)
{
    WriteString(section, key, FloatToText(value, decimalSeparator));
}

void IniFile::DeleteKey(const QString& section, const QString& key)
{
    const QString s = fold(section), k = fold(key);
    const auto removed = std::erase_if(m_lines, [&](const Line& line) { return !line.header && line.section == s && line.key == k; });
    if (removed > 0)
        changed();
}

void IniFile::EraseSection(const QString& section)
{
    const QString s = fold(section);
    std::vector<Line> kept;
    kept.reserve(m_lines.size());
    bool erasing = false;
    for (Line& line : m_lines) {
        if (line.header)
            erasing = line.section == s;
        if (!erasing)
            kept.push_back(std::move(line));
    }
    const bool any = kept.size() != m_lines.size();
    m_lines = std::move(kept);
    if (any)
        changed();
}

void IniFile::Update(const std::function<void()>& changes)
{
    m_inUpdate = true;
    try {
        changes();
        m_inUpdate = false;
        flush();
    } catch (...) {
        m_inUpdate = false;
        m_dirty = false;
        load();
        throw;
    }
}

void IniFile::changed()
{
    m_dirty = true;
    if (!m_inUpdate)
        flush();
}

bool IniFile::IsMarkedReadOnly(const QString& fileName)
{
    const QFileInfo info(fileName);
    return info.exists() && !(info.permissions() & QFileDevice::WriteOwner);
}

void IniFile::flush()
{
    if (!m_dirty)
        return;
    QByteArray bytes;
    for (const Line& line : m_lines)
        bytes += line.raw + m_lineEnd;
    try {
        if (IsMarkedReadOnly(m_fileName))
            throw FileError(QString());
        WriteFileAtomically(m_fileName, bytes);
    } catch (const FileError&) {
        m_dirty = false;
        load();
        throw FileError(Message("IniUnableToWrite").arg(m_fileName));
    }
    m_dirty = false;
}

} // namespace reelkeep

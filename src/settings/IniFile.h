// An INI text file in the 8-bit code page, read and changed key by key: section
// and key names compare without case, every line a change does not touch stays
// as it was, and each change replaces the file atomically.
#pragma once

#include "CodePage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace reelkeep {

class IniFile {
public:
    // Reads the file now; a missing file reads as empty and is created by the first change.
    explicit IniFile(QString fileName, const CodePage& codePage = CodePage::Default());

    const QString& FileName() const { return m_fileName; }

    // Values are trimmed, lose one pair of enclosing quotes and are cut to 2047
    // characters; the default loses its trailing blanks.
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Decimal, or hexadecimal after "0x"; anything else gives the default.
    std::int32_t ReadInteger(const QString& section, const QString& key, std::int32_t defaultValue) const;

    bool ValueExists(const QString& section, const QString& key) const;
    bool SectionExists(const QString& section) const;
    // Key names of the section in file order (the first spelling of each).
    QStringList ReadSection(const QString& section) const;

    // Each change is written to the file at once, unless inside Update().
    // A refused write throws FileError "Unable to write to <file>".
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, std::int32_t value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void WriteFloat(const QString& section, const QString& key, double value, QChar decimalSeparator);
    void DeleteKey(const QString& section, const QString& key);
    void EraseSection(const QString& section);

    // Runs several changes and writes the file once. When anything throws, the
    // file is left as it was and is read again.
    void Update(const std::function<void()>& changes);

    // Whether the file exists with its owner's write permission cleared (the
    // read-only mark; root ignores permissions, so access() would not tell).
    static bool IsMarkedReadOnly(const QString& fileName);
    // The shortest text of at most 15 significant digits, with the given separator.
    static QString FloatToText(double value, QChar decimalSeparator);
    // A decimal fraction written with the given separator (the other of '.' and ','
    // is taken too, so files carried between locales keep their values).
    static bool ParseFloat(const QString& text, QChar decimalSeparator, double& value);
    // Decimal, or hexadecimal after "0x", blanks around; up to 2^32 - 1, kept as its 32 bits.
    static bool ParseInteger(const QString& text, std::int32_t& value);

private:
    struct Line {
        QByteArray raw;  // the bytes as they stand in the file, without the line end
        QString section; // folded name of a section header line
        QString key;     // folded key name of a value line
        bool header = false;
    };

    void load();
    void changed();
    void flush();
    // Index of the value line of the key, or -1.
    qsizetype findKey(const QString& section, const QString& key) const;
    static QString fold(const QString& name);
    QByteArray encodeLine(const QString& key, const QString& value) const;

    QString m_fileName;
    const CodePage& m_codePage;
    std::vector<Line> m_lines;
    QByteArray m_lineEnd = QByteArrayLiteral("\n");
    bool m_inUpdate = false;
    bool m_dirty = false;
};

} // namespace reelkeep

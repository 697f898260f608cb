// The settings the program remembers between runs, kept in "setup.ini" of the
// program folder; the owner reads and assigns the fields directly.
#pragma once

#include "ColumnDefinitions.h"
#include "LocaleFormats.h"
#include "Message.h"
#include "TzkLanguage.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace reelkeep {

class IniFile;

// Pen style codes of the cover and list lines.
enum PenStyle : std::uint8_t { psSolid = 0, psDash = 1, psDot = 2, psDashDot = 3, psDashDotDot = 4, psClear = 5 };

struct zkPen {
    std::uint8_t Style = psSolid;
    float Width = 0;
    std::uint32_t Color = 0; // 0x00BBGGRR, or a toolkit system-colour value 0xFF0000nn
};

// The encodings a web-search site's address is written in.
inline const QString kSearchEncodingUtf8 = QStringLiteral("UTF-8");
inline const QString kSearchEncodingWindows1251 = QStringLiteral("windows-1251");
// The encoding of a site whose settings name none: windows-1251 for the legacy site
// the program ships, UTF-8 for every other.
QString DefaultSearchEncoding(const QString& url);

constexpr int kControlCount = 22; // editing-panel controls: one per stored column, 21 the image box

class zkOptions {
public:
    explicit zkOptions(LocaleFormats formats = LocaleFormats::system());

    // Fills every field from the file (program folder + "setup.ini"), first
    // completing and migrating the file unless it is marked read-only, and loads
    // the language file named there from the same folder. Nothing stops it: a
    // value that does not convert takes its default, and a file or folder that
    // cannot be written or read is used as it is; each such case leaves one
    // line in LoadWarnings().
    void LoadSettings(const QString& path);
    // What the last LoadSettings had to put up with, one sentence each, naming the file.
    const std::vector<Message>& LoadWarnings() const { return m_loadWarnings; }
    // Writes every field; does nothing when the file is missing or read-only, or
    // when it could not be written while loading.
    void SaveSettings(const QString& path) const;

    static void WriteMissingDefaults(IniFile& ini);
    static void MigrateOldKeys(IniFile& ini);

    // Unknown words give the fallback (the key's read default).
    static std::uint8_t PenStyleFromText(const QString& text, std::uint8_t fallback = psSolid);
    // Empty for codes above 5.
    static QString PenStyleToText(std::uint8_t style);
    // The toolkit's name when the value has one ("clBlack"), else "$" and 8 hex digits.
    static QString ColorToText(std::uint32_t color);
    // A colour name or an integer (decimal, "$" or "0x" hexadecimal); throws
    // ConversionError for anything else.
    static std::uint32_t ColorFromText(const QString& text);

    // The column definitions new lists and sheets start from.
    ColumnDefinitions ColumnTemplate() const;
    // The folder the settings were loaded from; relative paths resolve against it.
    const QString& ProgramFolder() const { return m_programFolder; }

    std::array<QString, kStoredColumnCount> ColName;
    std::array<std::uint8_t, kStoredColumnCount> ColType{};
    std::array<QString, kStoredColumnCount> ColPattern;
    std::array<QString, kStoredColumnCount> ColLogicalVal;
    std::array<bool, kStoredColumnCount> ColNamesWithDot{};
    std::array<bool, kStoredColumnCount> ColSecondNames{};
    std::array<std::int32_t, kStoredColumnCount> ColWidth{};
    std::array<std::int32_t, kStoredColumnCount> ColPos{};
    std::array<QString, kStoredColumnCount> ColShortCut; // index 0 is never used
    std::array<std::int32_t, kControlCount> ContrlWidth{};
    std::array<std::int32_t, kControlCount> ContrlX{};
    std::array<std::int32_t, kControlCount> ContrlY{};
    QStringList ListComments;
    QStringList ListFileNames;
    std::int32_t ListCount = 0;
    QStringList SrchName;
    QStringList SrchURL;
    // The encoding of each site's address: kSearchEncodingUtf8 or kSearchEncodingWindows1251.
    QStringList SrchEncoding;
    std::int32_t SearchCount = 0;
    TzkLanguage LanguageTable;
    QString DefLanguageFile;
    QString StatusStat;
    QString CoverFile;
    bool UseMDIPanel = false;
    // Add from file and Add from folder give each new record a frame of its film.
    bool FrameForNewRecords = false;
    QString ShortCutSave, ShortCutSaveAs, ShortCutNew, ShortCutOpen;
    QString OrigNameSepBegin, OrigNameSepEnd;
    QString PartSepBegin, PartSepEnd;
    std::int32_t SplitterPos = 0;
    zkPen KCutLine;
    zkPen KSLine;
    QString LastAviDir;
    QString LastListDir;
    // Earlier versions kept of each saved catalogue, and the megabytes all of them may take.
    std::int32_t KeepVersions = 10;
    std::int32_t KeepVersionsMB = 500;

    LocaleFormats Formats;

private:
    QString m_programFolder;
    std::vector<Message> m_loadWarnings;
    QString m_readOnlyFile; // loaded from a file that could not be written
};

} // namespace reelkeep

#include "zkOptions.h"

#include "IniFile.h"
#include "ReelkeepError.h"
#include "SettingsReader.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <optional>

namespace reelkeep {
namespace {

const QString kColumns = QStringLiteral("Columns");
const QString kShortCut = QStringLiteral("ShortCut");
const QString kOptions = QStringLiteral("Options");
const QString kPrint = QStringLiteral("Print");
const QString kHistory = QStringLiteral("History");
const QString kLists = QStringLiteral("lists");

// Editing-panel layout in pixels; index 21 is the image box.
constexpr std::array<std::int32_t, kControlCount> kContrlWidth = {33, 498, 321, 33, 17, 104, 133, 118, 80, 72, 30,
                                                                 52, 37,  165, 0,  0,  70,  115, 123, 165, 145, 0};
constexpr std::array<std::int32_t, kControlCount> kContrlX = {5,   42,  5,   326, 363, 380, 484, 5,   123, 203, 275,
                                                             305, 357, 398, 0,   0,   563, 544, 659, 617, 637, 786};
constexpr std::array<std::int32_t, kControlCount> kContrlY = {14, 14, 54, 54, 54, 54, 54, 94, 94, 94, 94,
                                                             94, 94, 94, 0,  0,  94, 14, 14, 54, 93, 3};

// Entry numbers are 8-bit values: larger counts are outside the supported range.
constexpr std::int32_t kMaxEntries = 255;

constexpr double kDefaultLineWidth = 0.1;
constexpr std::uint32_t kDefaultLineColor = 0x000000; // clBlack

// The built-in film-guide search written into a new settings file. Kinopoisk is
// a public Russian film guide; the user can change or add sites in the options.
constexpr const char* kSearchSiteName = "Кинопоиск";
constexpr const char* kSearchSiteURL = "http://www.kinopoisk.ru/find.asp?Search=Simple&types=film&titles=%Name%";

struct DefaultKey {
    const char* section;
    const char* key;
    const char* value;
};

// Written into the file whenever the key is absent, in this order.
constexpr DefaultKey kDefaults[] = {
    {"ShortCut", "col1", "F9"},
    {"ShortCut", "col2", "Ctrl+F9"},
    {"ShortCut", "col7", "F10"},
    {"ShortCut", "col8", "Ctrl+F10"},
    {"ShortCut", "col10", "F8"},
    {"ShortCut", "col13", "Ctrl+F12"},
    {"ShortCut", "col14", "F11"},
    {"ShortCut", "col15", "F12"},
    {"ShortCut", "Save", "Ctrl+S"},
    {"ShortCut", "SaveAs", "Shift+Ctrl+S"},
    {"ShortCut", "Open", "Ctrl+O"},
    {"ShortCut", "New", "Ctrl+N"},
    {"options", "OrigNameSepBegin", "("},
    {"options", "OrigNameSepEnd", ")"},
    {"options", "PartSepBegin", "["},
    {"options", "PartSepEnd", "]"},
    {"print", "Columns", "2,5,8,13,12"},
    {"print", "ColumnsWidth", "80,4,30,10,10"},
    {"print", "HeadLineStyle", "solid"},
    {"print", "VertLineStyle", "solid"},
    {"print", "HorLineStyle", "dot"},
    {"print", "KLineStyle", "solid"},
    {"print", "KCutLineStyle", "dot"},
    {"print", "KSLineStyle", "dash"},
    {"print", "KCutLineColor", "clBlack"},
    {"print", "KSLineColor", "clBlack"},
    {"print", "CoverFile", "DefCover.cvr"},
    {"print", "HeadLineWidth", "0,3"},
    {"print", "VertLineWidth", "0,1"},
    {"print", "HorLineWidth", "0,1"},
    {"print", "KLineWidth", "0,3"},
    {"print", "KCutLineWidth", "0,1"},
    {"print", "KSLineWidth", "0,1"},
    {"Options", "SearchCount", "1"},
    {"Options", "SrchName1", kSearchSiteName},
    {"Options", "SrchURL1", kSearchSiteURL},
    {"Options", "DefLanguageFile", "Russian.lng"},
};
static_assert(std::size(kDefaults) == 37);

const char* const kPenStyles[] = {"solid", "dash", "dot", "dashdot", "dashdotdot", "clear"};

struct NamedColor {
    std::uint32_t value;
    const char* name;
};

// The toolkit's colour names; the first name of a value is the one written.
constexpr NamedColor kColors[] = {
    {0x000000, "clBlack"},     {0x000080, "clMaroon"},   {0x008000, "clGreen"},     {0x008080, "clOlive"},
    {0x800000, "clNavy"},      {0x800080, "clPurple"},   {0x808000, "clTeal"},      {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},    {0x0000FF, "clRed"},      {0x00FF00, "clLime"},      {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},      {0xFF00FF, "clFuchsia"},  {0xFFFF00, "clAqua"},      {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"}, {0xF0CAA6, "clSkyBlue"}, {0xF0FBFF, "clCream"},     {0xA4A0A0, "clMedGray"},
    {0xFF000000, "clScrollBar"}, {0xFF000001, "clBackground"}, {0xFF000002, "clActiveCaption"},
    {0xFF000003, "clInactiveCaption"}, {0xFF000004, "clMenu"}, {0xFF000005, "clWindow"},
    {0xFF000006, "clWindowFrame"}, {0xFF000007, "clMenuText"}, {0xFF000008, "clWindowText"},
    {0xFF000009, "clCaptionText"}, {0xFF00000A, "clActiveBorder"}, {0xFF00000B, "clInactiveBorder"},
    {0xFF00000C, "clAppWorkSpace"}, {0xFF00000D, "clHighlight"}, {0xFF00000E, "clHighlightText"},
    {0xFF00000F, "clBtnFace"}, {0xFF000010, "clBtnShadow"}, {0xFF000011, "clGrayText"},
    {0xFF000012, "clBtnText"}, {0xFF000013, "clInactiveCaptionText"}, {0xFF000014, "clBtnHighlight"},
    {0xFF000015, "cl3DDkShadow"}, {0xFF000016, "cl3DLight"}, {0xFF000017, "clInfoText"},
    {0xFF000018, "clInfoBk"}, {0xFF00001A, "clHotLight"}, {0xFF00001B, "clGradientActiveCaption"},
    {0xFF00001C, "clGradientInactiveCaption"}, {0xFF00001D, "clMenuHighlight"}, {0xFF00001E, "clMenuBar"},
    {0x1FFFFFFF, "clNone"},    {0x20000000, "clDefault"},
};

QString num(int i)
{
    return QString::number(i);
}

// The quick lists and the search sites are numbered pairs of keys (from 1) under a count key.
struct NumberedPairs {
    QString section;
    QString countKey, firstKey, secondKey;
};

std::int32_t ReadPairs(const SettingsReader& reader, const NumberedPairs& keys, QStringList& first, QStringList& second)
{
    const std::int32_t count = std::clamp(reader.Integer(keys.section, keys.countKey, 0), 0, kMaxEntries);
    first.clear();
    second.clear();
    for (int n = 1; n <= count; ++n) {
        first.append(reader.Ini().ReadString(keys.section, keys.firstKey + num(n), QString()));
        second.append(reader.Ini().ReadString(keys.section, keys.secondKey + num(n), QString()));
    }
    return count;
}

// Writes no more entries than both lists hold.
void WritePairs(IniFile& ini, const NumberedPairs& keys, std::int32_t count, const QStringList& first, const QStringList& second)
{
    const int entries = std::clamp<int>(count, 0, static_cast<int>(std::min(first.size(), second.size())));
    ini.WriteInteger(keys.section, keys.countKey, entries);
    for (int n = 1; n <= entries; ++n) {
        ini.WriteString(keys.section, keys.firstKey + num(n), first[n - 1]);
        ini.WriteString(keys.section, keys.secondKey + num(n), second[n - 1]);
    }
}

const NumberedPairs kQuickLists = {kLists, QStringLiteral("count"), QStringLiteral("comm"), QStringLiteral("filename")};
const NumberedPairs kSearchSites = {kOptions, QStringLiteral("SearchCount"), QStringLiteral("SrchName"), QStringLiteral("SrchURL")};

QString u(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

QString DefaultSearchEncoding(const QString& url)
{
    static const QString legacyHost = QUrl(QString::fromUtf8(kSearchSiteURL)).host();
    return QUrl(url).host().compare(legacyHost, Qt::CaseInsensitive) == 0 ? kSearchEncodingWindows1251 : kSearchEncodingUtf8;
}

zkOptions::zkOptions(LocaleFormats formats) : Formats(std::move(formats)) {}

std::uint8_t zkOptions::PenStyleFromText(const QString& text, std::uint8_t fallback)
{
    const QString word = text.toLower();
    for (std::uint8_t i = 0; i < std::size(kPenStyles); ++i)
        if (word == QLatin1String(kPenStyles[i]))
            return i;
    return fallback;
}

QString zkOptions::PenStyleToText(std::uint8_t style)
{
    return style < std::size(kPenStyles) ? QString::fromLatin1(kPenStyles[style]) : QString();
}

QString zkOptions::ColorToText(std::uint32_t color)
{
    for (const NamedColor& named : kColors)
        if (named.value == color)
            return QString::fromLatin1(named.name);
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

std::uint32_t zkOptions::ColorFromText(const QString& text)
{
    const QString t = text.trimmed();
    for (const NamedColor& named : kColors)
        if (t.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    std::int32_t value = 0;
    const bool ok = t.startsWith(QLatin1Char('$')) ? IniFile::ParseInteger(QStringLiteral("0x") + t.mid(1), value)
                                                   : IniFile::ParseInteger(t, value);
    if (!ok)
        throw ConversionError(Message("NotInteger").arg(text));
    return static_cast<std::uint32_t>(value);
}

ColumnDefinitions zkOptions::ColumnTemplate() const
{
    ColumnDefinitions defs;
    for (int i = 0; i < kStoredColumnCount; ++i)
        defs[i] = {ColName[i], ColType[i], ColPattern[i], ColLogicalVal[i], ColNamesWithDot[i], ColSecondNames[i], ColWidth[i], ColPos[i]};
    return defs;
}

void zkOptions::WriteMissingDefaults(IniFile& ini)
{
    for (const DefaultKey& entry : kDefaults)
        if (!ini.ValueExists(u(entry.section), u(entry.key)))
            ini.WriteString(u(entry.section), u(entry.key), u(entry.value));
    const ColumnDefinitions& builtIn = BuiltInColumnDefinitions();
    for (int i = 0; i < kStoredColumnCount; ++i) {
        if (!ini.ValueExists(kColumns, QStringLiteral("ColName") + num(i)))
            ini.WriteString(kColumns, QStringLiteral("ColName") + num(i), builtIn[i].name);
        const std::pair<const char*, std::int32_t> layout[] = {
            {"ContrlWidth", kContrlWidth[i]}, {"ContrlX", kContrlX[i]}, {"ContrlY", kContrlY[i]}};
        for (const auto& [key, value] : layout)
            if (!ini.ValueExists(kColumns, u(key) + num(i)))
                ini.WriteInteger(kColumns, u(key) + num(i), value);
    }
}

void zkOptions::MigrateOldKeys(IniFile& ini)
{
    const QString columnsName = QStringLiteral("columnsname"), columnsWidth = QStringLiteral("columnswidth"),
                  autoText = QStringLiteral("Auto");
    for (int i = 0; i < kStoredColumnCount; ++i) {
        const QString col = QStringLiteral("col") + num(i);
        const QString defaultAuto = QStringLiteral("DefaultColAutoText") + num(i);
        if (ini.ValueExists(columnsName, col))
            ini.WriteString(kColumns, QStringLiteral("ColName") + num(i), ini.ReadString(columnsName, col, QString()));
        if (ini.ValueExists(columnsWidth, col)) {
            const std::int32_t width = ini.ReadInteger(columnsWidth, col, -1);
            if (width != -1)
                ini.WriteInteger(kColumns, QStringLiteral("ColWidth") + num(i), width);
        }
        const QString oldAuto = ini.ReadString(autoText, col, QString());
        if (!oldAuto.isEmpty())
            ini.WriteString(kColumns, defaultAuto, oldAuto);
        const QString colAuto = QStringLiteral("ColAutoText") + num(i);
        if (ini.ValueExists(kColumns, colAuto)) {
            ini.WriteString(kColumns, defaultAuto, ini.ReadString(kColumns, colAuto, QString()));
            ini.DeleteKey(kColumns, colAuto);
        }
        if (ini.ValueExists(kColumns, defaultAuto)) {
            ini.WriteString(kColumns, QStringLiteral("ColPattern") + num(i), ini.ReadString(kColumns, defaultAuto, QString()));
            ini.DeleteKey(kColumns, defaultAuto);
        }
        if (ini.ValueExists(kColumns, QStringLiteral("ColType") + num(i)))
            ini.DeleteKey(kColumns, QStringLiteral("ColType") + num(i));
    }
    for (const QString& section : {columnsName, columnsWidth, autoText})
        if (ini.SectionExists(section))
            ini.EraseSection(section);
}

void zkOptions::LoadSettings(const QString& path)
{
    m_programFolder = QFileInfo(path).absolutePath();
    m_loadWarnings.clear();
    m_readOnlyFile.clear();
    // Set once a warning has said that the settings cannot be written.
    bool unwritable = false;
    std::optional<IniFile> file;
    try {
        file.emplace(path);
    } catch (const FileError& error) {
        // Unreadable settings are left as they are; the program runs on the defaults.
        m_loadWarnings.push_back(SettingsReader::UnreadableFileWarning(error.text()));
        unwritable = true;
        file.emplace(QString());
    }
    IniFile& ini = *file;
    if (!unwritable && !IniFile::IsMarkedReadOnly(path)) {
        try {
            ini.Update([&] {
                WriteMissingDefaults(ini);
                MigrateOldKeys(ini);
            });
        } catch (const FileError& error) {
            // A program folder that cannot be written is used as it is.
            m_loadWarnings.push_back(Message("SettingsReadOnly").arg(error.text()));
            unwritable = true;
        }
    }
    if (unwritable)
        m_readOnlyFile = QFileInfo(path).absoluteFilePath();
    const SettingsReader read(ini, m_loadWarnings);

    const ColumnDefinitions& builtIn = BuiltInColumnDefinitions();
    for (int i = 0; i < kStoredColumnCount; ++i) {
        ColName[i] = ini.ReadString(kColumns, QStringLiteral("ColName") + num(i), builtIn[i].name);
        ColType[i] = static_cast<std::uint8_t>(read.Integer(kColumns, QStringLiteral("ColType") + num(i), builtIn[i].type));
        ColPattern[i] = ini.ReadString(kColumns, QStringLiteral("ColPattern") + num(i), builtIn[i].pattern);
        ColLogicalVal[i] = ini.ReadString(kColumns, QStringLiteral("ColLogicalVal") + num(i), QString());
        ColNamesWithDot[i] = read.Bool(kColumns, QStringLiteral("ColNamesWithDot") + num(i), builtIn[i].namesWithDot);
        ColSecondNames[i] = read.Bool(kColumns, QStringLiteral("ColSecondNames") + num(i), builtIn[i].secondNames);
        ColWidth[i] = read.Integer(kColumns, QStringLiteral("ColWidth") + num(i), builtIn[i].width);
        ColPos[i] = read.Integer(kColumns, QStringLiteral("ColPos") + num(i), i);
        ColShortCut[i] = ini.ReadString(kShortCut, QStringLiteral("Col") + num(i), QString());
    }
    for (int i = 0; i < kControlCount; ++i) {
        ContrlWidth[i] = read.Integer(kColumns, QStringLiteral("ContrlWidth") + num(i), kContrlWidth[i]);
        ContrlX[i] = read.Integer(kColumns, QStringLiteral("ContrlX") + num(i), kContrlX[i]);
        ContrlY[i] = read.Integer(kColumns, QStringLiteral("ContrlY") + num(i), kContrlY[i]);
    }

    ListCount = ReadPairs(read, kQuickLists, ListComments, ListFileNames);
    SearchCount = ReadPairs(read, kSearchSites, SrchName, SrchURL);
    SrchEncoding.clear();
    for (int n = 1; n <= SearchCount; ++n) {
        const QString stored = ini.ReadString(kOptions, QStringLiteral("SrchEncoding") + num(n), QString());
        SrchEncoding.append(stored.compare(kSearchEncodingWindows1251, Qt::CaseInsensitive) == 0 ? kSearchEncodingWindows1251
                            : stored.compare(kSearchEncodingUtf8, Qt::CaseInsensitive) == 0  ? kSearchEncodingUtf8
                                                                                              : DefaultSearchEncoding(SrchURL[n - 1]));
    }

    StatusStat = ini.ReadString(kOptions, QStringLiteral("StatusStat"), QStringLiteral("%TotalLength%"));
    DefLanguageFile = ini.ReadString(kOptions, QStringLiteral("DefLanguageFile"), QStringLiteral("Russian.lng"));
    // Language files live in the program folder; the name alone is used, so a
    // damaged setting cannot make the write-back complete a file elsewhere.
    const QString languageFile = QFileInfo(DefLanguageFile).fileName();
    if (!languageFile.isEmpty()) {
        try {
            LanguageTable.LoadFromFile(QDir(m_programFolder).filePath(languageFile));
        } catch (const ReelkeepError& error) {
            // The texts the file holds are taken all the same; a folder that cannot
            // be written has had its one warning already.
            if (!unwritable)
                m_loadWarnings.push_back(Message("LanguageFileAsIs").arg(error.text()));
        }
    }

    UseMDIPanel = read.Bool(kOptions, QStringLiteral("UseMDIPanel"), false);
    FrameForNewRecords = read.Bool(kOptions, QStringLiteral("FrameForNewRecords"), false);
    CoverFile = ini.ReadString(kPrint, QStringLiteral("CoverFile"), QStringLiteral("DefCover.cvr"));
    LastAviDir = ini.ReadString(kHistory, QStringLiteral("LastAviDir"), QString());
    LastListDir = ini.ReadString(kHistory, QStringLiteral("LastListDir"), QString());
    ShortCutSave = ini.ReadString(kShortCut, QStringLiteral("Save"), QString());
    ShortCutSaveAs = ini.ReadString(kShortCut, QStringLiteral("SaveAs"), QString());
    ShortCutNew = ini.ReadString(kShortCut, QStringLiteral("New"), QString());
    ShortCutOpen = ini.ReadString(kShortCut, QStringLiteral("Open"), QString());
    OrigNameSepBegin = ini.ReadString(kOptions, QStringLiteral("OrigNameSepBegin"), QStringLiteral("("));
    OrigNameSepEnd = ini.ReadString(kOptions, QStringLiteral("OrigNameSepEnd"), QStringLiteral(")"));
    PartSepBegin = ini.ReadString(kOptions, QStringLiteral("PartSepBegin"), QStringLiteral("["));
    PartSepEnd = ini.ReadString(kOptions, QStringLiteral("PartSepEnd"), QStringLiteral("]"));

    const QChar sep = Formats.decimalSeparator;
    KCutLine.Width = static_cast<float>(read.Float(kPrint, QStringLiteral("KCutLineWidth"), kDefaultLineWidth, sep));
    KSLine.Width = static_cast<float>(read.Float(kPrint, QStringLiteral("KSLineWidth"), kDefaultLineWidth, sep));
    KCutLine.Style = read.PenStyle(kPrint, QStringLiteral("KCutLineStyle"), psDot);
    KSLine.Style = read.PenStyle(kPrint, QStringLiteral("KSLineStyle"), psDash);
    KCutLine.Color = read.Color(kPrint, QStringLiteral("KCutLineColor"), kDefaultLineColor);
    KSLine.Color = read.Color(kPrint, QStringLiteral("KSLineColor"), kDefaultLineColor);

    SplitterPos = read.Integer(kOptions, QStringLiteral("splitterpos"), 200);
    KeepVersions = std::clamp(read.Integer(kOptions, QStringLiteral("KeepVersions"), 10), 0, 1000);
    KeepVersionsMB = std::clamp(read.Integer(kOptions, QStringLiteral("KeepVersionsMB"), 500), 0, 1 << 20);
}

void zkOptions::SaveSettings(const QString& path) const
{
    if (QFileInfo(path).absoluteFilePath() == m_readOnlyFile || !QFileInfo::exists(path) || IniFile::IsMarkedReadOnly(path))
        return;
    IniFile ini(path);
    ini.Update([&] {
        for (int i = 0; i < kStoredColumnCount; ++i) {
            ini.WriteString(kColumns, QStringLiteral("ColName") + num(i), ColName[i]);
            ini.WriteInteger(kColumns, QStringLiteral("ColType") + num(i), ColType[i]);
            ini.WriteString(kColumns, QStringLiteral("ColPattern") + num(i), ColPattern[i]);
            ini.WriteString(kColumns, QStringLiteral("ColLogicalVal") + num(i), ColLogicalVal[i]);
            ini.WriteBool(kColumns, QStringLiteral("ColNamesWithDot") + num(i), ColNamesWithDot[i]);
            ini.WriteBool(kColumns, QStringLiteral("ColSecondNames") + num(i), ColSecondNames[i]);
            ini.WriteInteger(kColumns, QStringLiteral("ColWidth") + num(i), ColWidth[i]);
            ini.WriteInteger(kColumns, QStringLiteral("ColPos") + num(i), ColPos[i]);
            ini.WriteString(kShortCut, QStringLiteral("Col") + num(i), ColShortCut[i]);
            ini.WriteInteger(kColumns, QStringLiteral("ContrlWidth") + num(i), ContrlWidth[i]);
            ini.WriteInteger(kColumns, QStringLiteral("ContrlX") + num(i), ContrlX[i]);
            ini.WriteInteger(kColumns, QStringLiteral("ContrlY") + num(i), ContrlY[i]);
        }
        ini.WriteInteger(kColumns, QStringLiteral("ContrlWidth21"), ContrlWidth[21]);
        ini.WriteInteger(kColumns, QStringLiteral("ContrlX21"), ContrlX[21]);
        ini.WriteInteger(kColumns, QStringLiteral("ContrlY21"), ContrlY[21]);

        WritePairs(ini, kQuickLists, ListCount, ListComments, ListFileNames);
        WritePairs(ini, kSearchSites, SearchCount, SrchName, SrchURL);
        for (int n = 1; n <= std::min<int>(SearchCount, std::min(SrchName.size(), SrchURL.size())); ++n)
            ini.WriteString(kOptions, QStringLiteral("SrchEncoding") + num(n),
                            n <= SrchEncoding.size() ? SrchEncoding[n - 1] : DefaultSearchEncoding(SrchURL[n - 1]));
        ini.WriteBool(kOptions, QStringLiteral("UseMDIPanel"), UseMDIPanel);
        ini.WriteBool(kOptions, QStringLiteral("FrameForNewRecords"), FrameForNewRecords);
        ini.WriteString(kOptions, QStringLiteral("StatusStat"), StatusStat);
        ini.WriteString(kOptions, QStringLiteral("DefLanguageFile"), DefLanguageFile);
        ini.WriteString(kPrint, QStringLiteral("CoverFile"), CoverFile);
        ini.WriteString(kHistory, QStringLiteral("LastAviDir"), LastAviDir);
        ini.WriteString(kHistory, QStringLiteral("LastListDir"), LastListDir);
        ini.WriteString(kShortCut, QStringLiteral("Save"), ShortCutSave);
        ini.WriteString(kShortCut, QStringLiteral("SaveAs"), ShortCutSaveAs);
        ini.WriteString(kShortCut, QStringLiteral("New"), ShortCutNew);
        ini.WriteString(kShortCut, QStringLiteral("Open"), ShortCutOpen);
        ini.WriteString(kOptions, QStringLiteral("OrigNameSepBegin"), OrigNameSepBegin);
        ini.WriteString(kOptions, QStringLiteral("OrigNameSepEnd"), OrigNameSepEnd);
        ini.WriteString(kOptions, QStringLiteral("PartSepBegin"), PartSepBegin);
        ini.WriteString(kOptions, QStringLiteral("PartSepEnd"), PartSepEnd);
        const QChar sep = Formats.decimalSeparator;
        ini.WriteFloat(kPrint, QStringLiteral("KCutLineWidth"), KCutLine.Width, sep);
        ini.WriteFloat(kPrint, QStringLiteral("KSLineWidth"), KSLine.Width, sep);
        ini.WriteString(kPrint, QStringLiteral("KCutLineStyle"), PenStyleToText(KCutLine.Style));
        ini.WriteString(kPrint, QStringLiteral("KSLineStyle"), PenStyleToText(KSLine.Style));
        ini.WriteString(kPrint, QStringLiteral("KCutLineColor"), ColorToText(KCutLine.Color));
        ini.WriteString(kPrint, QStringLiteral("KSLineColor"), ColorToText(KSLine.Color));
        ini.WriteInteger(kOptions, QStringLiteral("splitterpos"), SplitterPos);
        ini.WriteInteger(kOptions, QStringLiteral("KeepVersions"), KeepVersions);
        ini.WriteInteger(kOptions, QStringLiteral("KeepVersionsMB"), KeepVersionsMB);
    });
}

} // namespace reelkeep

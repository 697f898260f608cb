#include "TzkPluginsPack.h"

#include "CodePage.h"

#include <QDir>
#include <QFile>
#include <QLibrary>

namespace reelkeep {
namespace {

using ModeFunction = std::int32_t (*)();
using TextFunction = const char* (*)();
using ExportFunction = void (*)(const char* fileName, const char* catalogueText);

QString textOf(QLibrary& library, const char* name)
{
    const auto function = reinterpret_cast<TextFunction>(library.resolve(name));
    if (!function)
        return QString();
    const char* text = function();
    return text ? CodePage::Default().decode(QByteArrayView(text)) : QString();
}

} // namespace

TzkPluginsPack::TzkPluginsPack(const QString& programFolder)
    : m_folder(QDir(programFolder).filePath(QStringLiteral("Plugins")))
{
    QDir folder(m_folder);
    if (!folder.exists() && !QDir().mkpath(m_folder))
        return;
    // Name order, so the export filters come in the same order on every machine.
    const QStringList names = folder.entryList({QStringLiteral("*.kdp")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : names) {
        QLibrary library(folder.filePath(name));
        if (!library.load())
            continue;
        if (const auto mode = reinterpret_cast<ModeFunction>(library.resolve("RKMode"))) {
            PluginInfo info;
            info.LibraryPath = library.fileName();
            info.Mode = mode();
            info.DisplayName = textOf(library, "GetDisplayName");
            info.FileFilter = textOf(library, "GetFilterMask");
            Plugins.push_back(std::move(info));
        }
        library.unload();
    }
    Count = static_cast<std::int32_t>(Plugins.size());
}

bool TzkPluginsPack::Supports(int i, int bit) const
{
    if (i < 0 || i >= Count || bit < 1 || bit > 128)
        return false;
    const std::int32_t mode = Plugins[static_cast<size_t>(i)].Mode;
    if (mode < 0)
        return false;
    return mode >= 256 || (mode & bit) != 0;
}

PluginInfo TzkPluginsPack::GetPlugin(int bit, int n) const
{
    for (int i = 0; i < Count; ++i)
        if (Supports(i, bit) && --n == 0)
            return Plugins[static_cast<size_t>(i)];
    return PluginInfo();
}

QString TzkPluginsPack::ExportFilter() const
{
    QStringList filters;
    for (int i = 0; i < Count; ++i)
        if (Supports(i, kExportPlugin))
            filters.append(Plugins[static_cast<size_t>(i)].FileFilter);
    return filters.join(QLatin1Char('|'));
}

bool TzkPluginsPack::Export(int n, const QString& fileName, const QByteArray& catalogueText) const
{
    const PluginInfo plugin = GetPlugin(kExportPlugin, n);
    if (plugin.LibraryPath.isEmpty())
        return false;
    QLibrary library(plugin.LibraryPath);
    if (!library.load())
        return false;
    const auto exportTo = reinterpret_cast<ExportFunction>(library.resolve("ExportTo"));
    if (exportTo) {
        // The file name in the file system's own encoding, so the plug-in can open it.
        exportTo(QFile::encodeName(fileName).constData(), catalogueText.constData());
    }
    library.unload();
    return exportTo != nullptr;
}

} // namespace reelkeep

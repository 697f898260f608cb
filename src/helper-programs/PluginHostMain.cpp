// reelkeep-plugin-host probe LIBRARY | export LIBRARY OUTFILE: loads one export
// plug-in and either answers what it is (PluginWire.h) or hands it the catalogue
// text read from standard input. A plug-in that crashes or hangs takes only this
// process down.
#include "HelperChannel.h"
#include "PluginWire.h"

#include <cstdint>
#include <cstring>
#include <dlfcn.h>

namespace {

using namespace reelkeep;

using ModeFunction = std::int32_t (*)();
using TextFunction = const char* (*)();
using ExportFunction = void (*)(const char* fileName, const char* catalogueText);

void* entry(void* library, const char* name)
{
    return ::dlsym(library, name);
}

// A text entry point's answer; a text with no end within the bound is no text.
PluginText textOf(void* library, const char* name)
{
    const auto function = reinterpret_cast<TextFunction>(entry(library, name));
    if (!function)
        return {PluginText::Absent, {}};
    const char* text = function();
    if (!text)
        return {PluginText::Absent, {}};
    const size_t length = ::strnlen(text, kMaxPluginText + 1);
    if (length > kMaxPluginText)
        return {PluginText::Unterminated, {}};
    return {PluginText::Given, QByteArray(text, qsizetype(length))};
}

int probe(const char* path)
{
    void* library = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return helper::Write(EncodeUnloadable(QByteArray(::dlerror()))) ? 0 : 1;
    PluginProbe answer;
    if (const auto mode = reinterpret_cast<ModeFunction>(entry(library, "RKMode"))) {
        answer.HasMode = true;
        answer.Mode = mode();
    }
    answer.DisplayName = textOf(library, "GetDisplayName");
    answer.FilterMask = textOf(library, "GetFilterMask");
    answer.CanExport = entry(library, "ExportTo") != nullptr;
    return helper::Write(EncodeProbe(answer)) ? 0 : 1;
}

int exportTo(const char* path, const char* fileName)
{
    const auto text = helper::ReadAllInput();
    if (!text)
        return 1;
    void* library = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
    const auto function = library ? reinterpret_cast<ExportFunction>(entry(library, "ExportTo")) : nullptr;
    if (!function)
        return kPluginCannotExport;
    function(fileName, text->constData());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    reelkeep::helper::KeepAnswersApart();
    if (argc == 3 && std::strcmp(argv[1], "probe") == 0)
        return probe(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "export") == 0)
        return exportTo(argv[2], argv[3]);
    return 2;
}

// A plug-in library for the scan and export tests; the build makes several
// variants of it (capability bits, with or without the entry points).
#include <cstdint>
#include <cstdio>

#define STRINGIFY2(x) #x
#define STRINGIFY(x) STRINGIFY2(x)
#define PLUGIN_ENTRY extern "C" __attribute__((visibility("default")))

#ifdef TEST_MODE
PLUGIN_ENTRY std::int32_t RKMode()
{
    return TEST_MODE;
}
#endif

PLUGIN_ENTRY const char* GetDisplayName()
{
    return "Test " STRINGIFY(TEST_LABEL);
}

PLUGIN_ENTRY const char* GetFilterMask()
{
    return STRINGIFY(TEST_LABEL) "|*." STRINGIFY(TEST_LABEL);
}

#ifndef TEST_NO_EXPORT
// Writes its label and both arguments, so the test sees which plug-in ran with what.
PLUGIN_ENTRY void ExportTo(const char* fileName, const char* catalogueText)
{
    if (FILE* file = std::fopen(fileName, "wb")) {
        std::fprintf(file, "%s\n%s\n%s", STRINGIFY(TEST_LABEL), fileName, catalogueText);
        std::fclose(file);
    }
}
#endif

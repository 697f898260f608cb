// A plug-in library for the scan and export tests; the build makes several
// variants of it (capability bits, with or without the entry points, and ones
// that crash, hang, print or answer with something that is not a name).
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#define STRINGIFY2(x) #x
#define STRINGIFY(x) STRINGIFY2(x)
#define PLUGIN_ENTRY extern "C" __attribute__((visibility("default")))

#ifdef TEST_MODE
PLUGIN_ENTRY std::int32_t RKMode()
{
#if defined(TEST_CHATTY)
    std::puts("RKMode called");
    std::fflush(stdout);
#elif defined(TEST_CRASH_IN_MODE)
    std::raise(SIGSEGV);
#elif defined(TEST_HANG_IN_MODE)
    for (;;)
        ::pause();
#endif
    return TEST_MODE;
}
#endif

PLUGIN_ENTRY const char* GetDisplayName()
{
#ifdef TEST_UNENDING_NAME
    // Far more characters than any name, as a pointer to something else would give.
    static char unending[1 << 16];
    std::memset(unending, 'x', sizeof unending - 1);
    return unending;
#else
    return "Test " STRINGIFY(TEST_LABEL);
#endif
}

PLUGIN_ENTRY const char* GetFilterMask()
{
#ifdef TEST_FILTER
    return TEST_FILTER;
#else
    return STRINGIFY(TEST_LABEL) "|*." STRINGIFY(TEST_LABEL);
#endif
}

#ifndef TEST_NO_EXPORT
// Writes its label and both arguments, so the test sees which plug-in ran with what.
PLUGIN_ENTRY void ExportTo(const char* fileName, const char* catalogueText)
{
#ifdef TEST_CRASH_IN_EXPORT
    std::raise(SIGSEGV);
#endif
#ifdef TEST_HANG_IN_EXPORT
    // Half a file, then nothing more: only the end of its process stops it.
    if (FILE* file = std::fopen(fileName, "wb")) {
        std::fputs("half", file);
        std::fclose(file);
    }
    for (;;)
        ::pause();
#endif
#ifdef TEST_CHATTY
    std::puts("ExportTo called");
    std::fflush(stdout);
#endif
    if (FILE* file = std::fopen(fileName, "wb")) {
        std::fprintf(file, "%s\n%s\n%s", STRINGIFY(TEST_LABEL), fileName, catalogueText);
        std::fclose(file);
    }
}
#endif

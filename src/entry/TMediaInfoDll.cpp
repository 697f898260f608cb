#include "TMediaInfoDll.h"

#include "ReelkeepError.h"

#include <cstddef>
#include <locale.h>
#include <mutex>
#include <string>
#include <MediaInfoDLL/MediaInfoDLL_Static.h>

namespace reelkeep {
namespace {

std::wstring wide(const QString& text)
{
    return text.toStdWString();
}

// The library's options are process-wide; they are set once, before any handle exists.
// "Legacy" keeps the codec names ("Codec/String") the records show.
void setOptionsOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        MediaInfo_Option(nullptr, L"Complete", L"");
        MediaInfo_Option(nullptr, L"Legacy", L"1");
    });
}

// The library turns wide names into bytes with the thread's character set; a
// UTF-8 character set for the calling thread makes every name open.
class Utf8ThreadLocale {
public:
    Utf8ThreadLocale()
    {
        // Made once and kept for the life of the process.
        static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (utf8)
            m_previous = uselocale(utf8);
    }
    ~Utf8ThreadLocale()
    {
        if (m_previous)
            uselocale(m_previous);
    }
    Utf8ThreadLocale(const Utf8ThreadLocale&) = delete;
    Utf8ThreadLocale& operator=(const Utf8ThreadLocale&) = delete;

private:
    locale_t m_previous = static_cast<locale_t>(nullptr);
};

} // namespace

TMediaInfoDll::TMediaInfoDll()
{
    setOptionsOnce();
    Handle = MediaInfo_New();
    if (!Handle)
        throw ReelkeepError(Message("MediaLibraryNotStarted"));
}

TMediaInfoDll::~TMediaInfoDll()
{
    MediaInfo_Delete(Handle);
}

bool TMediaInfoDll::Open(const QString& fileName)
{
    const Utf8ThreadLocale utf8;
    return MediaInfo_Open(Handle, wide(fileName).c_str()) != 0;
}

QString TMediaInfoDll::Get(StreamKind kind, int streamNumber, const QString& parameter) const
{
    const Utf8ThreadLocale utf8;
    const wchar_t* value = MediaInfo_Get(Handle, static_cast<MediaInfo_stream_C>(kind), static_cast<size_t>(streamNumber),
                                         wide(parameter).c_str(), MediaInfo_Info_Text, MediaInfo_Info_Name);
    return value ? QString::fromWCharArray(value) : QString();
}

} // namespace reelkeep

// A helper executable that misbehaves on request, for the tests of HelperProcess.
// fake-helper echo | crash | hang | linger | flood | descriptors | fail
#include "HelperChannel.h"

#include <QByteArray>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <unistd.h>

using namespace reelkeep::helper;

int main(int argc, char** argv)
{
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "echo") {
        // Each frame back reversed, until the input ends.
        while (auto frame = ReadFrame()) {
            std::reverse(frame->begin(), frame->end());
            if (!WriteFrame(*frame))
                return 1;
        }
        return 0;
    }
    if (mode == "crash") {
        ReadFrame();
        std::raise(SIGSEGV);
    }
    if (mode == "hang") {
        for (;;)
            ::pause();
    }
    if (mode == "linger") {
        // Says all it has to say, then never ends.
        ::close(0);
        ::close(1);
        for (;;)
            ::pause();
    }
    if (mode == "flood") {
        const QByteArray block(1 << 16, 'x');
        while (Write(block)) {
        }
        return 0;
    }
    if (mode == "descriptors") {
        // The open descriptors but the one listing them, as text.
        QByteArray list;
        DIR* dir = ::opendir("/proc/self/fd");
        while (const dirent* entry = ::readdir(dir))
            if (entry->d_name[0] != '.' && std::atoi(entry->d_name) != ::dirfd(dir))
                list.append(entry->d_name).append(' ');
        ::closedir(dir);
        return Write(list) ? 0 : 1;
    }
    return 3; // "fail" and anything unknown: output closed, a failing status
}

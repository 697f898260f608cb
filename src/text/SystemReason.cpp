#include "SystemReason.h"

#include <QtGlobal>
#include <cerrno>

namespace reelkeep {

Message SystemReason(int error)
{
    switch (error) {
    case EACCES: return Message("SystemPermissionDenied");
    case ENOENT: return Message("SystemNoSuchFile");
    case ENOEXEC: return Message("SystemNotProgram");
    case EMFILE: return Message("SystemTooManyFiles");
    case ENOMEM: return Message("SystemNoMemory");
    default: return Message::Verbatim(qt_error_string(error));
    }
}

} // namespace reelkeep

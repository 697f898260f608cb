#include "ReelkeepError.h"

namespace reelkeep {

ReelkeepError::ReelkeepError(QString message)
    : m_message(std::move(message)), m_utf8(m_message.toUtf8())
{
}

} // namespace reelkeep

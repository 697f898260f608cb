#include "ReelkeepError.h"

namespace reelkeep {

ReelkeepError::ReelkeepError(QString message)
    : m_text(Message::Verbatim(message)), m_message(std::move(message)), m_utf8(m_message.toUtf8())
{
}

ReelkeepError::ReelkeepError(Message text)
    : m_text(std::move(text)), m_message(m_text.english()), m_utf8(m_message.toUtf8())
{
}

} // namespace reelkeep

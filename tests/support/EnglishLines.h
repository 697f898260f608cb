// Warnings kept as messages, in the built-in English the command-line tool prints.
#pragma once

#include "Message.h"

#include <QStringList>
#include <vector>

namespace reelkeep::test {

inline QStringList EnglishLines(const std::vector<Message>& messages)
{
    QStringList lines;
    for (const Message& message : messages)
        lines.append(message.english());
    return lines;
}

} // namespace reelkeep::test

// The message of the error a call must raise, so a test checks the wording in one line.
#pragma once

#include "ReelkeepError.h"

#include <gtest/gtest.h>

namespace reelkeep::test {

// The message of the error of type E the call raises; when it raises none the test
// fails and the message is empty (so a check of its wording fails at the caller too).
template <typename E = ReelkeepError, typename Call>
QString ErrorMessage(Call&& call)
{
    try {
        call();
    } catch (const E& error) {
        return error.message();
    }
    ADD_FAILURE() << "no error was raised";
    return {};
}

} // namespace reelkeep::test

// Checking that an operation fails with a given error number.
#pragma once

#include <gtest/gtest.h>

#include "accpac/AccpacError.h"

namespace accpac::fixtures {

// Runs `operation`, which must throw AccpacError with `number`; gives the
// description ("" and a test failure when it did not throw).
template <typename Operation>
QString expectError(long number, Operation&& operation) {
    try {
        operation();
    } catch (const AccpacError& e) {
        EXPECT_EQ(e.number(), number) << e.description().toStdString();
        EXPECT_FALSE(e.description().isEmpty());
        return e.description();
    }
    ADD_FAILURE() << "no error " << number;
    return {};
}

}  // namespace accpac::fixtures

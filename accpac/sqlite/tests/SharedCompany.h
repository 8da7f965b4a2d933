// A demo company shared by the tests of one suite, made once before the
// suite's first test: making one per test would cost more than the tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/TestCompany.h"

template <typename Base = ::testing::Test>
class WithSharedCompany : public Base {
protected:
    static void SetUpTestSuite() { company_ = std::make_unique<testsupport::TestCompany>(); }
    static void TearDownTestSuite() { company_.reset(); }
    static inline std::unique_ptr<testsupport::TestCompany> company_;
};

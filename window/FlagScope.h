// A window flag that is True for the length of a handler.
#pragma once

#include <cstdint>

#include "accpac/Variant.h"

namespace window {

// Sets a 16-bit flag to IntegerTrue and back to IntegerFalse when the scope ends,
// also when it ends on an error, so that a failed step never leaves a guard
// standing for the rest of the lookup.
class FlagScope {
public:
    explicit FlagScope(std::int16_t& flag) : flag_(flag) { flag_ = accpac::IntegerTrue; }
    ~FlagScope() { flag_ = accpac::IntegerFalse; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    std::int16_t& flag_;
};

}  // namespace window

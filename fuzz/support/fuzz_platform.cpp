#include "support/fuzz_platform.h"

#include <string>

#include "support/fuzz_input.h"

namespace quelfi::fuzz {

void FuzzPlatform::startCall(std::uint64_t limitMs) {
    callStart_ = slept();
    limitMs_ = limitMs;
}

void FuzzPlatform::sleep(std::uint32_t milliseconds) {
    TestPlatform::sleep(milliseconds);
    if (limitMs_ != 0 && elapsed() > limitMs_)
        violated("a call waited past its limit on the virtual clock:",
                 std::to_string(elapsed()) + " ms");
}

}  // namespace quelfi::fuzz

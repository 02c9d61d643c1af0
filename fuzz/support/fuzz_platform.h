// The operating system as the harnesses give it to the library: the tests' platform with its
// virtual clock (a 200-second wait takes no real time), plus a watchdog on that clock, so a wait
// that never ends is reported instead of looping for ever.
#pragma once

#include <cstdint>
#include <string>

#include "support/fuzz_input.h"
#include "support/test_platform.h"

namespace quelfi::fuzz {

class FuzzPlatform : public test::TestPlatform {
  public:
    FuzzPlatform() { useVirtualClock(true); }

    // Starts timing one call: from now on a sleep past `limitMs` of virtual time stops the
    // process as a hang (0: no limit). Counted in 64 bits: a long reply read with every retry
    // may legitimately wait longer than the 32-bit tick counter spans.
    void startCall(std::uint64_t limitMs) {
        callStart_ = slept();
        limitMs_ = limitMs;
    }
    // Virtual milliseconds since startCall (the virtual clock moves only when the library sleeps).
    std::uint64_t elapsed() const { return slept() - callStart_; }

    void sleep(std::uint32_t milliseconds) override {
        TestPlatform::sleep(milliseconds);
        if (limitMs_ != 0 && elapsed() > limitMs_)
            violated("a call waited past its limit on the virtual clock:",
                     std::to_string(elapsed()) + " ms");
    }

  private:
    std::uint64_t callStart_ = 0;
    std::uint64_t limitMs_ = 0;
};

}  // namespace quelfi::fuzz

// The operating system as the harnesses give it to the library: the tests' platform with its
// virtual clock (a 200-second wait takes no real time), plus a watchdog on that clock, so a wait
// that never ends is reported instead of looping for ever.
#pragma once

#include <cstdint>

#include "support/test_platform.h"

namespace quelfi::fuzz {

class FuzzPlatform : public test::TestPlatform {
  public:
    FuzzPlatform() { useVirtualClock(true); }

    // Starts timing one call: from now on a sleep past `limitMs` of virtual time stops the
    // process as a hang.
    void startCall(std::uint32_t limitMs);
    // Virtual milliseconds since startCall.
    std::uint32_t elapsed() { return tickCount() - callStart_; }

    void sleep(std::uint32_t milliseconds) override;

  private:
    std::uint32_t callStart_ = 0;
    std::uint32_t limitMs_ = 0;
};

}  // namespace quelfi::fuzz

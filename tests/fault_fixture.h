// The library on an in-process line to the virtual printer, with the virtual clock: the line can
// be made to misbehave (ready line low, replies cut, bytes lost, NAK, garbled frames, silence) and
// every wait is measured on the clock without taking real time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "quelfi32.h"
#include "sim/quelmar/in_process_port.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/library_fixture.h"

namespace quelfi::test {

class FaultTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        platform.useVirtualClock(true);
        platform.plugPort("COM1", [this] { return line.connection(); });
    }
    // Loads an INI with the log and the status file in the work directory, opens the port and
    // starts the log afresh.
    void configure(const std::string& keys = "") {
        writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\nStatus=1\nPorta=COM1\n" + keys);
        load();
        ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
        clearLog();
    }
    void clearLog() { std::filesystem::remove(workDir() + "/QuelFI32.log"); }

    // Runs `call` and tells how long it took on the virtual clock.
    template <typename F>
    std::uint32_t timed(F&& call) {
        const std::uint32_t start = platform.tickCount();
        call();
        return platform.tickCount() - start;
    }

    sim::QuelmarPrinter printer{
        sim::modelFromSeed("coo=1234; lastitem=0; rates=18.00,7.00/ISS; payments=Dinheiro,Cheque; "
                           "clock=15/06/2026 10:00:00")};
    sim::InProcessPort line{printer, platform};
};

inline const std::string kSeparatorLine = std::string(71, '-') + " ";

}  // namespace quelfi::test

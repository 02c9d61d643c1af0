// The library on an in-process line to the virtual printer, with the virtual clock: the line can
// be made to misbehave (ready line low, replies cut, bytes lost, NAK, garbled frames, silence) and
// every wait is measured on the clock without taking real time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "quelfi32.h"
#include "sim/quelmar/in_process_port.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/library_fixture.h"

namespace quelfi::test {

// A fault waiting for the frame of one command, so that it hits that command and not the queries a
// composite export sends before it.
struct ArmedFault {
    std::optional<char> command;  // the command byte, after the prefix
    std::function<void()> fault;

    void beforeFrame(char commandByte) {
        if (!command || *command != commandByte) return;
        command.reset();
        const std::function<void()> run = std::move(fault);
        run();
    }
};

// The line as the library sees it: the in-process port, with the armed fault set off just before
// the command's bytes are written.
class ArmingPort final : public platform::Port {
  public:
    ArmingPort(std::unique_ptr<platform::Port> line, ArmedFault& armed)
        : line_(std::move(line)), armed_(armed) {}
    long write(const std::uint8_t* data, std::size_t size) override {
        // The command block of a frame starts with its prefix, ESC or FS.
        if (size > 1 && (data[0] == 0x1B || data[0] == 0x1C))
            armed_.beforeFrame(static_cast<char>(data[1]));
        return line_->write(data, size);
    }
    bool readByte(std::uint8_t& byte) override { return line_->readByte(byte); }
    bool ctsOn() override { return line_->ctsOn(); }
    void discardInput() override { line_->discardInput(); }

  private:
    std::unique_ptr<platform::Port> line_;
    ArmedFault& armed_;
};

class FaultTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        platform.useVirtualClock(true);
        platform.plugPort(
            "COM1", [this] { return std::make_unique<ArmingPort>(line.connection(), armed); });
    }
    // Runs `fault` on the line just before the next frame of the command `commandByte` is sent.
    void onCommand(char commandByte, std::function<void()> fault) {
        armed = {commandByte, std::move(fault)};
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
    ArmedFault armed;
};

}  // namespace quelfi::test

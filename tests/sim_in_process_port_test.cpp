// The in-process line to the virtual printer: what crosses it, and each way it can misbehave.
#include <gtest/gtest.h>

#include "sim/quelmar/in_process_port.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/sim_bytes.h"
#include "support/test_platform.h"

namespace quelfi::sim {
namespace {

using test::frameOf;
using test::hex;
using namespace std::string_literals;

class SimInProcessPort : public ::testing::Test {
  protected:
    SimInProcessPort() { platform.useVirtualClock(true); }

    // Writes a frame the way the library does: header, command, checksum.
    void send(platform::Port& to, const std::string& command) {
        const std::string frame = frameOf(command);
        auto write = [&](std::size_t at, std::size_t n) {
            ASSERT_EQ(to.write(reinterpret_cast<const std::uint8_t*>(frame.data()) + at, n),
                      static_cast<long>(n));
        };
        write(0, 3);
        write(3, command.size());
        write(3 + command.size(), 2);
    }
    void send(const std::string& command) { send(port, command); }

    // Every byte readable now.
    std::string received(platform::Port& from) {
        std::string out;
        std::uint8_t byte;
        while (from.readByte(byte)) out += static_cast<char>(byte);
        return out;
    }
    std::string received() { return received(port); }

    test::TestPlatform platform;
    QuelmarPrinter printer;
    InProcessPort port{printer, platform};
};

TEST_F(SimInProcessPort, CarriesFramesAndRepliesAndRecordsThem) {
    send("\x1b\x13");
    EXPECT_EQ(hex(received()), "06 00 00");
    // The library owns its port objects; they all lead to the same printer and record.
    auto owned = port.connection();
    send(*owned, "\x1b\x16\xf0");
    EXPECT_EQ(hex(received(*owned)), "06 00 00");
    EXPECT_TRUE(printer.model().drawerOpen);
    ASSERT_EQ(port.frames().size(), 2u);
    EXPECT_EQ(hex(port.frames()[0]), "02 04 00 1B 13 2E 00");
    EXPECT_EQ(hex(port.frames()[1]), "02 05 00 1B 16 F0 21 01");
    EXPECT_EQ(port.replies(), (std::vector<std::string>{"\x06\x00\x00"s, "\x06\x00\x00"s}));
}

TEST_F(SimInProcessPort, UnfinishedFrameIsRefusedWhenTheHostListens) {
    const std::string frame = test::bytes({0x02, 0x05, 0x00, 0x1B, 0x13, 0x2E, 0x00});
    port.write(reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size());
    EXPECT_EQ(hex(received()), "15");
    EXPECT_EQ(port.frames(), std::vector<std::string>{frame});
}

TEST_F(SimInProcessPort, GarbledFrameIsRefusedOnce) {
    port.garbleNextFrame();
    send("\x1b\x16\xf0");
    EXPECT_EQ(hex(received()), "15");
    EXPECT_FALSE(printer.model().drawerOpen);
    EXPECT_EQ(hex(port.frames()[0]), "02 05 00 1B 16 F0 21 01");  // as the host wrote it
    send("\x1b\x13");
    EXPECT_EQ(hex(received()), "06 00 00");
}

TEST_F(SimInProcessPort, NakAndSilenceLeaveThePrinterUntouched) {
    port.answerNak();
    send("\x1b\x16\xf0");
    EXPECT_EQ(hex(received()), "15");
    port.goSilent();
    send("\x1b\x16\xf0");
    send("\x1b\x13");
    EXPECT_EQ(hex(received()), "");
    EXPECT_FALSE(printer.model().drawerOpen);
    port.goSilent(false);
    send("\x1b\x13");
    EXPECT_EQ(hex(received()), "06 00 00");
    EXPECT_EQ(port.frames().size(), 4u);
}

TEST_F(SimInProcessPort, DamagedRepliesAffectOnlyTheNextOne) {
    port.loseReplyByte(1);
    send("\x1b\x1e");
    EXPECT_EQ(hex(received()), "06 00 00 00 00");
    port.cutReplyAfter(2);
    send("\x1b\x1e");
    EXPECT_EQ(hex(received()), "06 00");
    port.garbageBeforeAck(std::string(2, '\0'));
    send("\x1b\x13");
    EXPECT_EQ(hex(received()), "00 00 06 00 00");
    send("\x1b\x13");
    EXPECT_EQ(hex(received()), "06 00 00");
}

TEST_F(SimInProcessPort, LateReplyArrivesOnTheGivenClock) {
    port.answerLate(1500);
    send("\x1b\x13");
    EXPECT_EQ(hex(received()), "");
    platform.sleep(1499);
    EXPECT_EQ(hex(received()), "");
    platform.sleep(1);
    EXPECT_EQ(hex(received()), "06 00 00");
}

TEST_F(SimInProcessPort, CtsDropsForATimeOrForSomeReads) {
    EXPECT_TRUE(port.ctsOn());
    port.dropCtsFor(300);
    EXPECT_FALSE(port.ctsOn());
    platform.sleep(299);
    EXPECT_FALSE(port.ctsOn());
    platform.sleep(1);
    EXPECT_TRUE(port.ctsOn());
    port.dropCtsForReads(2);
    EXPECT_FALSE(port.ctsOn());
    EXPECT_FALSE(port.ctsOn());
    EXPECT_TRUE(port.ctsOn());
}

}  // namespace
}  // namespace quelfi::sim

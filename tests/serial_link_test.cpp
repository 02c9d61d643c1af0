// The journal download's serial link and output file: the link's settings and time-outs on a
// pseudo-terminal, how long its reads wait (on the virtual clock), and the file's bytes.
#include "mfd/serial_link.h"

#include <dirent.h>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "mfd/output_stream.h"
#include "support/library_fixture.h"
#include "support/pseudo_terminal.h"
#include "support/scripted_serial_line.h"

namespace quelfi::test {
namespace {

using mfd::CWinOutputStream;
using mfd::CWinSerialInterface;

int openDescriptors() {
    int n = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir)) ++n;
        ::closedir(dir);
    }
    return n;
}

class SerialLinkTest : public LibraryTest {};

TEST_F(SerialLinkTest, OpensAt115200WithTwoStopBitsAndKeepsXonXoff) {
    PseudoTerminal pty;
    pty.linkAs(portDir() + "/COM1");
    for (const tcflag_t xonXoff : std::initializer_list<tcflag_t>{IXON, IXOFF, IXON | IXOFF, 0}) {
        SCOPED_TRACE(xonXoff);
        // The port as another program left it: 9600 baud, CTS flow, other time-outs.
        termios before{};
        ASSERT_EQ(::tcgetattr(pty.controller(), &before), 0);
        ::cfsetspeed(&before, B9600);
        before.c_cflag = (before.c_cflag & ~CSTOPB) | CRTSCTS;
        before.c_iflag = (before.c_iflag & ~(IXON | IXOFF)) | xonXoff;
        before.c_cc[VMIN] = 5;
        before.c_cc[VTIME] = 7;
        ASSERT_EQ(::tcsetattr(pty.controller(), TCSANOW, &before), 0);

        CWinSerialInterface link("COM1");
        ASSERT_TRUE(link.open(115200));
        EXPECT_EQ(link.openName(), "COM1");
        termios open{};
        ASSERT_EQ(::tcgetattr(pty.controller(), &open), 0);
        EXPECT_EQ(::cfgetospeed(&open), static_cast<speed_t>(B115200));
        EXPECT_EQ(open.c_cflag & (CSTOPB | CRTSCTS | CSIZE), static_cast<tcflag_t>(CSTOPB | CS8));
        EXPECT_EQ(open.c_iflag & (IXON | IXOFF), xonXoff);
        // A read ends 10 ms after the line falls quiet, as near as termios can say it.
        EXPECT_EQ(open.c_cc[VMIN], 1);
        EXPECT_EQ(open.c_cc[VTIME], 1);
        // While the link holds the port nobody else opens it.
        EXPECT_FALSE(CWinSerialInterface("COM1").open(9600));

        EXPECT_TRUE(link.close());
        EXPECT_EQ(link.openName(), "");
        termios after{};
        ASSERT_EQ(::tcgetattr(pty.controller(), &after), 0);
        EXPECT_EQ(after.c_cc[VMIN], 5);
        EXPECT_EQ(after.c_cc[VTIME], 7);
    }
}

TEST_F(SerialLinkTest, ReadWaitsTwoSecondsForAFirstByteThenTenMillisecondsOfQuiet) {
    platform.useVirtualClock(true);
    auto script = std::make_shared<SerialScript>();
    platform.plugLine("COM1", [&](const platform::LineSettings& s) {
        return std::make_unique<ScriptedSerialLine>(script, platform, s);
    });
    CWinSerialInterface link("COM1");
    ASSERT_TRUE(link.open(115200));
    std::uint8_t buffer[4102];
    std::size_t received = 99;

    // A silent line: two seconds, not a second for each byte asked.
    std::uint64_t before = platform.slept();
    EXPECT_TRUE(link.read(buffer, sizeof buffer, 2000, received));
    EXPECT_EQ(received, 0u);
    EXPECT_EQ(platform.slept() - before, 2000u);

    // A block's bytes 1 ms apart from 1.5 s on, then silence: the read ends 10 ms after the last.
    const std::uint32_t now = platform.tickCount();
    script->arrive(std::string(300, 'D'), now + 1500, 1);
    before = platform.slept();
    EXPECT_TRUE(link.read(buffer, sizeof buffer, 2000, received));
    EXPECT_EQ(received, 300u);
    EXPECT_EQ(platform.slept() - before, 1500u + 299u + 10u);

    EXPECT_TRUE(link.close());
    EXPECT_FALSE(script->open);
    EXPECT_TRUE(script->timeoutsRestored);
    EXPECT_FALSE(link.read(buffer, 1, 2000, received));
    EXPECT_FALSE(link.write(buffer, 1, 1000));
}

TEST_F(SerialLinkTest, MissingDeviceFailsWithNothingLeftOpen) {
    const int descriptors = openDescriptors();
    CWinSerialInterface link("COM7");
    EXPECT_FALSE(link.open(9600));
    EXPECT_EQ(link.openName(), "");
    EXPECT_FALSE(link.purge());
    EXPECT_TRUE(link.close());
    EXPECT_EQ(openDescriptors(), descriptors);
}

TEST_F(SerialLinkTest, OutputFileHoldsExactlyTheBytesWrittenAndReportsAFullDisk) {
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(all.data());
    const std::string path = workDir() + "\\DOWNLOAD.MFD";
    for (const std::size_t size : {all.size(), std::size_t{2}}) {
        CWinOutputStream file(path);
        EXPECT_FALSE(file.write(bytes, 1));
        ASSERT_TRUE(file.open());
        EXPECT_TRUE(file.write(bytes, size));
        EXPECT_TRUE(file.write(nullptr, 0));
        EXPECT_TRUE(file.close());
        // Each download starts the file anew.
        EXPECT_EQ(readFile(workDir() + "/DOWNLOAD.MFD"), all.substr(0, size));
    }
    CWinOutputStream full("/dev/full");
    ASSERT_TRUE(full.open());
    EXPECT_FALSE(full.write(bytes, 5));
    EXPECT_FALSE(CWinOutputStream(workDir() + "/missing/DOWNLOAD.MFD").open());
}

}  // namespace
}  // namespace quelfi::test

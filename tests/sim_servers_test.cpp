// The virtual printer served on a pseudo-terminal and through the emulator files, reached the way
// the library reaches a device.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/platform.h"
#include "sim/pty_server.h"
#include "sim/quelmar/emulator_server.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/printer_link.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/library_fixture.h"
#include "support/sim_bytes.h"

namespace quelfi::sim {
namespace {

using test::frameOf;
using test::hex;

// Reads from a port until `count` bytes came or `ms` passed.
std::string readReply(platform::Port& port, std::size_t count, int ms = 2000) {
    std::string out;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (out.size() < count && std::chrono::steady_clock::now() < end) {
        std::uint8_t byte;
        if (port.readByte(byte)) {
            out += static_cast<char>(byte);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    return out;
}

// Writes a frame as the library does: header, command and checksum in three writes.
void sendFrame(platform::Port& port, const std::string& command) {
    const std::string frame = frameOf(command);
    const auto* data = reinterpret_cast<const std::uint8_t*>(frame.data());
    ASSERT_EQ(port.write(data, 3), 3);
    ASSERT_EQ(port.write(data + 3, command.size()), static_cast<long>(command.size()));
    ASSERT_EQ(port.write(data + 3 + command.size(), 2), 2);
    port.flush();
}

class SimServers : public test::LibraryTest {
  protected:
    QuelmarPrinter printer{modelFromSeed("coo=1234")};
};

TEST_F(SimServers, PseudoTerminalAnswersARawTerminal) {
    PrinterLink link(printer);
    PtyServer server(link);
    const int fd = ::open(server.devicePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios tio{};
    ASSERT_EQ(::tcgetattr(fd, &tio), 0);
    ::cfmakeraw(&tio);
    ASSERT_EQ(::tcsetattr(fd, TCSANOW, &tio), 0);

    auto exchange = [fd](const std::string& bytes, std::size_t expected) {
        EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        std::string out;
        pollfd p{fd, POLLIN, 0};
        while (out.size() < expected && ::poll(&p, 1, 2000) > 0) {
            char buffer[64];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0) break;
            out.append(buffer, static_cast<std::size_t>(n));
        }
        return out;
    };
    EXPECT_EQ(hex(exchange(test::bytes({0x02, 0x04, 0x00, 0x1B, 0x13, 0x2E, 0x00}), 3)),
              "06 00 00");
    // A frame left short is refused once the line has been quiet a moment.
    EXPECT_EQ(hex(exchange(test::bytes({0x02, 0x09, 0x00, 0x1B, 0x1E}), 1)), "15");
    EXPECT_EQ(hex(exchange(frameOf("\x1b\x1e"), 6)), "06 00 12 34 00 00");
    ::close(fd);
}

TEST_F(SimServers, PseudoTerminalServesTheLibrarysSerialPort) {
    PrinterLink link(printer);
    const std::string com1 = portDir() + "/COM1";
    {
        PtyServer server(link);
        server.linkAs(com1);
        int error = 0;
        auto port = platform::systemPlatform().openSerialPort("COM1", error);
        ASSERT_TRUE(port) << "error " << error;
        EXPECT_TRUE(port->ctsOn());
        sendFrame(*port, "\x1b\x1e");
        EXPECT_EQ(hex(readReply(*port, 6)), "06 00 12 34 00 00");
        // Closed and opened again, as the library does with port control on.
        port.reset();
        port = platform::systemPlatform().openSerialPort("COM1", error);
        ASSERT_TRUE(port) << "error " << error;
        sendFrame(*port, "\x1b\x13");
        EXPECT_EQ(hex(readReply(*port, 3)), "06 00 00");
    }
    EXPECT_FALSE(std::filesystem::is_symlink(com1));
}

TEST_F(SimServers, EmulatorFilesAnswerWhileThePresenceMarkExists) {
    const std::string mark = "quelfi-test-emulator-" + std::to_string(::getpid());
    platform::Platform& system = platform::systemPlatform();
    ASSERT_FALSE(system.namedEventExists(mark));
    {
        EmulatorServer server(printer, "/" + mark);
        EXPECT_TRUE(system.namedEventExists(mark));
        EXPECT_EQ(server.commandFile(), driveC() + "/comando.dat");
        EXPECT_EQ(server.replyFile(), driveC() + "/retorno.dat");

        // Each command opens the files anew at their start, as the library does; the same
        // command twice is answered twice.
        for (int round = 0; round < 2; ++round) {
            platform::EmulatorOpenError error;
            auto port = system.openEmulatorFiles("c:\\comando.dat", "c:\\retorno.dat", error);
            ASSERT_TRUE(port);
            sendFrame(*port, "\x1b\x1e");
            EXPECT_EQ(hex(readReply(*port, 6)), "06 00 12 34 00 00");
            port->clearReply();
        }

        // Bytes after the frame (left from a longer command) do not count: the length decides.
        test::writeFile(server.commandFile(), frameOf("\x1b\x13") + "\x1b#\x03\x28");
        std::string reply;
        for (int i = 0; i < 400 && reply.empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            reply = test::readFile(server.replyFile());
        }
        EXPECT_EQ(hex(reply), "06 00 00");
    }
    EXPECT_FALSE(system.namedEventExists(mark));
}

}  // namespace
}  // namespace quelfi::sim

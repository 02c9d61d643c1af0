// The Windows platform layer checked on a Windows system (Wine in the test suite): profile files
// through the system's profile service, the emulator files, named events, port names and the
// version resource; with a port name argument also the serial line, whose other end the caller
// holds: it expects "PING" and answers "PONG", then "LINK" and answers a block of 300 bytes.
// Usage: quelfi_platform_checks [PORT]   (exit status: the number of failed checks)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <string>

#include "mfd/serial_link.h"
#include "platform/platform.h"
#include "platform/win32/win32_ports.h"

namespace {

namespace platform = quelfi::platform;

int failures = 0;

template <typename A, typename B>
void expectEqual(const A& actual, const B& expected, const char* what, int line) {
    if (actual == expected) return;
    std::printf("line %d: %s is wrong\n", line, what);
    ++failures;
}
#define EXPECT_EQ(actual, expected) expectEqual(actual, expected, #actual, __LINE__)
#define EXPECT_TRUE(condition) expectEqual(bool(condition), true, #condition, __LINE__)

std::string scratchDirectory() {
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    std::string dir =
        std::string(temp) + "quelfi-checks-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\";
}

void checkProfileFiles(const std::string& dir) {
    const std::string ini = dir + "QuelFI32.ini";
    const std::string text =
        "[Sistema]\r\n  Porta =  COM2  \r\nVazio=\r\nAspas=\"1\"\r\n;Log=1\r\nLongo=" +
        std::string(3000, 'x') + "\r\n[MFD]\r\nImpressora=1\r\n";
    platform::replaceFile(ini, text);
    EXPECT_EQ(platform::readProfileString(ini, "sistema", "PORTA"), std::string("COM2"));
    EXPECT_EQ(platform::readProfileString(ini, "Sistema", "Vazio"), std::string());
    EXPECT_EQ(platform::readProfileString(ini, "Sistema", "Aspas"), std::string("1"));
    EXPECT_EQ(platform::readProfileString(ini, "Sistema", "Log"), std::nullopt);
    EXPECT_EQ(platform::readProfileString(ini, "Sistema", "Longo"), std::string(3000, 'x'));
    EXPECT_EQ(platform::readProfileString(ini, "Config", "Porta"), std::nullopt);
    EXPECT_EQ(platform::readProfileString(dir + "Missing.ini", "Sistema", "Porta"), std::nullopt);

    EXPECT_TRUE(platform::writeProfileString(ini, "Sistema", "Porta", "COM3"));
    EXPECT_TRUE(platform::writeProfileString(ini, "Config", "InicioDia", "1"));
    EXPECT_EQ(platform::readProfileString(ini, "Sistema", "Porta"), std::string("COM3"));
    EXPECT_EQ(platform::readProfileString(ini, "Config", "InicioDia"), std::string("1"));
    EXPECT_EQ(platform::readProfileString(ini, "MFD", "Impressora"), std::string("1"));
}

void checkEmulatorFiles(const std::string& dir) {
    const std::string command = dir + "comando.dat";
    const std::string reply = dir + "retorno.dat";
    platform::replaceFile(command, "ABCDEF");
    platform::replaceFile(reply, std::string("\x06\x00\x00", 3));
    platform::EmulatorOpenError error;
    auto port = platform::systemPlatform().openEmulatorFiles(command, reply, error);
    EXPECT_TRUE(port != nullptr);
    if (!port) return;

    // Content is kept and writing starts at the beginning.
    const std::uint8_t frame[] = {0x1b, 0x13};
    EXPECT_EQ(port->write(frame, sizeof frame), 2L);
    port->flush();
    EXPECT_EQ(platform::readWholeFile(command), std::string("\x1b\x13") + "CDEF");

    std::string got;
    std::uint8_t byte = 0;
    while (got.size() < 10 && port->readByte(byte)) got += static_cast<char>(byte);
    EXPECT_EQ(got, std::string("\x06\x00\x00", 3));
    EXPECT_TRUE(port->ctsOn());
    // The emulator writes beside the open handle; emptying leaves a file of nothing.
    EXPECT_TRUE(platform::appendToFile(reply, "\x15"));
    port->clearReply();
    EXPECT_EQ(platform::readWholeFile(reply), std::string());
    port.reset();

    auto none = platform::systemPlatform().openEmulatorFiles(dir + "no\\comando.dat", reply, error);
    EXPECT_TRUE(none == nullptr);
    EXPECT_EQ(error.replyFile, false);
    EXPECT_EQ(error.systemError, static_cast<int>(ERROR_PATH_NOT_FOUND));
    none = platform::systemPlatform().openEmulatorFiles(command, dir + "no\\retorno.dat", error);
    EXPECT_TRUE(none == nullptr);
    EXPECT_EQ(error.replyFile, true);
    EXPECT_EQ(error.systemError, static_cast<int>(ERROR_PATH_NOT_FOUND));
}

void checkNamedEvent() {
    const std::string name = "QUELFI_CHECK_" + std::to_string(::GetCurrentProcessId());
    platform::Platform& os = platform::systemPlatform();
    EXPECT_EQ(os.namedEventExists(name), false);
    HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, name.c_str());
    EXPECT_EQ(os.namedEventExists(name), true);
    ::CloseHandle(event);
    EXPECT_EQ(os.namedEventExists(name), false);
}

void checkPortNames(const std::string& dir) {
    using platform::win32::serialDeviceName;
    EXPECT_EQ(serialDeviceName("COM1"), std::string("COM1"));
    EXPECT_EQ(serialDeviceName("COM9"), std::string("COM9"));
    EXPECT_EQ(serialDeviceName("COM10"), std::string("\\\\.\\COM10"));
    EXPECT_EQ(serialDeviceName("com12"), std::string("\\\\.\\com12"));
    EXPECT_EQ(serialDeviceName("COM1X"), std::string("COM1X"));
    EXPECT_EQ(serialDeviceName("\\\\.\\COM3"), std::string("\\\\.\\COM3"));

    // A name that is no device, and a file that is no serial line, do not open.
    int error = 0;
    EXPECT_TRUE(platform::systemPlatform().openSerialPort("\\\\.\\QUELFI_NO_PORT", error) ==
                nullptr);
    EXPECT_EQ(error, static_cast<int>(ERROR_FILE_NOT_FOUND));
    platform::replaceFile(dir + "plain.txt", "x");
    error = 0;
    EXPECT_TRUE(platform::systemPlatform().openSerialPort(dir + "plain.txt", error) == nullptr);
    EXPECT_TRUE(error != 0);
}

void checkSystem() {
    const std::string system = platform::systemDirectory();
    EXPECT_TRUE(!system.empty() && system.back() != '\\');
    const DWORD attributes = ::GetFileAttributesA(system.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(platform::nativePath("c:\\comando.dat"), std::string("c:\\comando.dat"));
    EXPECT_EQ(platform::libraryVersion(), std::string("9,8,7,6"));

    platform::Platform& os = platform::systemPlatform();
    const std::uint32_t start = os.tickCount();
    os.sleep(100);
    const std::uint32_t slept = os.tickCount() - start;
    // The tick counter moves in steps of about 16 ms.
    EXPECT_TRUE(slept >= 60 && slept < 2000);
}

void checkSerialLine(const std::string& name) {
    platform::Platform& os = platform::systemPlatform();
    int error = 0;
    auto port = os.openSerialPort(name, error);
    EXPECT_TRUE(port != nullptr);
    if (!port) return;
    const std::uint8_t ping[] = {'P', 'I', 'N', 'G'};
    EXPECT_EQ(port->write(ping, sizeof ping), 4L);
    std::string answer;
    std::uint8_t byte = 0;
    for (int reads = 0; answer.size() < 4 && reads < 50; ++reads) {
        if (port->readByte(byte)) answer += static_cast<char>(byte);
    }
    EXPECT_EQ(answer, std::string("PONG"));

    // Nothing more comes: a read gives up after about 200 ms.
    const std::uint32_t start = os.tickCount();
    EXPECT_EQ(port->readByte(byte), false);
    const std::uint32_t waited = os.tickCount() - start;
    EXPECT_TRUE(waited >= 150 && waited < 1500);
    EXPECT_TRUE(port->ctsOn());  // a pseudo-terminal has no modem lines
}

// The journal download's link on the same line, once the printer's port is closed: opened at
// 115200 baud it says "LINK", and its read of the block the far end sends back ends with what came.
void checkDownloadLink(const std::string& name) {
    quelfi::mfd::CWinSerialInterface link(name);
    EXPECT_TRUE(link.open(115200));
    EXPECT_EQ(link.openName(), name);
    const std::uint8_t hello[] = {'L', 'I', 'N', 'K'};
    EXPECT_TRUE(link.write(hello, sizeof hello, 1000));
    static std::uint8_t block[4102];
    std::size_t received = 0;
    EXPECT_TRUE(link.read(block, sizeof block, 2000, received));
    EXPECT_EQ(received, std::size_t{300});
    EXPECT_TRUE(link.close());
    EXPECT_EQ(link.openName(), std::string());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = scratchDirectory();
    checkProfileFiles(dir);
    checkEmulatorFiles(dir);
    checkNamedEvent();
    checkPortNames(dir);
    checkSystem();
    if (argc > 1) {
        checkSerialLine(argv[1]);
        checkDownloadLink(argv[1]);
    }
    for (const char* file : {"QuelFI32.ini", "comando.dat", "retorno.dat", "plain.txt"})
        ::DeleteFileA((dir + file).c_str());
    ::RemoveDirectoryA(dir.c_str());
    std::printf("%s: %d failed\n", failures ? "FAILED" : "ok", failures);
    return failures;
}

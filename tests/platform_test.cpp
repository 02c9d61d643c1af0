// The POSIX platform (profile files with the Windows semantics and crash-safe writes, path and
// port-name mapping, prompts that never block) and the shared library's export table: exactly the
// table's names, nothing missing, nothing extra.
#include "platform/platform.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <semaphore.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "exports/surface.h"
#include "platform/posix/posix_ports.h"
#include "platform/profile_file.h"
#include "support/library_fixture.h"
#include "support/pseudo_terminal.h"

namespace quelfi::test {
namespace {

using platform::findProfileValue;
using platform::setProfileValue;

TEST(ProfileFile, ReadsLikeTheWindowsProfileService) {
    const std::string text =
        "; comment line\r\n[Sistema]\r\n  Porta =  COM2  \r\nLog=\"1\"\r\n;Retorno=1\r\n"
        "path=c:\\ecf\\ ; trailing\r\n[ mfd ]\r\nImpressora=1\r\n[Other]\r\nPorta=COM9\r\n";
    EXPECT_EQ(findProfileValue(text, "sistema", "PORTA"), "COM2");
    EXPECT_EQ(findProfileValue(text, "Sistema", "Log"), "1");
    EXPECT_EQ(findProfileValue(text, "Sistema", "Retorno"), std::nullopt);
    EXPECT_EQ(findProfileValue(text, "Sistema", "path"), "c:\\ecf\\ ; trailing");
    EXPECT_EQ(findProfileValue(text, "MFD", "impressora"), "1");
    EXPECT_EQ(findProfileValue(text, "Missing", "Porta"), std::nullopt);
    EXPECT_EQ(findProfileValue("", "Sistema", "Porta"), std::nullopt);
}

TEST(ProfileFile, WriteReplacesInPlaceAndKeepsEveryOtherLine) {
    const std::string text =
        "[Sistema]\r\nPorta=COM1 ; old\r\n; note\r\nLog=1\r\n\r\n[MFD]\r\nX=1\r\n";
    EXPECT_EQ(setProfileValue(text, "SISTEMA", "porta", "COM3"),
              "[Sistema]\r\nporta=COM3\r\n; note\r\nLog=1\r\n\r\n[MFD]\r\nX=1\r\n");
    EXPECT_EQ(
        setProfileValue(text, "Sistema", "Retorno", "1"),
        "[Sistema]\r\nPorta=COM1 ; old\r\n; note\r\nLog=1\r\nRetorno=1\r\n\r\n[MFD]\r\nX=1\r\n");
    EXPECT_EQ(setProfileValue(text, "Config", "InicioDia", "1"),
              text + "[Config]\r\nInicioDia=1\r\n");
    EXPECT_EQ(setProfileValue("", "Config", "InicioDia", "1"), "[Config]\r\nInicioDia=1\r\n");
    EXPECT_EQ(setProfileValue("[A]\nk=1", "A", "j", "2"), "[A]\nk=1\nj=2\n");
    // A file cut after a CR: the new key still gets a line of its own, and both keys read back.
    const std::string cut = setProfileValue("[A]\r\nk=1\r", "A", "j", "2");
    EXPECT_EQ(cut, "[A]\r\nk=1\r\r\nj=2\r\n");
    EXPECT_EQ(findProfileValue(cut, "A", "j"), "2");
    EXPECT_EQ(findProfileValue(cut, "A", "k"), "1");
}

class PlatformTest : public LibraryTest {};

TEST_F(PlatformTest, ProfileWriteCreatesAndUpdatesTheFile) {
    const std::string ini = systemDir() + "\\QuelFI32.ini";
    EXPECT_TRUE(platform::writeProfileString(ini, "Sistema", "Porta", "COM3"));
    EXPECT_EQ(readFile(systemDir() + "/QuelFI32.ini"), "[Sistema]\r\nPorta=COM3\r\n");
    EXPECT_TRUE(platform::writeProfileString(ini, "Sistema", "Porta", "COM4"));
    EXPECT_EQ(platform::readProfileString(ini, "sistema", "porta"), "COM4");
}

TEST_F(PlatformTest, InterruptedProfileWriteLeavesThePreviousFileIntact) {
    const std::string file = systemDir() + "/QuelFI32.ini";
    const std::string before = "[Sistema]\nPorta=COM1\nLog=1\n";
    writeFile(file, before);
    // A child whose file-size limit stops the write half-way, as a full disk would.
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        bool ok = platform::writeProfileString(file, "Sistema", "Big", std::string(4096, 'x'));
        ::_exit(ok ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write should have failed";
    EXPECT_EQ(readFile(file), before);
    for (const auto& entry : std::filesystem::directory_iterator(systemDir()))
        EXPECT_EQ(entry.path().filename(), "QuelFI32.ini") << "temporary file left behind";
}

TEST_F(PlatformTest, PathsAndPortNamesMapToTheFileSystem) {
    const std::pair<std::string, std::string> paths[] = {
        {"c:\\comando.dat", driveC() + "/comando.dat"},
        {"C:\\a\\b.txt", driveC() + "/a/b.txt"},
        {".\\QuelFI32.ini", "./QuelFI32.ini"},
        {"/srv/ecf\\Status.txt", "/srv/ecf/Status.txt"}};
    for (const auto& [path, native] : paths) EXPECT_EQ(platform::nativePath(path), native);
    const std::pair<std::string, std::string> ports[] = {{"COM3", portDir() + "/COM3"},
                                                         {"com10", portDir() + "/COM10"},
                                                         {"/dev/ttyUSB0", "/dev/ttyUSB0"},
                                                         {"COMX", "COMX"}};
    for (const auto& [name, device] : ports)
        EXPECT_EQ(platform::posix::serialDevicePath(name), device);
    EXPECT_EQ(platform::systemDirectory(), systemDir());

    // Without the variables: drive C is the system directory, ports are the serial devices.
    ::unsetenv("QUELFI_DRIVE_C");
    EXPECT_EQ(platform::nativePath("c:\\retorno.dat"), systemDir() + "/retorno.dat");
    ::unsetenv("QUELFI_SYSTEM_DIR");
    EXPECT_EQ(platform::systemDirectory(), "/etc");
    ::unsetenv("QUELFI_PORT_DIR");
    EXPECT_EQ(platform::posix::serialDevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(platform::posix::serialDevicePath("Com8"), "/dev/ttyS7");
}

TEST_F(PlatformTest, SerialLineDropsBytesThatArrivedUnread) {
    PseudoTerminal printer;
    int error = 0;
    auto port = platform::systemPlatform().openSerialPort(printer.devicePath(), error);
    ASSERT_NE(port, nullptr) << error;
    printer.write("\x06\x00\x12");
    ::usleep(50000);
    port->discardInput();
    printer.write("A");
    std::uint8_t byte = 0;
    ASSERT_TRUE(port->readByte(byte));
    EXPECT_EQ(byte, 'A');
    EXPECT_FALSE(port->readByte(byte));
}

TEST_F(PlatformTest, QuestionsAreAnsweredNoUnlessConfigured) {
    platform::Platform& os = platform::systemPlatform();
    ::unsetenv("QUELFI_PROMPT_ANSWER");
    EXPECT_EQ(os.prompt("c", "t", platform::PromptStyle::YesNoQuestion),
              platform::PromptAnswer::No);
    ::setenv("QUELFI_PROMPT_ANSWER", "yes", 1);
    EXPECT_EQ(os.prompt("c", "t", platform::PromptStyle::YesNoQuestion),
              platform::PromptAnswer::Yes);
    ::unsetenv("QUELFI_PROMPT_ANSWER");
    EXPECT_EQ(os.prompt("c", "t", platform::PromptStyle::Exclamation), platform::PromptAnswer::Ok);
}

}  // namespace
}  // namespace quelfi::test

namespace {

std::set<std::string> tableNames() {
    std::set<std::string> names;
    for (const auto& e : quelfi::exports::kSurface) names.insert(std::string(e.name));
    return names;
}

TEST(ExportSurface, SharedLibraryExportsExactlyTheTable) {
    const std::string command =
        std::string("nm -D --defined-only ") + QUELFI_SHARED_LIBRARY + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> exported;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        char address[64], kind[8], name[400];
        if (std::sscanf(line, "%63s %7s %399s", address, kind, name) == 3 &&
            (kind[0] == 'T' || kind[0] == 'W'))
            exported.insert(name);
    }
    ::pclose(pipe);
    EXPECT_EQ(exported, tableNames());
}

TEST(ExportSurface, EveryNameResolvesWhenLoaded) {
    void* library = ::dlopen(QUELFI_SHARED_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    for (const auto& name : tableNames())
        EXPECT_NE(::dlsym(library, name.c_str()), nullptr) << name;
    ::dlclose(library);
}

TEST(ExportSurface, NamesAreUniqueAndRecordsAreThreeDigits) {
    EXPECT_EQ(tableNames().size(), quelfi::exports::kSurfaceSize);
    for (const auto& e : quelfi::exports::kSurface)
        EXPECT_TRUE(e.record >= 0 && e.record <= 999) << e.name;
}

}  // namespace

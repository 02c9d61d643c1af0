#include "support/library_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/printer_state.h"
#include "exports/boundary.h"

namespace quelfi::test {

namespace fs = std::filesystem;

void LibraryTest::SetUp() {
    char pattern[] = "/tmp/quelfi-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    for (const auto& dir : {systemDir(), portDir(), driveC(), workDir()}) fs::create_directory(dir);
    ::setenv("QUELFI_SYSTEM_DIR", systemDir().c_str(), 1);
    ::setenv("QUELFI_PORT_DIR", portDir().c_str(), 1);
    ::setenv("QUELFI_DRIVE_C", driveC().c_str(), 1);
    previousDir_ = fs::current_path();
    fs::current_path(workDir());
    core::resetState();
    core::state().platform = &platform;
}

void LibraryTest::TearDown() {
    core::resetState();
    core::state().platform = &platform::systemPlatform();
    fs::current_path(previousDir_);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void LibraryTest::writeIni(const std::string& text) {
    writeFile(systemDir() + "/QuelFI32.ini", cp1252(text));
}

void LibraryTest::load() {
    exports::libraryLoad();
}

void LibraryTest::configure(const std::string& keys) {
    ini_ = "[Sistema]\npath=" + workDir() + "\nLog=1\n" + keys;
    writeIni(ini_);
    load();
    clearLog();
}

void LibraryTest::reconfigure(const std::string& keys, const std::string& mfdKeys) {
    ini_ = "[Sistema]\npath=" + workDir() + "\nLog=1\nPorta=COM1\n" + keys +
           "ControlePorta=0\nModoGaveta=0\nEmulMFD=0\n[MFD]\n" + mfdKeys;
    writeIni(ini_);
    Quelmar_FI_ReloadINIFile();
    clearLog();
}

void LibraryTest::clearLog() const {
    std::error_code ignored;
    fs::remove(workDir() + "/QuelFI32.log", ignored);
}

std::string LibraryTest::ini() const {
    return readFile(systemDir() + "/QuelFI32.ini");
}

std::string LibraryTest::log(const std::string& dir) const {
    return readFile(dir + "/QuelFI32.log");
}

std::string LibraryTest::answerFile() const {
    return readFile(workDir() + "/Retorno.txt");
}

std::string LibraryTest::commandFile() const {
    return readFile(workDir() + "/Quelfi32.cmd");
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool fileExists(const std::string& path) {
    return fs::exists(path);
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string cp1252(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c == 0xC2 || c == 0xC3) {
            unsigned char next = static_cast<unsigned char>(utf8[++i]);
            out += static_cast<char>(c == 0xC2 ? next : next + 0x40);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string logLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += cp1252(line) + "\r\r\n";
    return out;
}

std::vector<std::string> operator+(std::vector<std::string> lines,
                                   const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

}  // namespace quelfi::test

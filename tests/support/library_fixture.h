// A clean library for each test: its own directories for the system INI, the ports, drive C and
// the current directory, a fresh PrinterState, and helpers to read what a user would see.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/printer_state.h"
#include "quelfi32.h"
#include "support/test_platform.h"

namespace quelfi::test {

class LibraryTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the system directory's QuelFI32.ini (UTF-8 text is stored as Windows-1252).
    void writeIni(const std::string& text);
    // The library's load step, as when a process loads it.
    void load();
    // Loads an INI whose [Sistema] has the work directory as path, the log on and `keys`, and
    // starts the log afresh.
    void configure(const std::string& keys = "");
    // The INI with the port COM1 and other keys of section Sistema (and of section MFD), read
    // again as an application has the library do it; the port stays as it is and the log starts
    // afresh. A missing key takes the text of the key read before it, so the keys that would
    // inherit a "1" from the ones given are written off after them.
    void reconfigure(const std::string& keys, const std::string& mfdKeys = "");
    void clearLog() const;
    // The system INI as it is now, and as configure() or reconfigure() wrote it.
    std::string ini() const;
    const std::string& configuredIni() const { return ini_; }

    // Paths inside the test's directory.
    std::string root() const { return root_; }
    std::string systemDir() const { return root_ + "/system"; }
    std::string portDir() const { return root_ + "/ports"; }
    std::string driveC() const { return root_ + "/drive-c"; }
    std::string workDir() const { return root_ + "/work"; }

    // The call log's content, or "" when there is none.
    std::string log(const std::string& dir) const;
    std::string workLog() const { return log(workDir()); }
    // The answer file and the network client's request file in the work directory.
    std::string answerFile() const;
    std::string commandFile() const;

    TestPlatform platform;

  private:
    std::string root_;
    std::string previousDir_;
    std::string ini_;
};

// Reads a whole file; "" when it does not exist.
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// Windows-1252 bytes of a UTF-8 text, so tests can write expected accents readably.
std::string cp1252(const std::string& utf8);

// The separator line that opens an export's lines in the call log.
inline const std::string kSep = std::string(71, '-') + " ";

// The lines as the call log stores them: each followed by CR CR LF.
std::string logLines(const std::vector<std::string>& lines);

// A sequence of lines followed by more.
std::vector<std::string> operator+(std::vector<std::string> lines,
                                   const std::vector<std::string>& more);

}  // namespace quelfi::test

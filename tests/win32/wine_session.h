// A private Wine for the tests: a prefix beside the 64-bit build, made on first use, run
// headless and without the prompts for the .NET and HTML engines.
#pragma once

#include <string>

#include "win32/windows_builds.h"

namespace quelfi::test {

class WineSession {
  public:
    explicit WineSession(std::string prefix);
    // Stops the prefix's Wine server, so nothing of it outlives the test.
    ~WineSession();
    WineSession(const WineSession&) = delete;
    WineSession& operator=(const WineSession&) = delete;

    // Why Wine cannot be used; empty when it can.
    const std::string& problem() const { return problem_; }

    std::string driveC() const { return prefix_ + "/drive_c"; }
    std::string systemDirectory() const { return driveC() + "/windows/system32"; }

    // Makes `port` ("COM1") the device `device` of this machine for the programs run next; ""
    // when done, else why not. A prefix left by another Wine or another run that cannot take
    // the mapping is made anew once.
    std::string mapPort(const std::string& port, const std::string& device);

    CommandResult run(const std::string& program, const std::string& arguments);

  private:
    CommandResult wine(const std::string& command);
    bool addPortKey(const std::string& port, const std::string& device);
    void makePrefix();
    std::string readyMark() const;
    std::string logEnd() const;  // what Wine last said, for a failure's message

    std::string prefix_;
    std::string errorLog_;
    std::string problem_;
    std::string version_;  // `wine --version`, kept in the prefix once it is made
};

}  // namespace quelfi::test

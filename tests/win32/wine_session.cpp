#include "win32/wine_session.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "support/library_fixture.h"

namespace quelfi::test {

WineSession::WineSession(std::string prefix)
    : prefix_(std::move(prefix)), errorLog_(prefix_ + ".log") {
    ::setenv("WINEPREFIX", prefix_.c_str(), 1);
    ::setenv("WINEDEBUG", "-all", 1);
    ::setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
    // Console programs only: no display, so no window can wait for anyone.
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    // A prefix is ours when this Wine finished making it; any other (half made, or left by
    // another Wine) is made anew.
    version_ = wine("wine --version").output;
    if (!fileExists(readyMark()) || readFile(readyMark()) != version_) makePrefix();
}

std::string WineSession::readyMark() const { return prefix_ + "/quelfi-ready"; }

void WineSession::makePrefix() {
    wine("wineserver -k");
    std::error_code ignored;
    std::filesystem::remove_all(prefix_, ignored);
    wine("wineboot -i");
    wine("wineserver -w");
    if (!fileExists(prefix_ + "/system.reg")) {
        problem_ = "no Wine prefix; " + logEnd();
        return;
    }
    writeFile(readyMark(), version_);
}

WineSession::~WineSession() {
    wine("wineserver -k");
}

std::string WineSession::mapPort(const std::string& port, const std::string& device) {
    if (addPortKey(port, device)) return "";
    makePrefix();
    if (problem_.empty() && addPortKey(port, device)) return "";
    return "Wine took no port mapping, even in a new prefix; " + logEnd();
}

std::string WineSession::logEnd() const {
    const std::string log = readFile(errorLog_);
    return "the end of " + errorLog_ + ":\n" +
           log.substr(log.size() - std::min<std::size_t>(log.size(), 2000));
}

bool WineSession::addPortKey(const std::string& port, const std::string& device) {
    const CommandResult added =
        wine("wine reg add 'HKLM\\Software\\Wine\\Ports' /v " + shellWord(port) + " /t REG_SZ /d " +
             shellWord(device) + " /f");
    // The server's device manager reads the mapping when it starts: begin a new one.
    wine("wineserver -k");
    return added.status == 0;
}

CommandResult WineSession::run(const std::string& program, const std::string& arguments) {
    return wine("wine " + shellWord(program) + " " + arguments);
}

CommandResult WineSession::wine(const std::string& command) {
    return runCommand(command, errorLog_);
}

}  // namespace quelfi::test

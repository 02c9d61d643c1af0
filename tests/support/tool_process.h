// Runs a program of the project (the quelfi tool) as a process, the way a person runs it from a
// shell: with the test's environment (its system, port and drive directories) plus what a test
// adds.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace quelfi::test {

struct ToolRun {
    int exitCode = -1;  // -1 when it did not end by itself
    std::string out;
    std::string err;
};

// Runs `PROGRAM ARGS...` to its end; `env` entries ("NAME=value") replace the test's own.
ToolRun runTool(const std::string& program, const std::vector<std::string>& args,
                const std::vector<std::string>& env = {});

// A process left running (the virtual printer), its output going to a file, its input read from
// `input` (a named pipe lets a test type to it).
class ToolProcess {
  public:
    ToolProcess(const std::string& program, const std::vector<std::string>& args,
                const std::string& outputFile, const std::vector<std::string>& env = {},
                const std::string& input = "/dev/null");
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    pid_t pid() const { return pid_; }
    // Sends the signal and waits for the end; the exit code, or -1 when a signal ended it.
    int stop(int signal);

  private:
    pid_t pid_ = -1;
};

// Waits up to `ms` for a path to exist (a port link, a file the program writes).
bool waitForPath(const std::string& path, int ms = 5000);

}  // namespace quelfi::test

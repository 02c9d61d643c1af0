#include "support/tool_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "support/library_fixture.h"

extern char** environ;

namespace quelfi::test {

namespace {

// The test's environment with `overrides` in place of the variables they name.
std::vector<std::string> environmentWith(const std::vector<std::string>& overrides) {
    std::vector<std::string> env = overrides;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        bool replaced = false;
        for (const std::string& o : overrides) replaced |= o.rfind(name + "=", 0) == 0;
        if (!replaced) env.push_back(entry);
    }
    return env;
}

pid_t spawnTool(const std::string& program, const std::vector<std::string>& args,
                const std::vector<std::string>& env, const std::string& out, const std::string& err,
                const std::string& in = "/dev/null") {
    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStrings) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStrings = environmentWith(env);
    std::vector<char*> envp;
    for (auto& e : envStrings) envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int exitCodeOf(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string scratchFile(const char* name) {
    return (std::filesystem::temp_directory_path() /
            ("quelfi-tool-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

}  // namespace

ToolRun runTool(const std::string& program, const std::vector<std::string>& args,
                const std::vector<std::string>& env) {
    const std::string out = scratchFile("out"), err = scratchFile("err");
    ToolRun run;
    const pid_t pid = spawnTool(program, args, env, out, err);
    if (pid > 0) run.exitCode = exitCodeOf(pid);
    run.out = readFile(out);
    run.err = readFile(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

ToolProcess::ToolProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& outputFile, const std::vector<std::string>& env,
                         const std::string& input)
    : pid_(spawnTool(program, args, env, outputFile, outputFile + ".err", input)) {}

ToolProcess::~ToolProcess() {
    if (pid_ > 0) stop(SIGKILL);
}

int ToolProcess::stop(int signal) {
    if (pid_ <= 0) return -1;
    ::kill(pid_, signal);
    const int code = exitCodeOf(pid_);
    pid_ = -1;
    return code;
}

bool waitForPath(const std::string& path, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    std::error_code ignored;
    while (!std::filesystem::exists(std::filesystem::symlink_status(path, ignored))) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace quelfi::test

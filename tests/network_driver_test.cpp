// The network-driver program: requests taken from the shared directory, run on the printer in
// driver mode, answered in Status.txt and Retorno.txt; and a client and the program working
// together through the directory.
#include "quelfi/network_driver.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>

#include "protocol/network_client.h"
#include "protocol_fixture.h"
#include "quelfi32.h"
#include "support/pseudo_terminal.h"

extern char** environ;

namespace quelfi::test {
namespace {

using core::state;
using tool::DriverAnswer;

const std::string kStatusFrame = frameOf("\x1B\x13");
// A data query as a raw request: ESC # 1, six reply bytes, BCD data before the status.
const std::string kRawQuery =
    "\x1B#\x01\x17"
    "6\x17"
    "1\x17"
    "1\x17"
    "1";

int QUELFI_CALL describe(const char* text, int number, char* answer) {
    std::strcpy(answer, (std::string(text) + "/" + std::to_string(number)).c_str());
    return 1;
}

int QUELFI_CALL join(const char* a, const char* b, const char* c, char* answer) {
    std::strcpy(answer, (std::string(a) + "+" + b + "+" + c).c_str());
    return 1;
}

class NetworkDriverTest : public ProtocolTest {
  protected:
    // The driver's workstation: its INI asks for a client, the driver makes it the driver side.
    void startDriver() {
        writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\nPorta=COM1\nConfigRede=1\nRetorno=1\n");
        tool::enterDriverMode();
    }
};

TEST_F(NetworkDriverTest, RequestsRunThroughTheLibraryInDriverMode) {
    startDriver();
    EXPECT_EQ(state().networkMode, 2);
    EXPECT_FALSE(state().answerToFile);
    const tool::CallTable& table = tool::libraryCallTable();

    line->reply(bytes({6, 66, 0}));
    EXPECT_EQ(tool::runRequest(table, "095|"), (DriverAnswer{"6,66,0", std::nullopt}));
    EXPECT_EQ(line->written, kStatusFrame);
    line->reply(bytes({6, 0, 8}));
    EXPECT_EQ(tool::runRequest(table, "097|"), (DriverAnswer{"6,0,8", std::nullopt}));
    line->reply(bytes({6, 0x12, 0x34, 0x56, 0, 0}));
    EXPECT_EQ(tool::runRequest(table, kRawQuery), (DriverAnswer{"6,0,0", "123456"}));
    EXPECT_EQ(line->lastFrame(), frameOf("\x1B#\x01"));

    // What cannot be run answers "0,0,0", not the last reply, and sends nothing.
    const std::size_t written = line->written.size();
    for (const std::string request :
         {"", "garbage", "95|", "0951", "000|", "999|", "095|extra|", "a95|", "\x1B\x13"}) {
        EXPECT_EQ(tool::runRequest(table, request), (DriverAnswer{"0,0,0", std::nullopt}))
            << request;
    }
    EXPECT_EQ(line->written.size(), written);
}

TEST_F(NetworkDriverTest, RecordParametersBecomeTheExportsArguments) {
    startDriver();
    const tool::CallTable table({tool::callEntry("Describe", 207, &describe)});
    EXPECT_EQ(tool::runRequest(table, "207|abc|12|"), (DriverAnswer{"0,0,0", "abc/12"}));
    EXPECT_EQ(tool::runRequest(table, "207|abc|12"), (DriverAnswer{"0,0,0", "abc/12"}));
    EXPECT_EQ(tool::runRequest(table, "207||-3|"), (DriverAnswer{"0,0,0", "/-3"}));
    EXPECT_EQ(tool::runRequest(table, "207|abc|x|").data, std::nullopt);
    EXPECT_EQ(tool::runRequest(table, "207|abc|").data, std::nullopt);
    EXPECT_EQ(tool::runRequest(table, "207|a|1|b|").data, std::nullopt);
    // A record whose parameters are joined leaves no trace of an empty one at its end.
    const tool::CallTable texts({tool::callEntry("Join", 133, &join)});
    EXPECT_EQ(tool::runRequest(texts, "133|x|$|").data, "x+$+");
    EXPECT_EQ(tool::runRequest(texts, "133|x||").data, "x++");
}

TEST_F(NetworkDriverTest, CommandFileIsTakenOnceWhole) {
    startDriver();
    const std::string shared = root() + "/shared";
    std::filesystem::create_directory(shared);
    tool::NetworkDriver driver(shared);
    EXPECT_EQ(driver.serveOnce(), std::nullopt);

    // A file the client has created but not yet written is left alone.
    writeFile(shared + "/Quelfi32.cmd", "");
    for (int look = 0; look < 3; ++look) EXPECT_EQ(driver.serveOnce(), std::nullopt);

    writeFile(shared + "/Quelfi32.cmd", kRawQuery);
    line->reply(bytes({6, 0x00, 0x00, 0x07, 0, 4}));
    EXPECT_EQ(driver.serveOnce(), std::nullopt);  // first look
    const auto served = driver.serveOnce();
    ASSERT_TRUE(served);
    EXPECT_EQ(served->request, kRawQuery);
    EXPECT_FALSE(fileExists(shared + "/Quelfi32.cmd"));
    EXPECT_EQ(readFile(shared + "/Status.txt"), "6,0,4");
    EXPECT_EQ(readFile(shared + "/Retorno.txt"), "000007");

    // A request without a data answer leaves the last one in place.
    writeFile(shared + "/Quelfi32.cmd", "bad");
    driver.serveOnce();
    ASSERT_TRUE(driver.serveOnce());
    EXPECT_EQ(readFile(shared + "/Status.txt"), "0,0,0");
    EXPECT_EQ(readFile(shared + "/Retorno.txt"), "000007");
    EXPECT_EQ(driver.serveOnce(), std::nullopt);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(shared), {}), 2);
}

// The printer side of a pseudo-terminal: answers each complete frame with the next canned reply.
class PtyPrinter {
  public:
    explicit PtyPrinter(std::deque<std::string> replies) : replies_(std::move(replies)) {
        thread_ = std::thread([this] { serve(); });
    }
    ~PtyPrinter() {
        stop_ = true;
        thread_.join();
    }
    const PseudoTerminal& terminal() const { return pty_; }
    std::vector<std::string> frames() {
        std::lock_guard<std::mutex> lock(mutex_);
        return frames_;
    }

  private:
    void serve() {
        std::string pending;
        while (!stop_) {
            const std::string got = pty_.read(1, 50);
            // Until the driver opens its side, the terminal reads as hung up at once.
            if (got.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            pending += got;
            while (pending.size() >= 3) {
                const std::size_t size = 3 + static_cast<unsigned char>(pending[1]) +
                                         256u * static_cast<unsigned char>(pending[2]);
                if (pending.size() < size) break;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    frames_.push_back(pending.substr(0, size));
                }
                pending.erase(0, size);
                if (!replies_.empty()) {
                    pty_.write(replies_.front());
                    replies_.pop_front();
                }
            }
        }
    }

    PseudoTerminal pty_;
    std::deque<std::string> replies_;
    std::mutex mutex_;
    std::vector<std::string> frames_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Processor time a process has used, in clock ticks.
long cpuTicks(pid_t pid) {
    const std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int n = 3; fields >> field; ++n) {
        if (n == 14) utime = std::stol(field);
        if (n == 15) {
            stime = std::stol(field);
            break;
        }
    }
    return utime + stime;
}

class DriverProgramTest : public LibraryTest {
  protected:
    // Starts "quelfi driver DIRECTORY" with the driver's own system directory; its output goes to
    // a file.
    pid_t spawnDriver(const std::string& directory) {
        std::vector<std::string> env{"QUELFI_SYSTEM_DIR=" + root() + "/driver-system",
                                     "QUELFI_PORT_DIR=" + portDir()};
        for (char** e = environ; *e; ++e) {
            if (std::strncmp(*e, "QUELFI_SYSTEM_DIR=", 18) != 0 &&
                std::strncmp(*e, "QUELFI_PORT_DIR=", 16) != 0)
                env.push_back(*e);
        }
        std::vector<char*> envp;
        for (auto& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string tool = QUELFI_TOOL, command = "driver", dir = directory;
        char* argv[] = {tool.data(), command.data(), dir.data(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, driverOutput().c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0644);
        pid_t pid = 0;
        EXPECT_EQ(posix_spawn(&pid, QUELFI_TOOL, &actions, nullptr, argv, envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }
    // Stops the driver with `signal` once it is serving; true when it ended by itself with
    // status 0.
    bool stopDriver(pid_t pid, int signal) {
        for (int look = 0; look < 500 && readFile(driverOutput()).empty(); ++look)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ::kill(pid, signal);
        int status = 0;
        if (::waitpid(pid, &status, 0) != pid) return false;
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    std::string driverOutput() const { return root() + "/driver.out"; }
};

TEST_F(DriverProgramTest, ClientAndDriverCompleteRequestsThroughTheSharedDirectory) {
    // The printer answers the status request, the data query, then the presence check.
    PtyPrinter printer({bytes({6, 66, 0}), bytes({6, 0x12, 0x34, 0x56, 0, 0}), bytes({6, 0, 0})});
    printer.terminal().linkAs(portDir() + "/COM1");
    std::filesystem::create_directories(root() + "/driver-system");
    std::filesystem::create_directories(root() + "/driver-log");
    writeFile(root() + "/driver-system/QuelFI32.ini",
              "[Sistema]\npath=" + root() + "/driver-log\nLog=1\nPorta=COM1\n");
    // The client: its shared directory is the work directory.
    writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\nConfigRede=1\n");
    load();
    const pid_t driver = spawnDriver(workDir());
    ASSERT_GT(driver, 0);

    short ack = 0, st1 = 0, st2 = 0;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(Quelmar_FI_RetornoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(ack, 6);
    EXPECT_EQ(st1, 66);
    EXPECT_EQ(st2, 0);

    // A raw request, as a client leaves one for Quelmar_FI_ComandoDriverRede, with a data answer.
    EXPECT_EQ(protocol::writeCommandFile(kRawQuery), 1);
    EXPECT_EQ(Quelmar_FI_RetornoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(ack, 6);
    char answer[32] = {};
    EXPECT_EQ(Quelmar_FI_LeArquivoRetorno(answer), 1);
    EXPECT_STREQ(answer, "123456");

    // Garbage is answered "0,0,0" and the driver goes on.
    EXPECT_EQ(protocol::writeCommandFile("garbage"), 1);
    EXPECT_EQ(Quelmar_FI_RetornoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(ack, 0);
    EXPECT_EQ(Quelmar_FI_VerificaImpressoraLigada(), 1);
    EXPECT_EQ(Quelmar_FI_RetornoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(ack, 6);

    // Idle, it sleeps between its looks at the directory.
    const long before = cpuTicks(driver);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_LT(cpuTicks(driver) - before, sysconf(_SC_CLK_TCK) / 4);

    EXPECT_TRUE(stopDriver(driver, SIGINT));
    EXPECT_EQ(printer.frames(),
              (std::vector<std::string>{kStatusFrame, frameOf("\x1B#\x01"), kStatusFrame}));
    EXPECT_EQ(readFile(driverOutput()), "quelfi driver: serving requests in " + workDir() +
                                            "\n"
                                            "095| -> 6,66,0\n"
                                            "<1B>#<01><17>6<17>1<17>1<17>1 -> 6,0,0\n"
                                            "garbage -> 0,0,0\n"
                                            "097| -> 6,0,0\n"
                                            "quelfi driver: stopped\n");

    std::filesystem::remove(driverOutput());
    EXPECT_TRUE(stopDriver(spawnDriver(workDir()), SIGTERM));
}

}  // namespace
}  // namespace quelfi::test

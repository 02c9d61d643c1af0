// The network-driver program: requests taken from the shared directory, run on the printer in
// driver mode through the call table, answered in Status.txt and Retorno.txt; and a client and
// the program working together through the directory. The call table calls exports by name or
// record number with text arguments and refuses, before calling anything, arguments that do not
// fit.
#include "quelfi/network_driver.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <sstream>
#include <thread>

#include "protocol/network_client.h"
#include "protocol_fixture.h"
#include "quelfi/call_table.h"
#include "sim/pty_server.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/printer_link.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/tool_process.h"

namespace quelfi::test {
namespace {

using core::state;
using tool::DriverAnswer;

const std::string kStatusFrame = frameOf("\x1B\x13");
// A data query as a raw request: ESC # 1, six reply bytes, BCD data before the status.
const std::string kRawQuery = rawRequest({"\x1B#\x01", "6", "1", "1", "1"});

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

// Processor time a process has used, in clock ticks.
long cpuTicks(pid_t pid) {
    const std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int n = 3; n <= 15 && fields >> field; ++n)
        if (n >= 14) ticks += std::stol(field);  // user and system time
    return ticks;
}

class DriverProgramTest : public LibraryTest {
  protected:
    std::string driverOutput() const { return root() + "/driver.out"; }
    // Stops the driver with `signal` once it is serving; its exit code.
    static int stop(ToolProcess& driver, const std::string& output, int signal) {
        for (int look = 0; look < 500 && readFile(output).empty(); ++look)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return driver.stop(signal);
    }
};

TEST_F(DriverProgramTest, ClientAndDriverCompleteRequestsThroughTheSharedDirectory) {
    // The printer, with a coupon open and its paper near the end, on a pseudo-terminal.
    sim::QuelmarPrinter printer(sim::modelFromSeed("coo=123456; paper=low; document=coupon"));
    sim::PrinterLink link(printer);
    sim::PtyServer server(link);
    server.linkAs(portDir() + "/COM1");
    // The driver's own system directory and log; the client's shared directory is the work
    // directory.
    const std::string driverSystem = root() + "/driver-system";
    std::filesystem::create_directories(driverSystem);
    std::filesystem::create_directories(root() + "/driver-log");
    writeFile(driverSystem + "/QuelFI32.ini",
              "[Sistema]\npath=" + root() + "/driver-log\nLog=1\nPorta=COM1\n");
    configure("ConfigRede=1\n");
    const std::string coo = rawRequest({"\x1B\x1E", "6", "1", "1", "1"});
    ToolProcess driver(QUELFI_TOOL, {"driver", workDir()}, driverOutput(),
                       {"QUELFI_SYSTEM_DIR=" + driverSystem});
    ASSERT_GT(driver.pid(), 0);

    short ack = 0, st1 = 0, st2 = 0;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(Quelmar_FI_RetornoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ((std::vector<short>{ack, st1, st2}), (std::vector<short>{6, 66, 0}));

    // A raw request, as a client leaves one for Quelmar_FI_ComandoDriverRede, with a data answer.
    EXPECT_EQ(protocol::writeCommandFile(coo), 1);
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
    const long before = cpuTicks(driver.pid());
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_LT(cpuTicks(driver.pid()) - before, sysconf(_SC_CLK_TCK) / 4);

    EXPECT_EQ(stop(driver, driverOutput(), SIGINT), 0);
    EXPECT_EQ(readFile(driverOutput()), "quelfi driver: serving requests in " + workDir() +
                                            "\n095| -> 6,66,0\n<1B><1E><17>6<17>1<17>1<17>1 -> "
                                            "6,64,0\ngarbage -> 0,0,0\n097| -> 6,64,0\n"
                                            "quelfi driver: stopped\n");
    ToolProcess second(QUELFI_TOOL, {"driver", workDir()}, root() + "/second.out",
                       {"QUELFI_SYSTEM_DIR=" + driverSystem});
    EXPECT_EQ(stop(second, root() + "/second.out", SIGTERM), 0);
}

using tool::Answer;
using tool::ParameterKind;

// Echoes what it was given, so the test sees exactly what the table passed.
int QUELFI_CALL echo(const char* text, int number, char* answer, short* count) {
    const bool zeroed = answer[0] == 0 && answer[tool::kAnswerBufferSize - 1] == 0;
    std::strcpy(answer, (std::string(text) + "/" + std::to_string(number)).c_str());
    *count = static_cast<short>(std::strlen(text));
    return zeroed ? 1 : -1;
}

int QUELFI_CALL nothing() {
    return 7;
}

int voidCalls = 0;
void QUELFI_CALL noResult() {
    ++voidCalls;
}

TEST(CallTable, EntriesFollowTheExportsCTypes) {
    const tool::CallTable table({tool::callEntry("Echo", 321, &echo),
                                 tool::callEntry("Nothing", 0, &nothing),
                                 tool::callEntry("NoResult", 0, &noResult)});
    const tool::CallEntry* entry = table.find("Echo");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->parameters(),
              (std::vector<ParameterKind>{ParameterKind::Text, ParameterKind::Integer,
                                          ParameterKind::TextAnswer, ParameterKind::NumberAnswer}));
    EXPECT_EQ(entry->argumentCount(), 2u);
    EXPECT_EQ(table.findRecord(321), entry);
    EXPECT_EQ(table.findRecord(0), nullptr);  // record 0 names no export
    EXPECT_EQ(table.find("echo"), nullptr);

    tool::CallOutcome outcome = table.call("Echo", {"abc", "-42"});
    EXPECT_TRUE(outcome.called);
    EXPECT_EQ(outcome.code, 1);  // the answer buffer came zeroed over its whole size
    EXPECT_EQ(outcome.answers, (std::vector<Answer>{{ParameterKind::TextAnswer, "abc/-42"},
                                                    {ParameterKind::NumberAnswer, "3"}}));
    EXPECT_EQ(table.call("Echo", {"", "+5"}).answers[0].text, "/5");
    EXPECT_EQ(table.call("Nothing", {}).code, 7);
    outcome = table.call("NoResult", {});
    EXPECT_TRUE(outcome.called && !outcome.hasResult && voidCalls == 1);

    // Refused before the call: wrong count, a number that is not one, an unknown name.
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"abc"}, {"abc", "1", "2"}, {"abc", ""}, {"abc", "4x"}, {"abc", "99999999999"}}) {
        outcome = table.call("Echo", args);
        EXPECT_FALSE(outcome.called);
        EXPECT_TRUE(outcome.answers.empty());
    }
    EXPECT_EQ(table.call("Echo", {"abc"}).refusal, "Echo takes 2 argument(s), not 1");
    EXPECT_EQ(table.call("Echo", {"abc", "4x"}).refusal,
              "argument 2 of Echo is not a whole number: '4x'");
    EXPECT_EQ(table.call("Nothing", {"x"}).refusal, "Nothing takes 0 argument(s), not 1");
    EXPECT_EQ(table.call("Missing", {}).refusal, "no export named Missing");
}

}  // namespace
}  // namespace quelfi::test

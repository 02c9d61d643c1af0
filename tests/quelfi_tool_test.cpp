// The quelfi program as a person uses it from a shell: the virtual printer it serves (its command
// line, and the kept state under the seed), exports called by name against that printer, the
// printer's state kept from one run to the next, the demonstration day with how its steps are
// judged, and what it shows: the library's Windows-1252 texts in UTF-8 and back, amounts as a
// shop writes them, aligned columns and framed paper.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

#include "quelfi/demo_day.h"
#include "quelfi/sim_settings.h"
#include "quelfi/terminal.h"
#include "quelfi/text_encoding.h"
#include "sim/quelmar/model_file.h"
#include "sim/yanco/model_text.h"
#include "support/library_fixture.h"
#include "support/tool_process.h"
#include "support/yanco_frames.h"

namespace quelfi::test {
namespace {

namespace fs = std::filesystem;

// The lines of a text, runs of blanks made one: columns compared without their alignment.
std::vector<std::string> collapsedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::string out;
        for (const char c : line)
            if (!(c == ' ' && (out.empty() || out.back() == ' '))) out += c;
        while (!out.empty() && out.back() == ' ') out.pop_back();
        lines.push_back(out);
    }
    return lines;
}

bool hasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class QuelfiToolTest : public LibraryTest {
  protected:
    // Starts the virtual printer with COM1 linked in the test's port directory.
    std::unique_ptr<ToolProcess> startPrinter(std::vector<std::string> options) {
        options.insert(options.end(), {"--port-dir", portDir(), "--quiet"});
        options.insert(options.begin(), "sim");
        fs::remove(portDir() + "/COM1");
        auto printer = std::make_unique<ToolProcess>(QUELFI_TOOL, options, simOutput());
        EXPECT_TRUE(waitForPath(portDir() + "/COM1")) << readFile(simOutput() + ".err");
        return printer;
    }
    ToolRun call(std::vector<std::string> args) {
        args.insert(args.begin(), "call");
        return runTool(QUELFI_TOOL, args);
    }
    std::string simOutput() const { return root() + "/sim.out"; }
    std::string stateFile() const { return root() + "/printer.state"; }
};

TEST_F(QuelfiToolTest, CallAsksTheRunningPrinter) {
    writeIni("[Sistema]\nPorta=COM1\n");
    auto printer = startPrinter({"--state", stateFile(), "--seed", "coo=1234"});

    ToolRun run = call({"Quelmar_FI_NumeroCupom"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "numeroCupom  001234\n"
              "printer      ACK 6, ST1 0, ST2 0\n"
              "result       1  done\n");
    EXPECT_EQ(run.err, "");

    // A text argument and a number answer; --port names the device instead of the INI.
    run = call({"--port", fs::read_symlink(portDir() + "/COM1").string(),
                "Quelmar_FI_ValorFormaPagamento", "Dinheiro"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "valor    00000000000000\n"
              "printer  ACK 6, ST1 0, ST2 0\n"
              "result   1  done\n");
    run = call({"Quelmar_FI_VerificaEstadoGaveta"});
    EXPECT_EQ(run.out,
              "estadoGaveta  0\n"
              "printer       ACK 6, ST1 0, ST2 0\n"
              "result        1  done\n");

    // A result other than 1 is shown with its meaning and ends the program with 1.
    run = call({"--port", "COM7", "Quelmar_FI_NumeroCupom"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out,
              "numeroCupom\n"
              "result       -5  port could not be opened\n");
    EXPECT_EQ(printer->stop(SIGINT), 0);
}

TEST_F(QuelfiToolTest, WrongNamesAndArgumentsAreRefusedBeforeAnyCall) {
    writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\nPorta=COM1\n");
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
        {{"Quelmar_FI_Nada"},
         "quelfi: no export named Quelmar_FI_Nada (quelfi exports lists them)\n"},
        {{"quelmar_fi_numerocupom"},
         "quelfi: no export named quelmar_fi_numerocupom (quelfi exports lists them)\n"},
        {{"Quelmar_FI_ValorFormaPagamento"},
         "quelfi: Quelmar_FI_ValorFormaPagamento takes 1 argument(s), not 0\n"
         "usage: quelfi call Quelmar_FI_ValorFormaPagamento formaPagamento\n"},
        {{"Quelmar_FI_NumeroCupom", "extra"},
         "quelfi: Quelmar_FI_NumeroCupom takes 0 argument(s), not 1\n"
         "usage: quelfi call Quelmar_FI_NumeroCupom\n"},
        {{"Quelmar_FI_AbrePorta", "two"},
         "quelfi: argument 1 of Quelmar_FI_AbrePorta is not a whole number: 'two'\n"
         "usage: quelfi call Quelmar_FI_AbrePorta porta=N\n"},
        {{}, "usage: quelfi call [--port DEVICE] EXPORT [ARGUMENT...]\n"},
        {{"--port"},
         "quelfi: --port needs a DEVICE\n"
         "usage: quelfi call [--port DEVICE] EXPORT [ARGUMENT...]\n"},
    };
    for (const auto& [args, message] : refusals) {
        const ToolRun run = call(args);
        EXPECT_EQ(run.exitCode, 2) << message;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, message);
    }
    // Nothing reached the library's call log, let alone the port.
    EXPECT_EQ(workLog().find("Quelmar_FI_AbrePorta"), std::string::npos);
    EXPECT_EQ(workLog().find("Quelmar_FI_NumeroCupom"), std::string::npos);
}

TEST_F(QuelfiToolTest, ExportsListsTheWholeTable) {
    const ToolRun run = runTool(QUELFI_TOOL, {"exports"});
    EXPECT_EQ(run.exitCode, 0);
    const std::vector<std::string> lines = collapsedLines(run.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "record export arguments answers target");
    EXPECT_TRUE(hasLine(lines, "- Quelmar_FI_XReading Quelmar_FI_LeituraX"));
    EXPECT_TRUE(hasLine(lines,
                        "089 Quelmar_FI_VendeItem codigo descricao aliquota tipoQuantidade "
                        "quantidade casasDecimais=N valorUnitario tipoDesconto desconto"));
    EXPECT_TRUE(hasLine(lines, "020 Quelmar_FI_DataHoraReducao data hora"));
    EXPECT_TRUE(hasLine(lines, "- Quelmar_FI_AbrePorta porta=N"));
    EXPECT_TRUE(hasLine(lines, "086 Quelmar_FI_ValorFormaPagamento formaPagamento valor"));
}

TEST_F(QuelfiToolTest, PrinterStateOutlivesTheProgram) {
    writeIni("[Sistema]\nPorta=COM1\n");
    {
        auto printer = startPrinter({"--state", stateFile(), "--seed", "coo=1234"});
        EXPECT_EQ(call({"Quelmar_FI_AcionaGaveta"}).exitCode, 0);
        // The state is written before the printer answers: killed without warning, it has kept
        // the drawer it opened.
        EXPECT_EQ(printer->stop(SIGKILL), -1);
    }
    {
        auto printer = startPrinter({"--state", stateFile()});
        // A second printer on the same state is refused while the first runs.
        const ToolRun second = runTool(
            QUELFI_TOOL, {"sim", "--state", stateFile(), "--port-dir", root() + "/other-ports"});
        EXPECT_EQ(second.exitCode, 1);
        EXPECT_EQ(second.err,
                  "quelfi sim: another quelfi sim keeps its state in " + stateFile() + "\n");
        EXPECT_EQ(call({"Quelmar_FI_NumeroCupom"}).out,
                  "numeroCupom  001234\n"
                  "printer      ACK 6, ST1 0, ST2 0\n"
                  "result       1  done\n");
        EXPECT_EQ(call({"Quelmar_FI_VerificaEstadoGaveta"}).out.substr(0, 16), "estadoGaveta  1\n");
        EXPECT_EQ(printer->stop(SIGINT), 0);
        EXPECT_FALSE(fs::exists(fs::symlink_status(portDir() + "/COM1")));
        const std::string output = readFile(simOutput());
        EXPECT_EQ(output.substr(output.rfind("quelfi sim: stopped")),
                  "quelfi sim: stopped; the state is in " + stateFile() + "\n");
    }
    {
        auto printer = startPrinter({"--state", stateFile(), "--fresh"});
        EXPECT_EQ(call({"Quelmar_FI_NumeroCupom"}).out.substr(0, 20), "numeroCupom  000000\n");
        EXPECT_EQ(printer->stop(SIGTERM), 0);
    }
    // A state file that cannot be read is reported and left as it is, never replaced.
    writeFile(stateFile(), "coo=twelve\n");
    const ToolRun refused =
        runTool(QUELFI_TOOL, {"sim", "--state", stateFile(), "--port-dir", portDir()});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err, "quelfi sim: " + stateFile() + ": bad value for 'coo': 'twelve'\n");
    EXPECT_EQ(readFile(stateFile()), "coo=twelve\n");
}

TEST_F(QuelfiToolTest, YancoPrinterAnswersOnItsPortAndKeepsItsState) {
    const std::string state = root() + "/yanco.state";
    auto printer = startPrinter({"--yanco", "--state", state, "--seed", "coo=41"});
    const int line = ::open((portDir() + "/COM1").c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(line, 0);
    termios raw{};
    ::tcgetattr(line, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(line, TCSANOW, &raw);
    // One frame out, one reply frame back: it ends two bytes after its ETX.
    auto ask = [line](const std::string& command) {
        const std::string frame = yancoFrame("0815", command);
        EXPECT_EQ(::write(line, frame.data(), frame.size()), static_cast<ssize_t>(frame.size()));
        std::string reply;
        pollfd ready{line, POLLIN, 0};
        while (::poll(&ready, 1, 3000) > 0) {
            char byte;
            if (::read(line, &byte, 1) != 1) break;
            reply += byte;
            const std::size_t etx = reply.find('\x03');
            if (etx != std::string::npos && reply.size() == etx + 3) break;
        }
        return reply;
    };
    EXPECT_EQ(ask("26"), yancoReply("0815", '0', "26", "00"));
    EXPECT_EQ(ask("34077"), yancoReply("0815", '0', "34", "00000041"));
    ::close(line);
    EXPECT_EQ(printer->stop(SIGTERM), 0);
    const auto kept = sim::yanco::loadModel(state);
    ASSERT_TRUE(kept);
    EXPECT_TRUE(kept->drawerOpen);
    EXPECT_EQ(kept->counters.coo, 41);

    // The Quelmar printer's own options are refused.
    const ToolRun refused = runTool(QUELFI_TOOL, {"sim", "--yanco", "--mfd"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(
        refused.err,
        std::string("quelfi sim: --mfd is not an option of the Yanco printer\n") + tool::kSimUsage);
}

TEST_F(QuelfiToolTest, DemoRunsItsDayAgainstTheVirtualPrinter) {
    const std::string dir = root() + "/demo";
    const ToolRun run = runTool(QUELFI_TOOL, {"demo", "--dir", dir});
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.err, "");

    int steps = 0;
    for (const tool::demo::Section& section : tool::demo::fiscalDay())
        steps += static_cast<int>(section.steps.size());
    const std::string tally =
        std::to_string(steps) + " steps: " + std::to_string(steps) + " gave the expected result";
    const std::vector<std::string> lines = collapsedLines(run.out);
    EXPECT_EQ(lines.back(), tally + ".");
    EXPECT_TRUE(hasLine(lines, "call log " + dir + "/QuelFI32.log"));
    // The library ran the day: its refusal of a rate the printer lacks is in the call log.
    const std::string log = readFile(dir + "/QuelFI32.log");
    EXPECT_NE(
        log.find("\n" + logLines({"Retorno Quelmar_FI_VendeItem: -3 - Aliquota nao programada: "
                                  "25,00"})),
        std::string::npos);

    EXPECT_TRUE(hasLine(lines, "Coupon 1 R$ 90,00"));
    EXPECT_TRUE(hasLine(lines, "Coupon 2 R$ 30,95"));
    EXPECT_TRUE(hasLine(lines, "Cancelled coupons 0001"));
    EXPECT_TRUE(hasLine(lines, "Z reductions 0001"));

    // The same shop's day with a Yanco printer.
    const ToolRun yanco = runTool(QUELFI_TOOL, {"demo", "--yanco", "--dir", root() + "/yanco"});
    EXPECT_EQ(yanco.exitCode, 0) << yanco.out;
    steps = 0;
    for (const tool::demo::Section& section : tool::demo::yancoDay())
        steps += static_cast<int>(section.steps.size());
    const std::vector<std::string> yancoLines = collapsedLines(yanco.out);
    EXPECT_EQ(yancoLines.back(), std::to_string(steps) + " steps: " + std::to_string(steps) +
                                     " gave the expected result.");
    EXPECT_TRUE(hasLine(yancoLines, "Z reductions 0001"));
    // The reading the library names from the current directory stays with the day's files.
    EXPECT_TRUE(fileExists(root() + "/yanco/LMFISCAL.TXT"));
}

TEST_F(QuelfiToolTest, DemoRunsTheJournalPrintersDay) {
    const std::string dir = root() + "/demo";
    const ToolRun run = runTool(QUELFI_TOOL, {"demo", "--mfd", "--dir", dir});
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.err, "");
    int steps = 0;
    for (const tool::demo::Section& section : tool::demo::journalFiscalDay())
        steps += static_cast<int>(section.steps.size());
    const std::vector<std::string> lines = collapsedLines(run.out);
    EXPECT_EQ(lines.back(), std::to_string(steps) + " steps: " + std::to_string(steps) +
                                " gave the expected result.");
    EXPECT_TRUE(hasLine(lines, "Coupon R$ 76,30"));
    EXPECT_TRUE(hasLine(lines, "Receipt R$ 86,00"));
    EXPECT_TRUE(hasLine(lines, "Z reductions 0001"));
    // The coupon ends with the rice's EAN-13, its check digit added by the printer.
    const std::vector<std::string> paper = collapsedLines(readFile(dir + "/paper.txt"));
    EXPECT_TRUE(hasLine(paper, "| DADOS 789100010010 D\xC3\x8DGITO 3 |"));
    EXPECT_TRUE(hasLine(paper, "| 7891000100103 |"));
    // The journal downloaded after the Z and formatted as text (lines ending in CR LF) holds the
    // day's coupon.
    const std::vector<std::string> text = collapsedLines(readFile(dir + "/JORNADA.TXT"));
    EXPECT_TRUE(hasLine(text, "001 7891000100103 ARROZ TIPO 1 5KG\r"));
}

TEST_F(QuelfiToolTest, DemoRunsTheRestaurantsEvening) {
    const std::string dir = root() + "/evening";
    const ToolRun run = runTool(QUELFI_TOOL, {"demo", "--restaurant", "--dir", dir});
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.err, "");
    int steps = 0;
    for (const tool::demo::Section& section : tool::demo::restaurantEvening())
        steps += static_cast<int>(section.steps.size());
    const std::vector<std::string> lines = collapsedLines(run.out);
    EXPECT_EQ(lines.back(), std::to_string(steps) + " steps: " + std::to_string(steps) +
                                " gave the expected result.");
    EXPECT_TRUE(hasLine(lines, "Table 12 R$ 180,00"));
    EXPECT_TRUE(hasLine(lines, "Free memory after 0500"));
    // Table 15's orders, as the printer streamed them before the tables joined.
    EXPECT_EQ(readFile(dir + "/Retorno.txt"),
              "MESA0015002000000004600\r\n"
              "00000000000202SUCO DE LARANJA  0300000200000000800A00000000000000001600\r\n"
              "00000000000203CHOPP            0100000150000002000A00000000000000003000\r\n");
}

using tool::demo::Step;
using tool::demo::Verdict;

TEST(DemoDay, StepsAreJudgedByResultAndAnswer) {
    Step step;
    step.exportName = "Quelmar_FI_ValorPagoUltimoCupom";
    step.expectedAnswer = "00000000009000";
    tool::CallOutcome outcome;
    outcome.called = true;
    outcome.code = 1;
    outcome.answers = {{tool::ParameterKind::TextAnswer, "00000000009000"}};
    EXPECT_EQ(tool::demo::judge(step, &outcome), Verdict::Passed);

    outcome.answers[0].text = "00000000000000";
    EXPECT_EQ(tool::demo::judge(step, &outcome), Verdict::Failed);
    outcome.answers.clear();
    EXPECT_EQ(tool::demo::judge(step, &outcome), Verdict::Failed);

    step.expectedAnswer.clear();
    step.expected = -3;
    outcome.code = -3;
    EXPECT_EQ(tool::demo::judge(step, &outcome), Verdict::Passed);
    outcome.code = 1;
    EXPECT_EQ(tool::demo::judge(step, &outcome), Verdict::Failed);
    outcome.code = -3;
    outcome.called = false;  // refused before the call: the code means nothing
    EXPECT_EQ(tool::demo::judge(step, &outcome), Verdict::Failed);
    EXPECT_EQ(tool::demo::judge(step, nullptr), Verdict::Failed);
}

using tool::parseSimSettings;
using tool::startingModel;

class SimSettingsTest : public LibraryTest {};

TEST_F(SimSettingsTest, OptionsAndDefaults) {
    const char* home = std::getenv("HOME");
    const std::string previousHome = home ? home : "";
    ::setenv("HOME", root().c_str(), 1);
    std::string error;
    auto settings = parseSimSettings({}, error);
    if (home)
        ::setenv("HOME", previousHome.c_str(), 1);
    else
        ::unsetenv("HOME");
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->stateFile, root() + "/.quelfi/printer.state");
    EXPECT_EQ(settings->portDirectory, portDir());  // the test's QUELFI_PORT_DIR
    EXPECT_EQ(settings->seed, "");

    settings = parseSimSettings({"--seed", "coo=5", "--type", "3", "--mfd", "--firmware",
                                 "01.03.00", "--state", "kept.state", "--paper", "roll.txt",
                                 "--emulator", "--quiet", "--fresh", "--port-dir", "p"},
                                error);
    ASSERT_TRUE(settings);
    // The machine options come first, so a seed can still override them.
    EXPECT_EQ(settings->seed, "type=3;mfd=1;firmware=01.03.00;coo=5;");
    EXPECT_EQ(settings->stateFile, workDir() + "/kept.state");
    EXPECT_EQ(settings->portDirectory, workDir() + "/p");
    EXPECT_EQ(settings->paperFile, "roll.txt");
    EXPECT_TRUE(settings->emulator && settings->quiet && settings->fresh);

    for (const auto& [args, message] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--type"}, "--type needs a value"},
             {{"--bogus", "1"}, "unknown option '--bogus'"},
             {{"stray"}, "unexpected argument 'stray'"}}) {
        EXPECT_FALSE(parseSimSettings(args, error));
        EXPECT_EQ(error, message);
    }
}

TEST_F(SimSettingsTest, KeptStateUnderTheSeed) {
    std::string error;
    tool::SimSettings settings;
    settings.stateFile = root() + "/printer.state";
    settings.seed = "type=2;coo=9;";
    // No state file yet: a new printer with the seed.
    auto model = startingModel(settings, error);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->counters.coo, 9);
    EXPECT_EQ(model->printerType, 2);

    sim::FiscalModel kept;
    kept.counters.coo = 7;
    kept.grandTotal = 123456;
    kept.drawerOpen = true;
    ASSERT_TRUE(sim::saveModel(kept, settings.stateFile));
    model = startingModel(settings, error);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->counters.coo, 9);
    EXPECT_EQ(model->grandTotal, 123456);
    EXPECT_TRUE(model->drawerOpen);

    settings.fresh = true;
    model = startingModel(settings, error);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->grandTotal, 0);

    settings.fresh = false;
    settings.seed = "coo=x";
    EXPECT_FALSE(startingModel(settings, error));
    EXPECT_EQ(error, "seed: bad value for 'coo': 'x'");
}

}  // namespace
}  // namespace quelfi::test

namespace quelfi::tool {
namespace {

TEST(ToolText, Windows1252AndUtf8) {
    EXPECT_EQ(utf8FromWindows1252("A\xC7\xDA"
                                  "CAR 1,99 \x80 \x93ok\x94 \x81"),
              "AÇÚCAR 1,99 € “ok” \uFFFD");
    EXPECT_EQ(windows1252FromUtf8("AÇÚCAR € “ok” ś"),
              "A\xC7\xDA"
              "CAR \x80 \x93ok\x94 ?");
    // Text that is not UTF-8 is already the library's: a lone Windows-1252 letter, a cut
    // sequence, an overlong form, a surrogate.
    for (const std::string raw : {"p\xE3o", "\xC3", "\xC0\xAF", "\xED\xA0\x80"})
        EXPECT_EQ(windows1252FromUtf8(raw), raw);
    EXPECT_EQ(displayWidth("AÇÚCAR €"), 8u);
}

TEST(ToolText, AmountsAsAShopReadsThem) {
    EXPECT_EQ(moneyText("00000000009000"), "R$ 90,00");
    EXPECT_EQ(moneyText("000000000123456789"), "R$ 1.234.567,89");
    EXPECT_EQ(moneyText("5"), "R$ 0,05");
    EXPECT_EQ(moneyText("00000000000000"), "R$ 0,00");
    EXPECT_EQ(moneyText("100000"), "R$ 1.000,00");
    EXPECT_EQ(moneyText(""), "");
    EXPECT_EQ(moneyText("12a"), "12a");
}

TEST(ToolText, ColumnsAndFrames) {
    // A row's last cell is not padded and does not widen its column.
    EXPECT_EQ(alignColumns({{"numeroCupom", "001234"}, {"result", "1  done"}, {"çé", "x", "last"}}),
              (std::vector<std::string>{"numeroCupom  001234", "result       1  done",
                                        "çé           x  last"}));
    EXPECT_EQ(framed({"MERCADINHO", "TOTAL R$   90,00", "São"}),
              (std::vector<std::string>{"┌──────────────────┐", "│ MERCADINHO       │",
                                        "│ TOTAL R$   90,00 │", "│ São              │",
                                        "└──────────────────┘"}));
    const Styler plain(false), coloured(true);
    EXPECT_EQ(plain.paint(Colour::Red, "FAIL"), "FAIL");
    EXPECT_EQ(coloured.paint(Colour::Green, "ok"), "\x1B[32mok\x1B[0m");
    EXPECT_EQ(padLeft("-3", 3) + "|" + padRight("ç", 3) + "|", " -3|ç  |");
}

}  // namespace
}  // namespace quelfi::tool

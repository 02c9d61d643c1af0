// "quelfi demo": a whole fiscal day at a shop, run through the library's exports against the
// virtual printer served on a pseudo-terminal inside this process. It shows each step's result,
// the paper each part of the day printed, the day's counters and totals, and where the call log
// is; it exits 0 only when every step it can run gave the expected result.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <utility>
#include <vector>

#include "exports/boundary.h"
#include "exports/host.h"
#include "platform/platform.h"
#include "quelfi/call_table.h"
#include "quelfi/commands.h"
#include "quelfi/demo_day.h"
#include "quelfi/progress_line.h"
#include "quelfi/served_printer.h"
#include "quelfi/served_scale.h"
#include "quelfi/served_tef_manager.h"
#include "quelfi/served_yanco.h"
#include "quelfi/terminal.h"
#include "quelfi/text_encoding.h"
#include "sim/quelmar/model_text.h"
#include "sim/yanco/model_text.h"

namespace quelfi::tool {

namespace {

namespace fs = std::filesystem;
using demo::Step;
using demo::Verdict;

// The configuration a shop's till would have, with "StatusFuncao" on so that a command the
// printer refuses shows in the result and not only in the status bytes; the journal printer is
// of the newer type. The TEF manager's directories take two copies of each card voucher.
std::string iniText(const fs::path& directory, bool journal, bool yanco) {
    return "[Sistema]\n"
           "path=" +
           directory.string() +
           "/\n"
           "Log=1\nStatus=0\nRetorno=0\nControlePorta=0\nStatusFuncao=1\nModeloImp=" +
           (yanco ? "YANCO" : "QUELMAR") +
           "\n"
           "ConfigRede=0\nModoGaveta=0\nEmulMFD=0\nPorta=COM1\n"
           "\n[MFD]\nStatusErro=0\nTimeOutZ=3\nImpressora=" +
           (journal ? "1" : "0") +
           "\n"
           "\n[TEF]\nREQ=" +
           (directory / "tef" / "req").string() +
           "\nRESP=" + (directory / "tef" / "resp").string() + "\nVIAS=2\n";
}

// The system's services, except that what the library says to the operator (the TEF manager's
// messages) is kept for the day's listing instead of going to standard error; a question is
// answered "no", as a headless process's is.
class OperatorMessages final : public platform::Platform {
  public:
    platform::PromptAnswer prompt(const std::string&, const std::string& text,
                                  platform::PromptStyle style) override {
        said_.push_back(text);
        return style == platform::PromptStyle::YesNoQuestion ? platform::PromptAnswer::No
                                                             : platform::PromptAnswer::Ok;
    }
    void showTransientMessage(const std::string& text) override { said_.push_back(text); }
    // What was said since the last time.
    std::vector<std::string> take() { return std::exchange(said_, {}); }

  private:
    std::vector<std::string> said_;
};

// The day the demonstration runs: the shop's printer, or with --mfd the one with an electronic
// journal.
struct Day {
    bool journal = false;
    const char* seed = demo::kPrinterSeed;
    const std::vector<demo::Section>* sections = &demo::fiscalDay();
    const char* title = "a fiscal day at a shop";
    bool yanco = false;
};

// The virtual printer of the day, Quelmar or Yanco, served on a pseudo-terminal linked as COM1.
class DayPrinter {
  public:
    DayPrinter(const Day& day, const std::string& portDirectory, const std::string& paperFile) {
        if (day.yanco) {
            yanco_ =
                std::make_unique<ServedYanco>(sim::yanco::modelFromSeed(day.seed),
                                              ServedYanco::Options{portDirectory, "", paperFile});
        } else {
            ServedPrinter::Options options;
            options.portDirectory = portDirectory;
            options.paperFile = paperFile;
            quelmar_ = std::make_unique<ServedPrinter>(sim::modelFromSeed(day.seed), options);
        }
    }
    std::string devicePath() const {
        return yanco_ ? yanco_->devicePath() : quelmar_->devicePath();
    }
    sim::PaperRoll& paper() {
        return yanco_ ? yanco_->printer().paper() : quelmar_->printer().paper();
    }
    void stop() {
        if (yanco_) yanco_->stop();
        if (quelmar_) quelmar_->stop();
    }

  private:
    std::unique_ptr<ServedPrinter> quelmar_;
    std::unique_ptr<ServedYanco> yanco_;
};

std::string answerText(const Step& step, const CallOutcome& outcome) {
    std::string text;
    for (const Answer& answer : outcome.answers) {
        if (!text.empty()) text += ' ';
        text += step.shown == demo::Shown::Money ? moneyText(answer.text)
                                                 : utf8FromWindows1252(answer.text);
    }
    return text;
}

class DayRunner {
  public:
    DayRunner(const Styler& style, sim::PaperRoll& paper, OperatorMessages& operatorMessages,
              const std::vector<demo::Section>& day)
        : style_(style), paper_(paper), operator_(operatorMessages), day_(day) {
        for (const demo::Section& section : day_) {
            for (const Step& step : section.steps) {
                whatWidth_ = std::max(whatWidth_, displayWidth(step.what));
                exportWidth_ = std::max(exportWidth_, step.exportName.size());
            }
        }
    }

    void run() {
        for (const demo::Section& section : day_) {
            std::cout << '\n' << style_.paint(Colour::Bold, section.title) << '\n';
            const std::size_t printedBefore = paper_.lines().size();
            for (const Step& step : section.steps) runStep(step);
            showPaper(printedBefore);
        }
    }

    // The labelled answers, the tally and the exit status.
    int finish(const fs::path& directory, const std::string& logFile) const {
        std::cout << '\n' << style_.paint(Colour::Bold, "The day") << '\n';
        std::vector<std::vector<std::string>> rows = summary_;
        rows.push_back({"call log", logFile});
        rows.push_back({"paper roll", (directory / "paper.txt").string()});
        // The serial reports leave their last answer there.
        if (fs::exists(directory / "Retorno.txt"))
            rows.push_back({"last serial answer", (directory / "Retorno.txt").string()});
        for (const char* name : {demo::kJournalDownload, demo::kJournalText}) {
            const fs::path file = platform::nativePath(name);
            if (fs::exists(file))
                rows.push_back(
                    {name == demo::kJournalDownload ? "journal download" : "journal as text",
                     file.string()});
        }
        if (fs::exists(directory / "LMFISCAL.TXT"))
            rows.push_back({"fiscal memory reading", (directory / "LMFISCAL.TXT").string()});
        rows.push_back({"configuration", (directory / "system" / "QuelFI32.ini").string()});
        for (const std::string& line : alignColumns(rows)) std::cout << "  " << line << '\n';

        std::string tally = std::to_string(passed_ + failed_) +
                            " steps: " + std::to_string(passed_) + " gave the expected result";
        if (failed_ > 0) tally += ", " + std::to_string(failed_) + " did not";
        std::cout << '\n'
                  << style_.paint(failed_ > 0 ? Colour::Red : Colour::Green, tally + ".") << '\n';
        return failed_ > 0 ? 1 : 0;
    }

  private:
    void runStep(const Step& step) {
        const CallEntry* entry = libraryCallTable().find(step.exportName);
        std::optional<CallOutcome> outcome;
        if (entry) {
            std::vector<std::string> arguments = step.arguments;
            if (step.fromBefore) step.fromBefore(arguments, before_);
            const ProgressLine progress(style_.interactive(), step.what);
            outcome = entry->call(arguments);
        }
        before_ = outcome.value_or(CallOutcome{});
        const Verdict verdict = demo::judge(step, outcome ? &*outcome : nullptr);
        std::string mark;
        std::string result;
        switch (verdict) {
            case Verdict::Passed:
                ++passed_;
                mark = style_.paint(Colour::Green, padRight("ok", 5));
                result = resultText(step, *outcome);
                if (!step.summary.empty())
                    summary_.push_back({step.summary, answerText(step, *outcome)});
                break;
            case Verdict::Failed:
                ++failed_;
                mark = style_.paint(Colour::Red, padRight("FAIL", 5));
                result = outcome ? resultText(step, *outcome) : "not in this library";
                result += "  (expected " + std::to_string(step.expected);
                if (!step.expectedAnswer.empty())
                    result += ", answer " + utf8FromWindows1252(step.expectedAnswer);
                result += ")";
                if (!step.summary.empty()) summary_.push_back({step.summary, "(not as expected)"});
                break;
        }
        std::cout << "  " << mark << ' ' << padRight(step.what, whatWidth_) << "  "
                  << style_.paint(Colour::Dim, padRight(step.exportName, exportWidth_)) << "  "
                  << result << '\n';
        for (const std::string& said : operator_.take())
            std::cout << "        " << style_.paint(Colour::Dim, "operator: ")
                      << utf8FromWindows1252(said) << '\n';
        std::cout << std::flush;
    }

    // The code, its meaning and the answers; or why the call was refused before it was made.
    static std::string resultText(const Step& step, const CallOutcome& outcome) {
        if (!outcome.called) return outcome.refusal;
        std::string text = padLeft(std::to_string(outcome.code), 3) + "  " +
                           std::string(exports::host::returnCodeMeaning(outcome.code));
        const std::string answers = answerText(step, outcome);
        if (!answers.empty()) text += "  " + answers;
        return text;
    }

    // What the part of the day printed, framed like the paper it came out on.
    void showPaper(std::size_t from) const {
        const std::vector<std::string> lines = paper_.lines();
        if (lines.size() <= from) return;
        const std::vector<std::string> printed(lines.begin() + static_cast<std::ptrdiff_t>(from),
                                               lines.end());
        for (const std::string& line : framed(printed)) std::cout << "    " << line << '\n';
    }

    const Styler& style_;
    sim::PaperRoll& paper_;
    OperatorMessages& operator_;
    const std::vector<demo::Section>& day_;
    std::size_t whatWidth_ = 0;
    std::size_t exportWidth_ = 0;
    int passed_ = 0;
    int failed_ = 0;
    std::vector<std::vector<std::string>> summary_;
    CallOutcome before_;
};

// A new directory for the day's files: the INI, the call log, the paper and the port link.
std::optional<fs::path> makeDirectory(std::vector<std::string> args, Day& day, std::string& error) {
    if (!args.empty() && args[0] == "--mfd") {
        day = {true, demo::kJournalPrinterSeed, &demo::journalFiscalDay(),
               "a fiscal day at a shop with an electronic journal"};
        args.erase(args.begin());
    } else if (!args.empty() && args[0] == "--restaurant") {
        day = {false, demo::kRestaurantSeed, &demo::restaurantEvening(),
               "an evening at a restaurant"};
        args.erase(args.begin());
    } else if (!args.empty() && args[0] == "--yanco") {
        day = {false, demo::kYancoPrinterSeed, &demo::yancoDay(),
               "a fiscal day at a shop with a Yanco printer", true};
        args.erase(args.begin());
    }
    if (args.size() == 2 && args[0] == "--dir") {
        std::error_code failed;
        fs::create_directories(args[1], failed);
        if (failed) {
            error = "cannot create " + args[1] + ": " + failed.message();
            return std::nullopt;
        }
        return fs::absolute(args[1]);
    }
    if (!args.empty()) {
        error = "usage: quelfi demo [--mfd | --restaurant | --yanco] [--dir DIRECTORY]";
        return std::nullopt;
    }
    std::string pattern = (fs::temp_directory_path() / "quelfi-demo-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        error = "cannot create a directory in " + fs::temp_directory_path().string();
        return std::nullopt;
    }
    return fs::path(pattern);
}

}  // namespace

int demoCommand(const std::vector<std::string>& arguments) {
    std::string error;
    Day day;
    std::optional<fs::path> directory = makeDirectory(arguments, day, error);
    if (!directory) {
        std::cerr << "quelfi demo: " << error << '\n';
        return 2;
    }
    directory = fs::absolute(*directory);
    const fs::path system = *directory / "system";
    std::error_code ignored;
    fs::create_directories(system, ignored);
    std::ofstream ini(system / "QuelFI32.ini", std::ios::binary | std::ios::trunc);
    if (!(ini << iniText(*directory, day.journal, day.yanco)) || !ini.flush()) {
        std::cerr << "quelfi demo: cannot write " << (system / "QuelFI32.ini").string() << '\n';
        return 1;
    }
    for (const char* exchange : {"req", "resp"})
        fs::create_directories(*directory / "tef" / exchange, ignored);
    const fs::path paperFile = *directory / "paper.txt";
    fs::remove(paperFile, ignored);

    const std::string portDirectory = (*directory / "ports").string();
    std::unique_ptr<DayPrinter> served;
    try {
        served = std::make_unique<DayPrinter>(day, portDirectory, paperFile.string());
    } catch (const std::exception& e) {
        std::cerr << "quelfi demo: cannot start the virtual printer: " << e.what() << '\n';
        return 1;
    }
    std::unique_ptr<ServedScale> scale;
    try {
        scale =
            std::make_unique<ServedScale>(2, demo::kScaleReading, portDirectory, demo::kScalePort);
    } catch (const std::exception& e) {
        std::cerr << "quelfi demo: cannot start the virtual scale: " << e.what() << '\n';
        return 1;
    }
    // The library finds its INI, COM1 and drive C in the day's directory, never in /etc.
    ::setenv("QUELFI_SYSTEM_DIR", system.c_str(), 1);
    ::setenv("QUELFI_PORT_DIR", portDirectory.c_str(), 1);
    ::setenv("QUELFI_DRIVE_C", directory->c_str(), 1);
    OperatorMessages operatorMessages;
    exports::host::restart(operatorMessages);
    exports::libraryLoad();
    ServedTefManager tef(*directory / "tef" / "req", *directory / "tef" / "resp");

    const Styler style = Styler::forStandardOutput();
    std::cout << style.paint(Colour::Bold, std::string("QuelFI32 demonstration: ") + day.title)
              << '\n'
              << "  the virtual " << (day.yanco ? "Yanco" : "Quelmar") << " printer answers on "
              << served->devicePath() << " (COM1), the virtual scale on " << scale->devicePath()
              << " (" << demo::kScalePort << "), the virtual TEF manager in "
              << (*directory / "tef").string() << "; the day's files are in " << directory->string()
              << '\n';
    DayRunner runner(style, served->paper(), operatorMessages, *day.sections);
    // The files the library names from the current directory (".\\LMFISCAL.TXT") stay with the
    // day's, not wherever quelfi was started.
    const fs::path started = fs::current_path(ignored);
    fs::current_path(*directory, ignored);
    runner.run();
    if (!started.empty()) fs::current_path(started, ignored);
    const std::string logFile = platform::nativePath(exports::host::callLogPath());
    exports::libraryUnload();
    exports::host::restart(platform::systemPlatform());
    tef.stop();
    scale.reset();
    served->stop();
    return runner.finish(*directory, logFile);
}

}  // namespace quelfi::tool

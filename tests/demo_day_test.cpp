// The demonstration's fiscal day against the library it runs on: every step names an export the
// library has (or one of the day operations still to come), with as many arguments as it takes,
// and arguments the library's own checks accept; and how a step's outcome is judged.
#include "quelfi/demo_day.h"

#include <cstdio>
#include <filesystem>

#include "core/return_code.h"
#include "quelfi/export_signature.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

using tool::demo::Step;
using tool::demo::Verdict;

std::vector<const Step*> stepsOf(const std::vector<tool::demo::Section>& day) {
    std::vector<const Step*> steps;
    for (const tool::demo::Section& section : day)
        for (const Step& step : section.steps) steps.push_back(&step);
    return steps;
}

// Every day: the shop's printer, the one with an electronic journal, the restaurant's, and the
// Yanco printer's.
std::vector<const Step*> allSteps() {
    std::vector<const Step*> steps = stepsOf(tool::demo::fiscalDay());
    for (const Step* step : stepsOf(tool::demo::journalFiscalDay())) steps.push_back(step);
    for (const Step* step : stepsOf(tool::demo::restaurantEvening())) steps.push_back(step);
    for (const Step* step : stepsOf(tool::demo::yancoDay())) steps.push_back(step);
    return steps;
}

TEST(DemoDay, StepsMatchTheExportsTheyCall) {
    const tool::CallTable& table = tool::libraryCallTable();
    for (const Step* step : allSteps()) {
        SCOPED_TRACE(step->what);
        EXPECT_TRUE(core::isReturnCode(step->expected));
        const tool::CallEntry* entry = table.find(step->exportName);
        ASSERT_NE(entry, nullptr) << step->exportName;
        EXPECT_EQ(step->arguments.size(), entry->argumentCount());
        // A checked or summarised answer needs an export that answers.
        if (!step->expectedAnswer.empty() || !step->summary.empty()) {
            EXPECT_NE(tool::answersText(tool::parametersOf(*entry)), "");
        }
    }
}

class DemoDayArguments : public LibraryTest {};

TEST_F(DemoDayArguments, TheLibraryAcceptsEveryStepsArguments) {
    // As a network client the library checks and formats the arguments and leaves the request
    // for a driver, without a printer: a -2 here is a step written wrong. The journal printer's
    // day is of the newer type, whose documents have no older form to fall back to.
    int checked = 0;
    for (const bool journal : {false, true}) {
        writeIni("[Sistema]\npath=" + workDir() +
                 "\nConfigRede=1\n[MFD]\nImpressora=" + (journal ? "1" : "0") + "\n");
        load();
        for (const Step* step :
             stepsOf(journal ? tool::demo::journalFiscalDay() : tool::demo::fiscalDay())) {
            const tool::CallEntry* entry = tool::libraryCallTable().find(step->exportName);
            // Exports without a request record (the TEF transactions) have no client road.
            if (!entry || entry->record() == 0 || step->expected != 1 ||
                tool::answersText(tool::parametersOf(*entry)) != "")
                continue;
            std::filesystem::remove(workDir() + "/Quelfi32.cmd");
            const tool::CallOutcome outcome = entry->call(step->arguments);
            EXPECT_TRUE(outcome.called) << step->what << ": " << outcome.refusal;
            EXPECT_EQ(outcome.code, 1) << step->what;
            char record[8];
            std::snprintf(record, sizeof record, "%03d|", entry->record());
            EXPECT_EQ(readFile(workDir() + "/Quelfi32.cmd").substr(0, 4), record) << step->what;
            ++checked;
        }
    }
    EXPECT_GE(checked, 60);
}

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

}  // namespace
}  // namespace quelfi::test

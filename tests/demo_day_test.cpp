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

std::vector<const Step*> allSteps() {
    std::vector<const Step*> steps;
    for (const tool::demo::Section& section : tool::demo::fiscalDay())
        for (const Step& step : section.steps) steps.push_back(&step);
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
    // for a driver, without a printer: a -2 here is a step written wrong.
    writeIni("[Sistema]\npath=" + workDir() + "\nConfigRede=1\n");
    load();
    int checked = 0;
    for (const Step* step : allSteps()) {
        const tool::CallEntry* entry = tool::libraryCallTable().find(step->exportName);
        if (!entry || step->expected != 1 || tool::answersText(tool::parametersOf(*entry)) != "")
            continue;
        std::filesystem::remove(workDir() + "/Quelfi32.cmd");
        const tool::CallOutcome outcome = entry->call(step->arguments);
        EXPECT_TRUE(outcome.called) << step->what << ": " << outcome.refusal;
        EXPECT_EQ(outcome.code, 1) << step->what;
        char record[8];
        std::snprintf(record, sizeof record, "%03d|", entry->record());
        EXPECT_EQ(commandFile().substr(0, 4), record) << step->what;
        ++checked;
    }
    EXPECT_GE(checked, 15);
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

// How a step of the demonstration day is judged. That every step names an export with the
// arguments it takes and the result it gives is checked by running the demonstration.
#include "quelfi/demo_day.h"

#include <gtest/gtest.h>

namespace quelfi::test {
namespace {

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

}  // namespace
}  // namespace quelfi::test

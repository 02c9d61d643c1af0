// The call table: exports called by name or record number with text arguments, their answers
// returned as text, and the arguments it refuses before calling anything. The library's own
// exports are called through it by the quelfi tool and the network driver's tests.
#include "quelfi/call_table.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quelfi::test {
namespace {

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

TEST(CallTable, EntriesFollowTheExportsCTypes) {
    const tool::CallTable table(
        {tool::callEntry("Echo", 321, &echo), tool::callEntry("Nothing", 0, &nothing)});
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

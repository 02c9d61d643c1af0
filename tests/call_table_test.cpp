// The call table: exports called by name or record number with text arguments, their answers
// returned as text, and the arguments it refuses before calling anything.
#include "quelfi/call_table.h"

#include <cstring>

#include "protocol_fixture.h"

namespace quelfi::test {
namespace {

using core::state;
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

class CallTableTest : public ProtocolTest {};

TEST_F(CallTableTest, EntriesFollowTheExportsCTypes) {
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

TEST_F(CallTableTest, LibraryExportsAreCalledWithTextArguments) {
    const tool::CallTable& table = tool::libraryCallTable();
    configure();
    platform.plugPort("COM3", [this] { return std::make_unique<ScriptedPort>(line); });

    // An integer argument: the port index.
    EXPECT_FALSE(table.call("Quelmar_FI_AbrePorta", {"two"}).called);
    EXPECT_EQ(state().requestedPort, 100);
    EXPECT_EQ(table.call("Quelmar_FI_AbrePorta", {"2"}).code, 1);
    EXPECT_EQ(state().portName, "COM3");

    // Short answers.
    const tool::CallEntry* status = table.findRecord(95);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->name(), "Quelmar_FI_VerificaEstadoImpressora");
    line->reply(bytes({6, 2, 64}));
    tool::CallOutcome outcome = status->call({});
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(outcome.answers, (std::vector<Answer>{{ParameterKind::NumberAnswer, "6"},
                                                    {ParameterKind::NumberAnswer, "2"},
                                                    {ParameterKind::NumberAnswer, "64"}}));

    // A text argument taken as it stands, control bytes included.
    line->reply(bytes({6, 0, 0}));
    outcome =
        table.call("Quelmar_FI_ComandoDriverRede", {rawRequest({"\x1B\x13", "3", "0", "0", "0"})});
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(line->lastFrame(), frameOf("\x1B\x13"));

    // A text answer.
    writeFile(workDir() + "/Retorno.txt", "0001\r\n0002\r\n");
    outcome = table.call("Quelmar_FI_LeArquivoRetorno", {});
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(outcome.answers, (std::vector<Answer>{{ParameterKind::TextAnswer, "00010002"}}));
}

}  // namespace
}  // namespace quelfi::test

// The call log's bytes, the common lines of an export, and the answer files.
#include "core/call_log.h"

#include <cstring>
#include <filesystem>

#include "core/answer_files.h"
#include "core/export_call.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

using core::state;

class CallLogTest : public LibraryTest {};

TEST_F(CallLogTest, WritersProduceExactBytesBesideTheStatusFile) {
    configure();
    core::logLine("Retorno X: ", -2, "");
    core::logLine("Porta: ", 0, "COM1");
    core::logCode("code ", 27);
    core::logText("piece", false);
    core::logTwo("a", "b");
    core::logText("");
    EXPECT_EQ(workLog(), "Retorno X: -2\r\r\nPorta: COM1\r\r\ncode 27\r\r\npieceab\r\r\n\r\r\n");

    std::filesystem::create_directory(workDir() + "/ecf");
    writeIni("[Sistema]\npath=" + workDir() + "/ecf\\\nLog=1\n");
    load();
    std::filesystem::remove(workDir() + "/ecf/QuelFI32.log");
    core::logText("here");
    EXPECT_EQ(log(workDir() + "/ecf"), "here\r\r\n");
    writeIni("[Sistema]\nLog=1\n");  // no path: the current directory
    load();
    EXPECT_EQ(core::logFilePath(), "QuelFI32.log");

    // With the log off nothing is created.
    writeIni("[Sistema]\npath=" + workDir() + "\nLog=0\n");
    load();
    clearLog();
    core::logText("anything");
    core::ExportCall("Quelmar_FI_Teste").finish(1);
    EXPECT_FALSE(fileExists(workDir() + "/QuelFI32.log"));
}

TEST_F(CallLogTest, ExportLinesWithAndWithoutNesting) {
    configure();
    {
        core::ExportCall call("Quelmar_FI_Exemplo");
        call.logRecord("087|abc|");
        call.finish(1);
    }
    state().nestedCall = 1;
    {
        core::ExportCall call("Quelmar_FI_Aninhada");
        call.logParameter("");
        call.fail(-2, "Parametro invalido para codigo: ");
    }
    core::ExportCall("Quelmar_FI_VerificaEstadoImpressora", /*alwaysSeparator=*/true)
        .communicationFailure();
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_Exemplo ", "Parâmetros: 087|abc|",
                        "Retorno Quelmar_FI_Exemplo: 1", "Quelmar_FI_Aninhada ", "Parâmetro: 0",
                        "Retorno Quelmar_FI_Aninhada: -2 - Parametro invalido para codigo: ", kSep,
                        "Quelmar_FI_VerificaEstadoImpressora ",
                        "Retorno Quelmar_FI_VerificaEstadoImpressora: 0 - Erro de comunicacao"}));
}

TEST_F(CallLogTest, DataAnswerGoesToBufferOrFile) {
    configure();
    core::ExportCall call("Quelmar_FI_NumeroCupom");
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(call.deliver("001234", buffer, 6), 1);
    EXPECT_EQ(std::string(buffer, 7), std::string("001234\0", 7));
    EXPECT_EQ(call.deliver("", nullptr, 6), 1);  // a null buffer is never written

    state().answerToFile = true;
    writeFile(workDir() + "/Retorno.txt", "old answer that is longer");
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(call.deliver("004321", buffer, 6), 1);
    EXPECT_EQ(answerFile(), "004321");
    EXPECT_EQ(std::string(buffer, 8), std::string(8, 'x'));
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_NumeroCupom ", "Retorno impressora: 001234",
                                   "Retorno impressora: 0", "Retorno impressora: 004321"}));

    // The status and the answer text replace their files; a status file that cannot be written
    // is reported.
    EXPECT_EQ(core::writeStatusFile("6,0,0,0"), 1);
    EXPECT_EQ(core::writeStatusFile("21"), 1);
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "21");
    EXPECT_EQ(core::writeAnswerText("texto"), 1);
    EXPECT_EQ(answerFile(), "texto");
    state().statusFilePath = workDir() + "/none/Status.txt";
    EXPECT_EQ(core::writeStatusFile("6,0,0"), 0);
}

TEST_F(CallLogTest, WrappedAnswerBreaksEverySixtyOneCharacters) {
    const std::string text(130, 'a');
    const std::string wrapped =
        std::string(61, 'a') + ",\r\n" + std::string(61, 'a') + ",\r\n" + std::string(8, 'a');
    EXPECT_EQ(core::wrapAnswer(text), wrapped);
    EXPECT_EQ(core::wrapAnswer(std::string(122, 'b')),
              std::string(61, 'b') + ",\r\n" + std::string(61, 'b'));
    // No break past the 1100th character.
    EXPECT_EQ(core::wrapAnswer(std::string(1300, 'c')).size(), 1300u + 18u * 3u);

    // The answer file wraps one write only.
    state().answerFilePath = workDir() + "/Retorno.txt";
    ASSERT_EQ(core::openAnswerFile(state().answerFilePath), 1);
    state().wrapAnswerText = true;
    EXPECT_EQ(core::writeAnswerFile(text), 1);
    EXPECT_FALSE(state().wrapAnswerText);
    EXPECT_EQ(core::writeAnswerFile("tail"), 1);
    core::closeAnswerFile();
    EXPECT_EQ(answerFile(), wrapped + "tail");
}

}  // namespace
}  // namespace quelfi::test

// The call log's bytes, the common lines of an export, and the answer files.
#include "core/call_log.h"

#include <cstring>
#include <filesystem>

#include "core/answer_files.h"
#include "core/export_call.h"
#include "core/printer_state.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

using core::state;

class CallLogTest : public LibraryTest {
  protected:
    void enableLogIn(const std::string& dir) {
        writeIni("[Sistema]\npath=" + dir + "\nLog=1\n");
        load();
        std::remove((dir + "/QuelFI32.log").c_str());
    }
};

TEST_F(CallLogTest, WritersProduceExactBytes) {
    enableLogIn(workDir());
    core::logLine("Retorno X: ", -2, "");
    core::logLine("Porta: ", 0, "COM1");
    core::logCode("code ", 27);
    core::logText("piece", false);
    core::logTwo("a", "b");
    core::logText("");
    EXPECT_EQ(workLog(), "Retorno X: -2\r\r\nPorta: COM1\r\r\ncode 27\r\r\npieceab\r\r\n\r\r\n");
}

TEST_F(CallLogTest, LogOffCreatesNothing) {
    writeIni("[Sistema]\npath=" + workDir() + "\nLog=0\n");
    load();
    core::logText("anything");
    core::ExportCall call("Quelmar_FI_Teste");
    call.finish(1);
    EXPECT_FALSE(fileExists(workDir() + "/QuelFI32.log"));
}

TEST_F(CallLogTest, LogLivesBesideTheStatusFile) {
    std::filesystem::create_directory(workDir() + "/ecf");
    enableLogIn(workDir() + "/ecf\\");
    std::filesystem::remove(workDir() + "/ecf/QuelFI32.log");
    core::logText("here");
    EXPECT_EQ(log(workDir() + "/ecf"), "here\r\r\n");

    writeIni("[Sistema]\nLog=1\n");  // no path: the current directory
    load();
    EXPECT_EQ(core::logFilePath(), "QuelFI32.log");
}

TEST_F(CallLogTest, ExportLinesWithAndWithoutNesting) {
    enableLogIn(workDir());
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
    {
        core::ExportCall call("Quelmar_FI_VerificaEstadoImpressora", core::Header::Always);
        call.communicationFailure();
    }
    EXPECT_EQ(workLog(),
              logLines({std::string(71, '-') + " ", "Quelmar_FI_Exemplo ", "Parâmetros: 087|abc|",
                        "Retorno Quelmar_FI_Exemplo: 1", "Quelmar_FI_Aninhada ", "Parâmetro: 0",
                        "Retorno Quelmar_FI_Aninhada: -2 - Parametro invalido para "
                        "codigo: ",
                        std::string(71, '-') + " ", "Quelmar_FI_VerificaEstadoImpressora ",
                        "Retorno Quelmar_FI_VerificaEstadoImpressora: 0 - Erro de "
                        "comunicacao"}));
}

TEST_F(CallLogTest, DataAnswerGoesToBufferOrFile) {
    enableLogIn(workDir());
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
    EXPECT_EQ(readFile(workDir() + "/Retorno.txt"), "004321");
    EXPECT_EQ(std::string(buffer, 8), std::string(8, 'x'));

    EXPECT_EQ(workLog(), logLines({std::string(71, '-') + " ", "Quelmar_FI_NumeroCupom ",
                                   "Retorno impressora: 001234", "Retorno impressora: 0",
                                   "Retorno impressora: 004321"}));
}

TEST_F(CallLogTest, UnwritableAnswerFileGivesMinusEight) {
    enableLogIn(workDir());
    state().answerToFile = true;
    state().answerFilePath = workDir() + "/missing-dir/Retorno.txt";
    core::ExportCall call("Quelmar_FI_NumeroCupom");
    EXPECT_EQ(call.deliver("001234", nullptr, 6), -8);
    const std::string text = workLog();
    const std::string last =
        logLines({"Retorno Quelmar_FI_NumeroCupom: -8 - Erro na abertura do arquivo retorno.txt"});
    EXPECT_EQ(text.substr(text.size() - last.size()), last);
}

TEST_F(CallLogTest, WrappedAnswerBreaksEverySixtyOneCharacters) {
    const std::string text(130, 'a');
    EXPECT_EQ(core::wrapAnswer(text), std::string(61, 'a') + ",\r\n" + std::string(61, 'a') +
                                          ",\r\n" + std::string(8, 'a'));
    EXPECT_EQ(core::wrapAnswer(std::string(122, 'b')),
              std::string(61, 'b') + ",\r\n" + std::string(61, 'b'));
    // No break past the 1100th character.
    const std::string wrapped = core::wrapAnswer(std::string(1300, 'c'));
    EXPECT_EQ(wrapped.size(), 1300u + 18u * 3u);

    state().answerFilePath = workDir() + "/Retorno.txt";
    ASSERT_EQ(core::openAnswerFile(state().answerFilePath), 1);
    state().wrapAnswerText = true;
    EXPECT_EQ(core::writeAnswerFile(text), 1);
    EXPECT_FALSE(state().wrapAnswerText);  // one write only
    EXPECT_EQ(core::writeAnswerFile("tail"), 1);
    core::closeAnswerFile();
    EXPECT_EQ(readFile(workDir() + "/Retorno.txt"), core::wrapAnswer(text) + "tail");
}

TEST_F(CallLogTest, StatusAndAnswerTextReplaceTheirFiles) {
    state().statusFilePath = workDir() + "/Status.txt";
    state().answerFilePath = workDir() + "/Retorno.txt";
    EXPECT_EQ(core::writeStatusFile("6,0,0,0"), 1);
    EXPECT_EQ(core::writeStatusFile("21"), 1);
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "21");
    EXPECT_EQ(core::writeAnswerText("texto"), 1);
    EXPECT_EQ(readFile(workDir() + "/Retorno.txt"), "texto");
    state().statusFilePath = workDir() + "/none/Status.txt";
    EXPECT_EQ(core::writeStatusFile("6,0,0"), 0);
}

}  // namespace
}  // namespace quelfi::test

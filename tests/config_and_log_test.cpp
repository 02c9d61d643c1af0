// The configuration file (key inheritance, the comment cut, the answer-file names, the reduction
// time-out, the local INI switch, the lines the load writes to the call log), the call log's
// bytes, the common lines of an export, and the answer files.
#include <cstring>
#include <filesystem>

#include "core/answer_files.h"
#include "core/call_log.h"
#include "core/config.h"
#include "core/export_call.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

using core::state;

class ConfigurationTest : public LibraryTest {
  protected:
    void loadIni(const std::string& text) {
        writeIni(text);
        load();
    }
};

TEST_F(ConfigurationTest, MissingKeysInheritTheKeyReadBefore) {
    load();  // without a file nothing is logged
    EXPECT_FALSE(fileExists(workDir() + "/QuelFI32.log"));
    // Status inherits Log; ControlePorta inherits Retorno; StatusFuncao inherits ControlePorta;
    // ModoGaveta inherits ConfigRede; Impressora inherits the TimeOutZ text.
    loadIni("[Sistema]\nLog=1\nRetorno=1\nConfigRede=1\n[MFD]\nTimeOutZ=2\n");
    const core::PrinterState& s = state();
    EXPECT_EQ((std::vector<bool>{s.logEnabled, s.statusToFile, s.answerToFile, s.closeAfterCommand,
                                 s.statusInReturnCode, s.drawerMode}),
              std::vector<bool>(6, true));
    EXPECT_EQ(s.networkMode, 1);
    EXPECT_EQ(s.reductionTimeout, 120);
    EXPECT_EQ(s.printerType, 2);

    // ConfigRede missing: the last character of the directory decides.
    loadIni("[Sistema]\npath=" + workDir() + "/lane2\n");
    EXPECT_EQ(state().networkMode, 2);
    loadIni("[Sistema]\npath=" + workDir() + "/\n");
    EXPECT_EQ(state().networkMode, 0);
}

TEST_F(ConfigurationTest, ValuesAsTheProfileGivesThem) {
    // The comment cut keeps the blanks before the semicolon: "1 " is not "1".
    loadIni("[Sistema]\nLog=1 ;logging\nStatus=1;on\nPorta=COM2 ; first port\n");
    EXPECT_FALSE(state().logEnabled);
    EXPECT_TRUE(state().statusToFile);
    EXPECT_EQ(state().portName, "COM2 ");

    // An empty value reads like a missing key; a long one is cut.
    loadIni("[Sistema]\nLog=1\nStatus=\nStatusCheque=IBMIBMIBMIBM\n");
    EXPECT_TRUE(state().statusToFile);
    EXPECT_FALSE(state().chequeStatusIbm);
    loadIni("[Sistema]\npath=" + std::string(200, 'd') + "\n");
    EXPECT_EQ(state().statusFilePath, std::string(80, 'd') + "\\Status.txt");

    // A path with and without its final separator names the same files.
    for (const char* path : {"c:\\ecf\\", "c:\\ecf"}) {
        loadIni(std::string("[Sistema]\npath=") + path + "\n");
        EXPECT_EQ(state().statusFilePath, "c:\\ecf\\Status.txt");
        EXPECT_EQ(state().answerFilePath, "c:\\ecf\\Retorno.txt");
    }
    loadIni("[Sistema]\nPATH=/srv/ecf/\n");
    EXPECT_EQ(state().statusFilePath, "/srv/ecf/Status.txt");
}

TEST_F(ConfigurationTest, ModelAndEmulatorSwitches) {
    loadIni("[Sistema]\nModeloImp=yanco\nEmulMFD=1\n");
    EXPECT_EQ(state().printerModel, "YANCO");
    EXPECT_FALSE(state().emulatorMode);  // only read for the Quelmar model

    loadIni("[Sistema]\nModeloImp=Quelmar\nEmulMFD=1\nStatusCheque=IBM\n");
    EXPECT_EQ(state().printerModel, "QUELMAR");
    EXPECT_TRUE(state().emulatorMode);
    EXPECT_TRUE(state().chequeStatusIbm);

    loadIni("[Sistema]\nModeloImp=MARCA\nStatusCheque=ibm\n");
    EXPECT_EQ(state().printerModel, "QUELMAR");
    EXPECT_FALSE(state().chequeStatusIbm);
}

TEST_F(ConfigurationTest, ReductionTimeoutIsMinutesBetweenOneAndNinetyNine) {
    const std::pair<const char*, int> cases[] = {{"5", 300},   {"99", 5940}, {"1", 60},
                                                 {"150", 180}, {"100", 180}, {"abc", 180},
                                                 {"0", 180},   {"-3", 180},  {"7min", 420}};
    for (const auto& [text, seconds] : cases) {
        loadIni(std::string("[MFD]\nTimeOutZ=") + text + "\nImpressora=0\n");
        EXPECT_EQ(state().reductionTimeout, seconds) << text;
    }
}

TEST_F(ConfigurationTest, LoadWritesEveryValueToTheCallLog) {
    loadIni("[Sistema]\npath=" + workDir() +
            "\\\nLog=1\nRetorno=0\nModeloImp=QUELMAR\nConfigRede=0\nPorta=COM1\n"
            "[MFD]\nStatusErro=1\nImpressora=1\n");
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_LeInformacoesConfiguracao ", "path: " + workDir() + "\\",
                        "Log: 1", "Status: 1", "Retorno: 0", "ControlePorta: 0", "StatusFuncao: 0",
                        "ModeloImp: QUELMAR", "ConfigRede: 0", "ModoGaveta: 0", "EmulMFD: 0",
                        "StatusCheque: 0", "Porta: COM1", "StatusErro: 1", "Impressora: 1",
                        "Retorno Quelmar_FI_LeInformacoesConfiguracao:  "}));

    // The reload reads the edited file.
    writeIni("[Sistema]\nPorta=COM4\n");
    EXPECT_EQ(state().portName, "COM1");
    Quelmar_FI_ReloadINIFile();
    EXPECT_EQ(state().portName, "COM4");
}

TEST_F(ConfigurationTest, LocalIniSwitchReloadsOnceAndPortOpeningOnceMore) {
    loadIni("[Sistema]\nPorta=COM1\n");
    writeFile(workDir() + "/QuelFI32.ini", "[Sistema]\nLog=1\nPorta=COM7\n");
    EXPECT_EQ(Quelmar_FI_SelecionaIniLocal(), 1);
    EXPECT_EQ(state().iniFilePath, ".\\QuelFI32.ini");
    EXPECT_EQ(state().portName, "COM7");
    const std::string first = workLog();
    const std::string last =
        logLines({"Retorno Quelmar_FI_LeInformacoesConfiguracao:  ",
                  "Quelmar_FI_SelecionaIniLocal: arquivo ini no diretório corrente"});
    ASSERT_GE(first.size(), last.size());
    EXPECT_EQ(first.substr(first.size() - last.size()), last);

    // A second call neither reloads nor logs.
    writeFile(workDir() + "/QuelFI32.ini", "[Sistema]\nLog=1\nPorta=COM8\n");
    EXPECT_EQ(Quelmar_FI_SelecionaIniLocal(), 1);
    EXPECT_EQ(state().portName, "COM7");
    EXPECT_EQ(workLog(), first);

    // The first port opening after the switch reads the local file once more.
    Quelmar_FI_AbrePortaSerial();
    EXPECT_EQ(state().portName, "COM8");
    EXPECT_TRUE(state().localIniLoaded);
}

TEST_F(ConfigurationTest, WritersProduceExactBytesBesideTheStatusFile) {
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

TEST_F(ConfigurationTest, ExportLinesWithAndWithoutNesting) {
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
    core::ExportCall("Quelmar_FI_VerificaEstadoImpressora", core::Header::Always)
        .communicationFailure();
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_Exemplo ", "Parâmetros: 087|abc|",
                        "Retorno Quelmar_FI_Exemplo: 1", "Quelmar_FI_Aninhada ", "Parâmetro: 0",
                        "Retorno Quelmar_FI_Aninhada: -2 - Parametro invalido para codigo: ", kSep,
                        "Quelmar_FI_VerificaEstadoImpressora ",
                        "Retorno Quelmar_FI_VerificaEstadoImpressora: 0 - Erro de comunicacao"}));
}

TEST_F(ConfigurationTest, DataAnswerGoesToBufferOrFile) {
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

TEST_F(ConfigurationTest, WrappedAnswerBreaksEverySixtyOneCharacters) {
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

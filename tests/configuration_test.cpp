// The configuration file: key defaults and inheritance, the comment cut, the answer-file names,
// the reduction time-out, the local INI switch, and the lines the load writes to the call log.
#include "core/config.h"
#include "core/printer_state.h"
#include "quelfi32.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

using core::state;

class ConfigurationTest : public LibraryTest {};

TEST_F(ConfigurationTest, MissingFileLeavesEveryDefault) {
    load();
    EXPECT_FALSE(state().logEnabled);
    EXPECT_FALSE(state().statusToFile);
    EXPECT_FALSE(state().answerToFile);
    EXPECT_EQ(state().printerModel, "QUELMAR");
    EXPECT_EQ(state().networkMode, 0);
    EXPECT_EQ(state().reductionTimeout, 180);
    EXPECT_EQ(state().printerType, 0);
    EXPECT_EQ(state().portName, "");
    EXPECT_EQ(state().statusFilePath, "Status.txt");
    EXPECT_EQ(state().answerFilePath, "Retorno.txt");
    EXPECT_EQ(state().iniFilePath, systemDir() + "\\QuelFI32.ini");
    EXPECT_FALSE(fileExists(workDir() + "/QuelFI32.log"));
}

TEST_F(ConfigurationTest, MissingKeysInheritTheKeyReadBefore) {
    // Status inherits Log; ControlePorta inherits Retorno; StatusFuncao inherits ControlePorta;
    // ModoGaveta inherits ConfigRede; Impressora inherits the TimeOutZ text.
    writeIni("[Sistema]\nLog=1\nRetorno=1\nConfigRede=1\n[MFD]\nTimeOutZ=2\n");
    load();
    EXPECT_TRUE(state().logEnabled);
    EXPECT_TRUE(state().statusToFile);
    EXPECT_TRUE(state().answerToFile);
    EXPECT_TRUE(state().closeAfterCommand);
    EXPECT_TRUE(state().statusInReturnCode);
    EXPECT_EQ(state().networkMode, 1);
    EXPECT_TRUE(state().drawerMode);
    EXPECT_EQ(state().reductionTimeout, 120);
    EXPECT_EQ(state().printerType, 2);

    // ConfigRede missing: the last character of the directory decides.
    writeIni("[Sistema]\npath=" + workDir() + "/lane2\n");
    load();
    EXPECT_EQ(state().networkMode, 2);
    writeIni("[Sistema]\npath=" + workDir() + "/\n");
    load();
    EXPECT_EQ(state().networkMode, 0);
}

TEST_F(ConfigurationTest, CommentCutKeepsBlanksBeforeTheSemicolon) {
    writeIni("[Sistema]\nLog=1 ;logging\nStatus=1;on\nPorta=COM2 ; first port\n");
    load();
    EXPECT_FALSE(state().logEnabled);  // "1 " is not "1"
    EXPECT_TRUE(state().statusToFile);
    EXPECT_EQ(state().portName, "COM2 ");
}

TEST_F(ConfigurationTest, EmptyValueKeepsTheBufferAndLongValuesAreCut) {
    writeIni("[Sistema]\nLog=1\nStatus=\nStatusCheque=IBMIBMIBMIBM\n");
    load();
    EXPECT_TRUE(state().statusToFile);  // an empty value reads like a missing key
    EXPECT_FALSE(state().chequeStatusIbm);

    std::string longPath(200, 'd');
    writeIni("[Sistema]\npath=" + longPath + "\n");
    load();
    EXPECT_EQ(state().statusFilePath, std::string(80, 'd') + "\\Status.txt");
}

TEST_F(ConfigurationTest, PathWithAndWithoutFinalSeparatorNameTheSameFiles) {
    writeIni("[Sistema]\npath=c:\\ecf\\\n");
    load();
    EXPECT_EQ(state().statusFilePath, "c:\\ecf\\Status.txt");
    EXPECT_EQ(state().answerFilePath, "c:\\ecf\\Retorno.txt");
    writeIni("[Sistema]\npath=c:\\ecf\n");
    load();
    EXPECT_EQ(state().statusFilePath, "c:\\ecf\\Status.txt");
    EXPECT_EQ(state().answerFilePath, "c:\\ecf\\Retorno.txt");
    writeIni("[Sistema]\nPATH=/srv/ecf/\n");
    load();
    EXPECT_EQ(state().statusFilePath, "/srv/ecf/Status.txt");
}

TEST_F(ConfigurationTest, ModelAndEmulatorSwitches) {
    writeIni("[Sistema]\nModeloImp=yanco\nEmulMFD=1\n");
    load();
    EXPECT_EQ(state().printerModel, "YANCO");
    EXPECT_FALSE(state().emulatorMode);  // only read for the Quelmar model

    writeIni("[Sistema]\nModeloImp=Quelmar\nEmulMFD=1\nStatusCheque=IBM\n");
    load();
    EXPECT_EQ(state().printerModel, "QUELMAR");
    EXPECT_TRUE(state().emulatorMode);
    EXPECT_TRUE(state().chequeStatusIbm);

    writeIni("[Sistema]\nModeloImp=MARCA\nStatusCheque=ibm\n");
    load();
    EXPECT_EQ(state().printerModel, "QUELMAR");
    EXPECT_FALSE(state().chequeStatusIbm);
}

TEST_F(ConfigurationTest, ReductionTimeoutIsMinutesBetweenOneAndNinetyNine) {
    const std::pair<const char*, int> cases[] = {{"5", 300},   {"99", 5940}, {"1", 60},
                                                 {"150", 180}, {"100", 180}, {"abc", 180},
                                                 {"0", 180},   {"-3", 180},  {"7min", 420}};
    for (const auto& [text, seconds] : cases) {
        writeIni(std::string("[MFD]\nTimeOutZ=") + text + "\nImpressora=0\n");
        load();
        EXPECT_EQ(state().reductionTimeout, seconds) << text;
    }
}

TEST_F(ConfigurationTest, LoadWritesEveryValueToTheCallLog) {
    writeIni("[Sistema]\npath=" + workDir() +
             "\\\nLog=1\nRetorno=0\nModeloImp=QUELMAR\nConfigRede=0\nPorta=COM1\n"
             "[MFD]\nStatusErro=1\nImpressora=1\n");
    load();
    EXPECT_EQ(
        workLog(),
        logLines({std::string(71, '-') + " ", "Quelmar_FI_LeInformacoesConfiguracao ",
                  "path: " + workDir() + "\\", "Log: 1", "Status: 1", "Retorno: 0",
                  "ControlePorta: 0", "StatusFuncao: 0", "ModeloImp: QUELMAR", "ConfigRede: 0",
                  "ModoGaveta: 0", "EmulMFD: 0", "StatusCheque: 0", "Porta: COM1", "StatusErro: 1",
                  "Impressora: 1", "Retorno Quelmar_FI_LeInformacoesConfiguracao:  "}));
}

TEST_F(ConfigurationTest, ReloadReadsTheEditedFile) {
    writeIni("[Sistema]\nPorta=COM1\n");
    load();
    writeIni("[Sistema]\nPorta=COM4\n");
    EXPECT_EQ(state().portName, "COM1");
    Quelmar_FI_ReloadINIFile();
    EXPECT_EQ(state().portName, "COM4");
}

TEST_F(ConfigurationTest, LocalIniSwitchReloadsOnceAndPortOpeningOnceMore) {
    writeIni("[Sistema]\nPorta=COM1\n");
    load();
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

}  // namespace
}  // namespace quelfi::test

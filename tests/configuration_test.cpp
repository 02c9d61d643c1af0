// The configuration file: key inheritance, the comment cut, the answer-file names, the reduction
// time-out, the local INI switch, and the lines the load writes to the call log.
#include "core/config.h"
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

}  // namespace
}  // namespace quelfi::test

// A Yanco shop's day through the Quelmar exports, on the virtual Yanco printer served on a
// pseudo-terminal (the library's own serial code on the line): the start of day, the day's
// documents, the Z reduction with the records it keeps in the INI, and the next day's start.
#include <filesystem>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "quelfi/served_yanco.h"
#include "quelfi32.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

const std::string kSep = std::string(71, '-') + " ";
const std::string k13(13, ' ');

class YancoDayTest : public LibraryTest {
  protected:
    std::string iniValue(const std::string& section, const std::string& key) {
        return platform::readProfileString(systemDir() + "/QuelFI32.ini", section, key)
            .value_or("(none)");
    }
    void clearLog() { std::filesystem::remove(workDir() + "/QuelFI32.log"); }
    std::string paper() { return served->printer().paper().text(); }

    std::unique_ptr<tool::ServedYanco> served;
};

TEST_F(YancoDayTest, DayOfAShop) {
    served = std::make_unique<tool::ServedYanco>(
        sim::yanco::modelFromSeed("clock=06/12/2026 08:00:00; coo=40; crz=3; gt=1000.00;"
                                  "totalizers=Recebimento,Sangria,Suprimento,,,,Taxa"),
        tool::ServedYanco::Options{portDir(), "", ""});
    writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\nPorta=COM1\nModeloImp=YANCO\n");
    load();
    clearLog();

    // The first call of the day opens the port, and with it the printer's day, once; the day
    // opening's own "121" then finds the day open, and the opening cash goes in as a supply.
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("50,00", "Dinheiro"), 1);
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_AberturaDoDia ", "Quelmar_FI_AbrePortaSerial ",
                  "Parâmetro: COM1", "Executando a abertura do dia",
                  "Abertura do dia executada com sucesso", "Retorno Quelmar_FI_AbrePortaSerial: 1",
                  "Quelmar_FI_Suprimento ", "Parâmetro: 5000|Dinheiro|",
                  "Retorno Quelmar_FI_Suprimento: 1", "Retorno Quelmar_FI_AberturaDoDia: 1"}));
    EXPECT_EQ(iniValue("Config", "InicioDia"), "1");
    EXPECT_EQ(iniValue("Config", "TOTSUPR"), "00000000005000");

    EXPECT_EQ(Quelmar_FI_LeituraX(), 1);
    EXPECT_EQ(Quelmar_FI_RelatorioGerencial(("CAIXA 1\r\n\r\n" + std::string(43, '=')).c_str()), 1);
    EXPECT_EQ(Quelmar_FI_FechaRelatorioGerencial(), 1);
    EXPECT_NE(paper().find("CAIXA 1\n\n" + std::string(42, '=') + "\n=\n"), std::string::npos)
        << paper();
    EXPECT_EQ(Quelmar_FI_RecebimentoNaoFiscal("07", "10,00", "Dinheiro"), 1);
    clearLog();
    EXPECT_EQ(Quelmar_FI_Sangria("100,00"), 1);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_Sangria ", "Parâmetro: 100,00",
                                   "Retorno Quelmar_FI_Sangria: 1"}));
    EXPECT_EQ(Quelmar_FI_Suprimento("20,00", nullptr), 1);
    EXPECT_EQ(iniValue("Config", "TOTSUPR"), "00000000007000");
    EXPECT_EQ(Quelmar_FI_AcionaGaveta(), 1);
    short drawer = -1;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoGaveta(&drawer), 1);
    EXPECT_EQ(drawer, 1);
    char number[8] = {};
    EXPECT_EQ(Quelmar_FI_NumeroCupom(number), 1);
    const std::string coo = number;
    char counters[40] = {};
    EXPECT_EQ(Quelmar_FI_ContadoresTotalizadoresNaoFiscais(counters), 1);
    EXPECT_EQ(std::string(counters), "000000010002000000000000000100000000");

    // The reduction keeps what the printer cannot tell afterwards.
    EXPECT_EQ(Quelmar_FI_ReducaoZ("", ""), 1);
    const std::string nonFiscal = std::string(14, '0') + "00000000010000" + "00000000007000" +
                                  std::string(3 * 14, '0') + "00000000001000" +
                                  std::string(2 * 14, '0');
    const std::pair<std::string, std::string> records[] = {
        {"COO", coo},
        {"CANC", std::string(14, '0')},
        {"ACRE", std::string(14, '0')},
        {"DESC", std::string(14, '0')},
        {"ALIQ", "1800120007000500" + std::string(48, '0')},
        {"NUMALIQ", "04"},
        {"TOTPARC", std::string(266, '0')},
        {"TOTNSUJ", nonFiscal},
        {"SANG", "00000000010000"},
        {"SUPR", "00000000007000"},
        {"GT", "000000000000100000"},
        {"CONTNSU", "000000010002000000000000000100000000"},
        {"DATAMOV", "061226"},
        {"CONTOPN", "000000"},
    };
    for (const auto& [key, value] : records) EXPECT_EQ(iniValue("ReducaoYanco", key), value) << key;
    EXPECT_EQ(iniValue("RelatorioTipo60", "GTInicial"), "000000000000100000");
    EXPECT_EQ(iniValue("RelatorioTipo60", "GTFinal"), "000000000000100000");
    EXPECT_EQ(iniValue("Config", "InicioDia"), "0");
    EXPECT_EQ(iniValue("Config", "TOTSUPR"), "00000000000000");
    EXPECT_EQ(iniValue("Config", "DATARED").substr(0, 6), "061226");
    EXPECT_EQ(served->printer().model().counters.crz, 4);

    // The last reduction read back from the INI, in the record's sixteen fields.
    char last[700] = {};
    EXPECT_EQ(Quelmar_FI_DadosUltimaReducao(last), 1);
    EXPECT_EQ(std::string(last),
              "00,000000000000100000," + std::string(14, '0') + "," + std::string(14, '0') +
                  ",1800120007000500" + std::string(48, '0') + "," + std::string(266, '0') +
                  ",00000000010000,00000000007000," + nonFiscal +
                  ",000000010002000000000000000100000000," + coo + ",000000,04,061226," +
                  std::string(14, '0') + "," + std::string(14, '0'));

    // The next opening of the port opens the printer's next day.
    Quelmar_FI_FechaPortaSerial();
    clearLog();
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: COM1",
                        "Executando a abertura do dia", "Abertura do dia executada com sucesso",
                        "Retorno Quelmar_FI_AbrePortaSerial: 1"}));
    EXPECT_TRUE(served->printer().model().dayOpen);
    Quelmar_FI_FechaPortaSerial();
}

}  // namespace
}  // namespace quelfi::test

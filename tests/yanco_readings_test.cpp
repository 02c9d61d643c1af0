// The readings into the file on the virtual Yanco printer: the X reading and the fiscal memory
// composed from the printer's frames, SINTEGRA's registers read back from them, and the
// configuration report on the printer's paper.
#include <filesystem>

#include "yanco_fixture.h"

namespace quelfi::test {
namespace {

class YancoReadingsTest : public YancoTest {
  protected:
    std::string answer() { return readFile(workDir() + "/Retorno.txt"); }
};

TEST_F(YancoReadingsTest, XReadingComposedIntoTheAnswerFile) {
    start("sales.1=1234.56; payment.1.total=1234.56; totalizer.3.count=1; totalizer.3.total=5");
    configure();
    EXPECT_EQ(Quelmar_FI_LeituraXSerial(), 1);
    EXPECT_EQ(commands(), std::vector<std::string>{"2F"});
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_LeituraXSerial ",
                                   "Retorno Quelmar_FI_LeituraXSerial: 1"}));
    const std::string zero = "                 0000               0,00\r\n";
    EXPECT_EQ(answer(),
              "             L E I T U R A  X\r\n06/12/2026 10:00:00             COO:000000\r\n"
              "MOVIMENTO                       06/12/2026\r\n------------[ TOTALIZADORES "
              "]-------------\r\n"
              "GT FINAL                              0,00\r\nGT INICIAL                            "
              "0,00\r\n"
              "VENDA BRUTA                           0,00\r\nCANCELAMENTOS                         "
              "0,00\r\n"
              "DESCONTOS ICMS                        0,00\r\nDESCONTOS ISS                         "
              "0,00\r\n"
              "ACRESCIMOS ICMS                       0,00\r\nACRESCIMOS ISS                        "
              "0,00\r\n"
              "VENDA LIQUIDA                         0,00\r\n--------------[ CONTADORES "
              "]--------------\r\n"
              "COO                                 000000\r\nCCF                                 "
              "000000\r\n"
              "GNF                                 000000\r\nGRG                                 "
              "000000\r\n"
              "CDC                                 000000\r\nCRZ                                   "
              "0000\r\n"
              "CRO                                   0000\r\nCUPONS CANCELADOS                     "
              "0000\r\n"
              "--------[ OPERACOES NAO FISCAIS ]---------\r\n01 Recebimento     0000               "
              "0,00\r\n"
              "02 Sangria         0000               0,00\r\n03 Suprimento      0001               "
              "5,00\r\n"
              "04" +
                  zero + "05" + zero + "06" + zero + "07" + zero + "08" + zero + "09" + zero +
                  "---------[ FORMAS DE PAGAMENTO ]----------\r\n01 Dinheiro                       "
                  "1.234,56\r\n"
                  "02 Cheque                             0,00\r\n03 Cartao                         "
                  "    0,00\r\n"
                  "--------[ SITUACOES TRIBUTARIAS ]---------\r\n01 T18,00%                        "
                  "1.234,56\r\n"
                  "02 T12,00%                            0,00\r\n03 T07,00%                        "
                  "    0,00\r\n"
                  "F  SUBSTITUICAO                       0,00\r\nI  ISENCAO                        "
                  "    0,00\r\n"
                  "N  NAO INCIDENCIA                     0,00\r\n-----------------[ ISS "
                  "]------------------\r\n"
                  "04 S05,00%                            0,00\r\n");

    // A line that goes silent, and an answer file that cannot be written.
    line->goSilent();
    clearLog();
    EXPECT_EQ(Quelmar_FI_LeituraXSerial(), 0);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_LeituraXSerial ",
                                   "Retorno Quelmar_FI_LeituraXSerial: 0 - Erro de comunicacao"}));
    start();
    std::filesystem::create_directories(workDir() + "/Retorno.txt/kept");
    clearLog();
    EXPECT_EQ(Quelmar_FI_LeituraXSerial(), -8);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_LeituraXSerial ",
                        "Retorno Quelmar_FI_LeituraXSerial: -8 - Erro ao escrever no arquivo "
                        "retorno.txt"}));
}

TEST_F(YancoReadingsTest, FiscalMemoryComposedAndReadBackForSintegra) {
    start(
        "crz=2; coo=12; z.1.crz=1; z.1.coo=5; z.1.movement=04/12/2026; z.1.gt=100.00;"
        "z.1.sales.1=60.00; z.1.sales.4=20.00; z.1.sales.14=10.00; z.1.cancellations=5.00;"
        "z.1.icms.discounts=5.00; z.2.crz=2; z.2.coo=9; z.2.movement=05/12/2026;"
        "z.2.gt.opening=100.00; z.2.gt=1150.00; z.2.sales.2=1050.00");
    configure("StatusFuncao=1\n");
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalSerialData("04/12/26", "05/12/26"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"25", "2D0041226051226000000000"}));
    const std::string none =
        "Isencao I=                            0,00\r\n"
        "Nao incidencia N=                     0,00\r\n";
    const std::string noSurcharges =
        "Acrescimos ICMS                       0,00\r\n"
        "Acrescimos ISS                        0,00\r\n";
    const std::string reading = readFile(workDir() + "/LMFISCAL.TXT");
    EXPECT_EQ(reading,
              "L E I T U R A  M E M O R I A  F I S C A L\r\n06/12/2026 10:00:00             "
              "COO:000012\r\n"
              "CNPJ: 11.222.333/0001-81\r\nFAB: YC00000001\r\nLJ: 0001  CX: 0001\r\nCRO: 0000\r\n"
              "PERIODO 04/12/2026 A 05/12/2026\r\n------------------------------------------\r\n"
              "REDU\xC7\xD5"
              "ES DI\xC1RIAS\r\nCRZ: 0001  COO: 000005  DATA: 04/12/2026\r\n"
              "GT:                                 100,00\r\nVenda bruta                         "
              "100,00\r\n"
              "Venda liquida                        90,00\r\n" +
                  noSurcharges +
                  "1800=                                60,00\r\n1200=                             "
                  "    0,00\r\n"
                  "0700=                                 0,00\r\nISS=                              "
                  "   20,00\r\n"
                  "Cancelamentos c=                      5,00\r\nDescontos d=                      "
                  "    5,00\r\n"
                  "Substituicao F=                      10,00\r\n" +
                  none +
                  "CRZ: 0002  COO: 000009  DATA: 05/12/2026\r\nGT:                               "
                  "1.150,00\r\n"
                  "Venda bruta                       1.050,00\r\nVenda liquida                     "
                  "1.050,00\r\n" +
                  noSurcharges +
                  "1800=                                 0,00\r\n1200=                             "
                  "1.050,00\r\n"
                  "0700=                                 0,00\r\nISS=                              "
                  "    0,00\r\n"
                  "Cancelamentos c=                      0,00\r\nDescontos d=                      "
                  "    0,00\r\n"
                  "Substituicao F=                       0,00\r\n" +
                  none +
                  "------------------------------------------\r\nTotal do Per\xEDodo\r\n"
                  "Venda bruta                       1.150,00\r\nCancelamentos c=                  "
                  "    5,00\r\n"
                  "Descontos d=                          5,00\r\nSubstituicao F=                   "
                  "   10,00\r\n" +
                  none + "TOTAL DO USUARIO\r\nGT:                               1.150,00\r\n");
    EXPECT_EQ(answer(), reading);

    // SINTEGRA's registers from the reading left in Retorno.txt.
    EXPECT_EQ(Quelmar_FI_DadosSintegra("", ""), 1);
    const auto record = [](const std::string& start) {
        return start + std::string(126 - start.size(), ' ') + "\r\n";
    };
    const std::string day1 = "60A20261204YC00000001          ";
    EXPECT_EQ(answer(),
              record("60M20261204YC00000001          0012D000005000005000001000000000000001000"
                     "00000000000010000") +
                  record(day1 + "1800000000006000") + record(day1 + "ISS 000000002000") +
                  record(day1 + "CANC000000000500") + record(day1 + "DESC000000000500") +
                  record(day1 + "F   000000001000") +
                  record("60M20261205YC00000001          0012D000006000009000002000000000000010500"
                         "00000000000115000") +
                  record("60A20261205YC00000001          1200000000105000"));

    // A reversed range: the printer refuses it, nothing is written.
    clearLog();
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalSerialReducao("2", "1"), -27);
    EXPECT_EQ(commands(), (std::vector<std::string>{"25", "2D0000000000000000200011"}));
    EXPECT_FALSE(std::filesystem::exists(workDir() + "/Retorno.txt"));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_LeituraMemoriaFiscalSerialReducao ", "Par\xE2metros: 2|1",
                        "Quelmar_FI_VerificaImpressoraLigada ",
                        "Retorno Quelmar_FI_VerificaImpressoraLigada: 1 - Impressora ligada",
                        "Retorno Quelmar_FI_LeituraMemoriaFiscalSerialReducao: -27"}));
}

// The Yanco printer has no paper monitor: that line is left out.
TEST_F(YancoReadingsTest, ConfigurationReportOnPaper) {
    start();
    configure();
    EXPECT_EQ(Quelmar_FI_ImprimeConfiguracoesImpressora(), 1);
    EXPECT_EQ(
        printer->paper().text(),
        "           YANCO COMERCIO LTDA\nCNPJ 11.222.333/0001-81\nIE 111.222.333.444\n"
        "------------------------------------------\n"
        "06/12/2026 10:00:00             COO:000001\n           RELATORIO GERENCIAL\n"
        "\n        C O N F I G U R A C O E S\n\n\n"
        "Data da impressora              06/12/26\nHora da impressora              10:00:00\n"
        "Versao do firmware                   0.1\nNumero de serie               YC00000001\n"
        "Numero da loja                      0001\nNumero do caixa                     0001\n"
        "Simbolo da moeda                      R$\nModo de operacao          Arredondamento\n"
        "Horario de verao                     Nao\nJa houve reducao Z                   Nao\n"
        "Memoria fiscal                Com espaco\nVersao da dll                    1,0,0,0\n"
        "Log da dll                    Habilitado\nTipo impressora\n"
        "     fiscal  +  gaveta +\n                     autenticacao\n"
        "------------------------------------------\nYANCO ECF                   FAB:YC00000001\n"
        "VERSAO 01                  LJ:0001 CX:0001\n");
}

}  // namespace
}  // namespace quelfi::test

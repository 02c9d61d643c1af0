// The Yanco printer's readings into the file, SINTEGRA read back from them, its settings report.
#include <filesystem>

#include "yanco_fixture.h"

namespace quelfi::test {
namespace {

// Lines of 42 columns, "label|value" with the label at the left and the value at the right
// margin; a label alone has the value 0,00.
std::string rows(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        const std::size_t bar = line.find('|');
        const std::string label = line.substr(0, bar);
        const std::string value = bar == std::string::npos ? "0,00" : line.substr(bar + 1);
        out += label + std::string(42 - label.size() - value.size(), ' ') + value + "\r\n";
    }
    return out;
}

using YancoReadingsTest = YancoTest;

TEST_F(YancoReadingsTest, XReadingComposedIntoTheAnswerFile) {
    start("sales.1=1234.56; payment.1.total=1234.56; totalizer.3.count=1; totalizer.3.total=5");
    configure();
    EXPECT_EQ(Quelmar_FI_LeituraXSerial(), 1);
    EXPECT_EQ(commands(), std::vector<std::string>{"2F"});
    const auto logged = [](const std::string& result) {
        return logLines(
            {kSep, "Quelmar_FI_LeituraXSerial ", "Retorno Quelmar_FI_LeituraXSerial: " + result});
    };
    EXPECT_EQ(workLog(), logged("1"));
    EXPECT_EQ(
        readFile("Retorno.txt"),
        "             L E I T U R A  X\r\n" +
            rows({"06/12/2026 10:00:00|COO:000000", "MOVIMENTO|06/12/2026"}) +
            "------------[ TOTALIZADORES ]-------------\r\n" +
            rows({"GT FINAL", "GT INICIAL", "VENDA BRUTA", "CANCELAMENTOS", "DESCONTOS ICMS",
                  "DESCONTOS ISS", "ACRESCIMOS ICMS", "ACRESCIMOS ISS", "VENDA LIQUIDA"}) +
            "--------------[ CONTADORES ]--------------\r\n" +
            rows({"COO|000000", "CCF|000000", "GNF|000000", "GRG|000000", "CDC|000000", "CRZ|0000",
                  "CRO|0000", "CUPONS CANCELADOS|0000"}) +
            "--------[ OPERACOES NAO FISCAIS ]---------\r\n" +
            rows({"01 Recebimento     0000", "02 Sangria         0000",
                  "03 Suprimento      0001|5,00", "04                 0000",
                  "05                 0000", "06                 0000", "07                 0000",
                  "08                 0000", "09                 0000"}) +
            "---------[ FORMAS DE PAGAMENTO ]----------\r\n" +
            rows({"01 Dinheiro|1.234,56", "02 Cheque", "03 Cartao"}) +
            "--------[ SITUACOES TRIBUTARIAS ]---------\r\n" +
            rows({"01 T18,00%|1.234,56", "02 T12,00%", "03 T07,00%", "F  SUBSTITUICAO",
                  "I  ISENCAO", "N  NAO INCIDENCIA"}) +
            "-----------------[ ISS ]------------------\r\n" + rows({"04 S05,00%"}));

    // A line that goes silent, and an answer file that cannot be written.
    line->goSilent();
    clearLog();
    EXPECT_EQ(Quelmar_FI_LeituraXSerial(), 0);
    EXPECT_EQ(workLog(), logged("0 - Erro de comunicacao"));
    // The reading leaves the port open: closed while the printer is replaced under it.
    Quelmar_FI_FechaPortaSerial();
    start();
    Quelmar_FI_AbrePortaSerial();
    std::filesystem::create_directories(workDir() + "/Retorno.txt/kept");
    clearLog();
    EXPECT_EQ(Quelmar_FI_LeituraXSerial(), -8);
    EXPECT_EQ(workLog(), logged("-8 - Erro ao escrever no arquivo retorno.txt"));
}

TEST_F(YancoReadingsTest, FiscalMemoryComposedAndReadBackForSintegra) {
    start(
        "z.1.crz=1; z.1.coo=5; z.1.movement=04/12/2026; z.1.gt=1100.00; z.1.sales.1=1060.00;"
        "z.1.sales.4=20.00; z.1.sales.14=10.00; z.1.cancellations=5.00; z.1.icms.discounts=5");
    configure("StatusFuncao=1\n");
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalSerialData("04/12/26", "05/12/26"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"25", "2D0041226051226000000000"}));
    const std::string dashes = std::string(42, '-') + "\r\n";
    const std::string reading = readFile(workDir() + "/LMFISCAL.TXT");
    EXPECT_EQ(
        reading,
        "L E I T U R A  M E M O R I A  F I S C A L\r\n" + rows({"06/12/2026 10:00:00|COO:000000"}) +
            "CNPJ: 11.222.333/0001-81\r\nFAB: YC00000001\r\nLJ: 0001  CX: 0001\r\n"
            "CRO: 0000\r\nPERIODO 04/12/2026 A 05/12/2026\r\n" +
            dashes + "REDU\xC7\xD5" + "ES DI\xC1RIAS\r\n" +
            "CRZ: 0001  COO: 000005  DATA: 04/12/2026\r\n" +
            rows({"GT:|1.100,00", "Venda bruta|1.100,00", "Venda liquida|1.090,00",
                  "Acrescimos ICMS", "Acrescimos ISS", "1800=|1.060,00",
                  "1200=", "0700=", "ISS=|20,00", "Cancelamentos c=|5,00", "Descontos d=|5,00",
                  "Substituicao F=|10,00", "Isencao I=", "Nao incidencia N="}) +
            dashes + "Total do Per\xEDodo\r\n" +
            rows({"Venda bruta|1.100,00", "Cancelamentos c=|5,00", "Descontos d=|5,00",
                  "Substituicao F=|10,00", "Isencao I=", "Nao incidencia N="}) +
            "TOTAL DO USUARIO\r\n" + rows({"GT:|1.100,00"}));
    EXPECT_EQ(readFile("Retorno.txt"), reading);

    EXPECT_EQ(Quelmar_FI_DadosSintegra("", ""), 1);
    const auto record = [](std::string start) {
        return start.append(126 - start.size(), ' ') + "\r\n";
    };
    const std::string day = "60A20261204YC00000001          ";
    EXPECT_EQ(readFile("Retorno.txt"),
              record("60M20261204YC00000001          0012D000005000005000001000"
                     "00000000001100000000000000110000") +
                  record(day + "1800000000106000") + record(day + "ISS 000000002000") +
                  record(day + "CANC000000000500") + record(day + "DESC000000000500") +
                  record(day + "F   000000001000"));

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

// No paper monitor on this printer: its line is left out. The text goes in two calls (610).
TEST_F(YancoReadingsTest, ConfigurationReportOnPaper) {
    start();
    configure();
    EXPECT_EQ(Quelmar_FI_ImprimeConfiguracoesImpressora(), 1);
    const std::string paper = printer->paper().text();
    const std::string report = "           RELATORIO GERENCIAL\n";
    EXPECT_EQ(paper.substr(paper.find(report) + report.size()),
              "\n        C O N F I G U R A C O E S\n\n\n"
              "Data da impressora              06/12/26\nHora da impressora              10:00:00\n"
              "Versao do firmware                   0.1\nNumero de serie               YC00000001\n"
              "Numero da loja                      0001\nNumero do caixa                     0001\n"
              "Simbolo da moeda                      R$\nModo de operacao          Arredondamento\n"
              "Horario de verao                     Nao\nJa houve reducao Z                   Nao\n"
              "Memoria fiscal                Com espaco\nVersao da dll                    1,0,0,0\n"
              "Log da dll                    Habilitado\nTipo impressora\n"
              "     fiscal  +  gaveta +\n                     autenticacao\n" +
                  std::string(42, '-') +
                  "\nYANCO ECF                   FAB:YC00000001\n"
                  "VERSAO 01                  LJ:0001 CX:0001\n");
}

}  // namespace
}  // namespace quelfi::test

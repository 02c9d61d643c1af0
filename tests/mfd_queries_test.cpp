// The journal printer's queries, switches and cheque through the library's exports against the
// virtual printer: each answer against what the printer's model holds, in the buffer and in
// Retorno.txt; the lists and records with their layouts; the fallbacks of printers of type 0.
#include <gtest/gtest.h>

#include <functional>

#include "core/printer_state.h"
#include "mfd/computed_reports.h"
#include "quelfi32.h"
#include "support/wire_bytes.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

using core::state;
using Lines = std::vector<std::string>;

const char* const kJournalSeed =
    "mfd=1; serial=QM0123456789; firmware=01.03.00; cnpj=12.345.678/0001-90; ie=110.042.490.114;"
    "im=998877; uf=RJ; journal.serial=QMMFD42; journal.size=4096; ccf=41; grg=7; cdc=3;"
    "minutes=1234; clock=15/03/2024 10:30:45; coo=1234; gt=1000.00; rates=18.00,5.00/ISS;"
    "payments=Dinheiro,Cartao/V; payment.2.total=80.00; totalizers=Sangria,,Recebimento;"
    "totalizer.3.count=2; totalizer.3.total=30.00; cheque.line=<00100010<0000001234>123456789012:";

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> out(1);
    for (char c : text) {
        if (c == separator)
            out.emplace_back();
        else
            out.back().push_back(c);
    }
    return out;
}

std::string digits(int value, int width) {
    std::string text = std::to_string(value);
    return std::string(static_cast<std::size_t>(width) - text.size(), '0') + text;
}

class MfdQueriesTest : public VirtualPrinterTest {
  protected:
    void SetUp() override {
        VirtualPrinterTest::SetUp();
        reseed(kJournalSeed);
        connect("[MFD]\nImpressora=1\n");
        ASSERT_EQ(Quelmar_FI_HabDesRetMFD("1"), 1);
        clearLog();
    }
    std::string lastCommand() const { return commands().back(); }
};

TEST_F(MfdQueriesTest, SimpleAnswersAreThePrintersOwnInBufferAndFile) {
    struct Case {
        std::function<int(char*)> query;
        std::string command, expected;
    };
    const Case cases[] = {
        {Quelmar_FI_NumeroSerieMFD, "#(", "QMECFQM0123456789   "},
        {Quelmar_FI_VersaoFirmwareMFD, "#)", "010300"},
        {Quelmar_FI_CNPJMFD, "#*", "12.345.678/0001-90  "},
        {Quelmar_FI_InscricaoMunicipalMFD, "#,", "998877" + std::string(14, ' ')},
        {Quelmar_FI_TempoOperacionalMFD, "#-", "1234"},
        {Quelmar_FI_ContadorComprovantesCreditoMFD, "#4", "0003"},
        {Quelmar_FI_ContadorRelatoriosGerenciaisMFD, "#6", "000007"},
        {Quelmar_FI_ContadorCupomFiscalMFD, "#7", "000041"},
        {Quelmar_FI_NumeroSerieMemoriaMFD, "#:", "QMMFD42" + std::string(13, ' ')},
        {Quelmar_FI_TamanhoTotalMFD, "#>", "0000004096"},
        {Quelmar_FI_TotalLivreMFD, "#?", "0000004096"},
        {Quelmar_FI_PercentualLivreMFD, "#=", "100.00"},
        {Quelmar_FI_UFProprietarioMFD, "#F", "RJ"},
        {Quelmar_FI_GrandeTotalUltimaReducaoMFD, "#D", std::string(18, '0')},
    };
    for (const Case& c : cases) {
        clearLog();
        std::string buffer(64, 'X');
        ASSERT_EQ(c.query(buffer.data()), 1) << c.command;
        EXPECT_EQ(buffer.c_str(), c.expected);
        EXPECT_EQ(lastCommand(), "\x1C" + c.command);
    }
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_GrandeTotalUltimaReducaoMFD ",
                                   "Retorno impressora: " + std::string(18, '0'), "Retorno: 1"}));

    std::string first(8, 'X'), last(8, 'X');
    ASSERT_EQ(Quelmar_FI_InicioFimCOOsMFD(first.data(), last.data()), 1);
    EXPECT_EQ(first.c_str() + std::string("/") + last.c_str(), "000001/001234");
    EXPECT_EQ(Quelmar_FI_InicioFimCOOsMFD(first.data(), nullptr), -2);
    short flag = 7;
    ASSERT_EQ(Quelmar_FI_VerificaFlagCorteMFD(&flag), 1);
    EXPECT_EQ(flag, 1);
    clearLog();
    EXPECT_EQ(Quelmar_FI_StatusEstendidoMFD(nullptr), -2);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_StatusEstendidoMFD ",
                        cp1252("Retorno Quelmar_FI_StatusEstendidoMFD: -2 - parametro passado é "
                               "inválido NULL")}));

    reconfigure("Retorno=1\n", "Impressora=1\n");
    ASSERT_EQ(Quelmar_FI_HabDesRetMFD("1"), 1);
    std::string untouched(8, 'X');
    ASSERT_EQ(Quelmar_FI_UFProprietarioMFD(untouched.data()), 1);
    EXPECT_EQ(untouched, std::string(8, 'X'));
    EXPECT_EQ(answerFile(), "RJ");
}

TEST_F(MfdQueriesTest, ListsKeepTheirLayoutsAndLookUpsFindByName) {
    const std::string counters = answer(Quelmar_FI_ContadoresTotalizadoresNaoFiscaisMFD);
    EXPECT_EQ(counters.size(), 149u);
    EXPECT_EQ(counters.substr(0, 15), "0000,0000,0002,");

    const std::string forms = answer(Quelmar_FI_VerificaFormasPagamentoMFD);
    ASSERT_EQ(forms.size(), 919u);
    EXPECT_EQ(forms.substr(0, 92), "Dinheiro        " + std::string(28, '0') +
                                       "0,Cartao          " + "00000000008000" +
                                       std::string(14, '0') + "1,");

    std::string value(16, 'X');
    ASSERT_EQ(Quelmar_FI_ValorFormaPagamentoMFD("Cartao", value.data()), 1);
    EXPECT_EQ(value.c_str(), std::string("00000000008000"));
    ASSERT_EQ(Quelmar_FI_ValorTotalizadorNaoFiscalMFD("Recebimento", value.data()), 1);
    EXPECT_EQ(value.c_str(), std::string("00000000003000"));
    clearLog();
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamentoMFD("Cheque", value.data()), -24);
    EXPECT_EQ(Quelmar_FI_ValorTotalizadorNaoFiscalMFD("Vale", value.data()), -25);
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamentoMFD("ABCDEFGHIJKLMNOPQ", value.data()), -2);
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamentoMFD(nullptr, value.data()), -2);

    reconfigure("Retorno=1\n", "Impressora=1\n");
    ASSERT_EQ(Quelmar_FI_HabDesRetMFD("1"), 1);
    ASSERT_EQ(Quelmar_FI_VerificaFormasPagamentoMFD(nullptr), 1);
    const std::string file = answerFile();
    EXPECT_EQ(file.size(), 919u + 2 * 19);
    for (std::size_t at = 46; at < file.size(); at += 48) EXPECT_EQ(file.substr(at, 2), "\r\n");
}

TEST_F(MfdQueriesTest, TheReductionReadsTheJournalRecordAndItAnswersTheModel) {
    reseed(std::string(kJournalSeed) + ";z.1.crz=1;z.1.coo=1200;z.1.gt=900.00");
    ASSERT_EQ(Quelmar_FI_AbreCupom(""), 1);
    ASSERT_EQ(Quelmar_FI_VendeItem("1", "ARROZ", "18,00", "I", "1", 2, "10,00", "$", "0"), 1);
    ASSERT_EQ(Quelmar_FI_FechaCupomResumido("Dinheiro", ""), 1);
    ASSERT_EQ(Quelmar_FI_ReducaoZ("", ""), 1);
    EXPECT_NE(ini().find("GTInicial=000000000000090000\nGTFinal=000000000000101000"),
              std::string::npos)
        << ini();
    std::string record(1300, 'X');
    ASSERT_EQ(Quelmar_FI_DadosUltimaReducaoMFD(record.data()), 1);
    const std::vector<std::string> fields = split(record.c_str(), ',');
    ASSERT_EQ(fields.size(), 37u);
    const sim::Reduction z = printer.model().reductions.back();
    EXPECT_EQ(fields[3], digits(z.coo, 6));
    EXPECT_EQ(fields[15], "000000000000101000");
    EXPECT_EQ(fields[16].substr(0, 14), "00000000001000");
    EXPECT_EQ(fields[36], "150324");
}

TEST_F(MfdQueriesTest, SwitchesAndTheExtendedReturn) {
    EXPECT_EQ(Quelmar_FI_AtivaDesativaVendaUmaLinhaMFD(0), 1);
    EXPECT_EQ(lastCommand(), "\x1C><kqzt73911");
    EXPECT_TRUE(printer.model().oneLineSale);
    EXPECT_EQ(Quelmar_FI_AtivaDesativaTratamentoONOFFLineMFD(0), 1);
    EXPECT_EQ(lastCommand(), "\x1C>90");
    EXPECT_EQ(Quelmar_FI_AtivaDesativaAlinhamentoEsquerdaMFD(0), 1);
    EXPECT_TRUE(printer.model().leftAlignment);
    clearLog();
    EXPECT_EQ(Quelmar_FI_AtivaDesativaCorteProximoMFD(), 1);
    EXPECT_FALSE(printer.model().cutNext);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_AtivaDesativaCorteProximoMFD ",
                                   "Retorno Quelmar_FI_AtivaDesativaCorteProximoMFD: 1"}));

    clearLog();
    EXPECT_EQ(Quelmar_FI_HabilitaDesabilitaRetornoEstendidoMFD("2"), -2);
    EXPECT_TRUE(state().mfdPrinter);
    EXPECT_EQ(Quelmar_FI_HabDesRetMFD(nullptr), -2);
    EXPECT_EQ(Quelmar_FI_HabDesRetMFD("0"), 1);
    EXPECT_FALSE(state().mfdPrinter);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_HabilitaDesabilitaRetornoEstendidoMFD ",
                                   "Retorno: -2 - Parametro invalido para o flag de retorno", kSep,
                                   "Quelmar_FI_HabilitaDesabilitaRetornoEstendidoMFD ",
                                   "Retorno: -2 - Parametro invalido para o flag de retorno", kSep,
                                   "Quelmar_FI_HabilitaDesabilitaRetornoEstendidoMFD ",
                                   cp1252("Parâmetro: 0"), "Retorno: 1 - Ok"}));

    // Only the pair of echo bits together is cleared; either alone is a real condition.
    struct Case {
        int st1, st2, st1Seen, st2Seen;
    };
    for (const Case& c : {Case{6, 1, 2, 0}, Case{8, 2, 8, 2}, Case{4, 0, 4, 0}, Case{5, 3, 1, 2}}) {
        state().ack = 6;
        state().st1 = c.st1;
        state().st2 = c.st2;
        short ack = 0, st1 = 0, st2 = 0, st3 = 9;
        EXPECT_EQ(Quelmar_FI_RetornoImpressoraMFD(&ack, &st1, &st2, &st3), 1);
        EXPECT_EQ(st1, c.st1Seen);
        EXPECT_EQ(st2, c.st2Seen);
    }
    EXPECT_EQ(Quelmar_FI_RetornoImpressoraMFD(nullptr, nullptr, nullptr, nullptr), 1);
}

TEST_F(MfdQueriesTest, ChequeReadingAndTheJournalChequeWithItsCopy) {
    std::string line(40, 'X');
    ASSERT_EQ(Quelmar_FI_LeituraChequeMFD(line.data()), 1);
    EXPECT_EQ(line.c_str(), std::string("<00100010<0000001234>123456789012:  "));
    printer.update([](sim::FiscalModel& m) { m.chequeLine = "<001?0010<0000001234>12345678901"; });
    EXPECT_EQ(Quelmar_FI_LeituraChequeMFD(line.data()), -10);
    printer.update([](sim::FiscalModel& m) { m.chequeLine.clear(); });
    EXPECT_EQ(Quelmar_FI_LeituraChequeMFD(line.data()), -9);

    reconfigure("", "Impressora=1\n[Formato]\n001=10;20;30;40;50;60;70;5;1;2;3;4;9\n");
    ASSERT_EQ(Quelmar_FI_HabDesRetMFD("1"), 1);
    printer.update([](sim::FiscalModel& m) { m.chequeSensor = 7; });
    // "00" is the digit 0: the fields after it stay in place.
    ASSERT_EQ(
        Quelmar_FI_ImprimeChequeMFD("001", "12,34", "Ana", "Rio", "01/02/2024", "", "00", "5"), 1);
    const std::string sent = lastCommand();
    EXPECT_EQ(sent, std::string("\x1C^0\x05") + "00000000001234" + "Ana" + std::string(42, ' ') +
                        std::string(24, ' ') + "Rio" + "01022024" +
                        std::string("\x03\x0D\x17\x21\x2B\x35\x3F\x01\x01\x02\x03\x04\x09\0", 14));
    EXPECT_EQ(Quelmar_FI_ImprimeCopiaCheque(), 1);
    EXPECT_EQ(lastCommand(), sent);
    EXPECT_EQ(Quelmar_FI_ImprimeChequeMFD("001", "1", "Ana", "Rio", "", "", "2", "5"), -2);
    EXPECT_EQ(Quelmar_FI_ImprimeChequeMFD("001", "1", "Ana", "Rio", "", "", "1", "36"), -2);
    EXPECT_EQ(Quelmar_FI_ImprimeChequeMFD("237", "1", "Ana", "Rio", "", "", "1", "3"), -7);
}

TEST_F(MfdQueriesTest, PrintersOfTypeZeroAreAskedTheOlderQueries) {
    reconfigure("", "Impressora=0\n");
    printer.update([](sim::FiscalModel& m) { m.electronicJournal = false; });
    state().mfdPrinter = false;
    clearLog();
    std::string serial(32, 'X');
    ASSERT_EQ(Quelmar_FI_NumeroSerieMFD(serial.data()), 1);
    EXPECT_EQ(serial.c_str(), std::string("QM0123456789   "));
    EXPECT_EQ(lastCommand(), std::string("\x1B#\0", 3));
    std::string record(1300, 'X');
    ASSERT_EQ(Quelmar_FI_DadosUltimaReducaoMFD(record.data()), 1);
    EXPECT_EQ(std::string(record.c_str()).size(), 1278u);
    EXPECT_EQ(lastCommand(), "\x1B>7");
}

}  // namespace
}  // namespace quelfi::test

namespace quelfi::test {
namespace {

// A day closed with 100,00 at 18 %, 20,00 of service tax, 1,50 cancelled, 0,50 discounted and
// 3,00 under tax substitution.
const char* const kClosedDaySeed =
    "mfd=1; serial=QM0123456789; register=7; crz=1; cro=2; rates=18.00,5.00/ISS;"
    "z.1.rates=18.00,5.00/ISS; z.1.ratetotals=100.00,20.00; z.1.icms.cancellations=1.50;"
    "z.1.icms.discounts=0.50; z.1.icms.substitution=3.00; z.1.movement=14/03/2024;"
    "z.1.gt=123.00; z.1.coo=1200; z.1.crz=1";

std::string analytic(const std::string& code, long long cents) {
    std::string amount = std::to_string(cents);
    return "60A20240314QMECFQM0123456789   " + code + std::string(12 - amount.size(), '0') +
           amount + std::string(79, ' ') + "\r\n";
}

TEST_F(MfdQueriesTest, ReportsComputedOnThePcFromTheReductionRecord) {
    reseed(kClosedDaySeed);
    reconfigure("", "Impressora=1\n[RelatorioTipo60]\nCOOInicial=1190\nCOOFinal=001200\n");
    ASSERT_EQ(Quelmar_FI_HabDesRetMFD("1"), 1);
    ASSERT_EQ(Quelmar_FI_RegistrosTipo60(), 1);
    const long long gross = 10000 + 2000 + 300 + 150 + 50;
    EXPECT_EQ(answerFile(), "60M20240314QMECFQM0123456789   0072D001190001200000001002" +
                                std::string(11, '0') + std::to_string(gross) + "0000000000012300" +
                                std::string(37, ' ') + "\r\n" + analytic("1800", 10000) +
                                analytic("ISS ", 2000) + analytic("CANC", 150) +
                                analytic("DESC", 50) + analytic("F   ", 300));

    ASSERT_EQ(Quelmar_FI_RelatorioTipo60Mestre(), 1);
    const std::string master = answerFile();
    EXPECT_NE(master.find("Subtipo...................: " + std::string(23, ' ') + "M\r\r\n"),
              std::string::npos);
    EXPECT_NE(
        master.find(cp1252("Totalizador geral.........: ") + std::string(18, ' ') + "123,00\r\r\n"),
        std::string::npos);
    EXPECT_NE(ini().find("GTFinal=000000000000012300"), std::string::npos);

    ASSERT_EQ(Quelmar_FI_MapaResumoMFD(), 1);
    const std::string map = answerFile();
    EXPECT_EQ(map.substr(0, 51),
              cp1252("Contador de Redução Z...........: ") + std::string(11, ' ') + "0001\r\n");
    EXPECT_NE(map.find("ISS.............................: " + std::string(10, ' ') + "20,00\r\n"),
              std::string::npos);
    EXPECT_NE(
        map.find("\r\n1800............................: " + std::string(9, ' ') + "100,00\r\n"),
        std::string::npos);
    EXPECT_EQ(mfd::moneyNotation(2147483648LL * 100), "2.147.483.648,00");
}

TEST_F(MfdQueriesTest, ReadingsStreamedIntoTheAnswerFileInsteadOfPrinted) {
    reseed(kClosedDaySeed);
    const std::size_t paperBefore = printer.paper().lines().size();
    ASSERT_EQ(Quelmar_FI_LeituraXSerial(), 1);
    EXPECT_EQ(lastCommand(),
              "\x1C"
              "E");
    const std::string reading = answerFile();
    EXPECT_GT(reading.size(), 1000u);
    EXPECT_EQ(reading.substr(reading.size() - 2), "\r\n");
    ASSERT_EQ(Quelmar_FI_LeituraMemoriaFiscalSerialReducao("1", "1"), 1);
    EXPECT_EQ(lastCommand(),
              "\x1C\x08"
              "000001000001R");
    EXPECT_NE(answerFile(), reading);
    EXPECT_EQ(printer.paper().lines().size(), paperBefore);

    // A reading the printer refuses leaves an empty file.
    ASSERT_EQ(Quelmar_FI_AbreCupom(""), 1);
    Quelmar_FI_LeituraXSerial();
    EXPECT_EQ(answerFile(), "");
}

}  // namespace
}  // namespace quelfi::test

// Every query member as a POS calls it, against the virtual printer: the bytes sent, the answer in
// the caller's buffer or in Retorno.txt, the call log with its separator rule, the client's
// record; the failures a query can meet; and the printer's replies, each of its fixed length.
#include <algorithm>
#include <cstring>
#include <functional>

#include "support/wire_bytes.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

using core::state;

const char* const kSeed =
    "serial=QM0123456789; firmware=01.03.00; cnpj=12.345.678/0001-90; ie=110.042.490.114;"
    "cliche=MERCADO BOM PRECO; store=12; register=3; currency=R$; mode=31;"
    "coo=1234; crz=56; cro=2; gnf=789; cancelled=4; owners=1; lastitem=17; tickets=5;"
    "minutes=4321; minutes.printing=98; paper.lines=300; cheque=100;"
    "gt=1234567.89; icms.cancellations=10.00; iss.cancellations=2.50; icms.discounts=1.00;"
    "iss.discounts=0.25; icms.surcharges=3.00; lastpaid=50.00; icms.exempt=4.00;"
    "iss.nonincidence=5.00; icms.substitution=6.00; withdrawals=7.00; supplies=8.00;"
    "clock=15/03/2024 10:30:45; movement=15/03/2024;"
    "rates=18.00,7.00/ISS,12.00,5.00/ISS; rate.1.total=100.00;"
    "payments=Dinheiro,Cartao/V; payment.2.total=80.00; payment.2.last=20.00;"
    "totalizers=Sangria,,Recebimento; totalizer.3.count=2; totalizer.3.total=30.00;"
    "departments=Bebidas; department.1.total=15.50; department.1.quantity=2.5";

std::string zeros(std::size_t digits) {
    return std::string(digits, '0');
}

// The digits cut into fields of the given widths, separated by commas.
std::string fields(const std::string& digits, std::initializer_list<std::size_t> widths) {
    return joined(cut(digits, widths), ",");
}

// The caller's buffer: cleared over the width, the answer and its terminator, nothing beyond.
std::string expectedBuffer(const std::string& answer, std::size_t width, std::size_t size) {
    std::string out = answer;
    out.resize(std::max(width, answer.size() + 1), '\0');
    out.resize(size, 'X');
    return out;
}

class QueryMembersTest : public VirtualPrinterTest {
  protected:
    void SetUp() override {
        VirtualPrinterTest::SetUp();
        reseed(kSeed);
        ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
        clearLog();
    }
    // The frames written since the last look.
    std::vector<std::string> newFrames() {
        std::vector<std::string> out(port.frames().begin() + seen_, port.frames().end());
        seen_ = port.frames().size();
        return out;
    }
    // Both answers of a two-part query, joined by "|".
    std::string pair(int (*query)(char*, char*)) {
        char first[32] = {}, second[32] = {};
        EXPECT_EQ(query(first, second), 1);
        return std::string(first) + "|" + second;
    }
    short number(const std::function<int(short*)>& query) {
        short value = -1;
        EXPECT_EQ(query(&value), 1);
        return value;
    }

  private:
    std::size_t seen_ = 0;
};

#define QUERY(name) #name, name

TEST_F(QueryMembersTest, EveryTextMemberAnswersThroughItsExport) {
    struct Case {
        const char* name;
        int (*call)(char*);
        std::string command;  // after the prefix
        std::string answer;
        std::size_t width;
        bool alwaysSeparator;
        const char* record;
    };
    // clang-format off
    const Case cases[] = {
        {QUERY(Quelmar_FI_NumeroCupom), "\x1E", "001234", 6, false, "055|"},
        {QUERY(Quelmar_FI_VersaoFirmware), "#\x01", "0103", 4, false, "106|"},
        {QUERY(Quelmar_FI_GrandeTotal), "#\x03", "000000000123456789", 18, true, "034|"},
        {QUERY(Quelmar_FI_Cancelamentos), "#\x04", "00000000001250", 14, false, "013|"},
        {QUERY(Quelmar_FI_Descontos), "#\x05", "00000000000125", 14, false, "022|"},
        {QUERY(Quelmar_FI_NumeroOperacoesNaoFiscais), "#\x07", "000789", 6, true, "059|"},
        {QUERY(Quelmar_FI_NumeroCuponsCancelados), "#\x08", "0004", 4, true, "056|"},
        {QUERY(Quelmar_FI_NumeroReducoes), "#\x09", "0056", 4, false, "060|"},
        {QUERY(Quelmar_FI_NumeroIntervencoes), "#\x0A", "0002", 4, true, "057|"},
        {QUERY(Quelmar_FI_NumeroSubstituicoesProprietario), "#\x0B", "0001", 4, true, "062|"},
        {QUERY(Quelmar_FI_UltimoItemVendido), "#\x0C", "0017", 4, true, "083|"},
        // The cliche's unused bytes read as blanks: the answer is always 186 wide.
        {QUERY(Quelmar_FI_ClicheProprietario), "#\x0D", "MERCADO BOM PRECO" + std::string(169, ' '), 186, true, "015|"},
        {QUERY(Quelmar_FI_NumeroCaixa), "#\x0E", "0003", 4, false, "054|"},
        {QUERY(Quelmar_FI_NumeroLoja), "#\x0F", "0012", 4, false, "058|"},
        {QUERY(Quelmar_FI_SimboloMoeda), "#\x10", "R$", 2, false, "079|"},
        {QUERY(Quelmar_FI_MinutosLigada), "#\x12", "4321", 4, true, "049|"},
        {QUERY(Quelmar_FI_MinutosImprimindo), "#\x13", "0098", 4, true, "050|"},
        {QUERY(Quelmar_FI_VerificaModoOperacao), "#\x14", "1f", 2, true, "099|"},
        {QUERY(Quelmar_FI_VerificaEpromConectada), "#\x15", "1", 2, true, "092|"},
        {QUERY(Quelmar_FI_ValorPagoUltimoCupom), "#\x16", "00000000005000", 14, true, "088|"},
        {QUERY(Quelmar_FI_ContadoresTotalizadoresNaoFiscais), "#\x18", "000000000002" + zeros(24), 36, false, "017|"},
        {QUERY(Quelmar_FI_VerificaTotalizadoresNaoFiscais), "#\x19", "Sangria" + std::string(31, ' ') + "Recebimento" + std::string(122, ' '), 171, true, "103|"},
        {QUERY(Quelmar_FI_DataMovimento), "#\x1B", "150324", 6, false, "021|"},
        {QUERY(Quelmar_FI_VerificaTruncamento), "#\x1C", "0", 2, false, "105|"},
        {QUERY(Quelmar_FI_VerificaIndiceAliquotasIss), "#\x1D", "02,04", 47, false, "098|"},
        {QUERY(Quelmar_FI_Acrescimos), "#\x1E", "00000000000300", 14, false, "005|"},
        {QUERY(Quelmar_FI_ContadorBilhetePassagem), "#\x1F", "000005", 6, true, "016|"},
        {QUERY(Quelmar_FI_RetornoAliquotas), "\x1A", "041800070012000500" + zeros(48), 66, true, "076|"},
        {QUERY(Quelmar_FI_MonitoramentoPapel), ">6", "001044", 6, false, "051|"},
        // Printers of type 0 are asked with ESC '#' NUL; the answer is the reply's 15 characters.
        {QUERY(Quelmar_FI_NumeroSerie), std::string("#\0", 2), "QM0123456789   ", 15, false, "061|"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string name = c.name;
        std::string buffer(c.width + 8, 'X');

        // Into the caller's buffer.
        clearLog();
        newFrames();
        EXPECT_EQ(c.call(buffer.data()), 1);
        EXPECT_EQ(newFrames(), std::vector<std::string>{frameOf("\x1B" + c.command)});
        EXPECT_EQ(buffer, expectedBuffer(c.answer, c.width, buffer.size()));
        EXPECT_EQ(workLog(), logLines({kSep, name + " ", "Retorno impressora: " + c.answer,
                                       "Retorno " + name + ": 1"}));

        // Nested: the separator only for the members that always write it.
        clearLog();
        state().nestedCall = 1;
        EXPECT_EQ(c.call(nullptr), 1);
        state().nestedCall = 0;
        const std::vector<std::string> lines{name + " ", "Retorno impressora: " + c.answer,
                                             "Retorno " + name + ": 1"};
        EXPECT_EQ(workLog(), logLines(c.alwaysSeparator ? std::vector{kSep} + lines : lines));

        // With Retorno on: the answer file, the caller's buffer untouched.
        reconfigure("Retorno=1\n");
        std::string untouched(c.width + 8, 'X');
        EXPECT_EQ(c.call(untouched.data()), 1);
        EXPECT_EQ(answerFile(), c.answer);
        EXPECT_EQ(untouched, std::string(c.width + 8, 'X'));
        reconfigure("");

        // Client mode: only the record, nothing on the line.
        reconfigure("ConfigRede=1\n");
        newFrames();
        EXPECT_EQ(c.call(untouched.data()), 1);
        EXPECT_EQ(commandFile(), c.record);
        EXPECT_EQ(newFrames(), std::vector<std::string>{});
        EXPECT_EQ(untouched, std::string(c.width + 8, 'X'));
        reconfigure("");
    }
    // A counter past its field's width shows its low digits.
    printer.update([](sim::FiscalModel& m) { m.counters.crz = 12345; });
    EXPECT_EQ(answer(Quelmar_FI_NumeroReducoes), "2345");
}

TEST_F(QueryMembersTest, TwoPartAnswers) {
    struct Case {
        const char* name;
        int (*call)(char*, char*);
        std::string command, first, second;
        const char* record;
    };
    const Case cases[] = {
        {QUERY(Quelmar_FI_CGC_IE), "#\x02", "12.345.678/0001-90", "110.042.490.114", "014|"},
        {QUERY(Quelmar_FI_DataHoraImpressora), "#\x17", "150324", "103045", "019|"},
        {QUERY(Quelmar_FI_DataHoraReducao), "#\x1A", "000000", "000000", "020|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string first(c.first.size() + 4, 'X'), second(c.second.size() + 4, 'X');
        clearLog();
        newFrames();
        EXPECT_EQ(c.call(first.data(), second.data()), 1);
        EXPECT_EQ(newFrames(), std::vector<std::string>{frameOf("\x1B" + c.command)});
        EXPECT_EQ(first, expectedBuffer(c.first, c.first.size(), first.size()));
        EXPECT_EQ(second, expectedBuffer(c.second, c.second.size(), second.size()));
        EXPECT_EQ(workLog(), logLines({kSep, std::string(c.name) + " ",
                                       "Retorno impressora: " + c.first + c.second,
                                       "Retorno " + std::string(c.name) + ": 1"}));

        reconfigure("Retorno=1\n");
        EXPECT_EQ(c.call(nullptr, nullptr), 1);
        EXPECT_EQ(answerFile(), c.first + ",\r\n" + c.second);
        reconfigure("ConfigRede=1\n");
        EXPECT_EQ(c.call(nullptr, nullptr), 1);
        EXPECT_EQ(commandFile(), c.record);
        reconfigure("");
    }
}

TEST_F(QueryMembersTest, TablesAreWhatThePrinterHolds) {
    std::vector<std::string> forms(52, std::string(16, ' ') + zeros(40) + "0");
    forms[0] = "Dinheiro        " + zeros(40) + "0";
    forms[1] = "Cartao          " + zeros(16) + "8000" + zeros(16) + "20001";
    EXPECT_EQ(answer(Quelmar_FI_VerificaFormasPagamento), joined(forms, ",\r\n"));
    char value[15];
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Cartao", value), 1);
    EXPECT_STREQ(value, "00000000008000");

    std::vector<std::string> receipts(50, zeros(24) + std::string(19, ' '));
    receipts[0] = zeros(24) + "Sangria            ";
    receipts[2] = "0002" + zeros(16) + "3000Recebimento        ";
    EXPECT_EQ(answer(Quelmar_FI_VerificaRecebimentoNaoFiscal), joined(receipts, ","));
    EXPECT_EQ(Quelmar_FI_ValorTotalizadorNaoFiscal("Recebimento", value), 1);
    EXPECT_STREQ(value, "00000000003000");

    std::vector<std::string> departments(20, zeros(40) + std::string(10, ' '));
    departments[0] = zeros(16) + "1550" + zeros(16) + "2500Bebidas   ";
    EXPECT_EQ(answer(Quelmar_FI_VerificaDepartamentos), joined(departments, ","));

    // Rate totals, exemption, non-incidence, substitution, the day's other totals, the
    // surcharges, the cancellations and the grand total.
    EXPECT_EQ(answer(Quelmar_FI_VerificaTotalizadoresParciais),
              fields("00000000010000" + zeros(15 * 14) + "00000000000400" + "00000000000500" +
                         "00000000000600" + zeros(2 * 14) + "00000000003000" + zeros(6 * 14) +
                         "00000000000700" + "00000000000800" + "000000000123456789",
                     {224, 14, 14, 14, 126, 14, 14, 18}));
    EXPECT_EQ(answer(Quelmar_FI_VerificaAliquotasIss), "0700,0500");

    const std::initializer_list<std::size_t> reduction{2,   18, 14, 14, 64, 266, 14, 14,
                                                       126, 36, 6,  6,  2,  6,   14, 14};
    EXPECT_EQ(answer(Quelmar_FI_DadosUltimaReducao), fields(zeros(616), reduction));
    printer.update([](sim::FiscalModel& m) {
        sim::applySeed(
            m,
            "z.1.crz=56; z.1.coo=1200; z.1.gnf=700; z.1.gt=1000.00;"
            "z.1.at=14/03/2024 23:59:00; z.1.movement=14/03/2024; z.1.automatic=1;"
            "z.1.rates=18.00,5.00/ISS; z.1.ratetotals=200.00,40.00; z.1.icms.exempt=1.00;"
            "z.1.iss.exempt=2.00; z.1.icms.cancellations=3.00; z.1.icms.discounts=0.50;"
            "z.1.withdrawals=10.00; z.1.nftotals=0,0,30.00; z.1.nfcounts=0,0,2;"
            "z.1.icms.surcharges=0.10");
    });
    EXPECT_EQ(
        answer(Quelmar_FI_DadosUltimaReducao),
        fields("01" + std::string("000000000000100000") + "00000000000300" + "00000000000050" +
                   "18000500" + zeros(14 * 4) + "0000000002000000000000004000" + zeros(14 * 14) +
                   "00000000000300" + zeros(14) + zeros(14) + "00000000001000" + zeros(14) +
                   zeros(28) + "00000000003000" + zeros(6 * 14) + "000000000002" + zeros(6 * 4) +
                   "001200" + "000700" + "02" + "140324" + "00000000000010" + "00000000004000",
               reduction));
    EXPECT_EQ(pair(Quelmar_FI_DataHoraReducao), "140324|235900");
}

TEST_F(QueryMembersTest, FlagsAndSensorsAsTheLibraryReadsThem) {
    EXPECT_EQ(number(Quelmar_FI_FlagsFiscais), 0);
    EXPECT_EQ(number(Quelmar_FI_VerificaTipoImpressora), 1);
    EXPECT_EQ(number(Quelmar_FI_VerificaEstadoGaveta), 0);
    EXPECT_EQ(Quelmar_FI_AcionaGaveta(), 1);
    EXPECT_EQ(number(Quelmar_FI_VerificaEstadoGaveta), 1);
    EXPECT_EQ(number(Quelmar_FI_VerificaStatusCheque), 1);
    printer.update([](sim::FiscalModel& m) {
        sim::applySeed(
            m,
            "dst=1; cancellable=1; document=payment; z.1.at=15/03/2024 00:10:00;"
            "type=3; truncate=1; rates=1,2/ISS,3,4,5,6,7,8,9/ISS,10,11,12,13,14,15,16/ISS");
    });
    EXPECT_EQ(number(Quelmar_FI_FlagsFiscais), 0x2F);
    EXPECT_EQ(pair(Quelmar_FI_DataHoraReducao), "150324|001000");
    EXPECT_EQ(number(Quelmar_FI_VerificaTipoImpressora), 3);
    EXPECT_EQ(answer(Quelmar_FI_VerificaTruncamento), "1");
    EXPECT_EQ(answer(Quelmar_FI_VerificaIndiceAliquotasIss), "02,09,16");
    printer.update([](sim::FiscalModel& m) {
        sim::applySeed(m,
                       "dst=0; cancellable=0; document=coupon; movement=none;"
                       "clock=16/03/2024 08:00:00; memory=1");
        m.printerType = 8;
    });
    EXPECT_EQ(number(Quelmar_FI_FlagsFiscais), 0x81);
    EXPECT_EQ(answer(Quelmar_FI_DataMovimento), "000000");
    EXPECT_EQ(number(Quelmar_FI_VerificaTipoImpressora), 8);
}

TEST_F(QueryMembersTest, FailedQueriesLeaveTheBufferAndNoTableLayoutBehind) {
    // No reply: the printer is silent for the whole first-byte wait.
    port.goSilent();
    std::string buffer(20, 'X');
    EXPECT_EQ(Quelmar_FI_GrandeTotal(buffer.data()), 0);
    EXPECT_EQ(buffer, std::string(20, 'X'));
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_GrandeTotal ",
                                   "Retorno Quelmar_FI_GrandeTotal: 0 - Erro de comunicacao"}));
    EXPECT_EQ(Quelmar_FI_VerificaDepartamentos(nullptr), 0);
    EXPECT_EQ(Quelmar_FI_RetornoAliquotas(nullptr), 0);
    port.goSilent(false);
    EXPECT_EQ(answer(Quelmar_FI_NumeroCupom), "001234");

    // An answer file that cannot be written: -8, and nothing in the caller's outputs instead.
    reconfigure("Retorno=1\n");
    state().answerFilePath = workDir() + "/missing/Retorno.txt";
    clearLog();
    EXPECT_EQ(Quelmar_FI_GrandeTotal(buffer.data()), -8);
    EXPECT_EQ(buffer, std::string(20, 'X'));
    short flags = 7;
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&flags), -8);
    EXPECT_EQ(flags, 7);
    const std::string cannotOpen = ": -8 - Erro na abertura do arquivo retorno.txt";
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_GrandeTotal ",
                                   "Retorno Quelmar_FI_GrandeTotal" + cannotOpen, kSep,
                                   "Quelmar_FI_FlagsFiscais ",
                                   "Retorno Quelmar_FI_FlagsFiscais" + cannotOpen}));

    // With the status judged, an unclean reply is -27 and still delivers its answer.
    reconfigure("StatusFuncao=1\n");
    printer.update([](sim::FiscalModel& m) { m.paper = sim::PaperState::NearEnd; });
    clearLog();
    char coo[7];
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), -27);
    EXPECT_STREQ(coo, "001234");
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_NumeroCupom ", "Retorno impressora: 001234",
                                   "Retorno Quelmar_FI_NumeroCupom: -27"}));
}

TEST_F(QueryMembersTest, SerialNumberOfTheNewerPrinters) {
    printer.update([](sim::FiscalModel& m) {
        m.printerType = 1;
        m.electronicJournal = true;
    });
    reconfigure("", "Impressora=1\n");
    state().mfdPrinter = true;
    // 20 characters, the number from the sixth on; ST3 follows on these printers.
    newFrames();
    EXPECT_EQ(answer(Quelmar_FI_NumeroSerie), "QM0123456789   ");
    EXPECT_EQ(newFrames(), std::vector<std::string>{frameOf("\x1C#(")});
    // Type 0 keeps the short request with ESC even on the electronic-journal prefix.
    reconfigure("");
    EXPECT_EQ(answer(Quelmar_FI_NumeroSerie), "QM0123456789   ");
    EXPECT_EQ(newFrames(), std::vector<std::string>{frameOf(std::string("\x1B#\0", 3))});
}

TEST_F(QueryMembersTest, DrawerPulseAndDllVersion) {
    EXPECT_EQ(Quelmar_FI_AcionaGaveta(), 1);
    // One command, no status refresh after it.
    EXPECT_EQ(newFrames(), std::vector<std::string>{frameOf("\x1B\x16\xF0")});
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_AcionaGaveta ", "Retorno Quelmar_FI_AcionaGaveta: 1"}));
    reconfigure("ConfigRede=1\n");
    EXPECT_EQ(Quelmar_FI_AcionaGaveta(), 1);
    EXPECT_EQ(commandFile(), "004|");

    // The library's version, without a log line.
    clearLog();
    char version[16];
    std::memset(version, 'X', sizeof version);
    EXPECT_EQ(Quelmar_FI_VersaoDll(version), 1);
    const std::string expected = platform::libraryVersion();
    ASSERT_LE(expected.size(), 9u);
    EXPECT_EQ(std::string(version, 10), expected + std::string(10 - expected.size(), '\0'));
    EXPECT_EQ(version[10], 'X');
    EXPECT_EQ(Quelmar_FI_VersaoDll(nullptr), -1);
    EXPECT_EQ(workLog(), "");
}

TEST(SimQueryLengths, EveryQueryAnswersItsFixedLength) {
    const std::pair<std::string, std::size_t> queries[] = {
        {"\x1e", 6},   {bytes({'#', 0}), 18}, {"#(", 23},    {"#\x01", 5},  {"#\x02", 36},
        {"#\x03", 12}, {"#\x04", 10},         {"#\x05", 10}, {"#\x07", 6},  {"#\x08", 5},
        {"#\x09", 5},  {"#\x0a", 5},          {"#\x0b", 5},  {"#\x0c", 5},  {"#\x0d", 189},
        {"#\x0e", 5},  {"#\x0f", 5},          {"#\x10", 5},  {"#\x11", 4},  {"#\x12", 5},
        {"#\x13", 5},  {"#\x14", 4},          {"#\x15", 4},  {"#\x16", 10}, {"#\x17", 9},
        {"#\x18", 21}, {"#\x19", 174},        {"#\x1a", 9},  {"#\x1b", 6},  {"#\x1c", 4},
        {"#\x1d", 5},  {"#\x1e", 10},         {"#\x1f", 6},  {"# ", 1928},  {"#!", 1553},
        {"#\"", 603},  {"#\xfd", 6},          {"\x1b", 222}, {"\x1a", 36},  {">7", 311},
        {">6", 5},     {"\x16\xf0", 3},       {"\x17", 4},   {">0", 4},     {"\x13", 3},
    };
    sim::QuelmarPrinter plain(sim::modelFromSeed(kSeed));
    sim::QuelmarPrinter journal(sim::modelFromSeed(std::string(kSeed) + "; mfd=1"));
    for (const auto& [command, length] : queries) {
        SCOPED_TRACE(hex(command));
        const std::string reply = plain.execute("\x1b" + command);
        EXPECT_EQ(reply.size(), length);
        EXPECT_EQ(hex(reply.substr(0, 1) + reply.substr(reply.size() - 2)), "06 00 00");
        EXPECT_EQ(journal.execute("\x1c" + command).size(), length + 2);
    }
}

}  // namespace
}  // namespace quelfi::test

// The members answered from canned replies: the integer members (fiscal flags, drawer, cheque
// status, printer type) with their Str variants, the service-tax rates, the status requests that
// complete ST1 and answer ST3; the table answers rebuilt into their record layouts, in the
// caller's buffer and in Retorno.txt, and the two look-ups by name that read them.
#include <array>
#include <cstring>
#include <vector>

#include "exports/boundary.h"
#include "fiscal/queries.h"
#include "fiscal/tax_rate_table.h"
#include "protocol_fixture.h"
#include "support/wire_bytes.h"

namespace quelfi::test {
namespace {

using core::state;

class CannedQueryTest : public ConnectedTest {};

TEST_F(CannedQueryTest, IntegerMembersDecodeTheirByte) {
    struct Case {
        short (*call)(int& result);
        std::string command, data;
        bool alternative;  // the drawer's inversion, the IBM cheque unit
        int result;
        short value;  // 99: left alone
    };
    const auto flags = [](int& r) -> short {
        short v = 99;
        r = Quelmar_FI_FlagsFiscais(&v);
        return v;
    };
    const auto drawer = [](int& r) -> short {
        short v = 99;
        r = Quelmar_FI_VerificaEstadoGaveta(&v);
        return v;
    };
    const auto cheque = [](int& r) -> short {
        short v = 99;
        r = Quelmar_FI_VerificaStatusCheque(&v);
        return v;
    };
    const auto type = [](int& r) -> short {
        short v = 99;
        r = Quelmar_FI_VerificaTipoImpressora(&v);
        return v;
    };
    // clang-format off
    const Case cases[] = {
        {flags, "#\x11", "\x21", false, 1, 33},
        {drawer, "\x17", "\xFF", false, 1, 1}, {drawer, "\x17", std::string(1, '\0'), false, 1, 0},
        {drawer, "\x17", "\xFF", true, 1, 0}, {drawer, "\x17", std::string(1, '\0'), true, 1, 1},
        {drawer, "\x17", "\x07", false, -1, 99}, {drawer, "\x17", "\x80", true, -1, 99},
        // The IBM unit: value 1 says a cheque is in place.
        {cheque, ">0", std::string(1, '\0'), true, 1, 2}, {cheque, ">0", "\x02", true, 1, 4},
        {cheque, ">0", "\x04", true, 1, 4}, {cheque, ">0", "\x41", true, 1, 1},
        {cheque, ">0", "\x01", true, 1, 4}, {cheque, ">0", "\x48", true, 1, 2},
        // The other unit: value 4 says a cheque is in place, values 8, 32, 64 qualify it.
        {cheque, ">0", std::string(1, '\0'), false, 1, 2}, {cheque, ">0", "\x08", false, 1, 4},
        {cheque, ">0", "\x04", false, 1, 3}, {cheque, ">0", "\x64", false, 1, 1},
        {cheque, ">0", "\x6C", false, -1, 99}, {cheque, ">0", "\x24", false, -1, 99},
        {cheque, ">0", "\x0C", false, -1, 99}, {cheque, ">0", "\x03", false, 1, 2},
        {type, "#\xFD", "\xFF\xFF\xFF", false, 1, 1}, {type, "#\xFD", std::string("\xFF\0\xFF", 3), false, 1, 3},
        {type, "#\xFD", std::string("\0\xFF\xFF", 3), false, 1, 5}, {type, "#\xFD", std::string(3, '\0'), false, 1, 8},
        {type, "#\xFD", std::string("\x01\0\0", 3), false, -1, 99}, {type, "#\xFD", "\xFF\xFF\x10", false, -1, 99},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(hex(c.command + "|" + c.data) + (c.alternative ? " alternative" : ""));
        reconfigure(c.alternative ? "ModoGaveta=1\nStatusCheque=IBM\n" : "");
        line->reply(dataReply(c.data));
        int result = 0;
        EXPECT_EQ(c.call(result), c.value);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(newWire(), frameOf("\x1B" + c.command));
    }

    // The Str variants write the number as text; with Retorno on it goes to the file and neither
    // output is touched.
    reconfigure("ModoGaveta=1\n");
    char text[8] = "XXXXXXX";
    line->reply(dataReply("\x05"));
    EXPECT_EQ(Quelmar_FI_FlagsFiscaisStr(text), 1);
    EXPECT_EQ(std::string(text), "005");
    line->reply(dataReply("\xFF"));
    EXPECT_EQ(Quelmar_FI_VerificaEstadoGavetaStr(text), 1);  // inverted: open reads 0
    EXPECT_EQ(std::string(text), "0");
    line->reply(dataReply("\x04"));
    EXPECT_EQ(Quelmar_FI_VerificaStatusChequeStr(text), 1);
    EXPECT_EQ(std::string(text), "3");
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_FlagsFiscais ", "Retorno impressora: 005",
                                   "Retorno Quelmar_FI_FlagsFiscais: 1", kSep,
                                   "Quelmar_FI_VerificaEstadoGaveta ", "Retorno impressora: 0",
                                   "Retorno Quelmar_FI_VerificaEstadoGaveta: 1", kSep,
                                   "Quelmar_FI_VerificaStatusCheque ", "Retorno impressora: 3",
                                   "Retorno Quelmar_FI_VerificaStatusCheque: 1"}));
    reconfigure("Retorno=1\n");
    std::memcpy(text, "XXXXXXX", 8);
    line->reply(dataReply("\x08"));
    EXPECT_EQ(Quelmar_FI_FlagsFiscaisStr(text), 1);
    EXPECT_EQ(answerFile(), "008");
    short value = 33;
    line->reply(dataReply("\x08"));
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&value), 1);
    line->reply(dataReply(std::string("\xFF\0\xFF", 3)));
    EXPECT_EQ(Quelmar_FI_VerificaTipoImpressoraStr(text), 1);
    EXPECT_EQ(answerFile(), "3");
    EXPECT_EQ(std::string(text), "XXXXXXX");
    EXPECT_EQ(value, 33);

    // Refusals have their own lines; a null output is fine.
    reconfigure("");
    line->reply(dataReply("\x07"));
    EXPECT_EQ(Quelmar_FI_VerificaEstadoGaveta(nullptr), -1);
    line->reply(dataReply("\x6C"));
    EXPECT_EQ(Quelmar_FI_VerificaStatusCheque(nullptr), -1);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaEstadoGaveta ",
                        "Retorno Quelmar_FI_VerificaEstadoGaveta: -1", kSep,
                        "Quelmar_FI_VerificaStatusCheque ",
                        "Retorno Quelmar_FI_VerificaStatusCheque: -1 - Erro de execução"}));

    reconfigure("ConfigRede=1\n");
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&value), 1);
    EXPECT_EQ(commandFile(), "032|");
    EXPECT_EQ(value, 33);
}

TEST_F(CannedQueryTest, ServiceTaxRatesComeFromTheCachedRateTable) {
    // Four rates programmed; slots 1 and 3 are service-tax rates.
    line->reply(rateTableReply({500, 1800, 1000, 700}));
    line->reply(dataReply(std::string("\xA0\0", 2)));
    char rates[80];
    EXPECT_EQ(Quelmar_FI_VerificaAliquotasIss(rates), 1);
    EXPECT_EQ(newWire(), frameOf("\x1B\x1A") + frameOf("\x1B#\x1D"));
    EXPECT_EQ(std::string(rates), "0500,1000");
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaAliquotasIss ", "Retorno impressora: 0500,1000",
                        "Retorno Quelmar_FI_VerificaAliquotasIss: 1"}));
    const std::array<std::string, 16> expectedTable{"0500", "1800", "1000", "0700"};
    EXPECT_EQ(state().taxRateTable, expectedTable);

    // The table is read once; no set slot gives an empty answer.
    line->reply(dataReply(std::string(2, '\0')));
    EXPECT_EQ(Quelmar_FI_VerificaAliquotasIss(rates), 1);
    EXPECT_EQ(newWire(), frameOf("\x1B#\x1D"));
    EXPECT_EQ(std::string(rates), "");

    reconfigure("Retorno=1\n");
    line->reply(dataReply(std::string("\x70\0", 2)));
    EXPECT_EQ(Quelmar_FI_VerificaAliquotasIss(rates), 1);
    EXPECT_EQ(answerFile(), "1800,1000,0700");
}

TEST_F(CannedQueryTest, RateTableReadFailures) {
    char rates[80] = "untouched";
    EXPECT_EQ(Quelmar_FI_VerificaAliquotasIss(rates), 0);
    EXPECT_EQ(newWire(), frameOf("\x1B\x1A"));
    EXPECT_EQ(std::string(rates), "untouched");
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaAliquotasIss ",
                        "Retorno Quelmar_FI_VerificaAliquotasIss: 0 - Erro de comunicacao"}));
    EXPECT_FALSE(state().taxRateTableLoaded);

    // A table once read survives a failed or refused re-read.
    line->reply(rateTableReply({1800, 700}));
    EXPECT_EQ(fiscal::readTaxRateTable(exports::chosenRoad()), 1);
    EXPECT_EQ(fiscal::readTaxRateTable(exports::chosenRoad()), 0);
    line->reply(bytes({21}));
    EXPECT_EQ(fiscal::readTaxRateTable(exports::chosenRoad()), 0);
    EXPECT_TRUE(state().taxRateTableLoaded);
    const std::array<std::string, 16> read{"1800", "0700"};
    EXPECT_EQ(state().taxRateTable, read);

    // The rate-list member refreshes the cache with what it read.
    line->reply(rateTableReply({1200}));
    EXPECT_EQ(Quelmar_FI_RetornoAliquotas(nullptr), 1);
    const std::array<std::string, 16> refreshed{"1200"};
    EXPECT_EQ(state().taxRateTable, refreshed);
}

TEST_F(CannedQueryTest, StatusRequestAsksTheFiscalFlagsOnlyWithoutTheCouponBit) {
    // ST1 without the coupon-open bit: the flags are asked, and say a coupon is open. The flags
    // query's own status must not leak into the answer, nor its answer into Retorno.txt.
    reconfigure("Retorno=1\n");
    line->reply(bytes({6, 0x40, 0}));
    line->reply(dataReply("\x21"));
    writeFile(workDir() + "/Retorno.txt", "previous answer");
    short ack = 0, st1 = 0, st2 = 0;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(newWire(), frameOf("\x1B\x13") + frameOf("\x1B#\x11"));
    EXPECT_EQ(ack, 6);
    EXPECT_EQ(st1, 0x42);
    EXPECT_EQ(answerFile(), "previous answer");
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_VerificaEstadoImpressora ", kSep, "Quelmar_FI_FlagsFiscais ",
                  "Retorno impressora: 033", "Retorno Quelmar_FI_FlagsFiscais: 1",
                  "Retorno impressora: 6,66,0", "Retorno Quelmar_FI_VerificaEstadoImpresora: 1"}));
    // An application's own query still answers in Retorno.txt.
    line->reply(dataReply("\x21"));
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(nullptr), 1);
    EXPECT_EQ(answerFile(), "033");
    newWire();

    // With the status judged, the flags query's unclean status makes both -27; its ST1 and ST2
    // still do not leak into the answer.
    reconfigure("StatusFuncao=1\n");
    line->reply(bytes({6, 0x40, 0}));
    line->reply(bytes({6, 0x21, 99, 1}));
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), -27);
    EXPECT_EQ((std::array<short, 3>{ack, st1, st2}), (std::array<short, 3>{6, 0x42, 0}));
    EXPECT_EQ(newWire(), frameOf("\x1B\x13") + frameOf("\x1B#\x11"));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaEstadoImpressora ", kSep,
                        "Quelmar_FI_FlagsFiscais ", "Retorno impressora: 033",
                        "Retorno Quelmar_FI_FlagsFiscais: -27", "Retorno impressora: 6,66,0",
                        "Retorno Quelmar_FI_VerificaEstadoImpresora: -27"}));
    reconfigure("");

    // ST1 already saying coupon open: nothing more is asked; null outputs are fine.
    line->reply(bytes({6, 2, 0}));
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(newWire(), frameOf("\x1B\x13"));
    char a[8], b[8], c[8];
    line->reply(bytes({6, 2, 1}));
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressoraStr(a, b, c), 1);
    EXPECT_EQ(std::string(a) + "|" + b + "|" + c, "6|2|1");
    EXPECT_EQ(newWire(), frameOf("\x1B\x13"));

    // The last status is answered without talking to the printer.
    clearLog();
    EXPECT_EQ(Quelmar_FI_RetornoImpressoraStr(a, b, c), 1);
    EXPECT_EQ(std::string(a) + "|" + b + "|" + c, "6|2|1");
    EXPECT_EQ(Quelmar_FI_RetornoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ((std::array<short, 3>{ack, st1, st2}), (std::array<short, 3>{6, 2, 1}));
    EXPECT_EQ(newWire(), "");
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_RetornoImpressora ", "Retorno impressora: 6,2,1",
                  "Retorno Quelmar_FI_RetornoImpressora: 1", kSep, "Quelmar_FI_RetornoImpressora ",
                  "Retorno impressora: 6,2,1", "Retorno Quelmar_FI_RetornoImpressora: 1"}));
}

TEST_F(CannedQueryTest, StatusRequestThatGetsNoAnswerOrNoPort) {
    // Nested it still writes its separator; no answer is a communication failure.
    state().nestedCall = 1;
    short ack = 7;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, nullptr, nullptr), 0);
    state().nestedCall = 0;
    EXPECT_EQ(ack, 7);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaEstadoImpressora ",
                        "Retorno Quelmar_FI_VerificaEstadoImpresora: 0 - Erro de comunicacao"}));

    // A port that does not open: the opening's code and lines.
    ASSERT_EQ(Quelmar_FI_FechaPortaSerial(), 1);
    state().portName = "COM9";
    clearLog();
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, nullptr, nullptr), -5);
    EXPECT_EQ(ack, 7);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_VerificaEstadoImpressora ",
                                   "Quelmar_FI_AbrePortaSerial ", "Parâmetro: COM9",
                                   "Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a porta",
                                   "Retorno Quelmar_FI_VerificaEstadoImpresora: -5"}));
}

TEST_F(CannedQueryTest, NetworkClientStatusComesFromTheDriversFile) {
    configure("ConfigRede=1\n");
    writeFile(workDir() + "/Status.txt", "6,2,1");
    short ack = 0, st1 = 0, st2 = 0;
    EXPECT_EQ(Quelmar_FI_RetornoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ((std::array<short, 3>{ack, st1, st2}), (std::array<short, 3>{6, 2, 1}));

    std::filesystem::remove(workDir() + "/Status.txt");
    const std::uint32_t start = platform.tickCount();
    EXPECT_EQ(Quelmar_FI_RetornoImpressora(&ack, &st1, &st2), 0);
    EXPECT_EQ(platform.tickCount() - start, 499u * 100u);  // 500 tries, 100 ms apart

    // The status request itself only leaves its record for the driver.
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(commandFile(), "095|");
    EXPECT_EQ(newWire(), "");
}

TEST_F(CannedQueryTest, ExtendedStatusAnswersSt3) {
    state().mfdPrinter = true;
    line->reply(bytes({6, 2, 0, 0x09, 0x01}));
    short ack = 0, st1 = 0, st2 = 0, st3 = 0;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressoraMFD(&ack, &st1, &st2, &st3), 1);
    EXPECT_EQ(newWire(), frameOf("\x1C\x13"));
    EXPECT_EQ(st3, 0x0109);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_VerificaEstadoImpressoraMFD ",
                                   "Retorno impressora: 6,2,0,265",
                                   "Retorno Quelmar_FI_VerificaEstadoImpressoraMFD: 1"}));

    // Nested it writes no separator; the Str variant writes the four numbers.
    clearLog();
    state().nestedCall = 1;
    char a[8], b[8], c[8], d[8];
    line->reply(bytes({6, 2, 0, 0, 0}));
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressoraMFDStr(a, b, c, d), 1);
    state().nestedCall = 0;
    EXPECT_EQ(std::string(a) + "|" + b + "|" + c + "|" + d, "6|2|0|0");
    EXPECT_EQ(workLog(),
              logLines({"Quelmar_FI_VerificaEstadoImpressoraMFD ", "Retorno impressora: 6,2,0,0",
                        "Retorno Quelmar_FI_VerificaEstadoImpressoraMFD: 1"}));

    reconfigure("ConfigRede=1\n");
    ack = 77;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressoraMFD(&ack, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(commandFile(), "239|");
    EXPECT_EQ(ack, 77);
}

const std::initializer_list<std::size_t> kReductionFields = {2,   18, 14, 14, 64, 266, 14, 14,
                                                             126, 36, 6,  6,  2,  6,   14, 14};

std::string number(int value, int width) {
    std::string text = std::to_string(value);
    return std::string(static_cast<std::size_t>(width) - text.size(), '0') + text;
}

// The payment-form table as the printer sends it, and the records applications read.
struct PaymentForms {
    std::string data;
    std::vector<std::string> records;
};

PaymentForms paymentForms() {
    std::vector<std::string> names(52), first(52), second(52);
    std::string flags;
    for (int k = 0; k < 52; ++k) {
        names[k] = k == 0 ? "Dinheiro" : k == 1 ? "Cheque" : k < 5 ? "FORMA " + number(k, 2) : "";
        first[k] = number(k + 1, 2) + digitRun(16, k) + "97";
        second[k] = number((k + 60) % 100, 2) + digitRun(16, k + 3) + "53";
        flags += static_cast<char>(k % 3 == 0 ? 0x11 : 0x10);  // only the value-1 bit counts
    }
    PaymentForms out;
    out.data = "P";
    for (const auto& n : names) out.data += padded(n, 16);
    for (const auto& v : first) out.data += bcd(v);
    for (const auto& v : second) out.data += bcd(v);
    out.data += flags;
    for (int k = 0; k < 52; ++k)
        out.records.push_back(padded(names[k], 16) + "00" + first[k].substr(0, 18) + "00" +
                              second[k].substr(0, 18) + (k % 3 == 0 ? "1" : "0"));
    return out;
}

struct Receipts {
    std::string data;
    std::vector<std::string> records;
};

Receipts nonFiscalReceipts() {
    Receipts out;
    for (int k = 0; k < 50; ++k) {
        const int count = k * 187 + 3;
        const std::string value = digitRun(18, k) + "41";
        const std::string name = k == 0   ? "SANGRIA"
                                 : k == 1 ? "SUPRIMENTO"
                                          : "TOTALIZADOR " + number(k, 2);
        out.data += static_cast<char>(count & 0xFF);
        out.data += static_cast<char>(count >> 8);
        out.data += bcd(value) + padded(name, 19);
        out.records.push_back(number(count, 4) + "00" + value.substr(0, 18) + padded(name, 19));
    }
    return out;
}

TEST_F(CannedQueryTest, RecordAnswersInBufferAndFile) {
    const PaymentForms forms = paymentForms();
    const Receipts receipts = nonFiscalReceipts();

    std::string departments;
    std::vector<std::string> departmentRecords;
    for (int k = 0; k < 20; ++k) {
        const std::string a = digitRun(20, k), b = digitRun(20, k + 5);
        const std::string name = padded("DEPTO " + number(k + 1, 2), 10);
        departments += bcd(a) + bcd(b) + name;
        departmentRecords.push_back("00" + a.substr(0, 18) + "0" + b.substr(0, 19) + name);
    }

    const std::string reduction = digitRun(616, 1);
    const std::vector<std::string> reductionFields = cut(reduction, kReductionFields);
    const std::string partials = digitRun(438, 2);
    const std::vector<std::string> partialFields =
        cut(partials, {224, 14, 14, 14, 126, 14, 14, 18});

    struct Case {
        const char* name;
        int (*call)(char*);
        std::string command;
        std::string data;
        std::string buffer;  // the caller's text
        std::string file;    // Retorno.txt
        std::size_t length;  // the caller's text length
    };
    const Case cases[] = {
        {"Quelmar_FI_VerificaFormasPagamento", Quelmar_FI_VerificaFormasPagamento, "# ", forms.data,
         joined(forms.records, ",\r\n"), joined(forms.records, ",\r\n"), 3117},
        {"Quelmar_FI_VerificaRecebimentoNaoFiscal", Quelmar_FI_VerificaRecebimentoNaoFiscal, "#!",
         receipts.data, joined(receipts.records, ","), joined(receipts.records, ",\r\n"), 2199},
        {"Quelmar_FI_VerificaDepartamentos", Quelmar_FI_VerificaDepartamentos, "#\"", departments,
         joined(departmentRecords, ","), joined(departmentRecords, ",\r\n"), 1019},
        {"Quelmar_FI_DadosUltimaReducao", Quelmar_FI_DadosUltimaReducao, ">7", bcd(reduction),
         joined(reductionFields, ","), joined(reductionFields, ",\r\n"), 631},
        {"Quelmar_FI_VerificaTotalizadoresParciais", Quelmar_FI_VerificaTotalizadoresParciais,
         "\x1B", bcd(partials), joined(partialFields, ","), joined(partialFields, ",\r\n"), 445},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.buffer.size(), c.length);
        std::string buffer(c.length + 8, 'X');
        clearLog();
        newWire();
        line->reply(dataReply(c.data));
        EXPECT_EQ(c.call(buffer.data()), 1);
        EXPECT_EQ(newWire(), frameOf("\x1B" + c.command));
        EXPECT_EQ(buffer, c.buffer + std::string(1, '\0') + std::string(7, 'X'));
        EXPECT_EQ(workLog(),
                  logLines({kSep, std::string(c.name) + " ", "Retorno impressora: " + c.buffer,
                            "Retorno " + std::string(c.name) + ": 1"}));

        line->reply(dataReply(c.data));
        EXPECT_EQ(c.call(nullptr), 1);  // no buffer: nothing is written, nothing breaks

        reconfigure("Retorno=1\n");
        std::string untouched(c.length + 8, 'X');
        line->reply(dataReply(c.data));
        EXPECT_EQ(c.call(untouched.data()), 1);
        EXPECT_EQ(answerFile(), c.file);
        EXPECT_EQ(untouched, std::string(c.length + 8, 'X'));
        reconfigure("");
    }
}

TEST_F(CannedQueryTest, PaymentFormValueByName) {
    const PaymentForms forms = paymentForms();
    char value[15];
    line->reply(dataReply(forms.data));
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Cheque", value), 1);
    // The last 14 digits of the record's first value.
    EXPECT_EQ(std::string(value), forms.records[1].substr(22, 14));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_ValorFormaPagamento ", "Parâmetros: 086|Cheque|", kSep,
                        "Quelmar_FI_VerificaFormasPagamento ",
                        "Retorno impressora: " + joined(forms.records, ",\r\n"),
                        "Retorno Quelmar_FI_VerificaFormasPagamento: 1",
                        "Retorno impressora: " + forms.records[1].substr(22, 14),
                        "Retorno Quelmar_FI_ValorFormaPagamento: 1"}));

    // With Retorno on, only the value reaches the file.
    reconfigure("Retorno=1\n");
    line->reply(dataReply(forms.data));
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("FORMA 04", nullptr), 1);
    EXPECT_EQ(answerFile(), forms.records[4].substr(22, 14));
    reconfigure("");

    // Unknown and blank names match nothing, not even an unprogrammed (blank) record.
    for (const char* name : {"Vale", "", static_cast<const char*>(nullptr)}) {
        const std::string given = name ? name : "";
        clearLog();
        std::string untouched(15, 'X');
        line->reply(dataReply(forms.data));
        EXPECT_EQ(Quelmar_FI_ValorFormaPagamento(name, untouched.data()), -24);
        EXPECT_EQ(untouched, std::string(15, 'X'));
        EXPECT_EQ(
            workLog(),
            logLines({kSep, "Quelmar_FI_ValorFormaPagamento ", "Parâmetros: 086|" + given + "|",
                      kSep, "Quelmar_FI_VerificaFormasPagamento ",
                      "Retorno impressora: " + joined(forms.records, ",\r\n"),
                      "Retorno Quelmar_FI_VerificaFormasPagamento: 1",
                      "Retorno Quelmar_FI_ValorFormaPagamento: -24 - Forma de pagamento nao "
                      "programada"}));
    }

    clearLog();
    newWire();
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Cartao de credito", value), -2);
    EXPECT_EQ(newWire(), "");
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_ValorFormaPagamento ", "Parâmetros: 086|Cartao de credito|",
                  "Retorno Quelmar_FI_ValorFormaPagamento: -2 - Parametro invalido para "
                  "forma de pagto: Cartao de credito"}));

    reconfigure("ConfigRede=1\n");
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Dinheiro", value), 1);
    EXPECT_EQ(commandFile(), "086|Dinheiro|");
    EXPECT_EQ(newWire(), "");
}

TEST_F(CannedQueryTest, NonFiscalTotalizerValueByName) {
    const Receipts receipts = nonFiscalReceipts();
    char value[15];
    line->reply(dataReply(receipts.data));
    EXPECT_EQ(Quelmar_FI_ValorTotalizadorNaoFiscal("SUPRIMENTO", value), 1);
    EXPECT_EQ(std::string(value), receipts.records[1].substr(10, 14));

    clearLog();
    line->reply(dataReply(receipts.data));
    EXPECT_EQ(Quelmar_FI_ValorTotalizadorNaoFiscal("TROCO", value), -25);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_ValorTotalizadorNaoFiscal ", "Parâmetros: 087|TROCO|",
                        kSep, "Quelmar_FI_VerificaRecebimentoNaoFiscal ",
                        "Retorno impressora: " + joined(receipts.records, ","),
                        "Retorno Quelmar_FI_VerificaRecebimentoNaoFiscal: 1",
                        "Retorno Quelmar_FI_ValorTotalizadorNaoFiscal: -25 - Totalizador não "
                        "programado "}));

    clearLog();
    EXPECT_EQ(Quelmar_FI_ValorTotalizadorNaoFiscal("TOTALIZADOR DE TROCO", value), -2);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_ValorTotalizadorNaoFiscal ",
                                   "Parâmetros: 087|TOTALIZADOR DE TROCO|",
                                   "Retorno Quelmar_FI_ValorTotalizadorNaoFiscal: -2 - Parametro "
                                   "invalido para o totalizador: TOTALIZADOR DE TROCO"}));

    // A listing that fails is returned as it is.
    clearLog();
    EXPECT_EQ(Quelmar_FI_ValorTotalizadorNaoFiscal("SANGRIA", value), 0);
    EXPECT_EQ(std::string(value), receipts.records[1].substr(10, 14));
}

TEST_F(CannedQueryTest, GrossSalesIsTheGrandTotalSinceTheLastReduction) {
    // The reduction's first field, then the grand total it closed with.
    const std::string reduction = std::string("01") + "000000000000150000" + digitRun(596);
    char sales[19];
    line->reply(dataReply(bcd("000000000000234567")));
    line->reply(dataReply(bcd(reduction)));
    reconfigure("Retorno=1\n");  // the counters are read quietly; only the result is answered
    EXPECT_EQ(fiscal::grossSales(exports::chosenRoad(), sales), 1);
    EXPECT_EQ(answerFile(), "000000000000084567");
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_VendaBruta ", kSep, "Quelmar_FI_GrandeTotal ",
                  "Retorno impressora: 000000000000234567", "Retorno Quelmar_FI_GrandeTotal: 1",
                  kSep, "Quelmar_FI_DadosUltimaReducao ",
                  "Retorno impressora: " + joined(cut(reduction, kReductionFields), ","),
                  "Retorno Quelmar_FI_DadosUltimaReducao: 1",
                  "Retorno impressora: 000000000000084567", "Retorno Quelmar_FI_VendaBruta: 1"}));
    EXPECT_EQ(state().nestedCall, 0);

    // A grand total below the reduction's (a misread) does not wrap into a wider number.
    reconfigure("");
    line->reply(dataReply(bcd("000000000000000100")));
    line->reply(dataReply(bcd(reduction)));
    EXPECT_EQ(fiscal::grossSales(exports::chosenRoad(), sales), 1);
    EXPECT_EQ(std::string(sales), "000000000000000000");
}

}  // namespace
}  // namespace quelfi::test

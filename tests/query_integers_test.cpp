// The integer members (fiscal flags, drawer, cheque status, printer type) with their Str
// variants, the service-tax rates, and the status requests that complete ST1 and answer ST3.
#include <array>
#include <cstring>

#include "fiscal/tax_rate_table.h"
#include "protocol_fixture.h"
#include "support/wire_bytes.h"

namespace quelfi::test {
namespace {

using core::state;

class QueryIntegersTest : public ConnectedTest {};

TEST_F(QueryIntegersTest, IntegerMembersDecodeTheirByte) {
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
        state().drawerMode = state().chequeStatusIbm = c.alternative;
        line->reply(dataReply(c.data));
        int result = 0;
        EXPECT_EQ(c.call(result), c.value);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(newWire(), frameOf("\x1B" + c.command));
        EXPECT_FALSE(state().tableReplyMode);
    }

    // The Str variants write the number as text; with Retorno on it goes to the file and neither
    // output is touched.
    clearLog();
    char text[8] = "XXXXXXX";
    line->reply(dataReply("\x05"));
    EXPECT_EQ(Quelmar_FI_FlagsFiscaisStr(text), 1);
    EXPECT_EQ(std::string(text), "005");
    state().drawerMode = true;
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
    clearLog();
    state().answerToFile = true;
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
    state().answerToFile = false;

    // Refusals have their own lines; a null output is fine.
    clearLog();
    line->reply(dataReply("\x07"));
    EXPECT_EQ(Quelmar_FI_VerificaEstadoGaveta(nullptr), -1);
    state().chequeStatusIbm = false;
    line->reply(dataReply("\x6C"));
    EXPECT_EQ(Quelmar_FI_VerificaStatusCheque(nullptr), -1);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaEstadoGaveta ",
                        "Retorno Quelmar_FI_VerificaEstadoGaveta: -1", kSep,
                        "Quelmar_FI_VerificaStatusCheque ",
                        "Retorno Quelmar_FI_VerificaStatusCheque: -1 - Erro de execução"}));

    state().networkMode = 1;
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&value), 1);
    EXPECT_EQ(commandFile(), "032|");
    EXPECT_EQ(value, 33);
}

TEST_F(QueryIntegersTest, ServiceTaxRatesComeFromTheCachedRateTable) {
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

    state().answerToFile = true;
    line->reply(dataReply(std::string("\x70\0", 2)));
    EXPECT_EQ(Quelmar_FI_VerificaAliquotasIss(rates), 1);
    EXPECT_EQ(answerFile(), "1800,1000,0700");
}

TEST_F(QueryIntegersTest, RateTableReadFailures) {
    char rates[80] = "untouched";
    EXPECT_EQ(Quelmar_FI_VerificaAliquotasIss(rates), 0);
    EXPECT_EQ(newWire(), frameOf("\x1B\x1A"));
    EXPECT_EQ(std::string(rates), "untouched");
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaAliquotasIss ",
                        "Retorno Quelmar_FI_VerificaAliquotasIss: 0 - Erro de comunicacao"}));
    EXPECT_FALSE(state().taxRateTableLoaded);
    EXPECT_FALSE(state().leadingCountPending);

    // A table once read survives a failed or refused re-read.
    line->reply(rateTableReply({1800, 700}));
    EXPECT_EQ(fiscal::readTaxRateTable(), 1);
    EXPECT_EQ(fiscal::readTaxRateTable(), 0);
    line->reply(bytes({21}));
    EXPECT_EQ(fiscal::readTaxRateTable(), 0);
    EXPECT_TRUE(state().taxRateTableLoaded);
    const std::array<std::string, 16> read{"1800", "0700"};
    EXPECT_EQ(state().taxRateTable, read);

    // The rate-list member refreshes the cache with what it read.
    line->reply(rateTableReply({1200}));
    EXPECT_EQ(Quelmar_FI_RetornoAliquotas(nullptr), 1);
    const std::array<std::string, 16> refreshed{"1200"};
    EXPECT_EQ(state().taxRateTable, refreshed);
}

TEST_F(QueryIntegersTest, StatusRequestAsksTheFiscalFlagsOnlyWithoutTheCouponBit) {
    // ST1 without the coupon-open bit: the flags are asked, and say a coupon is open. The flags
    // query's own status must not leak into the answer, nor its answer into Retorno.txt.
    line->reply(bytes({6, 0x40, 0}));
    line->reply(dataReply("\x21"));
    state().answerToFile = true;
    writeFile(workDir() + "/Retorno.txt", "previous answer");
    short ack = 0, st1 = 0, st2 = 0;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(newWire(), frameOf("\x1B\x13") + frameOf("\x1B#\x11"));
    EXPECT_EQ(ack, 6);
    EXPECT_EQ(st1, 0x42);
    EXPECT_EQ(answerFile(), "previous answer");
    EXPECT_TRUE(state().answerToFile);
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_VerificaEstadoImpressora ", kSep, "Quelmar_FI_FlagsFiscais ",
                  "Retorno impressora: 033", "Retorno Quelmar_FI_FlagsFiscais: 1",
                  "Retorno impressora: 6,66,0", "Retorno Quelmar_FI_VerificaEstadoImpresora: 1"}));

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

TEST_F(QueryIntegersTest, StatusRequestThatGetsNoAnswerOrNoPort) {
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

TEST_F(QueryIntegersTest, NetworkClientStatusComesFromTheDriversFile) {
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

TEST_F(QueryIntegersTest, ExtendedStatusAnswersSt3) {
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

    state().networkMode = 1;
    ack = 77;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressoraMFD(&ack, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(commandFile(), "239|");
    EXPECT_EQ(ack, 77);
}

}  // namespace
}  // namespace quelfi::test

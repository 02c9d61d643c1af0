// The integer members (fiscal flags, drawer, cheque status, printer type) with their Str
// variants, the service-tax rates, and the status requests that complete ST1 and answer ST3.
#include <array>
#include <cstring>
#include <optional>

#include "exports/boundary.h"
#include "fiscal/tax_rate_table.h"
#include "protocol/waits.h"
#include "query_fixture.h"

namespace quelfi::test {
namespace {

using core::state;

class QueryIntegersTest : public QueryTest {};

TEST_F(QueryIntegersTest, FiscalFlags) {
    short flags = -1;
    line->reply(dataReply("\x21"));
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&flags), 1);
    EXPECT_EQ(newWire(), frameOf("\x1B#\x11"));
    EXPECT_EQ(flags, 33);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_FlagsFiscais ", "Retorno impressora: 033",
                                   "Retorno Quelmar_FI_FlagsFiscais: 1"}));

    char text[8] = "XXXXXXX";
    line->reply(dataReply("\x05"));
    EXPECT_EQ(Quelmar_FI_FlagsFiscaisStr(text), 1);
    EXPECT_EQ(std::string(text), "005");

    // With Retorno on, the three digits go to the file and neither output is touched.
    reconfigure("Retorno=1\n");
    std::memcpy(text, "XXXXXXX", 8);
    line->reply(dataReply("\x08"));
    EXPECT_EQ(Quelmar_FI_FlagsFiscaisStr(text), 1);
    EXPECT_EQ(std::string(text), "XXXXXXX");
    line->reply(dataReply("\x08"));
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&flags), 1);
    EXPECT_EQ(flags, 33);
    EXPECT_EQ(answerFile(), "008");

    reconfigure("ConfigRede=1\n");
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&flags), 1);
    EXPECT_EQ(readFile(workDir() + "/Quelfi32.cmd"), "032|");
    EXPECT_EQ(flags, 33);
}

TEST_F(QueryIntegersTest, DrawerStateAndItsInversion) {
    struct Case {
        bool inverted;
        int byte;
        int result;
        short state;
    };
    const Case cases[] = {{false, 255, 1, 1}, {false, 0, 1, 0},   {true, 255, 1, 0},
                          {true, 0, 1, 1},    {false, 7, -1, 99}, {true, 128, -1, 99}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.byte);
        reconfigure(c.inverted ? "ModoGaveta=1\n" : "");
        short drawer = 99;
        line->reply(dataReply(std::string(1, static_cast<char>(c.byte))));
        EXPECT_EQ(Quelmar_FI_VerificaEstadoGaveta(&drawer), c.result);
        EXPECT_EQ(newWire(), frameOf("\x1B\x17"));
        EXPECT_EQ(drawer, c.state);
    }
    reconfigure("ModoGaveta=1\n");
    char text[4] = "XXX";
    line->reply(dataReply("\xFF"));
    EXPECT_EQ(Quelmar_FI_VerificaEstadoGavetaStr(text), 1);
    EXPECT_EQ(std::string(text), "0");
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaEstadoGaveta ", "Retorno impressora: 0",
                        "Retorno Quelmar_FI_VerificaEstadoGaveta: 1"}));
    clearLog();
    line->reply(dataReply("\x07"));
    EXPECT_EQ(Quelmar_FI_VerificaEstadoGaveta(nullptr), -1);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_VerificaEstadoGaveta ",
                                   "Retorno Quelmar_FI_VerificaEstadoGaveta: -1"}));
}

TEST_F(QueryIntegersTest, ChequeStatusInBothDecodings) {
    struct Case {
        bool ibm;
        int byte;
        int status;  // -1: refused
    };
    const Case cases[] = {
        // The IBM unit: value 1 says a cheque is in place.
        {true, 0x00, 2},
        {true, 0x02, 4},
        {true, 0x04, 4},
        {true, 0x41, 1},
        {true, 0x01, 4},
        {true, 0x48, 2},
        // The other unit: value 4 says a cheque is in place, values 8, 32, 64 qualify it.
        {false, 0x00, 2},
        {false, 0x08, 4},
        {false, 0x04, 3},
        {false, 0x64, 1},
        {false, 0x6C, -1},
        {false, 0x24, -1},
        {false, 0x0C, -1},
        {false, 0x03, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ibm << " " << c.byte);
        reconfigure(c.ibm ? "StatusCheque=IBM\n" : "");
        short status = 99;
        line->reply(dataReply(std::string(1, static_cast<char>(c.byte))));
        EXPECT_EQ(Quelmar_FI_VerificaStatusCheque(&status), c.status == -1 ? -1 : 1);
        EXPECT_EQ(newWire(), frameOf("\x1B>0"));
        EXPECT_EQ(status, c.status == -1 ? 99 : c.status);
        if (c.status == -1) {
            EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_VerificaStatusCheque ",
                                           "Retorno Quelmar_FI_VerificaStatusCheque: -1 - Erro de "
                                           "execução"}));
        }
    }
    char text[4] = "XXX";
    reconfigure("");
    line->reply(dataReply("\x04"));
    EXPECT_EQ(Quelmar_FI_VerificaStatusChequeStr(text), 1);
    EXPECT_EQ(std::string(text), "3");
}

TEST_F(QueryIntegersTest, PrinterType) {
    struct Case {
        std::string data;
        int result;
        short type;
    };
    const Case cases[] = {{"\xFF\xFF\xFF", 1, 1},
                          {std::string("\xFF\0\xFF", 3), 1, 3},
                          {std::string("\0\xFF\xFF", 3), 1, 5},
                          {std::string(3, '\0'), 1, 8},
                          {std::string("\x01\0\0", 3), -1, 99},
                          {std::string("\xFF\xFF\x10", 3), -1, 99}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        short type = 99;
        line->reply(dataReply(c.data));
        EXPECT_EQ(Quelmar_FI_VerificaTipoImpressora(&type), c.result);
        EXPECT_EQ(newWire(), frameOf("\x1B#\xFD"));
        EXPECT_EQ(type, c.type);
    }
    reconfigure("Retorno=1\n");
    char text[4] = "XXX";
    line->reply(dataReply(std::string("\xFF\0\xFF", 3)));
    EXPECT_EQ(Quelmar_FI_VerificaTipoImpressoraStr(text), 1);
    EXPECT_EQ(std::string(text), "XXX");
    EXPECT_EQ(answerFile(), "3");
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaTipoImpressora ", "Retorno impressora: 3",
                        "Retorno Quelmar_FI_VerificaTipoImpressora: 1"}));
}

TEST_F(QueryIntegersTest, ServiceTaxRatesComeFromTheCachedRateTable) {
    // Four rates programmed; slots 1 and 3 are service-tax rates.
    const std::string programmed = std::string("0500") + "1800" + "1000" + "0700";
    const std::string rateList = "\x04" + bcd(programmed + std::string(48, '0'));
    line->reply(dataReply(rateList));
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

TEST_F(QueryIntegersTest, RateTableReadFailures) {
    char rates[80] = "untouched";
    EXPECT_EQ(Quelmar_FI_VerificaAliquotasIss(rates), 0);
    EXPECT_EQ(newWire(), frameOf("\x1B\x1A"));
    EXPECT_EQ(std::string(rates), "untouched");
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaAliquotasIss ",
                        "Retorno Quelmar_FI_VerificaAliquotasIss: 0 - Erro de comunicacao"}));
    EXPECT_FALSE(state().taxRateTableLoaded);

    // A table once read survives a failed or refused re-read.
    line->reply(dataReply("\x02" + bcd(std::string("1800") + "0700" + std::string(56, '0'))));
    EXPECT_EQ(fiscal::readTaxRateTable(exports::chosenRoad()), 1);
    EXPECT_EQ(fiscal::readTaxRateTable(exports::chosenRoad()), 0);
    line->reply(bytes({21}));
    EXPECT_EQ(fiscal::readTaxRateTable(exports::chosenRoad()), 0);
    EXPECT_TRUE(state().taxRateTableLoaded);
    EXPECT_EQ(state().taxRateTable[0], "1800");
    EXPECT_EQ(state().taxRateTable[1], "0700");
    EXPECT_EQ(state().taxRateTable[2], "");

    // The rate-list member refreshes the cache with what it read.
    line->reply(dataReply("\x01" + bcd("1200" + std::string(60, '0'))));
    EXPECT_EQ(Quelmar_FI_RetornoAliquotas(nullptr), 1);
    EXPECT_EQ(state().taxRateTable[0], "1200");
    EXPECT_EQ(state().taxRateTable[1], "");
}

TEST_F(QueryIntegersTest, StatusRequestAsksTheFiscalFlags) {
    // ST1 without the coupon-open bit: the flags are asked, and say a coupon is open.
    reconfigure("Retorno=1\n");  // the flags must not end up in Retorno.txt
    line->reply(bytes({6, 0x40, 0}));
    line->reply(dataReply("\x21"));
    writeFile(workDir() + "/Retorno.txt", "previous answer");
    short ack = 0, st1 = 0, st2 = 0;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(newWire(), frameOf("\x1B\x13") + frameOf("\x1B#\x11"));
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

    char a[8], b[8], c[8];
    line->reply(bytes({6, 2, 1}));
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressoraStr(a, b, c), 1);
    EXPECT_EQ(std::string(a) + "|" + b + "|" + c, "6|2|1");
    EXPECT_EQ(Quelmar_FI_RetornoImpressoraStr(a, b, c), 1);
    EXPECT_EQ(std::string(a) + "|" + b + "|" + c, "6|2|1");
}

TEST_F(QueryIntegersTest, StatusRequestOnAPortThatDoesNotOpenReportsIt) {
    ASSERT_EQ(Quelmar_FI_FechaPortaSerial(), 1);
    state().portName = "COM9";  // nothing there
    clearLog();
    short ack = 7;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, nullptr, nullptr), -5);
    EXPECT_EQ(ack, 7);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_VerificaEstadoImpressora ",
                                   "Quelmar_FI_AbrePortaSerial ", "Parâmetro: COM9",
                                   "Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a porta",
                                   "Retorno Quelmar_FI_VerificaEstadoImpresora: -5"}));
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

    reconfigure("ConfigRede=1\n");
    ack = 77;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressoraMFD(&ack, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(readFile(workDir() + "/Quelfi32.cmd"), "239|");
    EXPECT_EQ(ack, 77);
}

TEST_F(QueryIntegersTest, LongCommandWaitAsksTheExtendedStatusWithoutTheFlags) {
    // Still executing once (ST3 9), then five ready answers end the wait.
    line->reply(bytes({6, 0, 0, 9, 0}));
    for (int k = 0; k < 5; ++k) line->reply(bytes({6, 0, 0, 0, 0}));
    EXPECT_EQ(protocol::waitLongCommand(exports::chosenRoad(), 60), 1);
    std::string expected;
    for (int k = 0; k < 6; ++k) expected += frameOf("\x1C\x13");
    EXPECT_EQ(newWire(), expected);  // no fiscal-flags query in between
    EXPECT_FALSE(state().mfdPrinter);
}

}  // namespace
}  // namespace quelfi::test

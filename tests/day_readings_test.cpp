// The day's readings and reduction as the library runs them: the commands, the queries around
// the reduction, its waits, and the grand totals it records in the INI.
#include <cstring>

#include "day_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

using core::state;

const std::string kGtBefore = "000000000000123456";
const std::string kGtAfter = "000000000000234567";

class DayReadingsTest : public DayCommandTest {
  protected:
    // The replies of a reduction the printer accepts and finishes at once (printers of type 0).
    void replyAcceptedReduction() {
        line->reply(lastReductionReply(kGtBefore));
        line->reply(kOk);
        replyStatus(*line);
        line->reply(grandTotalReply(kGtAfter));
    }
    std::vector<std::string> readingLines() {
        return {kSep, "Quelmar_FI_DadosUltimaReducao ",
                "Retorno impressora: " + lastReductionAnswer(kGtBefore),
                "Retorno Quelmar_FI_DadosUltimaReducao: 1"};
    }
    std::vector<std::string> grandTotalLines() {
        return {kSep, "Quelmar_FI_GrandeTotal ", "Retorno impressora: " + kGtAfter,
                "Retorno Quelmar_FI_GrandeTotal: 1"};
    }
    std::string recordedIni(const std::string& initial, const std::string& final) {
        return configuredIni() + "[RelatorioTipo60]\nGTInicial=" + initial + "\nGTFinal=" + final +
               "\n";
    }
};

TEST_F(DayReadingsTest, ReductionWithDateAndTimeRecordsTheDaysGrandTotals) {
    replyAcceptedReduction();
    EXPECT_EQ(Quelmar_FI_ReducaoZ("31/12/2004", "23:59:00"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B>7",
                                                    "\x1B\x05"
                                                    "311204235900",
                                                    "\x1B\x13", "\x1B#\x11", "\x1B#\x03"}));
    EXPECT_EQ(ini(), recordedIni(kGtBefore, kGtAfter));
    EXPECT_EQ(workLog(), logOf(std::vector<std::string>{kSep, "Quelmar_FI_ReducaoZ ",
                                                        "Parâmetros: 311204|235900"} +
                               readingLines() + statusLines() + grandTotalLines() +
                               std::vector<std::string>{"Retorno Quelmar_FI_ReducaoZ: 1"}));

    // On electronic-journal printers too, the clock form starts with ESC.
    state().mfdPrinter = true;
    for (const std::string& reply :
         {lastReductionReply(kGtBefore), kOk, kOk, bytes({6, 0, 0, 0}), grandTotalReply(kGtAfter)})
        line->reply(reply + bytes({0, 0}));
    EXPECT_EQ(Quelmar_FI_ReducaoZ("01/01/2005", "00:00:00"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1C>7",
                                                    "\x1B\x05"
                                                    "010105000000",
                                                    "\x1C\x13", "\x1C#\x11", "\x1C#\x03"}));
}

TEST_F(DayReadingsTest, ReductionDateAndTimeAreCheckedBeforeAnythingIsSent) {
    struct Case {
        const char* date;
        const char* time;
        const char* line;
    };
    const Case refusals[] = {
        {"3112", "235900", "Retorno Quelmar_FI_ReducaoZ: -2 - Parametro invalido para a data"},
        {"31/12/2004", nullptr, "Retorno Quelmar_FI_ReducaoZ: -2 - Parametro invalido para a hora"},
        {"31/12/2004", "", "Retorno Quelmar_FI_ReducaoZ: -2 - Parametro invalido para a hora"},
        {"31/12/2004", "23:59", "Retorno Quelmar_FI_ReducaoZ: -2 - Parametro invalido para hora"},
        {"30/02/2004", "235900",
         "Retorno Quelmar_FI_ReducaoZ: -2 - Parametro invalido para a data300204"},
        {"29/02/2003", "235900",
         "Retorno Quelmar_FI_ReducaoZ: -2 - Parametro invalido para a data290203"},
    };
    for (const Case& c : refusals) {
        clearLog();
        EXPECT_EQ(Quelmar_FI_ReducaoZ(c.date, c.time), -2) << c.line;
        EXPECT_EQ(workLog(), logOf({kSep, "Quelmar_FI_ReducaoZ ", c.line}));
    }
    EXPECT_TRUE(line->written.empty());
}

TEST_F(DayReadingsTest, RefusedReductionRecordsNothing) {
    const std::string earlier =
        "[RelatorioTipo60]\nGTInicial=000000000000000111\nGTFinal=000000000000000222\n";
    configure(earlier);
    const std::string before = ini();
    for (const std::string& refusal : {bytes({6, 0, 1}), bytes({21})}) {
        clearLog();
        line->reply(lastReductionReply(kGtBefore));
        line->reply(refusal);
        EXPECT_EQ(Quelmar_FI_ReducaoZ(nullptr, nullptr), 1);
        EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B>7", "\x1B\x05"}));
        EXPECT_EQ(ini(), before);
        EXPECT_EQ(workLog(),
                  logOf(std::vector<std::string>{kSep, "Quelmar_FI_ReducaoZ "} + readingLines() +
                        std::vector<std::string>{"Retorno Quelmar_FI_ReducaoZ: 1"}));
    }
    // A closing total that cannot be read leaves both records as they were.
    clearLog();
    line->reply(lastReductionReply(kGtBefore));
    line->reply(kOk);
    replyStatus(*line);
    EXPECT_EQ(Quelmar_FI_ReducaoZ(nullptr, nullptr), 0);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B>7", "\x1B\x05", "\x1B\x13", "\x1B#\x11",
                                                    "\x1B#\x03"}));
    EXPECT_EQ(ini(), before);
    EXPECT_EQ(workLog(), logOf(std::vector<std::string>{kSep, "Quelmar_FI_ReducaoZ "} +
                               readingLines() + statusLines() +
                               std::vector<std::string>{
                                   kSep, "Quelmar_FI_GrandeTotal ",
                                   "Retorno Quelmar_FI_GrandeTotal: 0 - Erro de comunicacao",
                                   "Retorno Quelmar_FI_ReducaoZ: 0"}));

    // Nothing to reduce from when the last reduction cannot be read: no reduction either.
    clearLog();
    EXPECT_EQ(Quelmar_FI_ReducaoZ("", ""), 0);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B>7"}));
    EXPECT_EQ(workLog(),
              logOf({kSep, "Quelmar_FI_ReducaoZ ", kSep, "Quelmar_FI_DadosUltimaReducao ",
                     "Retorno Quelmar_FI_DadosUltimaReducao: 0 - Erro de comunicacao",
                     "Retorno Quelmar_FI_ReducaoZ: 0"}));
}

TEST_F(DayReadingsTest, NewerPrintersAreWaitedForUntilTheJournalIsWritten) {
    configure("[MFD]\nImpressora=1\n");
    line->reply(lastReductionReply(kGtBefore));
    line->reply(kOk);
    // The completion wait asks the journal's status: twice still executing, then ready.
    for (int k = 0; k < 2; ++k) line->reply(bytes({6, 0, 0, 9, 0}));
    for (int k = 0; k < 5; ++k) line->reply(bytes({6, 0, 0, 0, 0}));
    line->reply(grandTotalReply(kGtAfter));
    EXPECT_EQ(Quelmar_FI_ReducaoZ(nullptr, nullptr), 1);
    std::vector<std::string> expected = {"\x1B>7", "\x1B\x05"};
    for (int k = 0; k < 7; ++k) expected.push_back("\x1C\x13");
    expected.push_back("\x1B#\x03");
    EXPECT_EQ(commands(), expected);
    EXPECT_EQ(ini(), recordedIni(kGtBefore, kGtAfter));
    std::vector<std::string> lines =
        std::vector<std::string>{kSep, "Quelmar_FI_ReducaoZ "} + readingLines();
    for (int k = 0; k < 7; ++k)
        lines = lines + std::vector<std::string>{
                            "Quelmar_FI_VerificaEstadoImpressoraMFD ",
                            "Retorno impressora: 6,0,0," + std::string(k < 2 ? "9" : "0"),
                            "Retorno Quelmar_FI_VerificaEstadoImpressoraMFD: 1"};
    EXPECT_EQ(workLog(), logOf(lines + grandTotalLines() +
                               std::vector<std::string>{"Retorno Quelmar_FI_ReducaoZ: 1"}));
    EXPECT_FALSE(state().mfdPrinter);
}

TEST_F(DayReadingsTest, OldFirmwareReductionIsTheBareCommand) {
    state().mfdPrinter = true;
    line->reply(bytes({6, 0, 0, 0, 0}));
    EXPECT_EQ(Quelmar_FI_ReducaoZImpAntiga(), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x05"}));
    EXPECT_EQ(ini(), configuredIni());
    EXPECT_EQ(workLog(), logOf({kSep, "Quelmar_FI_ReducaoZ ", "Retorno Quelmar_FI_ReducaoZ: 1"}));
}

TEST_F(DayReadingsTest, FiscalMemoryReadingsByReductionAndByDate) {
    line->reply(kOk);  // the presence check
    line->reply(kOk);
    replyStatus(*line);
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalReducao("1", "25"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x13",
                                                    "\x1B\x08"
                                                    "000001000025"
                                                    "I",
                                                    "\x1B\x13", "\x1B#\x11"}));
    EXPECT_EQ(workLog(),
              logOf(std::vector<std::string>{
                        kSep, "Quelmar_FI_LeituraMemoriaFiscalReducao ", "Parâmetros: 1|25",
                        "Quelmar_FI_VerificaImpressoraLigada ",
                        "Retorno Quelmar_FI_VerificaImpressoraLigada: 1 - Impressora ligada"} +
                    statusLines() +
                    std::vector<std::string>{"Retorno Quelmar_FI_LeituraMemoriaFiscalReducao: 1"}));

    // By dates of six or eight digits; the short form when asked for.
    state().simplifiedReading = true;
    line->reply(kOk);
    line->reply(kOk);
    replyStatus(*line);
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalData("01/03/2024", "31/03/24"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x13",
                                                    "\x1B\x08"
                                                    "010324310324"
                                                    "i",
                                                    "\x1B\x13", "\x1B#\x11"}));

    // Arguments are checked first; a printer that does not answer gets no reading.
    clearLog();
    const std::string byDate =
        "Retorno Quelmar_FI_LeituraMemoriaFiscalData: -2 - Parametro "
        "invalido para data ";
    const std::string byNumber =
        "Retorno Quelmar_FI_LeituraMemoriaFiscalReducao: -2 - Parametro "
        "invalido para reducao ";
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalData("", "010324"), -2);
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalData("010324", "310224"), -2);
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalData("0103", "310324"), -2);
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalReducao("12345", "1"), -2);
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalReducao("1", nullptr), -2);
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalReducao("1", ""), 0);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x13"}));
    EXPECT_EQ(workLog(),
              logOf({kSep,
                     "Quelmar_FI_LeituraMemoriaFiscalData ",
                     byDate + "inicial",
                     kSep,
                     "Quelmar_FI_LeituraMemoriaFiscalData ",
                     byDate + "final",
                     kSep,
                     "Quelmar_FI_LeituraMemoriaFiscalData ",
                     byDate + "inicial",
                     kSep,
                     "Quelmar_FI_LeituraMemoriaFiscalReducao ",
                     byNumber + "inicial",
                     kSep,
                     "Quelmar_FI_LeituraMemoriaFiscalReducao ",
                     byNumber + "final",
                     kSep,
                     "Quelmar_FI_LeituraMemoriaFiscalReducao ",
                     "Parâmetros: 1|",
                     "Quelmar_FI_VerificaImpressoraLigada ",
                     "Retorno Quelmar_FI_VerificaImpressoraLigada: -6 - Impressora desligada ou "
                     "desconectada",
                     "Retorno Quelmar_FI_LeituraMemoriaFiscalReducao: 0 - Erro de comunicacao"}));
}

TEST_F(DayReadingsTest, DayOpeningIsTheXReadingAndTheOpeningCash) {
    line->reply(kOk);
    replyStatus(*line);
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("0,00", "Dinheiro"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x06", "\x1B\x13", "\x1B#\x11"}));
    const std::vector<std::string> reading =
        std::vector<std::string>{"Quelmar_FI_LeituraX "} + statusLines() +
        std::vector<std::string>{"Retorno Quelmar_FI_LeituraX: 1"};
    EXPECT_EQ(workLog(),
              logOf(std::vector<std::string>{kSep, "Quelmar_FI_AberturaDoDia "} + reading +
                    std::vector<std::string>{"Retorno Quelmar_FI_AberturaDoDia: 1"}));

    clearLog();
    line->reply(kOk);
    replyStatus(*line);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("R$ 150,00", nullptr), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x06", "\x1B\x13", "\x1B#\x11",
                                                    "\x1B\x19SU00000000015000"}));
    EXPECT_EQ(workLog(),
              logOf(std::vector<std::string>{kSep, "Quelmar_FI_AberturaDoDia "} + reading +
                    std::vector<std::string>{"Quelmar_FI_Suprimento ", "Parâmetro: 15000||",
                                             "Retorno Quelmar_FI_Suprimento: 1",
                                             "Retorno Quelmar_FI_AberturaDoDia: 1"}));

    clearLog();
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("", nullptr), -2);
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("0000000000000000,00", nullptr), -2);
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("1", "12345678901234567"), -2);
    // A reading the printer does not answer ends the opening with the reading's result.
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("1", nullptr), 0);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x06"}));
    const std::string amount =
        "Retorno Quelmar_FI_AberturaDoDia: -2 - Parametro invalido para valor";
    EXPECT_EQ(workLog(),
              logOf({kSep, "Quelmar_FI_AberturaDoDia ", amount, kSep, "Quelmar_FI_AberturaDoDia ",
                     amount, kSep, "Quelmar_FI_AberturaDoDia ",
                     "Retorno Quelmar_FI_Suprimento: -2 - Parametro invalido para forma de pagto",
                     kSep, "Quelmar_FI_AberturaDoDia ", "Quelmar_FI_LeituraX ",
                     "Retorno Quelmar_FI_LeituraX: 0 - Erro de comunicacao"}));
}

TEST_F(DayReadingsTest, SubtotalGoesToTheBufferOrToTheAnswerFile) {
    line->reply(dataReply(bcd("00000000012345")));
    char subtotal[15];
    std::memset(subtotal, 'x', sizeof subtotal);
    EXPECT_EQ(Quelmar_FI_SubTotal(subtotal), 1);
    EXPECT_EQ(std::string(subtotal), "00000000012345");
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x1D"}));

    configure("Retorno=1\nControlePorta=0\n");
    clearLog();
    line->reply(dataReply(bcd("00000000067890")));
    std::memcpy(subtotal, "untouched", 10);
    EXPECT_EQ(Quelmar_FI_SubTotal(subtotal), 1);
    EXPECT_EQ(std::string(subtotal), "untouched");
    EXPECT_EQ(readFile(workDir() + "/Retorno.txt"), "00000000067890");
    EXPECT_EQ(workLog(), logOf({kSep, "Quelmar_FI_SubTotal ", "Retorno impressora: 00000000067890",
                                "Retorno Quelmar_FI_SubTotal: 1"}));
}

}  // namespace
}  // namespace quelfi::test

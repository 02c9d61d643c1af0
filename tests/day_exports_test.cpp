// The day's exports as the library runs them: the readings and the reduction with the queries
// around it, its waits and the grand totals it records in the INI; the non-fiscal documents
// (management report and bound receipt texts, their closings, the non-fiscal receipt with its
// payment-form question, the cash movements).
#include <cstring>

#include "protocol_fixture.h"
#include "quelfi32.h"
#include "support/wire_bytes.h"

namespace quelfi::test {
namespace {

// The status request's reply and the fiscal-flags reply that completes it (no coupon open).
void replyStatus(ScriptedLine& line) {
    line.reply(kOk);
    line.reply(bytes({6, 0, 0, 0}));
}

// The log lines of that nested status request.
std::vector<std::string> statusLines() {
    return {kSep,
            "Quelmar_FI_VerificaEstadoImpressora ",
            kSep,
            "Quelmar_FI_FlagsFiscais ",
            "Retorno impressora: 000",
            "Retorno Quelmar_FI_FlagsFiscais: 1",
            "Retorno impressora: 6,0,0",
            "Retorno Quelmar_FI_VerificaEstadoImpresora: 1"};
}

// The last reduction's 616 digits: the automatic mark, the grand total given, zeros.
std::string lastReductionDigits(const std::string& grandTotal) {
    return "00" + grandTotal + std::string(596, '0');
}

std::string lastReductionReply(const std::string& grandTotal) {
    return dataReply(bcd(lastReductionDigits(grandTotal)));
}

// The same digits as the query answers them: 16 fields separated by ",".
std::string lastReductionAnswer(const std::string& grandTotal) {
    return joined(cut(lastReductionDigits(grandTotal),
                      {2, 18, 14, 14, 64, 266, 14, 14, 126, 36, 6, 6, 2, 6, 14, 14}),
                  ",");
}

// The journal printers' record of the last reduction: 1242 digits, the grand total given as its
// sixteenth field (digits 300-317), zeros.
std::string journalRecordDigits(const std::string& grandTotal) {
    return std::string(300, '0') + grandTotal + std::string(924, '0');
}

// The record as the query answers it: 37 fields separated by ",".
std::string journalRecordText(const std::string& grandTotal) {
    return joined(
        cut(journalRecordDigits(grandTotal),
            {2,  4,  4,  6,  6,  6,  6,  6,  4,  4,  120, 120, 4,  4,  4,  18, 224, 14, 14,
             14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 392, 14,  14, 14, 14, 14, 64,  6}),
        ",");
}

std::string grandTotalReply(const std::string& grandTotal) {
    return dataReply(bcd(grandTotal));
}

using core::state;
using Lines = std::vector<std::string>;

const std::string kGtBefore = "000000000000123456";
const std::string kGtAfter = "000000000000234567";

class DayTest : public ConnectedTest {
  protected:
    // The replies of a reduction the printer accepts and finishes at once (printers of type 0).
    void replyAcceptedReduction() {
        line->reply(lastReductionReply(kGtBefore));
        line->reply(kOk);
        replyStatus(*line);
        line->reply(grandTotalReply(kGtAfter));
    }
    // The reduction's opening lines with the nested reading of the last reduction.
    Lines readingLines(const std::string& parameters = "") {
        Lines lines{kSep, "Quelmar_FI_ReducaoZ "};
        if (!parameters.empty()) lines.push_back("Parâmetros: " + parameters);
        return lines + Lines{kSep, "Quelmar_FI_DadosUltimaReducao ",
                             "Retorno impressora: " + lastReductionAnswer(kGtBefore),
                             "Retorno Quelmar_FI_DadosUltimaReducao: 1"};
    }
    Lines grandTotalLines() {
        return {kSep, "Quelmar_FI_GrandeTotal ", "Retorno impressora: " + kGtAfter,
                "Retorno Quelmar_FI_GrandeTotal: 1", "Retorno Quelmar_FI_ReducaoZ: 1"};
    }
    std::string recordedIni() {
        return configuredIni() + "[RelatorioTipo60]\nGTInicial=" + kGtBefore +
               "\nGTFinal=" + kGtAfter + "\n";
    }
};

TEST_F(DayTest, ReductionWithDateAndTimeRecordsTheDaysGrandTotals) {
    replyAcceptedReduction();
    EXPECT_EQ(Quelmar_FI_ReducaoZ("31/12/2004", "23:59:00"), 1);
    EXPECT_EQ(commands(), (Lines{"\x1B>7", concat({"\x1B\x05", "311204235900"}), "\x1B\x13",
                                 "\x1B#\x11", "\x1B#\x03"}));
    EXPECT_EQ(ini(), recordedIni());
    EXPECT_EQ(workLog(),
              logLines(readingLines("311204|235900") + statusLines() + grandTotalLines()));

    // On electronic-journal printers too, the clock form starts with ESC.
    state().mfdPrinter = true;
    for (const std::string& reply :
         {lastReductionReply(kGtBefore), kOk, kOk, bytes({6, 0, 0, 0}), grandTotalReply(kGtAfter)})
        line->reply(reply + bytes({0, 0}));
    EXPECT_EQ(Quelmar_FI_ReducaoZ("01/01/2005", "00:00:00"), 1);
    EXPECT_EQ(commands(), (Lines{"\x1C>7", concat({"\x1B\x05", "010105000000"}), "\x1C\x13",
                                 "\x1C#\x11", "\x1C#\x03"}));
}

TEST_F(DayTest, ReductionDateAndTimeAreCheckedBeforeAnythingIsSent) {
    const std::string refused = "Retorno Quelmar_FI_ReducaoZ: -2 - Parametro invalido para ";
    const std::tuple<const char*, const char*, std::string> refusals[] = {
        {"3112", "235900", "a data"},
        {"31/12/2004", nullptr, "a hora"},
        {"31/12/2004", "", "a hora"},
        {"31/12/2004", "23:59", "hora"},
        {"30/02/2004", "235900", "a data300204"},
        {"29/02/2003", "235900", "a data290203"},
    };
    for (const auto& [date, time, reason] : refusals) {
        clearLog();
        EXPECT_EQ(Quelmar_FI_ReducaoZ(date, time), -2) << reason;
        EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_ReducaoZ ", refused + reason}));
    }
    EXPECT_EQ(newWire(), "");
}

TEST_F(DayTest, RefusedReductionRecordsNothing) {
    configure("[RelatorioTipo60]\nGTInicial=000000000000000111\nGTFinal=000000000000000222\n");
    const std::string before = ini();
    for (const std::string& refusal : {bytes({6, 0, 1}), bytes({21})}) {
        clearLog();
        line->reply(lastReductionReply(kGtBefore));
        line->reply(refusal);
        EXPECT_EQ(Quelmar_FI_ReducaoZ(nullptr, nullptr), 1);
        EXPECT_EQ(commands(), (Lines{"\x1B>7", "\x1B\x05"}));
        EXPECT_EQ(ini(), before);
        EXPECT_EQ(workLog(), logLines(readingLines() + Lines{"Retorno Quelmar_FI_ReducaoZ: 1"}));
    }
    // A closing total that cannot be read leaves both records as they were.
    clearLog();
    line->reply(lastReductionReply(kGtBefore));
    line->reply(kOk);
    replyStatus(*line);
    EXPECT_EQ(Quelmar_FI_ReducaoZ(nullptr, nullptr), 0);
    EXPECT_EQ(commands(), (Lines{"\x1B>7", "\x1B\x05", "\x1B\x13", "\x1B#\x11", "\x1B#\x03"}));
    EXPECT_EQ(ini(), before);
    EXPECT_EQ(workLog(), logLines(readingLines() + statusLines() +
                                  Lines{kSep, "Quelmar_FI_GrandeTotal ",
                                        "Retorno Quelmar_FI_GrandeTotal: 0 - Erro de comunicacao",
                                        "Retorno Quelmar_FI_ReducaoZ: 0"}));

    // Nothing to reduce from when the last reduction cannot be read: no reduction either.
    clearLog();
    EXPECT_EQ(Quelmar_FI_ReducaoZ("", ""), 0);
    EXPECT_EQ(commands(), (Lines{"\x1B>7"}));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_ReducaoZ ", kSep, "Quelmar_FI_DadosUltimaReducao ",
                        "Retorno Quelmar_FI_DadosUltimaReducao: 0 - Erro de comunicacao",
                        "Retorno Quelmar_FI_ReducaoZ: 0"}));

    // The Spanish name sends what the reduction with two empty texts sends, then closes the port.
    clearLog();
    EXPECT_EQ(Quelmar_FI_CierreDeCajaZ(), 0);
    EXPECT_EQ(commands(), (Lines{"\x1B>7"}));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_ReducaoZ ", kSep, "Quelmar_FI_DadosUltimaReducao ",
                        "Retorno Quelmar_FI_DadosUltimaReducao: 0 - Erro de comunicacao",
                        "Retorno Quelmar_FI_ReducaoZ: 0", kSep, "Quelmar_FI_FechaPortaSerial ",
                        "Retorno Quelmar_FI_FechaPortaSerial: 1"}));
}

TEST_F(DayTest, NewerPrintersAreWaitedForUntilTheJournalIsWritten) {
    configure("[MFD]\nImpressora=1\n");
    // Their journal record gives the grand total the day opened with.
    line->reply(dataReply(bcd(journalRecordDigits(kGtBefore))));
    line->reply(kOk);
    // The completion wait asks the journal's status, without the fiscal flags: twice still
    // executing, then five times ready.
    for (int k = 0; k < 2; ++k) line->reply(bytes({6, 0, 0, 9, 0}));
    for (int k = 0; k < 5; ++k) line->reply(bytes({6, 0, 0, 0, 0}));
    line->reply(grandTotalReply(kGtAfter));
    EXPECT_EQ(Quelmar_FI_ReducaoZ(nullptr, nullptr), 1);
    EXPECT_EQ(commands(), (Lines{"\x1BX", "\x1B\x05"} + Lines(7, "\x1C\x13") + Lines{"\x1B#\x03"}));
    EXPECT_EQ(ini(), recordedIni());
    Lines lines{kSep, "Quelmar_FI_ReducaoZ ", "Quelmar_FI_DadosUltimaReducaoMFD ",
                "Retorno impressora: " + journalRecordText(kGtBefore), "Retorno: 1"};
    for (int k = 0; k < 7; ++k)
        lines = lines + Lines{"Quelmar_FI_VerificaEstadoImpressoraMFD ",
                              "Retorno impressora: 6,0,0," + std::string(k < 2 ? "9" : "0"),
                              "Retorno Quelmar_FI_VerificaEstadoImpressoraMFD: 1"};
    EXPECT_EQ(workLog(), logLines(lines + grandTotalLines()));
    EXPECT_FALSE(state().mfdPrinter);

    // Old firmware: the bare command, nothing asked around it, nothing recorded.
    clearLog();
    state().mfdPrinter = true;
    line->reply(bytes({6, 0, 0, 0, 0}));
    EXPECT_EQ(Quelmar_FI_ReducaoZImpAntiga(), 1);
    EXPECT_EQ(commands(), (Lines{"\x1B\x05"}));
    EXPECT_EQ(ini(), recordedIni());
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_ReducaoZ ", "Retorno Quelmar_FI_ReducaoZ: 1"}));
}

TEST_F(DayTest, FiscalMemoryReadingsByReductionAndByDate) {
    line->reply(kOk);  // the presence check
    line->reply(kOk);
    replyStatus(*line);
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalReducao("1", "25"), 1);
    EXPECT_EQ(commands(), (Lines{"\x1B\x13", concat({"\x1B\x08", "000001000025", "I"}), "\x1B\x13",
                                 "\x1B#\x11"}));
    const std::string probe = "Quelmar_FI_VerificaImpressoraLigada ";
    EXPECT_EQ(
        workLog(),
        logLines(Lines{kSep, "Quelmar_FI_LeituraMemoriaFiscalReducao ", "Parâmetros: 1|25", probe,
                       "Retorno Quelmar_FI_VerificaImpressoraLigada: 1 - Impressora ligada"} +
                 statusLines() + Lines{"Retorno Quelmar_FI_LeituraMemoriaFiscalReducao: 1"}));

    // By dates of six or eight digits; the short form when asked for.
    state().simplifiedReading = true;
    line->reply(kOk);
    line->reply(kOk);
    replyStatus(*line);
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalData("01/03/2024", "31/03/24"), 1);
    EXPECT_EQ(commands(), (Lines{"\x1B\x13", concat({"\x1B\x08", "010324310324", "i"}), "\x1B\x13",
                                 "\x1B#\x11"}));

    // Arguments are checked first; a printer that does not answer gets no reading.
    clearLog();
    const std::string byDate = "Quelmar_FI_LeituraMemoriaFiscalData ";
    const std::string byNumber = "Quelmar_FI_LeituraMemoriaFiscalReducao ";
    const std::string dateRefused =
        "Retorno " + byDate.substr(0, byDate.size() - 1) + ": -2 - Parametro invalido para data ";
    const std::string numberRefused = "Retorno " + byNumber.substr(0, byNumber.size() - 1) +
                                      ": -2 - Parametro invalido para reducao ";
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalData("", "010324"), -2);
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalData("010324", "310224"), -2);
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalData("0103", "310324"), -2);
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalReducao("12345", "1"), -2);
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalReducao("1", nullptr), -2);
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalReducao("1", ""), 0);
    EXPECT_EQ(commands(), (Lines{"\x1B\x13"}));
    EXPECT_EQ(
        workLog(),
        logLines({kSep,
                  byDate,
                  dateRefused + "inicial",
                  kSep,
                  byDate,
                  dateRefused + "final",
                  kSep,
                  byDate,
                  dateRefused + "inicial",
                  kSep,
                  byNumber,
                  numberRefused + "inicial",
                  kSep,
                  byNumber,
                  numberRefused + "final",
                  kSep,
                  byNumber,
                  "Parâmetros: 1|",
                  probe,
                  "Retorno Quelmar_FI_VerificaImpressoraLigada: -6 - Impressora desligada ou "
                  "desconectada",
                  "Retorno Quelmar_FI_LeituraMemoriaFiscalReducao: 0 - Erro de comunicacao"}));
}

TEST_F(DayTest, DayOpeningIsTheXReadingAndTheOpeningCash) {
    line->reply(kOk);
    replyStatus(*line);
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("0,00", "Dinheiro"), 1);
    EXPECT_EQ(commands(), (Lines{"\x1B\x06", "\x1B\x13", "\x1B#\x11"}));
    const Lines reading = Lines{kSep, "Quelmar_FI_AberturaDoDia ", "Quelmar_FI_LeituraX "} +
                          statusLines() + Lines{"Retorno Quelmar_FI_LeituraX: 1"};
    EXPECT_EQ(workLog(), logLines(reading + Lines{"Retorno Quelmar_FI_AberturaDoDia: 1"}));

    clearLog();
    line->reply(kOk);
    replyStatus(*line);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("R$ 150,00", nullptr), 1);
    EXPECT_EQ(commands(), (Lines{"\x1B\x06", "\x1B\x13", "\x1B#\x11", "\x1B\x19SU00000000015000"}));
    EXPECT_EQ(workLog(), logLines(reading + Lines{"Quelmar_FI_Suprimento ", "Parâmetro: 15000||",
                                                  "Retorno Quelmar_FI_Suprimento: 1",
                                                  "Retorno Quelmar_FI_AberturaDoDia: 1"}));

    clearLog();
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("", nullptr), -2);
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("0000000000000000,00", nullptr), -2);
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("1", "12345678901234567"), -2);
    // A reading the printer does not answer ends the opening with the reading's result.
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("1", nullptr), 0);
    EXPECT_EQ(commands(), (Lines{"\x1B\x06"}));
    const std::string opening = "Quelmar_FI_AberturaDoDia ";
    const std::string amount =
        "Retorno Quelmar_FI_AberturaDoDia: -2 - Parametro invalido para valor";
    EXPECT_EQ(
        workLog(),
        logLines({kSep, opening, amount, kSep, opening, amount, kSep, opening,
                  "Retorno Quelmar_FI_Suprimento: -2 - Parametro invalido para forma de pagto",
                  kSep, opening, "Quelmar_FI_LeituraX ",
                  "Retorno Quelmar_FI_LeituraX: 0 - Erro de comunicacao"}));
}

TEST_F(DayTest, SubtotalGoesToTheBufferOrToTheAnswerFile) {
    line->reply(dataReply(bcd("00000000012345")));
    char subtotal[15];
    std::memset(subtotal, 'x', sizeof subtotal);
    EXPECT_EQ(Quelmar_FI_SubTotal(subtotal), 1);
    EXPECT_EQ(std::string(subtotal), "00000000012345");
    EXPECT_EQ(commands(), (Lines{"\x1B\x1D"}));

    reconfigure("Retorno=1\n");
    line->reply(dataReply(bcd("00000000067890")));
    std::memcpy(subtotal, "untouched", 10);
    EXPECT_EQ(Quelmar_FI_SubTotal(subtotal), 1);
    EXPECT_EQ(std::string(subtotal), "untouched");
    EXPECT_EQ(answerFile(), "00000000067890");
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_SubTotal ", "Retorno impressora: 00000000067890",
                        "Retorno Quelmar_FI_SubTotal: 1"}));
}

TEST_F(DayTest, DocumentTextTravelsWholeUpTo618Characters) {
    const std::string text618 = std::string(300, 'a') + "\r\n" + std::string(316, 'b');
    ASSERT_EQ(text618.size(), 618u);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_RelatorioGerencial(text618.c_str()), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x14" + text618 + "\r\n"}));
    const std::string text619 = text618 + "c";
    EXPECT_EQ(Quelmar_FI_RelatorioGerencial(text619.c_str()), -2);
    EXPECT_EQ(Quelmar_FI_RelatorioGerencial(""), -2);
    EXPECT_EQ(Quelmar_FI_RelatorioGerencial(nullptr), -2);
    EXPECT_TRUE(commands().empty());
    const std::string refused =
        "Retorno Quelmar_FI_RelatorioGerencial: - 2 - Parametro invalido para o texto";
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_RelatorioGerencial ", "Parâmetro: " + text618,
                                   "Retorno Quelmar_FI_RelatorioGerencial: 1", kSep,
                                   "Quelmar_FI_RelatorioGerencial ", refused, kSep,
                                   "Quelmar_FI_RelatorioGerencial ", refused, kSep,
                                   "Quelmar_FI_RelatorioGerencial ", refused}));

    // The bound receipt's text: the same rules, its own command, letters in code page 850.
    clearLog();
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_UsaComprovanteNaoFiscalVinculado("Cart\xE3o aprovado"), 1);
    EXPECT_EQ(Quelmar_FI_UsaComprovanteNaoFiscalVinculado(text619.c_str()), -2);
    EXPECT_EQ(commands(), (std::vector<std::string>{concat({"\x1B", "CCart\xC6o aprovado\r\n"})}));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_UsaComprovanteNaoFiscalVinculado ",
                        "Parâmetro: Cartão aprovado",
                        "Retorno Quelmar_FI_UsaComprovanteNaoFiscalVinculado: 1", kSep,
                        "Quelmar_FI_UsaComprovanteNaoFiscalVinculado ",
                        "Retorno Quelmar_FI_UsaComprovanteNaoFiscalVinculado: -2 - Parametro "
                        "invalido para o texto "}));
}

TEST_F(DayTest, TefVariantsAddTheirOwnClosingLine) {
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_RelatorioGerencialTEF("Via do cliente"), 1);
    EXPECT_EQ(Quelmar_FI_UsaComprovanteNaoFiscalVinculadoTEF(""), -2);
    state().mfdPrinter = true;
    line->reply(bytes({6, 0, 0, 0, 0}));
    EXPECT_EQ(Quelmar_FI_UsaComprovanteNaoFiscalVinculadoTEF("Aprovada"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x14Via do cliente\r\n",
                                                    concat({"\x1C", "CAprovada\r\n"})}));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_RelatorioGerencial ", "Parâmetro: Via do cliente",
                        "Retorno Quelmar_FI_RelatorioGerencial: 1",
                        "Retorno Quelmar_FI_RelatorioGerencialTEF: 1", kSep,
                        "Quelmar_FI_UsaComprovanteNaoFiscalVinculado ",
                        "Retorno Quelmar_FI_UsaComprovanteNaoFiscalVinculado: -2 - Parametro "
                        "invalido para o texto ",
                        "Retorno Quelmar_FI_UsaComprovanteNaoFiscalVinculadoTEF: -2", kSep,
                        "Quelmar_FI_UsaComprovanteNaoFiscalVinculado ", "Parâmetro: Aprovada",
                        "Retorno Quelmar_FI_UsaComprovanteNaoFiscalVinculado: 1",
                        "Retorno Quelmar_FI_UsaComprovanteNaoFiscalVinculadoTEF: 1"}));
}

TEST_F(DayTest, BoundReceiptOpensForAFormOrForAnAmountOfACoupon) {
    line->reply(kOk);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_AbreComprovanteNaoFiscalVinculado("Cart\xE3o", nullptr, nullptr), 1);
    EXPECT_EQ(Quelmar_FI_AbreComprovanteNaoFiscalVinculado("Cartao", "R$ 50,00", "123"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{
                              concat({"\x1B", "BCart\xC6o          "}),
                              concat({"\x1B", "BCartao          ", "00000000005000", "000123"})}));
    const std::string prefix =
        "Retorno Quelmar_FI_AbreComprovanteNaoFiscalVinculado: -2 - Parametro invalido para ";
    const std::tuple<const char*, const char*, const char*, std::string> refusals[] = {
        {nullptr, "1", "1", prefix + "forma de pagto"},
        {"12345678901234567", "1", "1", prefix + "forma de pagto"},
        {"Cartao", "", "123", prefix + "o valor"},
        {"Cartao", "1,00", nullptr, prefix + "o numero do cupom"},
        {"Cartao", "123456789012345", "1", prefix + "o valor"},
        {"Cartao", "1,00", "1234567", prefix + "o numero do cupom"},
    };
    for (const auto& [form, amount, coupon, refused] : refusals) {
        clearLog();
        EXPECT_EQ(Quelmar_FI_AbreComprovanteNaoFiscalVinculado(form, amount, coupon), -2);
        EXPECT_EQ(workLog(),
                  logLines({kSep, "Quelmar_FI_AbreComprovanteNaoFiscalVinculado ", refused}));
    }
    EXPECT_TRUE(commands().empty());

    // A receipt the printer does not acknowledge: the opening's own wording.
    clearLog();
    EXPECT_EQ(Quelmar_FI_AbreComprovanteNaoFiscalVinculado("Cartao", nullptr, ""), 0);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_AbreComprovanteNaoFiscalVinculado ",
                                   "Parâmetros: Cartao|",
                                   "Retorno Quelmar_FI_AbreComprovanteNaoFiscalVinculado: 0 - Erro "
                                   "de execucao"}));
}

TEST_F(DayTest, OneCommandClosesTheReportAndTheBoundReceipt) {
    line->reply(kOk);
    line->reply(bytes({6, 0, 1}));
    EXPECT_EQ(Quelmar_FI_FechaRelatorioGerencial(), 1);
    EXPECT_EQ(Quelmar_FI_FechaComprovanteNaoFiscalVinculado(), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x15", "\x1B\x15"}));
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_FechaRelatorioGerencial ",
                                   "Retorno Quelmar_FI_FechaRelatorioGerencial: 1", kSep,
                                   "Quelmar_FI_FechaComprovanteNaoFiscalVinculado ",
                                   "Quelmar_FI_FechaRelatorioGerencial ",
                                   "Retorno Quelmar_FI_FechaRelatorioGerencial: 1",
                                   "Retorno Quelmar_FI_FechaComprovanteNaoFiscalVinculado : 1"}));
    // The closing's failure ends the composite with the closing's result and lines only.
    clearLog();
    EXPECT_EQ(Quelmar_FI_FechaComprovanteNaoFiscalVinculado(), 0);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_FechaComprovanteNaoFiscalVinculado ",
                                   "Quelmar_FI_FechaRelatorioGerencial ",
                                   "Retorno Quelmar_FI_FechaRelatorioGerencial: 0 - Erro de "
                                   "comunicação"}));
}

TEST_F(DayTest, ReceiptAsksTheFormsIndexAndSendsTheFormByName) {
    line->reply(bytes({6, '0', '2', 0, 0}));
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_RecebimentoNaoFiscal("7", "R$ 10,00", "Cart\xE3o"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1BGCart\xC6o          ",
                                                    concat({"\x1B\x19", "07", "00000000001000",
                                                            "Cart\xC6o          "})}));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_RecebimentoNaoFiscal ", "Parâmetros: 7|R$ 10,00|Cartão",
                        "Quelmar_FI_ObtemIndiceFormaPagamento ", "Parâmetro: Cartão",
                        "Retorno Quelmar_FI_ObtemIndiceFormaPagamento: 1 - Ok",
                        "Retorno Quelmar_FI_RecebimentoNaoFiscal: 1"}));

    const std::string prefix = "Retorno Quelmar_FI_RecebimentoNaoFiscal: -2 - Parametro invalido ";
    const std::tuple<const char*, const char*, const char*, std::string> refusals[] = {
        {"0", "1", "Dinheiro", prefix + "para o indice do totalizador"},
        {"51", "1", "Dinheiro", prefix + "para o indice do totalizador"},
        {"007", "1", "Dinheiro", prefix + "para o indice do totalizador"},
        {nullptr, "1", "Dinheiro", prefix + "para o indice do totalizador"},
        {"50", "", "Dinheiro", prefix + "para o valor do recebimento"},
        {"50", "123456789012345", "Dinheiro", prefix + "para o valor do recebimento"},
        {"50", "1", "12345678901234567", prefix + "para a forma de pagto"},
    };
    for (const auto& [index, amount, form, refused] : refusals) {
        clearLog();
        EXPECT_EQ(Quelmar_FI_RecebimentoNaoFiscal(index, amount, form), -2) << refused;
        EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_RecebimentoNaoFiscal ", refused}));
    }
    // The printer takes the form by name: a receipt without one has nothing to be paid in.
    clearLog();
    EXPECT_EQ(Quelmar_FI_RecebimentoNaoFiscal("1", "1", nullptr), -2);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_RecebimentoNaoFiscal ", "Parâmetros: 1|1|",
                                   prefix + "para a forma de pagto"}));
    EXPECT_TRUE(commands().empty());

    // No room for a new form; an index the printer could not give.
    line->reply(bytes({6, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(Quelmar_FI_RecebimentoNaoFiscal("1", "1", "Vale"), -24);
    line->reply(bytes({6, '0', '0', 0, 0}));
    clearLog();
    EXPECT_EQ(Quelmar_FI_RecebimentoNaoFiscal("1", "1", "Vale"), 0);
    EXPECT_EQ(commands(),
              (std::vector<std::string>{"\x1BGVale            ", "\x1BGVale            "}));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_RecebimentoNaoFiscal ", "Parâmetros: 1|1|Vale",
                        "Quelmar_FI_ObtemIndiceFormaPagamento ", "Parâmetro: Vale",
                        "Retorno Quelmar_FI_ObtemIndiceFormaPagamento: 1 - Ok",
                        "Retorno Quelmar_FI_RecebimentoNaoFiscal: 0 - Erro de comunicacao"}));
}

TEST_F(DayTest, CashMovementsOnTheirFixedTotalizers) {
    line->reply(kOk);
    line->reply(kOk);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_Sangria("100,00"), 1);
    EXPECT_EQ(Quelmar_FI_Suprimento("R$ 1.250,50", "Dinheiro"), 1);
    EXPECT_EQ(Quelmar_FI_Suprimento("5", nullptr), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x19SA00000000010000",
                                                    "\x1B\x19SU00000000125050Dinheiro        ",
                                                    "\x1B\x19SU00000000000005"}));
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_Sangria ", "Parâmetro: 100,00", "Retorno Quelmar_FI_Sangria: 1",
                  kSep, "Quelmar_FI_Suprimento ", "Parâmetro: R$ 1.250,50|Dinheiro|",
                  "Retorno Quelmar_FI_Suprimento: 1", kSep, "Quelmar_FI_Suprimento ",
                  "Parâmetro: 5||", "Retorno Quelmar_FI_Suprimento: 1"}));

    clearLog();
    EXPECT_EQ(Quelmar_FI_Sangria(""), -2);
    EXPECT_EQ(Quelmar_FI_Suprimento("123456789012345", nullptr), -2);
    EXPECT_EQ(Quelmar_FI_Suprimento("1", "12345678901234567"), -2);
    // A withdrawal the printer never answers: its own, accented, wording.
    EXPECT_EQ(Quelmar_FI_Sangria("1"), 0);
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_Sangria ",
                  "Retorno Quelmar_FI_Sangria: -2 - Parametro invalido para valor", kSep,
                  "Quelmar_FI_Suprimento ",
                  "Retorno Quelmar_FI_Suprimento: -2 - Parametro invalido para valor", kSep,
                  "Quelmar_FI_Suprimento ",
                  "Retorno Quelmar_FI_Suprimento: -2 - Parametro invalido para forma de pagto",
                  kSep, "Quelmar_FI_Sangria ", "Parâmetro: 1",
                  "Retorno Quelmar_FI_Sangria: 0 - Erro de comunicação"}));
}

}  // namespace
}  // namespace quelfi::test

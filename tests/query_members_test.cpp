// Every member that answers one text, walked through its exports with canned replies: the bytes
// sent, the caller's buffer, Retorno.txt, the call log with its separator rule, client mode.
#include <algorithm>
#include <cstring>

#include "exports/surface.h"
#include "fiscal/query_table.h"
#include "protocol_fixture.h"

namespace quelfi::test {
namespace {

using core::state;

struct TextMember {
    const char* name;
    int (*call)(char*);
    std::string command;  // after the prefix
    std::string data;     // the reply's data bytes
    std::string answer;
    std::size_t width;
    bool alwaysSeparator;
    const char* record;
};

std::string chars(std::size_t n, char first) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) out += static_cast<char>(first + i % 26);
    return out;
}

// clang-format off
std::vector<TextMember> textMembers() {
    const std::string rates = "180007001200" + std::string(52, '0');
    return {
        {"Quelmar_FI_NumeroCupom", Quelmar_FI_NumeroCupom, "\x1E", bcd("001234"), "001234", 6, false, "055|"},
        {"Quelmar_FI_VersaoFirmware", Quelmar_FI_VersaoFirmware, "#\x01", bcd("0100"), "0100", 4, false, "106|"},
        {"Quelmar_FI_GrandeTotal", Quelmar_FI_GrandeTotal, "#\x03", bcd(digitRun(18)), digitRun(18), 18, true, "034|"},
        {"Quelmar_FI_Cancelamentos", Quelmar_FI_Cancelamentos, "#\x04", bcd(digitRun(14, 1)), digitRun(14, 1), 14, false, "013|"},
        {"Quelmar_FI_Descontos", Quelmar_FI_Descontos, "#\x05", bcd(digitRun(14, 2)), digitRun(14, 2), 14, false, "022|"},
        {"Quelmar_FI_NumeroOperacoesNaoFiscais", Quelmar_FI_NumeroOperacoesNaoFiscais, "#\x07", bcd("000321"), "000321", 6, true, "059|"},
        {"Quelmar_FI_NumeroCuponsCancelados", Quelmar_FI_NumeroCuponsCancelados, "#\x08", bcd("0012"), "0012", 4, true, "056|"},
        {"Quelmar_FI_NumeroReducoes", Quelmar_FI_NumeroReducoes, "#\x09", bcd("0034"), "0034", 4, false, "060|"},
        {"Quelmar_FI_NumeroIntervencoes", Quelmar_FI_NumeroIntervencoes, "#\x0A", bcd("0005"), "0005", 4, true, "057|"},
        {"Quelmar_FI_NumeroSubstituicoesProprietario", Quelmar_FI_NumeroSubstituicoesProprietario, "#\x0B", bcd("0002"), "0002", 4, true, "062|"},
        {"Quelmar_FI_UltimoItemVendido", Quelmar_FI_UltimoItemVendido, "#\x0C", bcd("0017"), "0017", 4, true, "083|"},
        {"Quelmar_FI_ClicheProprietario", Quelmar_FI_ClicheProprietario, "#\x0D", chars(186, 'A'), chars(186, 'A'), 186, true, "015|"},
        {"Quelmar_FI_NumeroCaixa", Quelmar_FI_NumeroCaixa, "#\x0E", bcd("0003"), "0003", 4, false, "054|"},
        {"Quelmar_FI_NumeroLoja", Quelmar_FI_NumeroLoja, "#\x0F", bcd("0042"), "0042", 4, false, "058|"},
        {"Quelmar_FI_SimboloMoeda", Quelmar_FI_SimboloMoeda, "#\x10", "R$", "R$", 2, false, "079|"},
        {"Quelmar_FI_MinutosLigada", Quelmar_FI_MinutosLigada, "#\x12", bcd("4321"), "4321", 4, true, "049|"},
        {"Quelmar_FI_MinutosImprimindo", Quelmar_FI_MinutosImprimindo, "#\x13", bcd("0654"), "0654", 4, true, "050|"},
        {"Quelmar_FI_VerificaModoOperacao", Quelmar_FI_VerificaModoOperacao, "#\x14", "\x1F", "1f", 2, true, "099|"},
        {"Quelmar_FI_VerificaEpromConectada", Quelmar_FI_VerificaEpromConectada, "#\x15", "\x01", "1", 2, true, "092|"},
        {"Quelmar_FI_ValorPagoUltimoCupom", Quelmar_FI_ValorPagoUltimoCupom, "#\x16", bcd(digitRun(14, 3)), digitRun(14, 3), 14, true, "088|"},
        {"Quelmar_FI_ContadoresTotalizadoresNaoFiscais", Quelmar_FI_ContadoresTotalizadoresNaoFiscais, "#\x18", bcd(digitRun(36, 4)), digitRun(36, 4), 36, false, "017|"},
        {"Quelmar_FI_VerificaTotalizadoresNaoFiscais", Quelmar_FI_VerificaTotalizadoresNaoFiscais, "#\x19", chars(171, 'a'), chars(171, 'a'), 171, true, "103|"},
        {"Quelmar_FI_DataMovimento", Quelmar_FI_DataMovimento, "#\x1B", bcd("311226"), "311226", 6, false, "021|"},
        {"Quelmar_FI_VerificaTruncamento", Quelmar_FI_VerificaTruncamento, "#\x1C", std::string(1, '\0'), "0", 2, false, "105|"},
        {"Quelmar_FI_VerificaIndiceAliquotasIss", Quelmar_FI_VerificaIndiceAliquotasIss, "#\x1D", "\xA0\x01", "01,03,16", 47, false, "098|"},
        {"Quelmar_FI_Acrescimos", Quelmar_FI_Acrescimos, "#\x1E", bcd(digitRun(14, 5)), digitRun(14, 5), 14, false, "005|"},
        {"Quelmar_FI_ContadorBilhetePassagem", Quelmar_FI_ContadorBilhetePassagem, "#\x1F", bcd("000077"), "000077", 6, true, "016|"},
        {"Quelmar_FI_RetornoAliquotas", Quelmar_FI_RetornoAliquotas, "\x1A", "\x03" + bcd(rates), "03" + rates, 66, true, "076|"},
        {"Quelmar_FI_MonitoramentoPapel", Quelmar_FI_MonitoramentoPapel, ">6", "\x0C\xC8", "012200", 6, false, "051|"},
        // Printers of type 0 are asked with ESC '#' NUL; the answer is the reply's 15 characters.
        {"Quelmar_FI_NumeroSerie", Quelmar_FI_NumeroSerie, std::string("#\0", 2), "QM01234567890AB", "QM01234567890AB", 15, false, "061|"},
    };
}
// clang-format on

class QueryMembersTest : public ConnectedTest {};

// The caller's buffer: cleared over the width, the answer and its terminator, nothing beyond.
std::string expectedBuffer(const std::string& answer, std::size_t width, std::size_t size) {
    std::string out = answer;
    out.resize(std::max(width, answer.size() + 1), '\0');
    out.resize(size, 'X');
    return out;
}

TEST_F(QueryMembersTest, EveryTextMemberAnswersThroughItsExport) {
    for (const TextMember& m : textMembers()) {
        SCOPED_TRACE(m.name);
        const std::string name = m.name;
        const std::string frame = frameOf("\x1B" + m.command);
        std::string buffer(m.width + 8, 'X');

        // Into the caller's buffer.
        clearLog();
        newWire();
        line->reply(dataReply(m.data));
        EXPECT_EQ(m.call(buffer.data()), 1);
        EXPECT_EQ(newWire(), frame);
        EXPECT_EQ(buffer, expectedBuffer(m.answer, m.width, buffer.size()));
        EXPECT_EQ(workLog(), logLines({kSep, name + " ", "Retorno impressora: " + m.answer,
                                       "Retorno " + name + ": 1"}));

        // Nested: the separator only for the members that always write it.
        clearLog();
        state().nestedCall = 1;
        line->reply(dataReply(m.data));
        EXPECT_EQ(m.call(nullptr), 1);
        state().nestedCall = 0;
        const std::string rest =
            logLines({name + " ", "Retorno impressora: " + m.answer, "Retorno " + name + ": 1"});
        EXPECT_EQ(workLog(), m.alwaysSeparator ? logLines({kSep}) + rest : rest);

        // With Retorno on: the answer file, the caller's buffer untouched.
        state().answerToFile = true;
        std::string untouched(m.width + 8, 'X');
        line->reply(dataReply(m.data));
        EXPECT_EQ(m.call(untouched.data()), 1);
        EXPECT_EQ(answerFile(), m.answer);
        EXPECT_EQ(untouched, std::string(m.width + 8, 'X'));
        state().answerToFile = false;

        // Client mode: only the record, nothing on the line.
        state().networkMode = 1;
        newWire();
        EXPECT_EQ(m.call(untouched.data()), 1);
        EXPECT_EQ(commandFile(), m.record);
        EXPECT_EQ(newWire(), "");
        EXPECT_EQ(untouched, std::string(m.width + 8, 'X'));
        state().networkMode = 0;
    }
}

TEST(QueryTable, RowsAgreeWithTheExportSurface) {
    // The member table and the export table both carry the request records: they must agree.
    int exported = 0;
    for (const fiscal::QueryMember* row = fiscal::membersBegin(); row != fiscal::membersEnd();
         ++row) {
        SCOPED_TRACE(std::string(row->name));
        for (const auto& e : exports::kSurface) {
            if (e.name != row->name) continue;
            EXPECT_EQ(e.record, row->record);
            ++exported;
        }
    }
    // Every row but the internal gross sales is an export.
    EXPECT_EQ(exported, fiscal::membersEnd() - fiscal::membersBegin() - 1);
}

TEST_F(QueryMembersTest, AFailedQueryLeavesTheBufferAlone) {
    // No reply: the printer is silent for the whole first-byte wait.
    std::string buffer(20, 'X');
    EXPECT_EQ(Quelmar_FI_GrandeTotal(buffer.data()), 0);
    EXPECT_EQ(buffer, std::string(20, 'X'));
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_GrandeTotal ",
                                   "Retorno Quelmar_FI_GrandeTotal: 0 - Erro de comunicacao"}));

    // A table query that failed leaves no table layout behind for the next reply.
    EXPECT_EQ(Quelmar_FI_VerificaDepartamentos(nullptr), 0);
    EXPECT_FALSE(state().tableReplyMode);
    EXPECT_EQ(state().tableReplyCommand, 0);
    EXPECT_EQ(Quelmar_FI_RetornoAliquotas(nullptr), 0);
    EXPECT_FALSE(state().leadingCountPending);
    line->reply(dataReply(bcd("000042")));
    EXPECT_EQ(Quelmar_FI_NumeroCupom(buffer.data()), 1);
    EXPECT_EQ(std::string(buffer.c_str()), "000042");
}

TEST_F(QueryMembersTest, AnswerFileThatCannotBeWrittenGivesMinus8) {
    state().answerToFile = true;
    state().answerFilePath = workDir() + "/missing/Retorno.txt";
    std::string buffer(20, 'X');
    line->reply(dataReply(bcd(digitRun(18))));
    EXPECT_EQ(Quelmar_FI_GrandeTotal(buffer.data()), -8);
    EXPECT_EQ(buffer, std::string(20, 'X'));
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_GrandeTotal ",
                  "Retorno Quelmar_FI_GrandeTotal: -8 - Erro na abertura do arquivo retorno.txt"}));

    clearLog();
    short flags = 7;
    line->reply(dataReply("\x21"));
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&flags), -8);
    EXPECT_EQ(flags, 7);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_FlagsFiscais ",
                                   "Retorno Quelmar_FI_FlagsFiscais: -8 - Erro na abertura do "
                                   "arquivo retorno.txt"}));
}

TEST_F(QueryMembersTest, StatusRuleTurnsAnUncleanReplyIntoMinus27WithTheAnswer) {
    state().statusInReturnCode = true;
    char buffer[7];
    line->reply("\x06" + bcd("000099") + "\x40" + std::string(1, '\0'));
    EXPECT_EQ(Quelmar_FI_NumeroCupom(buffer), -27);
    EXPECT_EQ(std::string(buffer), "000099");
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_NumeroCupom ", "Retorno impressora: 000099",
                                   "Retorno Quelmar_FI_NumeroCupom: -27"}));
}

TEST_F(QueryMembersTest, SerialNumberOfTheNewerPrinters) {
    state().printerType = 1;
    state().mfdPrinter = true;
    char serial[16];
    // 20 characters, the number from the sixth on; ST3 follows on these printers.
    line->reply("\006ABCDEQM99887766554433" + std::string(4, '\0'));
    EXPECT_EQ(Quelmar_FI_NumeroSerie(serial), 1);
    EXPECT_EQ(newWire(), frameOf("\x1C#("));
    EXPECT_EQ(std::string(serial), "QM9988776655443");

    // Type 0 keeps the short request with ESC even on the electronic-journal prefix.
    state().printerType = 0;
    line->reply("\x06QM01234567890AB" + std::string(4, '\0'));
    EXPECT_EQ(Quelmar_FI_NumeroSerie(serial), 1);
    EXPECT_EQ(newWire(), frameOf(std::string("\x1B#\0", 3)));
    EXPECT_EQ(std::string(serial), "QM01234567890AB");
}

TEST_F(QueryMembersTest, OwnerClicheIsPaddedToItsWidth) {
    // A NUL character adds nothing to the decoded text: the answer is still 186 wide.
    std::string data = "LOJA EXEMPLO" + std::string(174, '\0');
    char cliche[187];
    line->reply(dataReply(data));
    EXPECT_EQ(Quelmar_FI_ClicheProprietario(cliche), 1);
    EXPECT_EQ(std::string(cliche), "LOJA EXEMPLO" + std::string(174, ' '));
}

TEST_F(QueryMembersTest, TwoPartAnswers) {
    struct Case {
        const char* name;
        int (*call)(char*, char*);
        std::string command;
        std::string data;
        std::string first, second;
        const char* record;
    };
    const std::string cgc = "12.345.678/0001-9", ie = "123.456.789.11";
    const Case cases[] = {
        {"Quelmar_FI_CGC_IE", Quelmar_FI_CGC_IE, "#\x02", cgc + " " + ie + " ", cgc + " ", ie + " ",
         "014|"},
        {"Quelmar_FI_DataHoraImpressora", Quelmar_FI_DataHoraImpressora, "#\x17",
         bcd("311226235959"), "311226", "235959", "019|"},
        {"Quelmar_FI_DataHoraReducao", Quelmar_FI_DataHoraReducao, "#\x1A", bcd("010127000102"),
         "010127", "000102", "020|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string first(c.first.size() + 4, 'X'), second(c.second.size() + 4, 'X');
        clearLog();
        newWire();
        line->reply(dataReply(c.data));
        EXPECT_EQ(c.call(first.data(), second.data()), 1);
        EXPECT_EQ(newWire(), frameOf("\x1B" + c.command));
        EXPECT_EQ(first, expectedBuffer(c.first, c.first.size(), first.size()));
        EXPECT_EQ(second, expectedBuffer(c.second, c.second.size(), second.size()));
        EXPECT_EQ(workLog(), logLines({kSep, std::string(c.name) + " ",
                                       "Retorno impressora: " + c.first + c.second,
                                       "Retorno " + std::string(c.name) + ": 1"}));

        state().answerToFile = true;
        line->reply(dataReply(c.data));
        EXPECT_EQ(c.call(nullptr, nullptr), 1);
        EXPECT_EQ(answerFile(), c.first + ",\r\n" + c.second);
        state().answerToFile = false;

        state().networkMode = 1;
        EXPECT_EQ(c.call(nullptr, nullptr), 1);
        EXPECT_EQ(commandFile(), c.record);
        state().networkMode = 0;
    }
}

TEST_F(QueryMembersTest, DrawerPulse) {
    line->reply(bytes({6, 0, 0}));
    EXPECT_EQ(Quelmar_FI_AcionaGaveta(), 1);
    // One command, no status refresh after it.
    EXPECT_EQ(newWire(), frameOf("\x1B\x16\xF0"));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_AcionaGaveta ", "Retorno Quelmar_FI_AcionaGaveta: 1"}));
    state().networkMode = 1;
    EXPECT_EQ(Quelmar_FI_AcionaGaveta(), 1);
    EXPECT_EQ(commandFile(), "004|");
}

TEST_F(QueryMembersTest, DllVersion) {
    char version[16];
    std::memset(version, 'X', sizeof version);
    EXPECT_EQ(Quelmar_FI_VersaoDll(version), 1);
    const std::string expected = platform::libraryVersion();
    ASSERT_LE(expected.size(), 9u);
    EXPECT_EQ(std::string(version, 10), expected + std::string(10 - expected.size(), '\0'));
    EXPECT_EQ(version[10], 'X');
    EXPECT_EQ(Quelmar_FI_VersaoDll(nullptr), -1);
    EXPECT_EQ(workLog(), "");  // no log lines
}

}  // namespace
}  // namespace quelfi::test

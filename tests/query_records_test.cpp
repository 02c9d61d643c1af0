// The table answers rebuilt into their record layouts, in the caller's buffer and in Retorno.txt,
// and the two look-ups by name that read them.
#include <vector>

#include "fiscal/queries.h"
#include "protocol_fixture.h"
#include "support/wire_bytes.h"

namespace quelfi::test {
namespace {

using core::state;

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

class QueryRecordsTest : public ConnectedTest {};

TEST_F(QueryRecordsTest, RecordAnswersInBufferAndFile) {
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

        state().answerToFile = true;
        std::string untouched(c.length + 8, 'X');
        line->reply(dataReply(c.data));
        EXPECT_EQ(c.call(untouched.data()), 1);
        EXPECT_EQ(answerFile(), c.file);
        EXPECT_EQ(untouched, std::string(c.length + 8, 'X'));
        state().answerToFile = false;
    }
}

TEST_F(QueryRecordsTest, PaymentFormValueByName) {
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
    state().answerToFile = true;
    line->reply(dataReply(forms.data));
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("FORMA 04", nullptr), 1);
    EXPECT_EQ(answerFile(), forms.records[4].substr(22, 14));
    state().answerToFile = false;

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

    state().networkMode = 1;
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Dinheiro", value), 1);
    EXPECT_EQ(commandFile(), "086|Dinheiro|");
    EXPECT_EQ(newWire(), "");
}

TEST_F(QueryRecordsTest, NonFiscalTotalizerValueByName) {
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

TEST_F(QueryRecordsTest, GrossSalesIsTheGrandTotalSinceTheLastReduction) {
    // The reduction's first field, then the grand total it closed with.
    const std::string reduction = std::string("01") + "000000000000150000" + digitRun(596);
    char sales[19];
    line->reply(dataReply(bcd("000000000000234567")));
    line->reply(dataReply(bcd(reduction)));
    state().answerToFile = true;  // the counters are read quietly; only the result is answered
    EXPECT_EQ(fiscal::grossSales(sales), 1);
    EXPECT_EQ(answerFile(), "000000000000084567");
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_VendaBruta ", kSep, "Quelmar_FI_GrandeTotal ",
                  "Retorno impressora: 000000000000234567", "Retorno Quelmar_FI_GrandeTotal: 1",
                  kSep, "Quelmar_FI_DadosUltimaReducao ",
                  "Retorno impressora: " + joined(cut(reduction, kReductionFields), ","),
                  "Retorno Quelmar_FI_DadosUltimaReducao: 1",
                  "Retorno impressora: 000000000000084567", "Retorno Quelmar_FI_VendaBruta: 1"}));
    EXPECT_TRUE(state().answerToFile);
    EXPECT_EQ(state().nestedCall, 0);

    // A grand total below the reduction's (a misread) does not wrap into a wider number.
    state().answerToFile = false;
    line->reply(dataReply(bcd("000000000000000100")));
    line->reply(dataReply(bcd(reduction)));
    EXPECT_EQ(fiscal::grossSales(sales), 1);
    EXPECT_EQ(std::string(sales), "000000000000000000");
}

}  // namespace
}  // namespace quelfi::test

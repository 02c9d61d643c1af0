// The virtual printer in journal mode, command by command: the coupon's adjustments and payments
// refused out of turn, the non-fiscal receipt cycle, named management reports, the bound
// receipt's reprint, copy and reversal, their refusals, and the electronic journal. (What the
// coupon prints and keeps is checked through the exports in the journal-coupon tests.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/quelmar/code_page.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/wire_bytes.h"

namespace quelfi::sim {
namespace {

using test::hex;

const char* const kSeed =
    "mfd=1; clock=15/03/2024 10:30:45; coo=100; rates=18.00,7.00; payments=Dinheiro,Cartao/V;"
    "totalizers=Conta de Luz,Taxa";

std::string fs(const std::string& body) {
    return "\x1c" + body;
}
std::string padded(const std::string& text, std::size_t width, char fill = ' ') {
    std::string out = text;
    out.resize(width, fill);
    return out;
}
std::string item(const std::string& rate, const std::string& quantity, const std::string& price) {
    return fs("\x09" + padded("789", 13) + padded("ARROZ", 29) + rate + quantity + price +
              "00000000");
}
std::string amount14(const std::string& digits) {
    return std::string(14 - digits.size(), '0') + digits;
}

const std::string kOk = "06 00 00 00 00";
const std::string kRefused = "06 00 01 00 00";
const std::string kInvalid = "06 00 81 00 00";
const std::string kNotAllowed = "06 00 05 00 00";
const std::string kWrongLength = "06 01 00 00 00";

// The journal's documents as the paper shows them.
std::string journalText(const JournalEntry& entry) {
    std::string out;
    for (const auto& line : entry.lines) out += printerToUtf8(line) + '\n';
    return out;
}

class SimJournal : public ::testing::Test {
  protected:
    void run(const std::vector<std::pair<std::string, std::string>>& steps) {
        for (const auto& [command, reply] : steps)
            EXPECT_EQ(hex(printer.execute(command)), reply) << hex(command);
    }
    QuelmarPrinter printer{modelFromSeed(kSeed)};
};

TEST_F(SimJournal, CouponAdjustmentsAndPaymentsRefusedOutOfTurn) {
    // What the coupon prints and keeps is checked through the exports; here, what it refuses.
    const std::string opening = fs(std::string(1, '\0') + std::string(29, ' '));
    run({{opening, kOk},
         {item("01", "0002", "00001000"), kOk},
         {item("02", "0001", "00000800"), kOk},
         {fs("]D0011000"), kOk},
         {fs("]D00100000100"), kRefused},  // the item has its discount already
         {fs("rD001"), kOk},
         {fs("rd001"), kNotAllowed},
         {fs("]X00200000200"), kInvalid},
         {fs("]A00300000200"), kInvalid},
         {fs("hD0500"), kRefused},  // before the subtotal
         {fs("g"), kOk},
         {item("01", "0001", "00000100"), kRefused},
         {fs("hD0500"), kOk},
         {fs("hD0100"), kRefused},
         {fs("iD"), kOk},
         {fs("id"), kNotAllowed},
         {fs("hA05"), kWrongLength},
         {fs("j"), kOk},
         {fs("j"), kRefused},
         {fs("hA0500"), kRefused},
         {fs(" X00000000"), kOk},
         {fs("Z02" + amount14("2000") + "25"), kInvalid},
         {fs("Z02" + amount14("2000") + "00"), kInvalid},
         {fs("Z02" + amount14("2800") + "03"), kOk},
         {fs("Z01" + amount14("100") + "01"), kRefused},  // paid in full
         {fs("\"OBRIGADO\r\n"), kOk},
         {fs("U"), kOk},
         {fs("U"), kRefused}});
    EXPECT_EQ(printer.model().document, DocumentState::None);
}

TEST_F(SimJournal, NonFiscalReceiptCycleCountsAtItsEndAndCancels) {
    const std::string cpf = padded("123.456.789-09", 29);
    run({{fs("M" + cpf), kOk},
         {fs("N01" + amount14("8540")), kOk},
         {fs("N02" + amount14("1000")), kOk},
         {fs("N03" + amount14("1000")), kInvalid},  // no name: not programmed
         {fs("N00" + amount14("1000")), kInvalid},
         {fs("#B"), "06 00 00 00 00 00 95 40 00 00 00 00"},
         {fs("t0002"), kOk},
         {fs("t0002"), kNotAllowed},
         {fs("uD0011000"), kOk},
         {fs("vD001"), kOk},
         {fs("uA00100000100"), kOk},
         {fs("k"), kOk},
         {fs("lD0500"), kOk},
         {fs("mD"), kOk},
         {fs("ld" + amount14("40")), kOk},
         {fs("n"), kOk},
         {fs("Ox" + amount14("0") + amount14("0")), kOk},
         {fs("Z01" + amount14("5000") + "01"), kOk},
         {fs("Z02" + amount14("3600") + "02"), kOk},
         {fs("\""), kOk},
         // Cancelled while open, then another cancelled after its end.
         {fs("M"), kOk},
         {fs("N01" + amount14("100")), kOk},
         {fs("Q" + cpf), kOk},
         {fs("Q"), kNotAllowed},
         {fs("M"), kOk},
         {fs("N02" + amount14("500")), kOk},
         {fs("n"), kOk},
         {fs("Od" + amount14("0")), kOk},
         {fs("Z01" + amount14("500") + "01"), kOk},
         {fs("\""), kOk},
         {fs("#B"), "06 00 00 00 00 00 00 00 00 01 00 00"},
         {fs("Q" + cpf + padded("MARIA", 30)), kOk},
         {fs("Q"), kNotAllowed}});

    const FiscalModel m = printer.model();
    EXPECT_EQ(m.nonFiscalTotalizers[0].count, 1);
    EXPECT_EQ(m.nonFiscalTotalizers[0].dayTotal, 8600);  // 85,40 + 1,00 - 0,40
    EXPECT_EQ(m.nonFiscalTotalizers[1].count, 1);        // counted, then taken back
    EXPECT_EQ(m.nonFiscalTotalizers[1].dayTotal, 0);
    EXPECT_EQ(m.day.nonFiscalDiscounts, 40);
    EXPECT_EQ(m.day.nonFiscalSurcharges, 100);
    EXPECT_EQ(m.day.nonFiscalCancellations, 1000 + 100 + 500);  // an item, two receipts
    EXPECT_EQ(m.paymentForms[0].dayTotal, 5000);
    EXPECT_EQ(m.paymentForms[1].dayTotal, 3600);
    EXPECT_EQ(m.counters.gnf, 4);
    EXPECT_EQ(m.counters.cancelledNonFiscal, 2);
    EXPECT_EQ(m.grandTotal, 0);

    ASSERT_EQ(m.journal.size(), 4u);
    const JournalKind kinds[] = {JournalKind::NonFiscalReceipt, JournalKind::NonFiscalReceipt,
                                 JournalKind::NonFiscalReceipt, JournalKind::ReceiptCancellation};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(m.journal[i].coo, 101 + static_cast<int>(i));
        EXPECT_EQ(m.journal[i].kind, kinds[i]);
    }
    // The cancellation names the consumer it was given.
    EXPECT_EQ(
        std::vector<std::string>(m.journal[3].lines.begin() + 6, m.journal[3].lines.begin() + 8),
        (std::vector<std::string>{"CPF/CNPJ consumidor: 123.456.789-09", "Nome: MARIA"}));
    EXPECT_EQ("\n" + journalText(m.journal[0]), R"(
             QUELMAR COMERCIO LTDA
CNPJ: 11.222.333/0001-81
IE: 111.222.333.444
------------------------------------------------
15/03/2024 10:30:45                   COO:000101
             COMPROVANTE NÃO-FISCAL
CPF/CNPJ consumidor: 123.456.789-09
------------------------------------------------
001 01 Conta de Luz                        85,40
002 02 Taxa                                10,00
CANCELAMENTO ITEM 002                     -10,00
    desconto item 001 10,00%               -8,54
CANCELAMENTO DESCONTO ITEM 001             +8,54
    acréscimo item 001                     +1,00
SUBTOTAL R$                                86,40
DESCONTO 5,00%                             -4,32
CANCELAMENTO DESCONTO                      +4,32
DESCONTO                                   -0,40
TOTAL R$                                   86,00
Dinheiro                                   50,00
Cartao                                     36,00
  em 2 parcelas
------------------------------------------------
QUELMAR ECF                    FAB: QM0000000001
VERSAO 01.00.00                  LJ:0001 CX:0001
)");
}

TEST_F(SimJournal, NamedReportsAndWhatFollowsABoundReceipt) {
    const std::string cpf = padded("111.222.333-44", 29);
    run({{fs("R02" + padded("VENDAS", 17)), kOk},
         {fs("R01" + padded("OUTRO", 17)), kInvalid},  // 01 keeps its factory name
         {fs("R31" + padded("OUTRO", 17)), kInvalid},
         {fs("R03" + std::string(17, ' ')), kInvalid},
         {fs("S03"), kInvalid},  // not named
         {fs("S02"), kOk},
         {fs("CLINHA 1\r\n"), kOk},
         {fs("\x14LINHA 2\r\n"), kOk},
         {fs("R03" + padded("CAIXA", 17)), kRefused},
         {fs("\x15"), kOk},
         {fs("\x14TEXTO\r\n"), kOk},  // report 01, opened by its text
         {fs("\x15"), kOk},
         // A coupon paid by card, its bound receipt, then what may follow it.
         {fs(std::string(1, '\0') + std::string(29, ' ')), kOk},
         {item("01", "0001", "00001000"), kOk},
         {fs(" d" + amount14("0")), kOk},
         {fs("H02" + amount14("1000")), kOk},
         {fs("\""), kOk},
         {fs("B" + padded("Cartao", 16) + amount14("1000") + "000103" + cpf), kOk},
         {fs("CVIA CLIENTE\r\n"), kOk},
         {fs("\\"), kRefused},  // the receipt is still open
         {fs("\x15"), kOk},
         {fs("\\"), kOk},
         {fs("\\"), kRefused},
         {fs("["), kOk},
         {fs("["), kRefused},
         {fs("f" + cpf), kOk},
         {fs("CESTORNADO\r\n"), kOk},
         {fs("\x15"), kOk},
         {fs("f"), kRefused},
         // What the receipt covered of the payment is free again.
         {fs("B" + padded("Cartao", 16)), kOk},
         {fs("\x15"), kOk}});

    const FiscalModel m = printer.model();
    EXPECT_EQ(m.reports[0].name, "GERAL");
    EXPECT_EQ(m.reports[0].count, 1);
    EXPECT_EQ(m.reports[1].name, "VENDAS");
    EXPECT_EQ(m.reports[1].count, 1);
    EXPECT_EQ(m.reports[2].name, "");
    EXPECT_EQ(m.counters.grg, 2);
    EXPECT_EQ(m.counters.cdc, 2);
    EXPECT_EQ(m.bound.covered[1], 1000);

    std::vector<std::pair<int, JournalKind>> entries;
    for (const auto& entry : m.journal) entries.emplace_back(entry.coo, entry.kind);
    const std::vector<std::pair<int, JournalKind>> expected = {
        {101, JournalKind::ManagementReport}, {102, JournalKind::ManagementReport},
        {103, JournalKind::Coupon},           {104, JournalKind::BoundReceipt},
        {105, JournalKind::BoundReprint},     {106, JournalKind::BoundCopy},
        {107, JournalKind::BoundReversal},    {108, JournalKind::BoundReceipt}};
    EXPECT_EQ(entries, expected);
    const std::string heading = R"(
             QUELMAR COMERCIO LTDA
CNPJ: 11.222.333/0001-81
IE: 111.222.333.444
------------------------------------------------
)";
    const std::string foot = R"(------------------------------------------------
QUELMAR ECF                    FAB: QM0000000001
VERSAO 01.00.00                  LJ:0001 CX:0001
)";
    const std::string bound =
        heading.substr(1) + R"(15/03/2024 10:30:45                   COO:000104
        COMPROVANTE NÃO-FISCAL VINCULADO
CPF/CNPJ consumidor: 111.222.333-44
COO DO CUPOM FISCAL                       000103
Cartao                                     10,00
------------------------------------------------
VIA CLIENTE
)" + foot;
    EXPECT_EQ(journalText(m.journal[3]), bound);
    EXPECT_EQ("\n" + journalText(m.journal[4]),
              heading + R"(15/03/2024 10:30:45                   COO:000105
      REIMPRESSÃO DE COMPROVANTE VINCULADO
COO DO COMPROVANTE                        000104
)" + bound);
}

TEST_F(SimJournal, FormsOnlyTheJournalPrinterTakes) {
    run({{fs("G" + padded("Vale", 16) + "1"), "06 30 33 00 00 00 00"},
         {fs("G" + padded("Cartao", 16) + "0"), "06 30 32 00 00 00 00"},
         {fs("G" + padded("Vale", 16) + "2"), "06 30 30 00 81 00 00"},
         {fs(std::string(1, '\0') + std::string(29, ' ')), kOk},
         {item("01", "0001", "00000100"), kOk},
         {fs("\x0E" + padded("123", 29) + std::string(29, ' ')), kWrongLength},
         {fs("\x0E" + padded("123", 29)), kOk}});
    const FiscalModel m = printer.model();
    EXPECT_TRUE(m.paymentForms[2].boundReceipt);
    EXPECT_FALSE(m.paymentForms[1].boundReceipt);
    EXPECT_EQ(m.counters.cancelledCoupons, 1);
    const auto lines = printer.paper().lines();
    const std::vector<std::string> end(lines.end() - 7, lines.end() - 3);
    EXPECT_EQ(end,
              (std::vector<std::string>{std::string(48, '-'), "             CUPOM FISCAL CANCELADO",
                                        "CPF/CNPJ consumidor: 123",
                                        "VALOR CANCELADO R$                          1,00"}));

    // A form that took payments today keeps its flag.
    QuelmarPrinter paid(modelFromSeed(std::string(kSeed) + "; payment.2.total=5"));
    EXPECT_EQ(hex(paid.execute(fs("G" + padded("Cartao", 16) + "0"))), "06 30 32 00 01 00 00");

    // A printer without the journal knows none of it.
    QuelmarPrinter older(modelFromSeed("clock=15/03/2024 10:30:45; payments=Dinheiro"));
    const std::string esc = "\x1b";
    for (const std::string& command :
         {esc + "M", esc + "j", esc + "S01", esc + "Z01" + amount14("1") + "01", esc + "\\"})
        EXPECT_EQ(hex(older.execute(command)), "06 04 00") << hex(command);
    for (const std::string& command :
         {esc + "G" + padded("Vale", 16) + "1", esc + " X00000000", esc + "\x0E" + padded("1", 29)})
        EXPECT_EQ(hex(older.execute(command)), "06 01 00") << hex(command);
    EXPECT_TRUE(older.model().journal.empty());
}

TEST_F(SimJournal, TextsOnTheDocumentInTheSlip) {
    const std::string cheque = fs("x") + std::string{'\1', '\2'} + "PAGO EM 10/03/2024";
    run({{cheque, "06 00 01 BD 00"},  // no document: ST3 189
         {fs("\x10") + "03" + padded("AUTENTICADO", 48), kRefused}});
    printer.update([](FiscalModel& m) { m.chequeSensor = 4; });
    run({{fs("x") + std::string{'\1', '\13'} + "PAGO", "06 00 01 82 00"},  // 11 lines: ST3 130
         {fs("x") + std::string{'\2', '\1'} + "PAGO", kInvalid},
         {cheque, kOk},
         {fs("\x10") + "3" + padded("AUTENTICADO", 48), kWrongLength},
         {fs("\x10") + "03" + padded("AUTENTICADO", 48), kOk}});
    EXPECT_EQ(
        printer.paper().lines(),
        (std::vector<std::string>{std::string(48, '-'), "                VERSO DO CHEQUE",
                                  "PAGO EM 10/03/2024", std::string(48, '-'), "", "",
                                  "AUT 000100 15/03/2024 10:30:45 QM0000000001", "AUTENTICADO"}));
    const FiscalModel m = printer.model();
    EXPECT_EQ(m.chequeSensor, 0);  // the authenticated document is let go
    EXPECT_TRUE(m.journal.empty());

    QuelmarPrinter older(modelFromSeed("cheque=4"));
    EXPECT_EQ(hex(older.execute("\x1bx" + std::string{'\0', '\1'} + "A")), "06 04 00");
    EXPECT_EQ(hex(older.execute("\x1b\x10"
                                "01" +
                                padded("A", 48))),
              "06 01 00");
}

// A seeded history crosses the year's end: one reduction a day, each after its day's coupons.
TEST(SimJournalHistory, DaysOfCouponsAndReductions) {
    const FiscalModel m = modelFromSeed("coo=10; history=30/12/2024,3");
    ASSERT_EQ(m.reductions.size(), 3u);
    ASSERT_EQ(m.journal.size(), 12u);
    const CivilDate days[] = {{2024, 12, 30}, {2024, 12, 31}, {2025, 1, 1}};
    const Money totals[] = {600, 1500, 2700};
    for (int n = 0; n < 3; ++n) {
        const Reduction& z = m.reductions[static_cast<std::size_t>(n)];
        EXPECT_EQ(z.crz, n + 1);
        EXPECT_EQ(z.coo, 14 + 4 * n);
        EXPECT_EQ(z.movementDate, days[n]);
        EXPECT_EQ(z.grandTotal, totals[n]);
        const JournalEntry& last = m.journal[static_cast<std::size_t>(4 * n + 3)];
        EXPECT_EQ(last.kind, JournalKind::ReductionZ);
        EXPECT_EQ(last.coo, z.coo);
    }
    EXPECT_EQ(m.counters.coo, 22);
    for (const char* bad : {"history=30/12/2024", "history=31/02/2024,2", "history=01/01/2024,0"}) {
        FiscalModel model;
        EXPECT_TRUE(applySeed(model, bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace quelfi::sim

// Resolving an item's tax-rate argument against the printer's rate table.
#include "fiscal/tax_rates.h"

#include "exports/boundary.h"
#include "fiscal/payment_form_index.h"
#include "fiscal/tax_rate_table.h"
#include "protocol_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

using core::state;
using fiscal::RateOutcome;

// The reply to the rate-table request: the count, then 16 rates of two BCD bytes.
std::string rateTableReply(std::initializer_list<int> rates) {
    std::string reply = bytes({6, static_cast<int>(rates.size())});
    int written = 0;
    for (int r : rates) {
        reply += static_cast<char>(((r / 1000) << 4) | ((r / 100) % 10));
        reply += static_cast<char>((((r / 10) % 10) << 4) | (r % 10));
        ++written;
    }
    for (; written < 16; ++written) reply += bytes({0, 0});
    return reply + bytes({0, 0});
}

class TaxRatesTest : public ProtocolTest {
  protected:
    RateOutcome resolve(const std::string& rate, std::string& code, bool complete = true) {
        return fiscal::resolveTaxRate(exports::chosenRoad(), rate, complete, code);
    }
};

TEST_F(TaxRatesTest, TableReadFillsTheSlots) {
    configure();
    line->reply(rateTableReply({1800, 700, 1200}));
    EXPECT_EQ(fiscal::readTaxRateTable(exports::chosenRoad()), 1);
    EXPECT_EQ(line->written, frameOf("\x1B\x1A"));
    EXPECT_EQ(state().taxRateTable[0], "1800");
    EXPECT_EQ(state().taxRateTable[2], "1200");
    EXPECT_EQ(state().taxRateTable[3], "");
    EXPECT_TRUE(state().taxRateTableLoaded);
    EXPECT_EQ(fiscal::readTaxRateTable(exports::chosenRoad()), 0);  // no answer
    EXPECT_TRUE(state().taxRateTableLoaded);
}

TEST_F(TaxRatesTest, ValuesResolveToTheFirstSlotWithThatRate) {
    configure();
    line->reply(rateTableReply({1200, 1800, 750, 500, 1800}));
    std::string code;
    for (const char* text : {"18,00", "18.00", "1800", "T18,00", "18,0"}) {
        EXPECT_EQ(resolve(text, code), RateOutcome::Resolved) << text;
        EXPECT_EQ(code, "02") << text;
    }
    EXPECT_EQ(resolve("7,5", code), RateOutcome::Resolved);
    EXPECT_EQ(code, "03");
    EXPECT_EQ(resolve("05,00", code), RateOutcome::Resolved);
    EXPECT_EQ(code, "04");
    EXPECT_EQ(resolve("5", code), RateOutcome::Resolved);  // one digit is a slot number
    EXPECT_EQ(code, "05");
    EXPECT_EQ(resolve("18", code), RateOutcome::Resolved);  // a slot number, not 18 %
    EXPECT_EQ(code, "18");
    EXPECT_EQ(resolve("3", code), RateOutcome::Resolved);
    EXPECT_EQ(code, "03");
    EXPECT_EQ(resolve("ff", code), RateOutcome::Resolved);
    EXPECT_EQ(code, "FF");
    EXPECT_EQ(resolve("", code), RateOutcome::Invalid);
    EXPECT_EQ(resolve("18,000", code), RateOutcome::Invalid);
    EXPECT_EQ(line->written, frameOf("\x1B\x1A"));  // the table was read once
}

TEST_F(TaxRatesTest, ServiceCodesNeedTheNewerPrinters) {
    configure();
    std::string code;
    EXPECT_EQ(resolve("SN", code), RateOutcome::InvalidSilent);
    reconfigure("", "Impressora=2\n");
    EXPECT_EQ(resolve("sn", code), RateOutcome::Resolved);
    EXPECT_EQ(code, "SN");
}

TEST_F(TaxRatesTest, UnknownRateIsReadAgainOnceThenRefused) {
    configure();
    line->reply(rateTableReply({1800}));
    line->reply(rateTableReply({1800, 2500}));  // programmed after the first read
    std::string code;
    EXPECT_EQ(resolve("25,00", code), RateOutcome::Resolved);
    EXPECT_EQ(code, "02");

    line->reply(rateTableReply({1800, 2500}));
    EXPECT_EQ(resolve("3,00", code), RateOutcome::NotProgrammed);
    EXPECT_EQ(resolve("4,00", code), RateOutcome::Communication);  // the re-read went unanswered
}

TEST_F(TaxRatesTest, DepartmentSaleLooksTheDigitsUpAsGiven) {
    configure();
    line->reply(rateTableReply({500}));
    std::string code;
    EXPECT_EQ(resolve("5,00", code, /*complete=*/false), RateOutcome::Resolved);
    EXPECT_EQ(code, "01");
}

TEST_F(TaxRatesTest, NetworkModeNeverReadsTheTable) {
    configure();
    std::string value;
    EXPECT_EQ(fiscal::networkTaxRate("si", value), RateOutcome::Resolved);
    EXPECT_EQ(value, "SI");
    EXPECT_EQ(fiscal::networkTaxRate("T18,00", value), RateOutcome::Resolved);
    EXPECT_EQ(value, "1800");
    EXPECT_EQ(fiscal::networkTaxRate("180,00", value), RateOutcome::Invalid);
    EXPECT_TRUE(line->written.empty());
}

TEST_F(TaxRatesTest, PaymentFormIndexIsAskedByDescription) {
    configure();
    ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    std::filesystem::remove(workDir() + "/QuelFI32.log");
    line->reply(bytes({6, '0', '3', 0, 0}));
    std::string index;
    EXPECT_EQ(fiscal::paymentFormIndex(exports::chosenRoad(), "Cart\xE3o", index), 1);
    EXPECT_EQ(index, "03");
    EXPECT_EQ(line->written, frameOf("\x1BGCart\xC6o          "));
    line->reply(bytes({6, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(fiscal::paymentFormIndex(exports::chosenRoad(), "Vale", index), -24);
    EXPECT_EQ(fiscal::paymentFormIndex(exports::chosenRoad(), "Vale", index), 0);
    EXPECT_EQ(workLog(),
              logLines({"Quelmar_FI_ObtemIndiceFormaPagamento ", "Parâmetro: Cartão",
                        "Retorno Quelmar_FI_ObtemIndiceFormaPagamento: 1 - Ok",
                        "Quelmar_FI_ObtemIndiceFormaPagamento ", "Parâmetro: Vale",
                        "Retorno: -24 - Forma de pagamento não programada e sem espaço para "
                        "programa-la",
                        "Quelmar_FI_ObtemIndiceFormaPagamento ", "Parâmetro: Vale",
                        "Retorno: 0 - Erro de comunicacao"}));
}

}  // namespace
}  // namespace quelfi::test

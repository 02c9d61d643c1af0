// Resolving an item's tax-rate argument against the printer's rate table.
#include "fiscal/tax_rates.h"

#include "fiscal/payment_form_index.h"
#include "fiscal/tax_rate_table.h"
#include "protocol_fixture.h"

namespace quelfi::test {
namespace {

using core::state;
using fiscal::RateOutcome;

class TaxRatesTest : public ProtocolTest {
  protected:
    RateOutcome resolve(const std::string& rate, std::string& code) {
        return fiscal::resolveTaxRate(rate, true, code);
    }
};

TEST_F(TaxRatesTest, ValuesResolveToTheFirstSlotWithThatRate) {
    configure();
    line->reply(rateTableReply({1200, 1800, 750, 500, 1800}));
    struct Case {
        const char* text;
        bool complete;  // false: the department sale, which looks the digits up as given
        RateOutcome outcome;
        const char* code;
    };
    const Case cases[] = {
        {"18,00", true, RateOutcome::Resolved, "02"},
        {"18.00", true, RateOutcome::Resolved, "02"},
        {"1800", true, RateOutcome::Resolved, "02"},
        {"T18,00", true, RateOutcome::Resolved, "02"},
        {"18,0", true, RateOutcome::Resolved, "02"},
        {"7,5", true, RateOutcome::Resolved, "03"},
        {"05,00", true, RateOutcome::Resolved, "04"},
        {"5,00", false, RateOutcome::Resolved, "04"},
        // One or two digits are a slot number (18 is not 18 %); letters are codes.
        {"5", true, RateOutcome::Resolved, "05"},
        {"18", true, RateOutcome::Resolved, "18"},
        {"3", true, RateOutcome::Resolved, "03"},
        {"ff", true, RateOutcome::Resolved, "FF"},
        {"", true, RateOutcome::Invalid, ""},
        {"18,000", true, RateOutcome::Invalid, ""},
        // The service-tax codes need the newer printers.
        {"SN", true, RateOutcome::InvalidSilent, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string code;
        EXPECT_EQ(fiscal::resolveTaxRate(c.text, c.complete, code), c.outcome);
        EXPECT_EQ(code, c.code);
    }
    state().printerType = 2;
    std::string code;
    EXPECT_EQ(fiscal::resolveTaxRate("sn", true, code), RateOutcome::Resolved);
    EXPECT_EQ(code, "SN");
    EXPECT_EQ(line->written, frameOf("\x1B\x1A"));  // the table was read once
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
    clearLog();
    line->reply(bytes({6, '0', '3', 0, 0}));
    std::string index;
    EXPECT_EQ(fiscal::paymentFormIndex("Cart\xE3o", index), 1);
    EXPECT_EQ(index, "03");
    EXPECT_EQ(line->written, frameOf("\x1BGCart\xC6o          "));
    line->reply(bytes({6, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(fiscal::paymentFormIndex("Vale", index), -24);
    EXPECT_EQ(fiscal::paymentFormIndex("Vale", index), 0);
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

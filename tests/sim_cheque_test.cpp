// The virtual printer's cheque station and passenger ticket: a cheque printed on the document in
// the slip or waiting for one, authentication, and the ticket sold as a coupon of its own kind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/quelmar/amount_words.h"
#include "sim/quelmar/codes.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "sim/quelmar/receipt_layout.h"
#include "support/sim_bytes.h"

namespace quelfi::sim {
namespace {

using layout::rule;
using test::hex;
using Lines = std::vector<std::string>;

const std::string kAccepted = "06 00 00";
const std::string kNotExecuted = "06 00 01";
const std::string kBadFields = "06 00 81";
constexpr std::uint8_t kDocumentReady =
    codes::kChequeDocumentPresent | codes::kChequeDocumentAligned | codes::kChequeUnderHead;

// 123,45 to JOSÉ DA SILVA in São Paulo on 06/05/2024, a layout with a zero byte, and a message.
const std::string kCheque =
    std::string("9") + "00000000012345" + "JOS\x90 DA SILVA" + std::string(32, ' ') +
    std::string(18, ' ') + "S\xC7O PAULO" + "06052024" +
    std::string("\x01\x02\x00\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D", 13) + "Nominal";

class SimStation : public ::testing::Test {
  protected:
    std::string run(const std::string& body) { return hex(printer.execute("\x1B" + body)); }
    std::string sensor() { return hex(printer.execute("\x1B>0").substr(1, 1)); }
    Lines printed() {
        Lines lines = printer.paper().lines();
        printer.paper().clear();
        return lines;
    }
    void insertDocument() {
        printer.update([](FiscalModel& m) { m.chequeSensor = kDocumentReady; });
    }

    QuelmarPrinter printer{
        modelFromSeed("clock=15/03/2024 10:30:00; coo=41; serial=QM01; currency.plural=Reais")};
};

TEST_F(SimStation, ChequeOnTheDocumentInTheSlipOrWaitingForOne) {
    const Lines slip = {rule(),
                        std::string(21, ' ') + "CHEQUE",
                        std::string(39, ' ') + "R$ 123,45",
                        "CENTO E VINTE E TRÊS REAIS E QUARENTA E CINCO",
                        "CENTAVOS",
                        "PAGUE A: JOSÉ DA SILVA",
                        std::string(19, ' ') + "SÃO PAULO, 06 DE MAIO DE 2024",
                        "Nominal",
                        rule()};
    insertDocument();
    EXPECT_EQ(sensor(), "64");
    EXPECT_EQ(run(kCheque), kAccepted);
    EXPECT_EQ(printed(), slip);
    EXPECT_EQ(sensor(), "00");  // the document is let go

    // With the slip empty the cheque waits; a second one is refused meanwhile.
    EXPECT_EQ(run(kCheque), kAccepted);
    EXPECT_EQ(sensor(), "08");
    EXPECT_EQ(run(kCheque), kNotExecuted);
    EXPECT_TRUE(printed().empty());
    insertDocument();
    EXPECT_EQ(printed(), slip);
    EXPECT_EQ(sensor(), "00");

    // Cancelling ends the wait unprinted.
    EXPECT_EQ(run(kCheque), kAccepted);
    EXPECT_EQ(run(">1"), kAccepted);
    EXPECT_EQ(sensor(), "00");
    insertDocument();
    EXPECT_TRUE(printed().empty());

    std::string badDate = kCheque;
    badDate.replace(87, 8, "31022024");
    EXPECT_EQ(run(badDate), kBadFields);
    EXPECT_EQ(run(kCheque + std::string(114, 'x')), "06 01 00");  // message over 120
}

TEST_F(SimStation, AuthenticationNeedsTheCharacterAndADocument) {
    EXPECT_EQ(run("\x10"), kNotExecuted);
    std::string character = "@";
    for (int column = 0; column < 18; ++column)
        character += static_cast<char>(column < 2 ? 0xFF : 0x81);
    EXPECT_EQ(run(character), kAccepted);
    EXPECT_EQ(run("\x10"), kNotExecuted);  // the slip is empty
    insertDocument();
    EXPECT_EQ(run("\x10"), kAccepted);
    const std::string side = "##" + std::string(16, '#');
    const std::string hollow = "##";
    EXPECT_EQ(printed(), (Lines{side, hollow, hollow, hollow, hollow, hollow, hollow, side,
                                "AUT 000041 15/03/2024 10:30:00 QM01"}));
    EXPECT_EQ(sensor(), "00");
}

TEST_F(SimStation, PassengerTicketIsACouponOfItsOwnKind) {
    auto field = [](const std::string& text) { return text + std::string(40 - text.size(), ' '); };
    const std::string journey = field("S\xC7O PAULO") + field("CAMPINAS") + field("1045") +
                                field("") + field("") + field("Tiet\x88");
    EXPECT_EQ(run("%0" + std::string("12") + journey + "150324104500" + "12" + "7  "), kBadFields);
    EXPECT_EQ(run("%0" + std::string("10") + journey + "150324104500" + "12" + "7  "), kAccepted);
    const FiscalModel m = printer.model();
    EXPECT_EQ(m.counters.coo, 42);
    EXPECT_EQ(m.counters.passengerTickets, 1);
    EXPECT_EQ(m.counters.ccf, 0);
    EXPECT_TRUE(m.coupon.passengerTicket);
    Lines opening = printed();
    opening.erase(opening.begin(), opening.begin() + 5);  // the heading up to its title
    EXPECT_EQ(opening,
              (Lines{layout::centred("BILHETE DE PASSAGEM"), "EMBARQUE: SÃO PAULO",
                     "DESTINO: CAMPINAS", "LINHA: 1045", "AGÊNCIA: Tietê",
                     layout::spread("DATA: 15/03/24  HORA: 10:45:00", "POLTRONA: 12"),
                     "PLATAFORMA: 7", rule(), "ITEM CÓDIGO DESCRIÇÃO",
                     layout::spread("QTD. UN. x VL UNIT(R$)", "ST      VL ITEM(R$)"), rule()}));
    // A ticket is open: no other ticket or coupon starts.
    EXPECT_EQ(run("%0" + std::string("10") + journey + "150324104500" + "12" + "7  "), "06 02 01");
}

TEST(SimAmountWords, PortugueseAsOnACheque) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "ZERO REAIS"},
        {1, "UM CENTAVO"},
        {100, "UM REAL"},
        {12345, "CENTO E VINTE E TRÊS REAIS E QUARENTA E CINCO CENTAVOS"},
        {10000, "CEM REAIS"},
        {120000, "MIL E DUZENTOS REAIS"},
        {123456, "MIL DUZENTOS E TRINTA E QUATRO REAIS E CINQUENTA E SEIS CENTAVOS"},
        {1700000, "DEZESSETE MIL REAIS"},
        {200000000, "DOIS MILHÕES DE REAIS"},
        {100000100, "UM MILHÃO E UM REAIS"},
        {99999999999999,
         "NOVECENTOS E NOVENTA E NOVE BILHÕES NOVECENTOS E NOVENTA E NOVE "
         "MILHÕES NOVECENTOS E NOVENTA E NOVE MIL NOVECENTOS E NOVENTA E NOVE "
         "REAIS E NOVENTA E NOVE CENTAVOS"},
    };
    for (const auto& [amount, words] : cases)
        EXPECT_EQ(amountInWords(amount, "real", "reais"), words);
}

}  // namespace
}  // namespace quelfi::sim

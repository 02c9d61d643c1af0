// The information queries answered from the fiscal model: reply lengths, and the data decoded the
// way the host decodes it (BCD digits, characters, single bytes).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/quelmar/codes.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/sim_bytes.h"

namespace quelfi::sim {
namespace {

using test::bcdDigits;
using test::bytes;
using test::hex;

// The data bytes of a reply without journal status: between the ACK and ST1, ST2.
std::string dataOf(const std::string& reply) {
    EXPECT_GE(reply.size(), 3u);
    EXPECT_EQ(reply.front(), '\x06');
    return reply.size() < 3 ? "" : reply.substr(1, reply.size() - 3);
}

// Characters as the host shows them: a zero byte as a blank.
std::string characters(std::string_view data) {
    std::string out(data);
    for (char& c : out)
        if (c == '\0') c = ' ';
    return out;
}

std::string repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

std::string zeros(int digits) {
    return std::string(static_cast<std::size_t>(digits), '0');
}

std::string info(int index) {
    return bytes({0x1B, '#', index});
}

const char* const kSeed =
    "serial=QM0123456789; firmware=01.03.00; cnpj=12.345.678/0001-90; ie=110.042.490.114;"
    "cliche=MERCADO BOM PRECO; store=12; register=3; currency=R$;"
    "coo=1234; crz=56; cro=2; gnf=789; cancelled=4; owners=1; lastitem=17; tickets=5;"
    "minutes=4321; minutes.printing=98; paper.lines=300; cheque=100;"
    "gt=1234567.89; icms.cancellations=10.00; iss.cancellations=2.50; icms.discounts=1.00;"
    "iss.discounts=0.25; icms.surcharges=3.00; lastpaid=50.00; icms.exempt=4.00;"
    "iss.nonincidence=5.00; icms.substitution=6.00; withdrawals=7.00; supplies=8.00;"
    "clock=15/03/2024 10:30:45; movement=15/03/2024;"
    "rates=18.00,7.00/ISS,12.00,5.00/ISS; rate.1.total=100.00;"
    "payments=Dinheiro,Cartao/V; payment.2.total=80.00; payment.2.last=20.00;"
    "totalizers=Sangria,,Recebimento; totalizer.3.count=2; totalizer.3.total=30.00;"
    "departments=Bebidas; department.1.total=15.50; department.1.quantity=2.5";

class SimQuery : public ::testing::Test {
  protected:
    QuelmarPrinter printer{modelFromSeed(kSeed)};
    std::string data(const std::string& command) { return dataOf(printer.execute(command)); }
};

TEST(SimQueryLengths, EveryQueryAnswersItsFixedLength) {
    struct Query {
        std::string command;  // after the prefix
        std::size_t reply;    // ACK, data, ST1, ST2
    };
    const std::vector<Query> queries = {
        {"\x1e", 6},   {bytes({'#', 0}), 18}, {"#(", 23},    {"#\x01", 5},  {"#\x02", 36},
        {"#\x03", 12}, {"#\x04", 10},         {"#\x05", 10}, {"#\x07", 6},  {"#\x08", 5},
        {"#\x09", 5},  {"#\x0a", 5},          {"#\x0b", 5},  {"#\x0c", 5},  {"#\x0d", 189},
        {"#\x0e", 5},  {"#\x0f", 5},          {"#\x10", 5},  {"#\x11", 4},  {"#\x12", 5},
        {"#\x13", 5},  {"#\x14", 4},          {"#\x15", 4},  {"#\x16", 10}, {"#\x17", 9},
        {"#\x18", 21}, {"#\x19", 174},        {"#\x1a", 9},  {"#\x1b", 6},  {"#\x1c", 4},
        {"#\x1d", 5},  {"#\x1e", 10},         {"#\x1f", 6},  {"# ", 1928},  {"#!", 1553},
        {"#\"", 603},  {"#\xfd", 6},          {"\x1b", 222}, {"\x1a", 36},  {">7", 311},
        {">6", 5},     {"\x16\xf0", 3},       {"\x17", 4},   {">0", 4},     {"\x13", 3},
    };
    QuelmarPrinter plain(modelFromSeed(kSeed));
    QuelmarPrinter journal(modelFromSeed(std::string(kSeed) + "; mfd=1"));
    for (const auto& q : queries) {
        SCOPED_TRACE(hex(q.command));
        const std::string reply = plain.execute("\x1b" + q.command);
        EXPECT_EQ(reply.size(), q.reply);
        EXPECT_EQ(hex(reply.substr(0, 1) + reply.substr(reply.size() - 2)), "06 00 00");
        EXPECT_EQ(journal.execute("\x1c" + q.command).size(), q.reply + 2);
    }
}

TEST_F(SimQuery, CountersAndTotalsInPackedBcd) {
    EXPECT_EQ(bcdDigits(data("\x1b\x1e")), "001234");
    EXPECT_EQ(bcdDigits(data(info(3))), "000000000123456789");
    EXPECT_EQ(bcdDigits(data(info(4))), "00000000001250");
    EXPECT_EQ(bcdDigits(data(info(5))), "00000000000125");
    EXPECT_EQ(bcdDigits(data(info(30))), "00000000000300");
    EXPECT_EQ(bcdDigits(data(info(22))), "00000000005000");
    EXPECT_EQ(bcdDigits(data(info(7))), "000789");
    EXPECT_EQ(bcdDigits(data(info(8))), "0004");
    EXPECT_EQ(bcdDigits(data(info(9))), "0056");
    EXPECT_EQ(bcdDigits(data(info(10))), "0002");
    EXPECT_EQ(bcdDigits(data(info(11))), "0001");
    EXPECT_EQ(bcdDigits(data(info(12))), "0017");
    EXPECT_EQ(bcdDigits(data(info(31))), "000005");
    EXPECT_EQ(bcdDigits(data(info(18))), "4321");
    EXPECT_EQ(bcdDigits(data(info(19))), "0098");
    EXPECT_EQ(bcdDigits(data(info(14))), "0003");
    EXPECT_EQ(bcdDigits(data(info(15))), "0012");
    EXPECT_EQ(bcdDigits(data(info(1))), "0103");
    // A counter past its field's width shows its low digits.
    printer.update([](FiscalModel& m) { m.counters.crz = 12345; });
    EXPECT_EQ(bcdDigits(data(info(9))), "2345");
}

TEST_F(SimQuery, IdentityAndOwnerAsCharacters) {
    EXPECT_EQ(data(info(0)), "QM0123456789   ");
    EXPECT_EQ(data(info(0x28)), "QMECFQM0123456789   ");
    EXPECT_EQ(data(info(2)), "12.345.678/0001-90110.042.490.114");
    EXPECT_EQ(data(info(13)), "MERCADO BOM PRECO" + std::string(169, ' '));
    EXPECT_EQ(data(info(16)), "R$");
}

TEST_F(SimQuery, ClockDatesAndFlags) {
    EXPECT_EQ(bcdDigits(data(info(23))), "150324103045");
    EXPECT_EQ(bcdDigits(data(info(27))), "150324");
    EXPECT_EQ(bcdDigits(data(info(26))), "000000000000");
    EXPECT_EQ(hex(data(info(17))), "00");
    printer.update([](FiscalModel& m) {
        applySeed(m, "dst=1; cancellable=1; document=payment; z.1.at=15/03/2024 00:10:00");
    });
    EXPECT_EQ(bcdDigits(data(info(26))), "150324001000");
    EXPECT_EQ(hex(data(info(17))), "2F");
    printer.update([](FiscalModel& m) {
        applySeed(m,
                  "dst=0; cancellable=0; document=coupon; movement=none;"
                  "clock=16/03/2024 08:00:00; memory=1");
    });
    EXPECT_EQ(hex(data(info(17))), "81");
    EXPECT_EQ(bcdDigits(data(info(27))), "000000");
}

TEST_F(SimQuery, SettingsAndSensorsAsBytes) {
    EXPECT_EQ(hex(data(info(20)) + data(info(21)) + data(info(28))), "01 01 00");
    EXPECT_EQ(hex(data(bytes({0x1B, '#', 0xFD}))), "FF FF FF");
    printer.update([](FiscalModel& m) { applySeed(m, "type=3; truncate=1"); });
    EXPECT_EQ(hex(data(bytes({0x1B, '#', 0xFD}))), "FF 00 FF");
    EXPECT_EQ(hex(data(info(28))), "01");
    printer.update([](FiscalModel& m) { m.printerType = 8; });
    EXPECT_EQ(hex(data(bytes({0x1B, '#', 0xFD}))), "00 00 00");

    EXPECT_EQ(hex(data("\x1b\x17")), "00");
    EXPECT_EQ(hex(printer.execute("\x1b\x16\xf0")), "06 00 00");
    EXPECT_EQ(hex(data("\x1b\x17")), "FF");
    EXPECT_TRUE(printer.model().drawerOpen);
    EXPECT_EQ(hex(data("\x1b>0")), "64");
    EXPECT_EQ(hex(data("\x1b>6")), "01 2C");
}

TEST_F(SimQuery, TaxRatesAndTheirIssBinding) {
    EXPECT_EQ(hex(data("\x1b\x1a")), "04 18 00 07 00 12 00 05 00" + repeat(" 00 00", 12));
    EXPECT_EQ(hex(data(info(29))), "50 00");
    printer.update([](FiscalModel& m) {
        applySeed(m, "rates=1,2/ISS,3,4,5,6,7,8,9/ISS,10,11,12,13,14,15,16/ISS");
    });
    EXPECT_EQ(hex(data(info(29))), "40 81");
}

TEST_F(SimQuery, PartialTotalizers) {
    const std::string expected = "00000000010000" + zeros(15 * 14) +  // rate totals
                                 "00000000000400" + "00000000000500" + "00000000000600" +
                                 zeros(2 * 14) + "00000000003000" + zeros(6 * 14) +
                                 "00000000000700" + "00000000000800" + "000000000123456789";
    EXPECT_EQ(bcdDigits(data("\x1b\x1b")), expected);
}

TEST_F(SimQuery, NonFiscalTotalizersShortLists) {
    EXPECT_EQ(bcdDigits(data(info(24))),
              "0000"
              "0000"
              "0002" +
                  zeros(6 * 4));
    EXPECT_EQ(data(info(25)), "Sangria            " + std::string(19, ' ') + "Recebimento        " +
                                  std::string(6 * 19, ' '));
}

TEST_F(SimQuery, PaymentFormTable) {
    const std::string d = data(info(32));
    ASSERT_EQ(d.size(), 1925u);
    const std::string decoded =
        characters(d.substr(0, 833)) + bcdDigits(d.substr(833, 1040)) + [&] {
            std::string flags;
            for (char c : d.substr(1873)) flags += (c & 1) ? '1' : '0';
            return flags;
        }();
    const std::string expected =
        "\x02"
        "Dinheiro        "
        "Cartao          " +
        std::string(50 * 16, ' ') + zeros(20) + "00000000000000800000" + zeros(50 * 20) +
        zeros(20) + "00000000000000200000" + zeros(50 * 20) + "01" + zeros(50);
    EXPECT_EQ(decoded, expected);
}

TEST_F(SimQuery, NonFiscalTotalizerTable) {
    const std::string d = data(info(33));
    ASSERT_EQ(d.size(), 1550u);
    std::string decoded;
    for (std::size_t at = 0; at < d.size(); at += 31) {
        const int count = static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1])
                                                                  << 8;
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04d", count);
        decoded += digits + bcdDigits(d.substr(at + 2, 10)) + characters(d.substr(at + 12, 19));
    }
    const std::string empty = "0000" + zeros(20) + std::string(19, ' ');
    EXPECT_EQ(decoded, "0000" + zeros(20) + "Sangria            " + empty + "0002" +
                           "00000000000000300000" + "Recebimento        " + repeat(empty, 47));
}

TEST_F(SimQuery, DepartmentTable) {
    const std::string d = data(info(34));
    ASSERT_EQ(d.size(), 600u);
    std::string decoded;
    for (std::size_t at = 0; at < d.size(); at += 30)
        decoded += bcdDigits(d.substr(at, 20)) + characters(d.substr(at + 20, 10));
    EXPECT_EQ(decoded,
              "00000000000000155000"
              "00000000000000025000"
              "Bebidas   " +
                  repeat(zeros(40) + std::string(10, ' '), 19));
}

TEST_F(SimQuery, LastReductionRecord) {
    EXPECT_EQ(bcdDigits(data("\x1b>7")), zeros(616));
    printer.update([](FiscalModel& m) {
        applySeed(m,
                  "z.1.crz=56; z.1.coo=1200; z.1.gnf=700; z.1.gt=1000.00;"
                  "z.1.at=14/03/2024 23:59:00; z.1.movement=14/03/2024; z.1.automatic=1;"
                  "z.1.rates=18.00,5.00/ISS; z.1.ratetotals=200.00,40.00; z.1.icms.exempt=1.00;"
                  "z.1.iss.exempt=2.00; z.1.icms.cancellations=3.00; z.1.icms.discounts=0.50;"
                  "z.1.withdrawals=10.00; z.1.nftotals=0,0,30.00; z.1.nfcounts=0,0,2;"
                  "z.1.icms.surcharges=0.10");
    });
    const std::string expected =
        "01" + std::string("000000000000100000") + "00000000000300" + "00000000000050" +
        "1800"
        "0500" +
        zeros(14 * 4) +
        "00000000020000"
        "00000000004000" +
        zeros(14 * 14) + "00000000000300" + zeros(14) + zeros(14) + "00000000001000" + zeros(14) +
        zeros(28) + "00000000003000" + zeros(6 * 14) +
        "0000"
        "0000"
        "0002" +
        zeros(6 * 4) + "001200" + "000700" + "02" + "140324" + "00000000000010" + "00000000004000";
    EXPECT_EQ(bcdDigits(data("\x1b>7")), expected);
}

}  // namespace
}  // namespace quelfi::sim

// A fiscal day on the virtual Yanco printer through raw frames: the opening, the non-fiscal
// documents, the readings sent to the line in several frames, the reduction and what the fiscal
// memory keeps; the configuration answer; the state kept as text.
#include <fstream>

#include "yanco_sim_fixture.h"

namespace quelfi::test {
namespace {

// The lines of an answer in several frames, each checked as a whole frame: the mark says
// whether another follows, "2F" frames carry the status before the line, every line ends in LF.
std::vector<std::string> answerLines(const std::string& reply, std::string_view code) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < reply.size()) {
        const std::size_t etx = reply.find('\x03', at);
        if (etx == std::string::npos || etx + 3 > reply.size()) {
            ADD_FAILURE() << "unfinished frame";
            break;
        }
        const std::string frame = reply.substr(at, etx + 3 - at);
        const std::size_t textAt = code == "2F" ? 10 : 8;
        const std::string line = frame.substr(textAt, frame.size() - textAt - 4);
        const char mark = etx + 3 == reply.size() ? '0' : '1';
        const std::string body = (code == "2F" ? "00" : "") + line + "\n";
        EXPECT_EQ(frame, yancoReply("4321", mark, code, body)) << line;
        lines.push_back(line);
        at = etx + 3;
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

TEST_F(YancoSimTest, DayFromOpeningToReduction) {
    start();
    EXPECT_EQ(data("25", 8), "0\\0\\0\\1\\0\\20\\000000\\000000\\000000\\0\\0000\\0\\0");
    EXPECT_EQ(status("130"), "09");
    const std::string endCoupon = "1600" + std::string(168, ' ');
    const std::string steps[] = {
        kOpenDay,
        "2902010000000100000" + kBlanks13,  // a withdrawal of 100,00
        "2903010000000050000" + kBlanks13,  // a supply of 50,00
        "2901010000000012345" + kBlanks13,  // a receipt of 12,34
        "240" + kBlanks13,
        "2A0" + padded("RELATORIO DO CAIXA", 42),
        "2A0" + std::string(42, ' '),
        "2C",
        "130",
        item("1", "CAFE", "000015000", "0001000", "02"),
        "15030000000015000",
        endCoupon,
        "131",
        "2B0" + padded("CARTAO CREDITO 15,00", 42),
        "160" + std::string(168, ' '),
        "105" + padded("CONVENIO", 15),
        "081",
        kXReading,
    };
    for (const std::string& command : steps) ASSERT_EQ(status(command), "00") << command;
    // Summer time put the clock an hour forward. Cash took the supply and the receipt; the
    // withdrawal counts on its totalizer only.
    EXPECT_EQ(joined(answerLines(reply("2F"), "2F")),
              "             L E I T U R A  X\n"
              "06/12/2026 11:00:00             COO:000008\n"
              "MOVIMENTO                       06/12/2026\n"
              "------------[ TOTALIZADORES ]-------------\n"
              "GT FINAL                             15,00\n"
              "GT INICIAL                            0,00\n"
              "VENDA BRUTA                          15,00\n"
              "CANCELAMENTOS                         0,00\n"
              "DESCONTOS ICMS                        0,00\n"
              "DESCONTOS ISS                         0,00\n"
              "ACRESCIMOS ICMS                       0,00\n"
              "ACRESCIMOS ISS                        0,00\n"
              "VENDA LIQUIDA                        15,00\n"
              "--------------[ CONTADORES ]--------------\n"
              "COO                                 000008\n"
              "CCF                                 000001\n"
              "GNF                                 000007\n"
              "GRG                                 000001\n"
              "CDC                                 000001\n"
              "CRZ                                   0000\n"
              "CRO                                   0000\n"
              "CUPONS CANCELADOS                     0000\n"
              "--------[ OPERACOES NAO FISCAIS ]---------\n"
              "01 Recebimento     0001              12,34\n"
              "02 Sangria         0001             100,00\n"
              "03 Suprimento      0001              50,00\n"
              "04                 0000               0,00\n"
              "05 CONVENIO        0000               0,00\n"
              "06                 0000               0,00\n"
              "07                 0000               0,00\n"
              "08                 0000               0,00\n"
              "09                 0000               0,00\n"
              "---------[ FORMAS DE PAGAMENTO ]----------\n"
              "01 Dinheiro                          62,34\n"
              "02 Cheque                             0,00\n"
              "03 Cartao                            15,00\n"
              "--------[ SITUACOES TRIBUTARIAS ]---------\n"
              "01 T18,00%                            0,00\n"
              "02 T12,00%                           15,00\n"
              "03 T07,00%                            0,00\n"
              "F  SUBSTITUICAO                       0,00\n"
              "I  ISENCAO                            0,00\n"
              "N  NAO INCIDENCIA                     0,00\n"
              "-----------------[ ISS ]------------------\n"
              "04 S05,00%                            0,00\n");
    ASSERT_EQ(status(kReduction), "00");
    // After the reduction nothing but the opening of the next day.
    EXPECT_EQ(data("25", 8), "0\\1\\0\\1\\0\\20\\000009\\000000\\061226\\0\\0001\\0\\0");
    for (const std::string& command :
         {std::string("130"), kXReading, kReduction, "2901010000000012345" + kBlanks13})
        EXPECT_EQ(status(command), "09") << command;
    EXPECT_EQ(data("34001"), "000000000000001500");
    EXPECT_EQ(data("34002"), "000000000000001500");
    EXPECT_EQ(data("34031"), "00000000000000");
    EXPECT_EQ(data("34010"), "0001");
    EXPECT_EQ(joined(answerLines(reply("2D0"
                                       "000000000000"
                                       "0001"
                                       "0001"
                                       "1"),
                                 "2D")),
              "L E I T U R A  M E M O R I A  F I S C A L\n"
              "06/12/2026 11:00:00             COO:000009\n"
              "REDUCOES 0001 A 0001\n"
              "------------------------------------------\n"
              "CRZ 0001  COO 000009  06/12/2026\n"
              "GT FINAL                             15,00\n"
              "VENDA BRUTA                          15,00\n"
              "VENDA LIQUIDA                        15,00\n");
}

}  // namespace
}  // namespace quelfi::test

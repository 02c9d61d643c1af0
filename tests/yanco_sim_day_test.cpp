// A fiscal day on the virtual Yanco printer through raw frames: the opening, the non-fiscal
// documents, the readings sent to the line in several frames, the reduction and what the fiscal
// memory keeps; the configuration answer; the state kept as text.

#include "sim/yanco/cheque_layout.h"
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
              "CNPJ 11.222.333/0001-81\n"
              "YANCO ECF                   FAB:YC00000001\n"
              "VERSAO 01                  LJ:0001 CX:0001\n"
              "CRO                                   0000\n"
              "REDUCOES 0001 A 0001\n"
              "------------------------------------------\n"
              "CRZ 0001  COO 000009  06/12/2026\n"
              "GT FINAL                             15,00\n"
              "VENDA BRUTA                          15,00\n"
              "VENDA LIQUIDA                        15,00\n"
              "CANCELAMENTOS                         0,00\n"
              "DESCONTOS ICMS                        0,00\n"
              "DESCONTOS ISS                         0,00\n"
              "ACRESCIMOS ICMS                       0,00\n"
              "ACRESCIMOS ISS                        0,00\n"
              "01 T18,00%                            0,00\n"
              "02 T12,00%                           15,00\n"
              "03 T07,00%                            0,00\n"
              "04 S05,00%                            0,00\n"
              "F  SUBSTITUICAO                       0,00\n"
              "I  ISENCAO                            0,00\n"
              "N  NAO INCIDENCIA                     0,00\n");
}

TEST_F(YancoSimTest, ConfigurationAndTextRegistersByPosition) {
    start(
        "rates=18.00,,7.00/ISS; payments=Dinheiro,,Cartao/V; header=LOJA DO ZE; dst=1;"
        "firmware=07; currency=R$");
    // The frame's positions: rates from 8, the currency at 89, the firmware at 95, the forms from
    // 105, the owner's header at 556 and the summer-time mark at 746; blanks between.
    std::string expected(747, ' ');
    auto place = [&expected](std::size_t at, std::string_view text) {
        expected.replace(at, text.size(), text);
    };
    place(8, "1800T");
    place(18, "0700S");
    place(89, "R$");
    place(95, "07");
    place(105, "Dinheiro");
    place(135, "Cartao");
    place(556, "LOJA DO ZE");
    place(746, "V");
    EXPECT_EQ(data("2E", 8), expected.substr(8));

    const struct {
        const char* reg;
        std::string value;
    } registers[] = {
        {"34070", "10:00:00"},
        {"34071", "06/12/26"},
        {"34073", padded("11.222.333/0001-81", 20)},
        {"34074", padded("111.222.333.444", 20)},
        {"34075", "0001"},
        {"34079", "YC00000001"},
    };
    for (const auto& r : registers) EXPECT_EQ(data(r.reg), r.value) << r.reg;
    for (const char* unknown : {"34000", "34090", "3400A"}) EXPECT_EQ(status(unknown), "20");
}

TEST_F(YancoSimTest, SlipStationPrintsTheChequeAndTheAuthentication) {
    start("day=1; coo=7");
    printer->paper().clear();
    ASSERT_EQ(
        status("36" + std::string(45, ' ') + "00000015050" + padded("JOSE DA SILVA", 70) +
               padded("SAO PAULO", 20) + "06122026" + padded("Real", 15) + padded("Reais", 17)),
        "00");
    ASSERT_EQ(status("30" + std::string(80, ' ')), "00");
    EXPECT_EQ(status("36" + std::string(45, ' ') + "00000015050" + std::string(90, ' ') +
                     "31022026" + std::string(32, ' ')),
              "20");
    EXPECT_EQ(printer->paper().text(),
              "----------------[ CHEQUE ]----------------\n"
              "                                 R$ 150,50\n"
              "cento e cinquenta Reais e cinquenta\n"
              "centavos\n"
              "PAGUE A JOSE DA SILVA\n"
              "SAO PAULO, 6 de dezembro de 2026\n"
              "------------------------------------------\n"
              "AUT 06/12/2026 10:00:00         COO:000007\n");
}

TEST_F(YancoSimTest, BoundReceiptAndReportOnPaper) {
    start("day=1; header=LOJA DO ZE");
    for (const std::string& command :
         {std::string("130"), item("1", "CAFE", "000015000", "0001000", "02"),
          std::string("15030000000015000"), "1600" + std::string(168, ' ')})
        ASSERT_EQ(status(command), "00") << command;
    printer->paper().clear();
    for (const std::string& command :
         {std::string("131"), "2B0" + padded("CARTAO CREDITO", 42), "2B0" + std::string(42, ' '),
          "2B0" + padded("AUTORIZACAO 123456", 42), "160" + padded("VIA DO CLIENTE", 168),
          "240" + kBlanks13, "2A0" + padded("FECHAMENTO DO CAIXA", 42), std::string("2C")})
        ASSERT_EQ(status(command), "00") << command;
    EXPECT_EQ(printer->paper().text(),
              "                LOJA DO ZE\n"
              "CNPJ 11.222.333/0001-81\n"
              "IE 111.222.333.444\n"
              "------------------------------------------\n"
              "06/12/2026 10:00:00             COO:000002\n"
              "     COMPROVANTE DE CREDITO OU DEBITO\n"
              "COO DO CUPOM VINCULADO              000001\n"
              "Cartao                               15,00\n"
              "------------------------------------------\n"
              "CARTAO CREDITO\n"
              "\n"
              "AUTORIZACAO 123456\n"
              "VIA DO CLIENTE\n"
              "------------------------------------------\n"
              "YANCO ECF                   FAB:YC00000001\n"
              "VERSAO 01                  LJ:0001 CX:0001\n"
              "                LOJA DO ZE\n"
              "CNPJ 11.222.333/0001-81\n"
              "IE 111.222.333.444\n"
              "------------------------------------------\n"
              "06/12/2026 10:00:00             COO:000003\n"
              "           RELATORIO GERENCIAL\n"
              "FECHAMENTO DO CAIXA\n"
              "------------------------------------------\n"
              "YANCO ECF                   FAB:YC00000001\n"
              "VERSAO 01                  LJ:0001 CX:0001\n");
}

TEST(YancoSimCheque, AmountInWords) {
    const struct {
        sim::yanco::Money cents;
        const char* words;
    } cases[] = {
        {100, "um Real"},
        {1, "um centavo"},
        {2100, "vinte e um Reais"},
        {10000, "cem Reais"},
        {110050, "mil e cem Reais e cinquenta centavos"},
        {234567, "dois mil trezentos e quarenta e cinco Reais e sessenta e sete centavos"},
        {100000000, "um milhao de Reais"},
        {250001500, "dois milhoes e quinhentos mil e quinze Reais"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sim::yanco::layout::amountInWords(c.cents, "Real", "Reais"), c.words);
}

TEST(YancoSimModelText, StateReadsBackAsItWasAndSeedsSayWhatIsWrong) {
    using sim::yanco::modelFromSeed;
    const sim::yanco::Model model = modelFromSeed(
        "clock=06/12/2026 10:00:00; day=1; movement=06/12/2026; coo=12; gt=1234.56;"
        "gt.opening=1000; rates=18.00,,5.00/ISS; payments=Dinheiro,Vale%2C Cartao/V;"
        "totalizers=Recebimento,Sangria,Suprimento,,CONVENIO; header=%20LOJA; document=payment;"
        "coupon.coo=12; coupon.adjustment=-1.50/5.00;"
        "coupon.item.1=1,1.500,8.990,1,ICMS,-0.50,0,0,789,FEIJAO; coupon.payment.1=2,10.00;"
        "sales.1=30.00; totalizer.2.count=1; totalizer.2.total=100; payment.1.total=7;"
        "z.1.crz=1; z.1.coo=9; z.1.at=05/12/2026 22:00:00; z.1.movement=05/12/2026;"
        "z.1.gt=1000; z.1.sales.16=12.34; paper=low; drawer=1");
    EXPECT_TRUE(modelFromSeed(sim::yanco::modelText(model)) == model);
    EXPECT_EQ(model.paymentForms[1].name, "Vale, Cartao");
    EXPECT_EQ(model.coupon.items[0].total, 1349);

    const struct {
        const char* seed;
        const char* error;
    } bad[] = {
        {"rates=18.00/IPI", "bad value for 'rates': '18.00/IPI'"},
        {"header=José", "bad value for 'header': 'José'"},
        {"coupon.item.2=1,1,1,0,ICMS,0,0,0,A,B", "unknown setting 'coupon.item.2'"},
        {"sales.17=1", "unknown setting 'sales.17'"},
        {"document=open", "bad value for 'document': 'open'"},
        {"coo", "setting without '=': 'coo'"},
    };
    for (const auto& b : bad) {
        sim::yanco::Model m;
        EXPECT_EQ(sim::yanco::applySeed(m, b.seed), std::optional<std::string>(b.error)) << b.seed;
    }
}

}  // namespace
}  // namespace quelfi::test

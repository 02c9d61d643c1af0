// Sales made through the library's exports against the virtual printer: what the printer keeps,
// what the queries read back, and the coupons on the paper roll. (A whole day runs in the
// demonstration; each side of every step is checked on its own by the day's tests.)
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/printer_state.h"
#include "quelfi32.h"
#include "sim/quelmar/codes.h"
#include "sim/quelmar/fiscal_day.h"
#include "sim/quelmar/in_process_port.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/wire_bytes.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

class SimSaleTest : public VirtualPrinterTest {};

TEST_F(SimSaleTest, CompleteSaleLeavesCountersTotalsAndCoupon) {
    connect("StatusFuncao=1\n");  // every step must be answered with a clean status
    ASSERT_EQ(Quelmar_FI_AbreCupom("123.456.789-09"), 1);
    // 2 x 10,00 less 10 %.
    ASSERT_EQ(Quelmar_FI_VendeItem("7891000100103", "ARROZ TIPO 1", "18,00", "I", "2", 2, "10,00",
                                   "%", "10"),
              1);
    // 1,500 kg x 8,99 = 13,49 less 0,50, with a longer description.
    ASSERT_EQ(Quelmar_FI_UsaUnidadeMedida("KG"), 1);
    ASSERT_EQ(Quelmar_FI_AumentaDescricaoItem(
                  cp1252("FEIJÃO PRETO TIPO 1 SELECIONADO PACOTE ECONÔMICO SAFRA NOVA").c_str()),
              1);
    ASSERT_EQ(Quelmar_FI_VendeItem("7891000200200", cp1252("FEIJÃO").c_str(), "07,00", "F", "1,500",
                                   3, "8,99", "$", "0,50"),
              1);
    // 2 x 5,49 less 0,20 in the department of drinks.
    ASSERT_EQ(Quelmar_FI_VendeItemDepartamento("123", "REFRIGERANTE COLA 2L", "1800", "5,490",
                                               "2,000", "0", "0,20", "01", "UN"),
              1);
    ASSERT_EQ(Quelmar_FI_VendeItem("7891000300300", "LEITE INTEGRAL", "02", "I", "1", 2, "4,79",
                                   "$", "0"),
              1);
    ASSERT_EQ(Quelmar_FI_VendeItem("1", "SACOLA", "II", "I", "1", 2, "0,10", "$", "0"), 1);
    ASSERT_EQ(Quelmar_FI_CancelaItemGenerico("4"), 1);
    // 10 % on 41,87.
    ASSERT_EQ(Quelmar_FI_IniciaFechamentoCupom("A", "%", "10,00"), 1);
    ASSERT_EQ(Quelmar_FI_EfetuaFormaPagamento("Cartao", "20,00"), 1);
    ASSERT_EQ(Quelmar_FI_EfetuaFormaPagamento("Dinheiro        ", "30,00"), 1);
    ASSERT_EQ(Quelmar_FI_TerminaFechamentoCupom("Obrigado, volte sempre!"), 1);

    EXPECT_EQ(answer(Quelmar_FI_NumeroCupom), "001235");
    EXPECT_EQ(answer(Quelmar_FI_GrandeTotal), "000000000000105355");  // 1.000,00 + 49,36 + 4,19
    EXPECT_EQ(answer(Quelmar_FI_Descontos), "00000000000270");
    EXPECT_EQ(answer(Quelmar_FI_Acrescimos), "00000000000419");
    EXPECT_EQ(answer(Quelmar_FI_Cancelamentos), "00000000000479");
    EXPECT_EQ(answer(Quelmar_FI_NumeroCuponsCancelados), "0000");
    EXPECT_EQ(answer(Quelmar_FI_UltimoItemVendido), "0005");
    EXPECT_EQ(answer(Quelmar_FI_ValorPagoUltimoCupom), "00000000005000");
    // The surcharge is spread over the rates by their share; the rounding rest goes to the
    // largest item: T18 18,00 + 1,82 + 10,78 + 1,07, T07 12,99 + 1,29, II 0,10 + 0,01.
    const std::string zeros14 = std::string(14, '0');
    EXPECT_EQ(answer(Quelmar_FI_VerificaTotalizadoresParciais),
              "0000000000316700000000001428" + std::string(14 * 14, '0') + "," + "00000000000011," +
                  zeros14 + "," + zeros14 + "," + std::string(126, '0') + "," + zeros14 + "," +
                  zeros14 + "," + "000000000000105355");
    std::string value(15, '\0');
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Dinheiro", value.data()), 1);
    EXPECT_EQ(value.c_str(), std::string("00000000003000"));
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Cartao", value.data()), 1);
    EXPECT_EQ(value.c_str(), std::string("00000000002000"));
    EXPECT_EQ(answer(Quelmar_FI_VerificaDepartamentos).substr(0, 50),
              "0000000000000000107800000000000000002000Bebidas   ");
    short flags = 0;
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&flags), 1);
    EXPECT_EQ(flags, 32);  // no coupon open; the last one may still be cancelled

    EXPECT_EQ("\n" + printer.paper().text(), R"(
          SUPERMERCADO BOM PREÇO LTDA
CNPJ: 12.345.678/0001-90
IE: 110.042.490.114
------------------------------------------------
15/03/2024 10:30:45                   COO:001235
                  CUPOM FISCAL
CPF/CNPJ consumidor: 123.456.789-09
------------------------------------------------
ITEM CÓDIGO DESCRIÇÃO
QTD. UN. x VL UNIT(R$)       ST      VL ITEM(R$)
------------------------------------------------
001 7891000100103 ARROZ TIPO 1
    2 x 10,00                T18,00%       20,00
    desconto 10,00%                        -2,00
002 7891000200200 FEIJÃO PRETO TIPO 1
    SELECIONADO PACOTE ECONÔMICO SAFRA NOVA
    1,500 KG x 8,99          T07,00%       13,49
    desconto                               -0,50
003 123 REFRIGERANTE COLA 2L
    2,000 UN x 5,49          T18,00%       10,98
    DEPTO 01 Bebidas
    desconto                               -0,20
004 7891000300300 LEITE INTEGRAL
    1 x 4,79                 T07,00%        4,79
005 1 SACOLA
    1 x 0,10                 II             0,10
CANCELAMENTO ITEM 004                      -4,79
SUBTOTAL R$                                41,87
ACRÉSCIMO 10,00%                           +4,19
TOTAL R$                                   46,06
Cartao                                     20,00
Dinheiro                                   30,00
TROCO R$                                    3,94
------------------------------------------------
Obrigado, volte sempre!
------------------------------------------------
QUELMAR ECF                    FAB: QM0123456789
VERSAO 01.03.00                  LJ:0001 CX:0007
)");
}

TEST_F(SimSaleTest, CompositeClosingsEndToEnd) {
    connect("StatusFuncao=1\n[MFD]\nImpressora=1\n");
    ASSERT_EQ(Quelmar_FI_AbreCupom(nullptr), 1);
    // The long opening: 141 bytes, the prefix, the command byte and zeros for CPF, name, address.
    ASSERT_EQ(port.frames().back().size(), 3u + 141 + 2);
    EXPECT_EQ(port.frames().back().substr(3, 141), "\x1B" + std::string(140, '\0'));
    ASSERT_EQ(Quelmar_FI_VendeItem("10", "CAFE 500G", "18,00", "I", "3", 2, "12,50", "$", "0"), 1);
    ASSERT_EQ(Quelmar_FI_FechaCupom("Dinheiro        ", "D", "$", "1,50", "50,00", "Volte sempre"),
              1);
    const auto lines = printer.paper().lines();
    EXPECT_EQ(std::vector<std::string>(lines.end() - 10, lines.end()),
              (std::vector<std::string>{
                  "SUBTOTAL R$                                37,50",
                  "DESCONTO                                   -1,50",
                  "TOTAL R$                                   36,00",
                  "Dinheiro                                   50,00",
                  "TROCO R$                                   14,00",
                  std::string(48, '-'),
                  "Volte sempre",
                  std::string(48, '-'),
                  "QUELMAR ECF                    FAB: QM0123456789",
                  "VERSAO 01.03.00                  LJ:0001 CX:0007",
              }));
    // The item sale opens the coupon itself; the short closing pays the whole subtotal.
    // The port is already open, and the sale still makes sure of it after the opening.
    printer.paper().clear();
    std::filesystem::remove(workDir() + "/QuelFI32.log");
    core::state().type60StartRecorded = true;  // the opening reads only the COO
    ASSERT_EQ(Quelmar_FI_VendeItem("20", "TAXA DE ENTREGA", "05,00", "I", "1", 2, "8,00", "$", "0"),
              1);
    EXPECT_EQ(workLog(),
              logLines({std::string(71, '-') + " ", "Quelmar_FI_VendeItem ",
                        "Quelmar_FI_AbreCupom ", "Parâmetro: 0", "Quelmar_FI_NumeroCupom ",
                        "Retorno impressora: 001235", "Retorno Quelmar_FI_NumeroCupom: 1",
                        "Retorno Quelmar_FI_AbreCupom: 1", "Quelmar_FI_AbrePortaSerial ",
                        "Parâmetro: COM1", "Retorno Quelmar_FI_AbrePortaSerial: 1",
                        "Parâmetros: 20|TAXA DE ENTREGA|05,00|I|1|2|8,00|$|0|",
                        "Retorno Quelmar_FI_VendeItem: 1"}));
    ASSERT_EQ(Quelmar_FI_FechaCupomResumido("Cartao", "Obrigado"), 1);
    EXPECT_EQ(answer(Quelmar_FI_ValorPagoUltimoCupom), "00000000000800");
    // The coupon just closed may still be cancelled, by a document of its own.
    ASSERT_EQ(Quelmar_FI_CancelaCupom(), 1);

    EXPECT_EQ(answer(Quelmar_FI_NumeroCupom), "001237");
    EXPECT_EQ(answer(Quelmar_FI_NumeroCuponsCancelados), "0001");
    EXPECT_EQ(answer(Quelmar_FI_GrandeTotal), "000000000000104550");
    EXPECT_EQ(answer(Quelmar_FI_Descontos), "00000000000150");
    EXPECT_EQ(answer(Quelmar_FI_Cancelamentos), "00000000000800");
    EXPECT_EQ(answer(Quelmar_FI_VerificaTotalizadoresParciais).substr(0, 3 * 14),
              "00000000003600" + std::string(28, '0'));
    std::string value(15, '\0');
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Dinheiro", value.data()), 1);
    EXPECT_EQ(value.c_str(), std::string("00000000005000"));
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Cartao", value.data()), 1);
    EXPECT_EQ(value.c_str(), std::string("00000000000000"));
    short flags = -1;
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&flags), 1);
    EXPECT_EQ(flags, 0);

    EXPECT_EQ("\n" + printer.paper().text(), R"(
          SUPERMERCADO BOM PREÇO LTDA
CNPJ: 12.345.678/0001-90
IE: 110.042.490.114
------------------------------------------------
15/03/2024 10:30:45                   COO:001236
                  CUPOM FISCAL
------------------------------------------------
ITEM CÓDIGO DESCRIÇÃO
QTD. UN. x VL UNIT(R$)       ST      VL ITEM(R$)
------------------------------------------------
001 20 TAXA DE ENTREGA
    1 x 8,00                 S05,00%        8,00
TOTAL R$                                    8,00
Cartao                                      8,00
------------------------------------------------
Obrigado
------------------------------------------------
QUELMAR ECF                    FAB: QM0123456789
VERSAO 01.03.00                  LJ:0001 CX:0007
          SUPERMERCADO BOM PREÇO LTDA
CNPJ: 12.345.678/0001-90
IE: 110.042.490.114
------------------------------------------------
15/03/2024 10:30:45                   COO:001237
          CANCELAMENTO DE CUPOM FISCAL
COO DO CUPOM CANCELADO                    001236
VALOR CANCELADO R$                          8,00
------------------------------------------------
QUELMAR ECF                    FAB: QM0123456789
VERSAO 01.03.00                  LJ:0001 CX:0007
)");
}

}  // namespace
}  // namespace quelfi::test

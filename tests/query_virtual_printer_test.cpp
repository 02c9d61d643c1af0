// The query family answered by the virtual printer through the library: what a POS reads back is
// what the printer was set up with.
#include <cstring>
#include <filesystem>

#include "core/printer_state.h"
#include "quelfi32.h"
#include "sim/quelmar/in_process_port.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

const char* const kSeed =
    "coo=1234; crz=17; cro=2; cancelled=3; gt=98765.43; serial=QM0123456789; firmware=01.03.00;"
    "cnpj=12.345.678/0001-90; ie=123456789012; store=12; register=3;"
    "rates=18.00,7.00/ISS,12.00,5.00/ISS; payments=Dinheiro,Cartao/V; payment.2.total=150.75;"
    "totalizers=Sangria,Suprimento; totalizer.2.count=4; totalizer.2.total=80.00;"
    "departments=Bebidas; icms.discounts=1.50; iss.discounts=0.25; icms.surcharges=2.00;"
    "icms.cancellations=10.00; drawer=1; clock=31/12/2004 23:59:00; movement=31/12/2004";

class QueryVirtualPrinterTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        platform.useVirtualClock(true);
        platform.plugPort("COM1", [this] { return line.connection(); });
        configure("");
    }
    void configure(const std::string& keys) {
        writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\nPorta=COM1\n" + keys);
        load();
    }
    template <std::size_t N, typename Query>
    std::string text(Query query) {
        char buffer[N + 1];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(query(buffer), 1);
        return std::string(buffer, strnlen(buffer, sizeof buffer));
    }
    sim::QuelmarPrinter printer{sim::modelFromSeed(kSeed)};
    sim::InProcessPort line{printer, platform};
};

TEST_F(QueryVirtualPrinterTest, CountersTotalsAndIdentity) {
    EXPECT_EQ(text<6>(Quelmar_FI_NumeroCupom), "001234");
    EXPECT_EQ(text<4>(Quelmar_FI_NumeroReducoes), "0017");
    EXPECT_EQ(text<4>(Quelmar_FI_NumeroIntervencoes), "0002");
    EXPECT_EQ(text<4>(Quelmar_FI_NumeroCuponsCancelados), "0003");
    EXPECT_EQ(text<18>(Quelmar_FI_GrandeTotal), "000000000009876543");
    EXPECT_EQ(text<14>(Quelmar_FI_Cancelamentos), "00000000001000");
    EXPECT_EQ(text<14>(Quelmar_FI_Descontos), "00000000000175");
    EXPECT_EQ(text<14>(Quelmar_FI_Acrescimos), "00000000000200");
    EXPECT_EQ(text<15>(Quelmar_FI_NumeroSerie), "QM0123456789   ");
    EXPECT_EQ(text<4>(Quelmar_FI_VersaoFirmware), "0103");
    EXPECT_EQ(text<4>(Quelmar_FI_NumeroLoja), "0012");
    EXPECT_EQ(text<4>(Quelmar_FI_NumeroCaixa), "0003");
    char cgc[19], ie[16];
    EXPECT_EQ(Quelmar_FI_CGC_IE(cgc, ie), 1);
    EXPECT_STREQ(cgc, "12.345.678/0001-90");
    EXPECT_STREQ(ie, "123456789012   ");
    char date[7], time[7];
    EXPECT_EQ(Quelmar_FI_DataHoraImpressora(date, time), 1);
    EXPECT_STREQ(date, "311204");
    EXPECT_STREQ(time, "235900");
    EXPECT_EQ(text<6>(Quelmar_FI_DataMovimento), "311204");
}

TEST_F(QueryVirtualPrinterTest, RatesAndServiceTax) {
    EXPECT_EQ(text<66>(Quelmar_FI_RetornoAliquotas),
              "04"
              "1800"
              "0700"
              "1200"
              "0500" +
                  std::string(48, '0'));
    EXPECT_EQ(text<79>(Quelmar_FI_VerificaIndiceAliquotasIss), "02,04");
    EXPECT_EQ(text<79>(Quelmar_FI_VerificaAliquotasIss), "0700,0500");
}

TEST_F(QueryVirtualPrinterTest, TablesAndLookups) {
    std::vector<char> forms(3200, 'x');
    EXPECT_EQ(Quelmar_FI_VerificaFormasPagamento(forms.data()), 1);
    const std::string formsText(forms.data());
    EXPECT_EQ(formsText.size(), 3117u);
    EXPECT_EQ(formsText.substr(0, 57 + 3),
              "Dinheiro        " + std::string(20, '0') + std::string(20, '0') + "0,\r\n");
    char value[15];
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Cartao", value), 1);
    EXPECT_STREQ(value, "00000000015075");
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Cheque", value), -24);

    std::vector<char> receipts(2300, 'x');
    EXPECT_EQ(Quelmar_FI_VerificaRecebimentoNaoFiscal(receipts.data()), 1);
    EXPECT_EQ(std::string(receipts.data()).size(), 2199u);
    EXPECT_EQ(Quelmar_FI_ValorTotalizadorNaoFiscal("Suprimento", value), 1);
    EXPECT_STREQ(value, "00000000008000");
    EXPECT_EQ(Quelmar_FI_ValorTotalizadorNaoFiscal("Troco", value), -25);

    std::vector<char> departments(1100, 'x');
    EXPECT_EQ(Quelmar_FI_VerificaDepartamentos(departments.data()), 1);
    const std::string departmentsText(departments.data());
    EXPECT_EQ(departmentsText.size(), 20u * 50u + 19u);
    EXPECT_EQ(departmentsText.substr(40, 11), "Bebidas   ,");
}

TEST_F(QueryVirtualPrinterTest, IntegerAnswersAndTheDrawerInversion) {
    short flags = -1;
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&flags), 1);
    EXPECT_EQ(flags, 0);
    short drawer = -1;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoGaveta(&drawer), 1);
    EXPECT_EQ(drawer, 1);
    configure("ModoGaveta=1\n");
    EXPECT_EQ(Quelmar_FI_VerificaEstadoGaveta(&drawer), 1);
    EXPECT_EQ(drawer, 0);
    short type = -1;
    EXPECT_EQ(Quelmar_FI_VerificaTipoImpressora(&type), 1);
    EXPECT_GE(type, 1);
    EXPECT_LE(type, 8);
}

TEST_F(QueryVirtualPrinterTest, AnswersGoToRetornoWhenAsked) {
    configure("Retorno=1\n");
    char coo[7] = "keep";
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
    EXPECT_STREQ(coo, "keep");
    EXPECT_EQ(readFile(workDir() + "/Retorno.txt"), "001234");
}

}  // namespace
}  // namespace quelfi::test

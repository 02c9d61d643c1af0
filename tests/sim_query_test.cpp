// The information queries answered by the virtual printer: every reply of its fixed length, and
// what a POS reads back through the library is what the printer was set up with.
#include <functional>

#include "support/wire_bytes.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

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

std::string zeros(std::size_t digits) {
    return std::string(digits, '0');
}

std::string joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? separator : "") + parts[i];
    return out;
}

// The digits cut into fields of the given widths, separated by commas.
std::string fields(const std::string& digits, std::initializer_list<std::size_t> widths) {
    std::vector<std::string> out;
    std::size_t at = 0;
    for (std::size_t w : widths) out.push_back(digits.substr(at, w)), at += w;
    return joined(out, ",");
}

TEST(SimQueryLengths, EveryQueryAnswersItsFixedLength) {
    const std::pair<std::string, std::size_t> queries[] = {
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
    sim::QuelmarPrinter plain(sim::modelFromSeed(kSeed));
    sim::QuelmarPrinter journal(sim::modelFromSeed(std::string(kSeed) + "; mfd=1"));
    for (const auto& [command, length] : queries) {
        SCOPED_TRACE(hex(command));
        const std::string reply = plain.execute("\x1b" + command);
        EXPECT_EQ(reply.size(), length);
        EXPECT_EQ(hex(reply.substr(0, 1) + reply.substr(reply.size() - 2)), "06 00 00");
        EXPECT_EQ(journal.execute("\x1c" + command).size(), length + 2);
    }
}

class SimQuery : public VirtualPrinterTest {
  protected:
    void SetUp() override {
        VirtualPrinterTest::SetUp();
        reseed(kSeed);
    }
    // Both answers of a two-part query, joined by "|".
    std::string pair(int (*query)(char*, char*)) {
        char first[32] = {}, second[32] = {};
        EXPECT_EQ(query(first, second), 1);
        return std::string(first) + "|" + second;
    }
    short number(const std::function<int(short*)>& query) {
        short value = -1;
        EXPECT_EQ(query(&value), 1);
        return value;
    }
};

#define QUERY(name) #name, name

TEST_F(SimQuery, TextAnswersAreWhatThePrinterHolds) {
    struct Case {
        const char* name;
        int (*query)(char*);
        std::string answer;
    };
    const Case cases[] = {
        {QUERY(Quelmar_FI_NumeroCupom), "001234"},
        {QUERY(Quelmar_FI_GrandeTotal), "000000000123456789"},
        {QUERY(Quelmar_FI_Cancelamentos), "00000000001250"},
        {QUERY(Quelmar_FI_Descontos), "00000000000125"},
        {QUERY(Quelmar_FI_Acrescimos), "00000000000300"},
        {QUERY(Quelmar_FI_ValorPagoUltimoCupom), "00000000005000"},
        {QUERY(Quelmar_FI_NumeroOperacoesNaoFiscais), "000789"},
        {QUERY(Quelmar_FI_NumeroCuponsCancelados), "0004"},
        {QUERY(Quelmar_FI_NumeroReducoes), "0056"},
        {QUERY(Quelmar_FI_NumeroIntervencoes), "0002"},
        {QUERY(Quelmar_FI_NumeroSubstituicoesProprietario), "0001"},
        {QUERY(Quelmar_FI_UltimoItemVendido), "0017"},
        {QUERY(Quelmar_FI_ContadorBilhetePassagem), "000005"},
        {QUERY(Quelmar_FI_MinutosLigada), "4321"},
        {QUERY(Quelmar_FI_MinutosImprimindo), "0098"},
        {QUERY(Quelmar_FI_NumeroCaixa), "0003"},
        {QUERY(Quelmar_FI_NumeroLoja), "0012"},
        {QUERY(Quelmar_FI_VersaoFirmware), "0103"},
        {QUERY(Quelmar_FI_NumeroSerie), "QM0123456789   "},
        {QUERY(Quelmar_FI_ClicheProprietario), "MERCADO BOM PRECO" + std::string(169, ' ')},
        {QUERY(Quelmar_FI_SimboloMoeda), "R$"},
        {QUERY(Quelmar_FI_DataMovimento), "150324"},
        {QUERY(Quelmar_FI_VerificaModoOperacao), "1"},
        {QUERY(Quelmar_FI_VerificaEpromConectada), "1"},
        {QUERY(Quelmar_FI_VerificaTruncamento), "0"},
        {QUERY(Quelmar_FI_MonitoramentoPapel), "001044"},
        {QUERY(Quelmar_FI_RetornoAliquotas), "041800070012000500" + zeros(48)},
        {QUERY(Quelmar_FI_VerificaIndiceAliquotasIss), "02,04"},
        {QUERY(Quelmar_FI_VerificaAliquotasIss), "0700,0500"},
        {QUERY(Quelmar_FI_ContadoresTotalizadoresNaoFiscais), "000000000002" + zeros(24)},
        {QUERY(Quelmar_FI_VerificaTotalizadoresNaoFiscais),
         "Sangria" + std::string(31, ' ') + "Recebimento" + std::string(8 + 6 * 19, ' ')},
        // Rate totals, exemption, non-incidence, substitution, the day's other totals, the
        // surcharges, the cancellations... and the grand total.
        {QUERY(Quelmar_FI_VerificaTotalizadoresParciais),
         fields("00000000010000" + zeros(15 * 14) + "00000000000400" + "00000000000500" +
                    "00000000000600" + zeros(2 * 14) + "00000000003000" + zeros(6 * 14) +
                    "00000000000700" + "00000000000800" + "000000000123456789",
                {224, 14, 14, 14, 126, 14, 14, 18})},
        {QUERY(Quelmar_FI_DadosUltimaReducao),
         fields(zeros(616), {2, 18, 14, 14, 64, 266, 14, 14, 126, 36, 6, 6, 2, 6, 14, 14})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(answer(c.query), c.answer);
    }
    EXPECT_EQ(pair(Quelmar_FI_CGC_IE), "12.345.678/0001-90|110.042.490.114");
    EXPECT_EQ(pair(Quelmar_FI_DataHoraImpressora), "150324|103045");
    EXPECT_EQ(pair(Quelmar_FI_DataHoraReducao), "000000|000000");
    // A counter past its field's width shows its low digits.
    printer.update([](sim::FiscalModel& m) { m.counters.crz = 12345; });
    EXPECT_EQ(answer(Quelmar_FI_NumeroReducoes), "2345");
}

TEST_F(SimQuery, TablesAreWhatThePrinterHolds) {
    std::vector<std::string> forms(52, std::string(16, ' ') + zeros(40) + "0");
    forms[0] = "Dinheiro        " + zeros(40) + "0";
    forms[1] = "Cartao          " + zeros(16) + "8000" + zeros(16) + "20001";
    EXPECT_EQ(answer(Quelmar_FI_VerificaFormasPagamento), joined(forms, ",\r\n"));
    char value[15];
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Cartao", value), 1);
    EXPECT_STREQ(value, "00000000008000");

    std::vector<std::string> receipts(50, zeros(24) + std::string(19, ' '));
    receipts[0] = zeros(24) + "Sangria            ";
    receipts[2] = "0002" + zeros(16) + "3000Recebimento        ";
    EXPECT_EQ(answer(Quelmar_FI_VerificaRecebimentoNaoFiscal), joined(receipts, ","));
    EXPECT_EQ(Quelmar_FI_ValorTotalizadorNaoFiscal("Recebimento", value), 1);
    EXPECT_STREQ(value, "00000000003000");

    std::vector<std::string> departments(20, zeros(40) + std::string(10, ' '));
    departments[0] = zeros(16) + "1550" + zeros(16) + "2500Bebidas   ";
    EXPECT_EQ(answer(Quelmar_FI_VerificaDepartamentos), joined(departments, ","));

    printer.update([](sim::FiscalModel& m) {
        sim::applySeed(
            m,
            "z.1.crz=56; z.1.coo=1200; z.1.gnf=700; z.1.gt=1000.00;"
            "z.1.at=14/03/2024 23:59:00; z.1.movement=14/03/2024; z.1.automatic=1;"
            "z.1.rates=18.00,5.00/ISS; z.1.ratetotals=200.00,40.00; z.1.icms.exempt=1.00;"
            "z.1.iss.exempt=2.00; z.1.icms.cancellations=3.00; z.1.icms.discounts=0.50;"
            "z.1.withdrawals=10.00; z.1.nftotals=0,0,30.00; z.1.nfcounts=0,0,2;"
            "z.1.icms.surcharges=0.10");
    });
    EXPECT_EQ(
        answer(Quelmar_FI_DadosUltimaReducao),
        fields("01" + std::string("000000000000100000") + "00000000000300" + "00000000000050" +
                   "18000500" + zeros(14 * 4) + "0000000002000000000000004000" + zeros(14 * 14) +
                   "00000000000300" + zeros(14) + zeros(14) + "00000000001000" + zeros(14) +
                   zeros(28) + "00000000003000" + zeros(6 * 14) + "000000000002" + zeros(6 * 4) +
                   "001200" + "000700" + "02" + "140324" + "00000000000010" + "00000000004000",
               {2, 18, 14, 14, 64, 266, 14, 14, 126, 36, 6, 6, 2, 6, 14, 14}));
    EXPECT_EQ(pair(Quelmar_FI_DataHoraReducao), "140324|235900");
}

TEST_F(SimQuery, FlagsAndSensorsAsTheLibraryReadsThem) {
    EXPECT_EQ(number(Quelmar_FI_FlagsFiscais), 0);
    EXPECT_EQ(number(Quelmar_FI_VerificaTipoImpressora), 1);
    EXPECT_EQ(number(Quelmar_FI_VerificaEstadoGaveta), 0);
    EXPECT_EQ(Quelmar_FI_AcionaGaveta(), 1);
    EXPECT_EQ(number(Quelmar_FI_VerificaEstadoGaveta), 1);
    EXPECT_EQ(number(Quelmar_FI_VerificaStatusCheque), 1);
    printer.update([](sim::FiscalModel& m) {
        sim::applySeed(
            m,
            "dst=1; cancellable=1; document=payment; z.1.at=15/03/2024 00:10:00;"
            "type=3; truncate=1; rates=1,2/ISS,3,4,5,6,7,8,9/ISS,10,11,12,13,14,15,16/ISS");
    });
    EXPECT_EQ(number(Quelmar_FI_FlagsFiscais), 0x2F);
    EXPECT_EQ(pair(Quelmar_FI_DataHoraReducao), "150324|001000");
    EXPECT_EQ(number(Quelmar_FI_VerificaTipoImpressora), 3);
    EXPECT_EQ(answer(Quelmar_FI_VerificaTruncamento), "1");
    EXPECT_EQ(answer(Quelmar_FI_VerificaIndiceAliquotasIss), "02,09,16");
    printer.update([](sim::FiscalModel& m) {
        sim::applySeed(m,
                       "dst=0; cancellable=0; document=coupon; movement=none;"
                       "clock=16/03/2024 08:00:00; memory=1");
        m.printerType = 8;
    });
    EXPECT_EQ(number(Quelmar_FI_FlagsFiscais), 0x81);
    EXPECT_EQ(answer(Quelmar_FI_DataMovimento), "000000");
    EXPECT_EQ(number(Quelmar_FI_VerificaTipoImpressora), 8);
}

}  // namespace
}  // namespace quelfi::test

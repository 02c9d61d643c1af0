#include "quelfi/demo_day.h"

#include <cstdio>
#include <cstdlib>

namespace quelfi::tool::demo {

namespace {

// A step that must give `expected` (done, unless said otherwise).
Step step(std::string what, std::string exportName, std::vector<std::string> arguments = {},
          int expected = 1) {
    Step s;
    s.what = std::move(what);
    s.exportName = std::move(exportName);
    s.arguments = std::move(arguments);
    s.expected = expected;
    return s;
}

Step query(std::string what, std::string exportName, Shown shown = Shown::Plain,
           std::vector<std::string> arguments = {}, std::string summary = {}) {
    Step s = step(std::move(what), std::move(exportName), std::move(arguments));
    s.shown = shown;
    s.summary = std::move(summary);
    return s;
}

// A query whose answer the day fixes: after a coupon, what it came to; after the reduction,
// how many there are.
Step check(std::string what, std::string exportName, std::string answer, Shown shown,
           std::string summary, std::vector<std::string> arguments = {}) {
    Step s = step(std::move(what), std::move(exportName), std::move(arguments));
    s.expectedAnswer = std::move(answer);
    s.shown = shown;
    s.summary = std::move(summary);
    return s;
}

// The cheese is weighed on the scale and sold at the weight it read.
Step weighedSale() {
    Step s = step(
        "the cheese at the weight read, 39,80 the kilo, ICMS 12 %", "Quelmar_FI_VendeItem",
        {"2000000000017", "QUEIJO MUSSARELA KG", "12,00", "F", "0,500", "2", "39,80", "$", "0,00"});
    s.fromBefore = [](std::vector<std::string>& arguments, const CallOutcome& before) {
        if (!before.answers.empty()) arguments[4] = kilosOfWeight(before.answers.front().text);
    };
    return s;
}

}  // namespace

const sim::PlateReading kScaleReading{500, 3980, sim::PlateState::Stable};

std::string kilosOfWeight(const std::string& weight) {
    const long grams = std::strtol(weight.c_str(), nullptr, 10);
    char text[32];
    std::snprintf(text, sizeof text, "%ld,%03ld", grams / 1000, grams % 1000);
    return text;
}

// The electricity bill the shop authenticates waits in the cheque station's slip.
const char* const kPrinterSeed =
    "serial=QM0123456789; cliche=MERCADINHO BOA VISTA LTDA; cheque=100; "
    "rates=18.00,12.00,7.00,5.00/ISS; "
    "payments=Dinheiro,Cartao Credito/V,Cheque; "
    "totalizers=Conta de Luz,Sangria,Suprimento; "
    "departments=Mercearia,Bebidas,Hortifruti";

// Amounts are chosen so that every total is exact in centavos, whatever the printer's rounding.
// Item quantities of type F and department quantities carry three decimals; department unit
// prices carry three decimals too, their surcharges and discounts two.
const std::vector<Section>& fiscalDay() {
    static const std::vector<Section> kFiscalDay = {
        {"Programming the printer before the day",
         {
             step("department 4 is the bakery", "Quelmar_FI_NomeiaDepartamento", {"4", "Padaria"}),
             step("the currency's name on cheques", "Quelmar_FI_ProgramaMoedaSingular", {"Real"}),
             step("and in the plural", "Quelmar_FI_ProgramaMoedaPlural", {"Reais"}),
             step("the shop's mark for authenticating bills",
                  "Quelmar_FI_ProgramaCaracterAutenticacao",
                  {"255,137,137,137,118,0,15,48,192,48,15,0,0,0,0,0,0,0"}),
         }},
        {"Opening the day",
         {
             step("X reading and R$ 150,00 of change", "Quelmar_FI_AberturaDoDia",
                  {"150,00", "Dinheiro"}),
         }},
        {"Coupon 1: items by tax rate, an item cancelled, cash and a card through the TEF manager",
         {
             step("open the coupon for a CPF", "Quelmar_FI_AbreCupom", {"123.456.789-09"}),
             // 2 x 24,90 = 49,80
             step("2 rice at 24,90, ICMS 18 %", "Quelmar_FI_VendeItem",
                  {"7891000100103", "ARROZ TIPO 1 5KG", "18,00", "I", "2", "2", "24,90", "$",
                   "0,00"}),
             // 3 x 8,50 = 25,50, less 10 % = 22,95; "07,00" and not "7,00", which reads 70 %
             step("3 beans at 8,50 less 10 %, ICMS 7 %", "Quelmar_FI_VendeItem",
                  {"7896004000855", "FEIJAO CARIOCA 1KG", "07,00", "I", "3", "2", "8,50", "%",
                   "10,00"}),
             // 0,500 x 39,80 = 19,90
             check("weigh the cheese on the scale", "Quelmar_FI_InfoBalanca", "000500",
                   Shown::Plain, "", {kScalePort, "2"}),
             weighedSale(),
             step("wine at 25 %, a rate not programmed", "Quelmar_FI_VendeItem",
                  {"7896000000001", "VINHO TINTO 750ML", "25,00", "I", "1", "2", "39,90", "$",
                   "0,00"},
                  -3),
             // 6 x 4,79 = 28,74
             step("6 milk at 4,79, exempt", "Quelmar_FI_VendeItem",
                  {"7891000315507", "LEITE INTEGRAL 1L", "II", "I", "6", "2", "4,79", "$", "0,00"}),
             // 4,35 - 0,30 = 4,05
             step("sugar at 4,35 less 0,30, ICMS 18 %", "Quelmar_FI_VendeItem",
                  {"7896005800010",
                   "A\xC7\xDA"
                   "CAR REFINADO 1KG",
                   "18,00", "I", "1", "2", "4,35", "$", "0,30"}),
             step("the milk is given back: cancel item 4", "Quelmar_FI_CancelaItemGenerico", {"4"}),
             // 49,80 + 22,95 + 19,90 + 4,05 = 96,70, less 6,70 = 90,00
             step("6,70 off the subtotal", "Quelmar_FI_IniciaFechamentoCupom", {"D", "$", "6,70"}),
             step("50,00 in cash", "Quelmar_FI_EfetuaFormaPagamento", {"Dinheiro", "50,00"}),
             step("40,00 by credit card", "Quelmar_FI_EfetuaFormaPagamento",
                  {"Cartao Credito", "40,00"}),
             step("the TEF manager takes the card", "Quelmar_FITEF_VendaCartao", {"1001", "40,00"}),
             step("close with a message", "Quelmar_FI_TerminaFechamentoCupom",
                  {"Obrigado pela prefer\xEAncia!"}),
             step("the card voucher, two copies", "Quelmar_FITEF_ImprimeTEF",
                  {"1001", "Cartao Credito", "40,00"}),
             step("the card sale confirmed", "Quelmar_FITEF_ConfirmaVenda",
                  {"1001", "40,00", "CRT"}),
             check("what the coupon came to", "Quelmar_FI_ValorPagoUltimoCupom", "00000000009000",
                   Shown::Money, "Coupon 1"),
         }},
        {"Coupon 2: items by department, a surcharge, closed in one call",
         {
             step("open the coupon", "Quelmar_FI_AbreCupom", {""}),
             // 2 x 8,99 = 17,98, less 1,00 = 16,98
             step("2 cola at 8,99 in Bebidas, 1,00 off", "Quelmar_FI_VendeItemDepartamento",
                  {"7894900011517", "REFRIGERANTE COLA 2L", "18,00", "8,990", "2,000", "0,00",
                   "1,00", "02", "UN"}),
             // 1,500 x 5,98 = 8,97
             step("1,500 kg bananas at 5,98 in Hortifruti", "Quelmar_FI_VendeItemDepartamento",
                  {"2000000000420", "BANANA PRATA KG", "II", "5,980", "1,500", "0,00", "0,00", "03",
                   "KG"}),
             // 16,98 + 8,97 = 25,95, plus 5,00 = 30,95
             step("5,00 delivery surcharge, 30,95 in cash", "Quelmar_FI_FechaCupom",
                  {"Dinheiro", "A", "$", "5,00", "30,95", "Entrega em domic\xEDlio"}),
             check("what the coupon came to", "Quelmar_FI_ValorPagoUltimoCupom", "00000000003095",
                   Shown::Money, "Coupon 2"),
         }},
        {"Coupon 3: cancelled",
         {
             step("open the coupon", "Quelmar_FI_AbreCupom", {""}),
             step("coffee at 15,90, ICMS 18 %", "Quelmar_FI_VendeItem",
                  {"7891910000197", "CAFE TORRADO 500G", "18,00", "I", "1", "2", "15,90", "$",
                   "0,00"}),
             step("the customer leaves: cancel the coupon", "Quelmar_FI_CancelaCupom", {}),
             check("cancelled coupons", "Quelmar_FI_NumeroCuponsCancelados", "0001", Shown::Plain,
                   "Cancelled coupons"),
         }},
        {"Cash and reports",
         {
             step("electricity bill, 85,40 in cash", "Quelmar_FI_RecebimentoNaoFiscal",
                  {"01", "85,40", "Dinheiro"}),
             step("the bill authenticated in the slip", "Quelmar_FI_Autenticacao"),
             step("100,00 taken from the drawer", "Quelmar_FI_Sangria", {"100,00"}),
             step("management report: the shift's notes", "Quelmar_FI_RelatorioGerencial",
                  {"FECHAMENTO DO TURNO\r\nOperadora: Maria\r\nCaixa conferido, sem diferen\xE7"
                   "as"}),
             step("close the report", "Quelmar_FI_FechaRelatorioGerencial"),
             // Coupon 1 (COO 3) in instalments for its customer. From 31/01 the months that
             // follow fall due on their last day: 28/02, 31/03.
             step(
                 "payment booklet for coupon 1: 3 x 30,00, two copies", "Quelmar_FI_ImpressaoCarne",
                 {"MERCADINHO BOA VISTA", "30,00", "31/01/2027", "3", "Pague em dia e evite juros.",
                  "MARIA APARECIDA DE SOUZA", "123.456.789-09", "3", "2", "0"}),
         }},
        {"Counters and totals",
         {
             query("document counter (COO)", "Quelmar_FI_NumeroCupom"),
             query("grand total", "Quelmar_FI_GrandeTotal", Shown::Money),
             query("discounts of the day", "Quelmar_FI_Descontos", Shown::Money),
             query("surcharges of the day", "Quelmar_FI_Acrescimos", Shown::Money),
             query("cancellations of the day", "Quelmar_FI_Cancelamentos", Shown::Money),
             query("non-fiscal operations", "Quelmar_FI_NumeroOperacoesNaoFiscais"),
             query("taken in cash", "Quelmar_FI_ValorFormaPagamento", Shown::Money, {"Dinheiro"}),
             query("taken by credit card", "Quelmar_FI_ValorFormaPagamento", Shown::Money,
                   {"Cartao Credito"}),
             query("electricity bills received", "Quelmar_FI_ValorTotalizadorNaoFiscal",
                   Shown::Money, {"Conta de Luz"}),
             query("date of the fiscal day", "Quelmar_FI_DataMovimento"),
         }},
        {"Closing the day",
         {
             step("X reading", "Quelmar_FI_LeituraX"),
             step("Z reduction: the day into the fiscal memory", "Quelmar_FI_ReducaoZ", {"", ""}),
             check("Z reductions", "Quelmar_FI_NumeroReducoes", "0001", Shown::Plain,
                   "Z reductions"),
             query("date and time of the reduction", "Quelmar_FI_DataHoraReducao"),
             query("grand total", "Quelmar_FI_GrandeTotal", Shown::Money, {}, "Grand total"),
         }},
    };
    return kFiscalDay;
}

const char* const kJournalPrinterSeed =
    "mfd=1; serial=QM0123456789; cliche=MERCADINHO BOA VISTA LTDA; "
    "rates=18.00,12.00,7.00,5.00/ISS; "
    "payments=Dinheiro,Cheque; "
    "totalizers=Conta de Luz,Taxa de Entrega";

// The COOs follow from the day: the opening's X reading and supply take 1 and 2, so the coupon
// is 3, and its bound receipt names it.
const std::vector<Section>& journalFiscalDay() {
    static const std::vector<Section> kDay = {
        {"Opening the day",
         {
             step("the library talks the journal printer's form of the protocol",
                  "Quelmar_FI_HabDesRetMFD", {"1"}),
             step("X reading and R$ 150,00 of change", "Quelmar_FI_AberturaDoDia",
                  {"150,00", "Dinheiro"}),
             step("the credit card, a form that takes TEF receipts",
                  "Quelmar_FI_ProgramaFormaPagamentoMFD", {"Cartao Credito", "1"}),
         }},
        {"Coupon: the consumer identified, adjustments, paid in three instalments",
         {
             step("open the coupon for a consumer", "Quelmar_FI_AbreCupomMFD",
                  {"123.456.789-09", "JOSE DA SILVA", "RUA DAS FLORES, 100 - CENTRO"}),
             // 2 x 24,90 = 49,80
             step("2 rice at 24,90, ICMS 18 %", "Quelmar_FI_VendeItem",
                  {"7891000100103", "ARROZ TIPO 1 5KG", "18,00", "I", "2", "2", "24,90", "$",
                   "0,00"}),
             // 3 x 8,50 = 25,50
             step("3 beans at 8,50, ICMS 7 %", "Quelmar_FI_VendeItem",
                  {"7896004000855", "FEIJAO CARIOCA 1KG", "07,00", "I", "3", "2", "8,50", "$",
                   "0,00"}),
             step("10 % off the rice", "Quelmar_FI_AcrescimoDescontoItemMFD",
                  {"001", "D", "%", "10,00"}),
             step("the rice's discount taken back", "Quelmar_FI_CancelaAcrescimoDescontoItemMFD",
                  {"D", "001"}),
             // 25,50 + 2,00 = 27,50
             step("2,00 more on the beans", "Quelmar_FI_AcrescimoDescontoItemMFD",
                  {"002", "A", "$", "2,00"}),
             // 49,80 + 27,50 = 77,30
             step("subtotal", "Quelmar_FI_SubTotalizaCupomMFD"),
             step("5 % off the subtotal", "Quelmar_FI_AcrescimoDescontoSubtotalMFD",
                  {"D", "%", "5,00"}),
             step("the 5 % taken back", "Quelmar_FI_CancelaAcrescimoDescontoSubtotalMFD", {"D"}),
             // 77,30 - 1,00 = 76,30
             step("1,00 off the subtotal instead", "Quelmar_FI_AcrescimoDescontoSubtotalMFD",
                  {"D", "$", "1,00"}),
             step("total", "Quelmar_FI_TotalizaCupomMFD"),
             step("closing, nothing more on or off", "Quelmar_FI_IniciaFechamentoCupomMFD",
                  {"X", "$", "0", "0"}),
             step("76,30 by credit card in 3 instalments", "Quelmar_FI_EfetuaFormaPagamentoMFD",
                  {"Cartao Credito", "76,30", "3", "3X SEM JUROS"}),
             // The coupon ends with the product's EAN-13, 80 dots high, its digits below.
             step("close with a message and an EAN-13 barcode",
                  "Quelmar_FI_TerminaFechamentoCupomCodigoBarrasMFD",
                  {"Obrigado pela prefer\xEAncia!", "EAN13", "789100010010", "80", "1", "2", "0",
                   "0", "0", "0"}),
             step("the consumer's additional coupon", "Quelmar_FI_CupomAdicionalMFD"),
             check("what the coupon came to", "Quelmar_FI_ValorPagoUltimoCupom", "00000000007630",
                   Shown::Money, "Coupon"),
         }},
        {"The card's receipt: printed, reprinted, copied, reversed",
         {
             step("the card's receipt for the consumer",
                  "Quelmar_FI_AbreComprovanteNaoFiscalVinculadoMFD",
                  {"Cartao Credito", "76,30", "000003", "123.456.789-09", "JOSE DA SILVA", ""}),
             step("its text", "Quelmar_FI_UsaComprovanteNaoFiscalVinculado",
                  {"VIA DO CLIENTE\r\nAUTORIZACAO 123456"}),
             step("close it", "Quelmar_FI_FechaComprovanteNaoFiscalVinculado"),
             step("reprint it", "Quelmar_FI_ReimpressaoNaoFiscalVinculadoMFD"),
             step("a second copy", "Quelmar_FI_SegundaViaNaoFiscalVinculadoMFD"),
             step("the sale is undone at the card's end: reverse it",
                  "Quelmar_FI_EstornoNaoFiscalVinculadoMFD",
                  {"123.456.789-09", "JOSE DA SILVA", ""}),
             step("the reversal's text", "Quelmar_FI_UsaComprovanteNaoFiscalVinculado",
                  {"ESTORNO AUTORIZADO"}),
             step("close the reversal", "Quelmar_FI_FechaComprovanteNaoFiscalVinculado"),
         }},
        {"Non-fiscal receipts: one paid, one cancelled",
         {
             step("open a receipt for the consumer", "Quelmar_FI_AbreRecebimentoNaoFiscalMFD",
                  {"123.456.789-09", "", ""}),
             step("electricity bill, 85,40", "Quelmar_FI_EfetuaRecebimentoNaoFiscalMFD",
                  {"01", "85,40"}),
             step("delivery fee, 10,00", "Quelmar_FI_EfetuaRecebimentoNaoFiscalMFD",
                  {"02", "10,00"}),
             step("no delivery: cancel item 2", "Quelmar_FI_CancelaItemNaoFiscalMFD", {"002"}),
             // 85,40 + 1,00 = 86,40
             step("1,00 service on the bill", "Quelmar_FI_AcrescimoItemNaoFiscalMFD",
                  {"001", "A", "$", "1,00"}),
             step("subtotal", "Quelmar_FI_SubTotalizaRecebimentoMFD"),
             // 86,40 - 0,40 = 86,00
             step("0,40 off the subtotal", "Quelmar_FI_AcrescimoDescontoSubtotalRecebimentoMFD",
                  {"D", "$", "0,40"}),
             step("total", "Quelmar_FI_TotalizaRecebimentoMFD"),
             check("what the receipt comes to", "Quelmar_FI_SubTotalComprovanteNaoFiscalMFD",
                   "00000000008600", Shown::Money, "Receipt"),
             step("closing, nothing more on or off",
                  "Quelmar_FI_IniciaFechamentoRecebimentoNaoFiscalMFD", {"X", "$", "0", "0"}),
             step("100,00 in cash", "Quelmar_FI_EfetuaFormaPagamentoMFD",
                  {"Dinheiro", "100,00", "1", ""}),
             step("close with a message", "Quelmar_FI_FechaRecebimentoNaoFiscalMFD",
                  {"Volte sempre!"}),
             step("open another receipt", "Quelmar_FI_AbreRecebimentoNaoFiscalMFD", {"", "", ""}),
             step("delivery fee, 5,00", "Quelmar_FI_EfetuaRecebimentoNaoFiscalMFD", {"02", "5,00"}),
             step("the customer gives up: cancel it", "Quelmar_FI_CancelaRecebimentoNaoFiscalMFD",
                  {"", "", ""}),
         }},
        {"A named management report",
         {
             step("name report 02", "Quelmar_FI_NomeiaRelatorioGerencialMFD",
                  {"02", "FECHAMENTO CAIXA"}),
             step("open report 02", "Quelmar_FI_AbreRelatorioGerencialMFD", {"02"}),
             step("the shift's notes", "Quelmar_FI_UsaRelatorioGerencialMFD",
                  {"FECHAMENTO DO TURNO\r\nOperadora: Maria\r\nCaixa conferido, sem diferen\xE7"
                   "as"}),
             step("close the report", "Quelmar_FI_FechaRelatorioGerencial"),
         }},
        {"Counters and totals",
         {
             query("document counter (COO)", "Quelmar_FI_NumeroCupom"),
             query("grand total", "Quelmar_FI_GrandeTotal", Shown::Money),
             query("discounts of the day", "Quelmar_FI_Descontos", Shown::Money),
             query("surcharges of the day", "Quelmar_FI_Acrescimos", Shown::Money),
             query("non-fiscal operations", "Quelmar_FI_NumeroOperacoesNaoFiscais"),
             query("taken by credit card", "Quelmar_FI_ValorFormaPagamento", Shown::Money,
                   {"Cartao Credito"}),
             query("electricity bills received", "Quelmar_FI_ValorTotalizadorNaoFiscal",
                   Shown::Money, {"Conta de Luz"}),
         }},
        {"Closing the day",
         {
             step("X reading", "Quelmar_FI_LeituraX"),
             step("Z reduction: the day into the fiscal memory", "Quelmar_FI_ReducaoZ", {"", ""}),
             check("Z reductions", "Quelmar_FI_NumeroReducoes", "0001", Shown::Plain,
                   "Z reductions"),
             query("grand total", "Quelmar_FI_GrandeTotal", Shown::Money, {}, "Grand total"),
         }},
        {"The journal's counters after the Z",
         {
             query("fiscal coupons issued", "Quelmar_FI_ContadorCupomFiscalMFD"),
             query("first and last COO of the day", "Quelmar_FI_InicioFimCOOsMFD"),
             query("grand total of the last reduction", "Quelmar_FI_GrandeTotalUltimaReducaoMFD",
                   Shown::Money),
             query("journal space still free (%)", "Quelmar_FI_PercentualLivreMFD"),
         }},
        // Drive C is the day's directory: the files land beside the call log.
        {"The day's journal downloaded and formatted",
         {
             step("the fiscal memory and the whole journal to a file", "Quelmar_FI_DownloadMFD",
                  {kJournalDownload, "0", "", "", ""}),
             step("the download as text", "Quelmar_FI_FormatoDadosMFD",
                  {kJournalDownload, kJournalText, "0", "0", "", "", ""}),
         }},
    };
    return kDay;
}

const char* const kYancoPrinterSeed =
    "serial=YC01234567; header=MERCADINHO BOA VISTA LTDA; "
    "rates=18.00,12.00,7.00,5.00/ISS; "
    "payments=Dinheiro,Cartao Credito/V,Cheque; "
    "totalizers=Conta de Luz,Sangria,Suprimento";

// The Yanco printer opens its day when the port first opens; the day opening's own command then
// finds the day open, which the printer reports, and the change goes in as a supply. Its coupons
// are the Quelmar day's, but for the departments it lacks.
const std::vector<Section>& yancoDay() {
    static const std::vector<Section> kDay = {
        {"Programming the printer before the day",
         {
             step("the currency's name on cheques", "Quelmar_FI_ProgramaMoedaSingular", {"Real"}),
             step("and in the plural", "Quelmar_FI_ProgramaMoedaPlural", {"Reais"}),
             step("non-fiscal totalizer 5 is the agreement",
                  "Quelmar_FI_NomeiaTotalizadorNaoSujeitoIcms", {"5", "Conv\xEAnio"}),
             step("no departments on this printer", "Quelmar_FI_NomeiaDepartamento",
                  {"4", "Padaria"}, -30),
         }},
        {"Opening the day",
         {
             step("day opened and R$ 150,00 of change", "Quelmar_FI_AberturaDoDia",
                  {"150,00", "Dinheiro"}),
         }},
        // The printer takes rates as four digits, a percentage discount in four characters.
        {"Coupon 1: items by tax rate, an item cancelled, two payments",
         {
             step("open the coupon for a CPF", "Quelmar_FI_AbreCupom", {"123.456.789-09"}),
             step("2 rice at 24,90, ICMS 18 %", "Quelmar_FI_VendeItem",
                  {"7891000100103", "ARROZ TIPO 1 5KG", "1800", "I", "2", "2", "24,90", "$",
                   "0,00"}),
             step("3 beans at 8,50 less 10 %, ICMS 7 %", "Quelmar_FI_VendeItem",
                  {"7896004000855", "FEIJAO CARIOCA 1KG", "0700", "I", "3", "2", "8,50", "%",
                   "1000"}),
             step("0,500 kg cheese at 39,80, ICMS 12 %", "Quelmar_FI_VendeItem",
                  {"2000000000017", "QUEIJO MUSSARELA KG", "1200", "F", "0,500", "2", "39,80", "$",
                   "0,00"}),
             step("wine at 25 %, a rate not programmed", "Quelmar_FI_VendeItem",
                  {"7896000000001", "VINHO TINTO 750ML", "2500", "I", "1", "2", "39,90", "$",
                   "0,00"},
                  -3),
             step("6 milk at 4,79, exempt", "Quelmar_FI_VendeItem",
                  {"7891000315507", "LEITE INTEGRAL 1L", "II", "I", "6", "2", "4,79", "$", "0,00"}),
             step("sugar at 4,35 less 0,30, ICMS 18 %", "Quelmar_FI_VendeItem",
                  {"7896005800010",
                   "A\xC7\xDA"
                   "CAR REFINADO 1KG",
                   "1800", "I", "1", "2", "4,35", "$", "0,30"}),
             step("the milk is given back: cancel item 4", "Quelmar_FI_CancelaItemGenerico", {"4"}),
             check("the subtotal", "Quelmar_FI_SubTotal", "00000000009670", Shown::Money,
                   "Coupon 1 before its discount"),
             step("6,70 off the subtotal", "Quelmar_FI_IniciaFechamentoCupom", {"D", "$", "6,70"}),
             step("50,00 in cash", "Quelmar_FI_EfetuaFormaPagamento", {"Dinheiro", "50,00"}),
             step("40,00 by credit card", "Quelmar_FI_EfetuaFormaPagamento",
                  {"Cartao Credito", "40,00"}),
             step("close with a message", "Quelmar_FI_TerminaFechamentoCupom",
                  {"Obrigado pela prefer\xEAncia!"}),
         }},
        {"Coupon 2: a surcharge, closed in one call",
         {
             step("open the coupon", "Quelmar_FI_AbreCupom", {""}),
             step("2 cola at 8,99, 1,00 off", "Quelmar_FI_VendeItem",
                  {"7894900011517", "REFRIGERANTE COLA 2L", "1800", "I", "2", "2", "8,99", "$",
                   "1,00"}),
             step("1,500 kg bananas at 5,98, exempt", "Quelmar_FI_VendeItem",
                  {"2000000000420", "BANANA PRATA KG", "II", "F", "1,500", "2", "5,98", "$",
                   "0,00"}),
             check("the subtotal", "Quelmar_FI_SubTotal", "00000000002595", Shown::Money,
                   "Coupon 2 before its surcharge"),
             step("5,00 delivery surcharge, 30,95 in cash", "Quelmar_FI_FechaCupom",
                  {"Dinheiro", "A", "$", "5,00", "30,95", "Entrega em domic\xEDlio"}),
         }},
        {"Coupon 3: cancelled",
         {
             step("open the coupon", "Quelmar_FI_AbreCupom", {""}),
             step("coffee at 15,90, ICMS 18 %", "Quelmar_FI_VendeItem",
                  {"7891910000197", "CAFE TORRADO 500G", "1800", "I", "1", "2", "15,90", "$",
                   "0,00"}),
             step("the customer leaves: cancel the coupon", "Quelmar_FI_CancelaCupom", {}),
             check("cancelled coupons", "Quelmar_FI_NumeroCuponsCancelados", "0001", Shown::Plain,
                   "Cancelled coupons"),
         }},
        {"Coupon 4: paid by card in one call, with the card's receipt",
         {
             step("open the coupon", "Quelmar_FI_AbreCupom", {""}),
             step("batteries at 12,50, ICMS 18 %", "Quelmar_FI_VendeItem",
                  {"7891000000011", "PILHA AA 2UN", "1800", "I", "1", "2", "12,50", "$", "0,00"}),
             step("the whole subtotal by credit card", "Quelmar_FI_FechaCupomResumido",
                  {"Cartao Credito", "Volte sempre"}),
             step("open the card's receipt", "Quelmar_FI_AbreComprovanteNaoFiscalVinculado",
                  {"Cartao Credito", "", ""}),
             step("the card's voucher", "Quelmar_FI_UsaComprovanteNaoFiscalVinculado",
                  {"VISA CREDITO\r\nAUTORIZACAO 123456\r\nVALOR 12,50"}),
             step("close the receipt", "Quelmar_FI_FechaComprovanteNaoFiscalVinculado"),
         }},
        {"Cash and reports",
         {
             step("electricity bill, 85,40 in cash", "Quelmar_FI_RecebimentoNaoFiscal",
                  {"01", "85,40", "Dinheiro"}),
             step("the bill authenticated", "Quelmar_FI_Autenticacao"),
             step("100,00 taken from the drawer", "Quelmar_FI_Sangria", {"100,00"}),
             step("20,00 more change", "Quelmar_FI_Suprimento", {"20,00", "Dinheiro"}),
             step("the drawer opened", "Quelmar_FI_AcionaGaveta"),
             step("management report: the shift's notes", "Quelmar_FI_RelatorioGerencial",
                  {"FECHAMENTO DO TURNO\r\nOperadora: Maria\r\nCaixa conferido, sem diferen\xE7"
                   "as"}),
             step("close the report", "Quelmar_FI_FechaRelatorioGerencial"),
         }},
        {"Counters and totals",
         {
             query("document counter (COO)", "Quelmar_FI_NumeroCupom"),
             query("grand total", "Quelmar_FI_GrandeTotal", Shown::Money),
             query("discounts of the day", "Quelmar_FI_Descontos", Shown::Money),
             query("surcharges of the day", "Quelmar_FI_Acrescimos", Shown::Money),
             query("cancellations of the day", "Quelmar_FI_Cancelamentos", Shown::Money),
             step("non-fiscal operations: not kept", "Quelmar_FI_NumeroOperacoesNaoFiscais", {},
                  -30),
             query("taken in cash", "Quelmar_FI_ValorFormaPagamento", Shown::Money, {"Dinheiro"}),
             query("withdrawals", "Quelmar_FI_ValorTotalizadorNaoFiscal", Shown::Money,
                   {"SANGRIA"}),
             query("date of the fiscal day", "Quelmar_FI_DataMovimento"),
         }},
        {"Closing the day",
         {
             step("X reading", "Quelmar_FI_LeituraX"),
             step("the X reading into Retorno.txt", "Quelmar_FI_LeituraXSerial"),
             step("Z reduction: the day into the fiscal memory", "Quelmar_FI_ReducaoZ", {"", ""}),
             check("Z reductions", "Quelmar_FI_NumeroReducoes", "0001", Shown::Plain,
                   "Z reductions"),
             query("date and time of the reduction", "Quelmar_FI_DataHoraReducao"),
             query("grand total", "Quelmar_FI_GrandeTotal", Shown::Money, {}, "Grand total"),
             step("the fiscal memory's reduction 1 into LMFISCAL.TXT",
                  "Quelmar_FI_LeituraMemoriaFiscalSerialReducao", {"1", "1"}),
         }},
    };
    return kDay;
}

Verdict judge(const Step& step, const CallOutcome* outcome) {
    const bool gave =
        outcome && outcome->called && outcome->code == step.expected &&
        (step.expectedAnswer.empty() ||
         (!outcome->answers.empty() && outcome->answers.front().text == step.expectedAnswer));
    return gave ? Verdict::Passed : Verdict::Failed;
}

}  // namespace quelfi::tool::demo

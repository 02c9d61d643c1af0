// The demonstration's evening at a restaurant, on a printer with the restaurant firmware: orders
// on two tables, one taken back, one moved, the tables merged, a bill check with 10 % off, and the
// table's coupon paid in two forms and split among three payers.
#include "quelfi/demo_day.h"

namespace quelfi::tool::demo {

namespace {

Step step(std::string what, std::string exportName, std::vector<std::string> arguments,
          int expected = 1) {
    Step s;
    s.what = std::move(what);
    s.exportName = std::move(exportName);
    s.arguments = std::move(arguments);
    s.expected = expected;
    return s;
}

Step check(std::string what, std::string exportName, std::string answer, Shown shown,
           std::string summary, std::vector<std::string> arguments = {}) {
    Step s = step(std::move(what), std::move(exportName), std::move(arguments));
    s.expectedAnswer = std::move(answer);
    s.shown = shown;
    s.summary = std::move(summary);
    return s;
}

Step query(std::string what, std::string exportName, Shown shown,
           std::vector<std::string> arguments = {}) {
    Step s = step(std::move(what), std::move(exportName), std::move(arguments));
    s.shown = shown;
    return s;
}

// An order as the waiter's terminal sends it: table, code, description, rate, quantity (three
// decimals), unit price, and no surcharge or discount.
std::vector<std::string> order(std::string table, std::string code, std::string description,
                               std::string rate, std::string quantity, std::string price) {
    return {std::move(table),
            std::move(code),
            std::move(description),
            std::move(rate),
            std::move(quantity),
            std::move(price),
            "D",
            "0,00"};
}

}  // namespace

const char* const kRestaurantSeed =
    "serial=QM0123456789; cliche=CANTINA BELLA NAPOLI LTDA; firmware=03.20.00; "
    "rates=18.00,12.00,7.00; payments=Dinheiro,Cartao Credito/V; "
    "menu.1=101,FIL\xC3\x89 \xC3\x80 PARMEGIANA,01,62.00; menu.2=201,REFRIGERANTE LATA,01,6.00; "
    "menu.3=202,SUCO DE LARANJA,03,8.00; menu.4=203,CHOPP,01,20.00; "
    "menu.5=301,PUDIM DE LEITE,02,12.00";

// 2 x 62,00 + 3 x 6,00 + 12,00 + 2 x 8,00 + 1,5 x 20,00 = 200,00; less 10 % = 180,00, paid
// 100,00 in cash and 80,00 by card, split 60,00 a payer.
const std::vector<Section>& restaurantEvening() {
    static const std::vector<Section> kEvening = {
        {"The evening opens",
         {
             check("free table memory", "Quelmar_FIR_VerificaMemoriaLivre", "0500", Shown::Plain,
                   "Free memory before"),
             step("the menu printed", "Quelmar_FIR_ImprimeCardapio", {}),
         }},
        {"Orders on two tables",
         {
             step("table 12: 2 parmigiana steaks at 62,00", "Quelmar_FIR_RegistraVenda",
                  order("12", "101", "FIL\xC9 \xC0 PARMEGIANA", "1800", "2,000", "62,00")),
             step("table 12: 4 soft drinks at 6,00, rate slot 1", "Quelmar_FIR_RegistraVenda",
                  order("12", "201", "REFRIGERANTE LATA", "1", "4,000", "6,00")),
             step("table 15: 2 orange juices at 8,00", "Quelmar_FIR_RegistraVenda",
                  order("15", "202", "SUCO DE LARANJA", "0700", "2,000", "8,00")),
             step("table 15: 1,5 l of draught beer at 20,00", "Quelmar_FIR_RegistraVenda",
                  order("15", "203", "CHOPP", "1800", "1,500", "20,00")),
             step("table 15: a pudding at 12,00", "Quelmar_FIR_RegistraVenda",
                  order("15", "301", "PUDIM DE LEITE", "1200", "1,000", "12,00")),
             step("a wine at 25 %, a rate not programmed", "Quelmar_FIR_RegistraVenda",
                  order("12", "401", "VINHO TINTO", "2500", "1,000", "89,00"), -3),
             step("table 12 sends a soft drink back", "Quelmar_FIR_CancelaVenda",
                  order("12", "201", "REFRIGERANTE LATA", "1", "1,000", "6,00")),
             [] {
                 std::vector<std::string> moved =
                     order("15", "301", "PUDIM DE LEITE", "1200", "1,000", "12,00");
                 moved.push_back("12");
                 return step("the pudding goes to table 12", "Quelmar_FIR_TransferenciaItem",
                             moved);
             }(),
             check("free table memory", "Quelmar_FIR_VerificaMemoriaLivre", "0495", Shown::Plain,
                   "Free memory with two tables"),
             step("table 15's orders through the serial line", "Quelmar_FIR_RegistroVendaSerial",
                  {"15"}),
             step("the two tables join: 15 onto 12", "Quelmar_FIR_TransferenciaMesa", {"15", "12"}),
             step("open tables report, with items", "Quelmar_FIR_RelatorioMesasAbertas", {"1"}),
         }},
        {"The bill",
         {
             step("bill check of table 12, 10 % off", "Quelmar_FIR_ConferenciaMesa",
                  {"12", "D", "%", "10,00"}),
             step("the fiscal coupon of table 12", "Quelmar_FIR_AbreCupomRestaurante", {"12", ""}),
             step("10 % off, 100,00 cash and 80,00 card, split in three",
                  "Quelmar_FIR_FechaCupomContaDividida",
                  {"3", "D", "%", "10,00", "Dinheiro;Cartao Credito", "100,00;80,00",
                   "60,00;60,00;60,00", "111.444.777-35;222.555.888-46;333.666.999-57"}),
         }},
        {"Counters and totals",
         {
             check("what the coupon came to", "Quelmar_FI_ValorPagoUltimoCupom", "00000000018000",
                   Shown::Money, "Table 12"),
             query("document counter (COO)", "Quelmar_FI_NumeroCupom", Shown::Plain),
             query("grand total", "Quelmar_FI_GrandeTotal", Shown::Money),
             query("discounts of the day", "Quelmar_FI_Descontos", Shown::Money),
             query("taken in cash", "Quelmar_FI_ValorFormaPagamento", Shown::Money, {"Dinheiro"}),
             query("taken by card", "Quelmar_FI_ValorFormaPagamento", Shown::Money,
                   {"Cartao Credito"}),
             check("free table memory", "Quelmar_FIR_VerificaMemoriaLivre", "0500", Shown::Plain,
                   "Free memory after"),
         }},
    };
    return kEvening;
}

}  // namespace quelfi::tool::demo

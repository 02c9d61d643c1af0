// Quelmar_FI_ImpressaoCarne as a point-of-sale program sees it: its refusals, its network record,
// the pages and the closing on the wire, the report always closed, and the pages on the paper.
#include <filesystem>

#include "day_fixture.h"
#include "quelfi32.h"
#include "sim/quelmar/receipt_layout.h"
#include "sim_sale_fixture.h"

namespace quelfi::test {
namespace {

struct Booklet {
    const char* titulo = "LOJA";
    const char* parcela = "1000";
    const char* datas = "31/01/2005";
    int quantidade = 3;
    const char* texto = "";
    const char* cliente = "JOSE";
    const char* rgcpf = "123";
    const char* cupom = "42";
    int vias = 2;

    int print() const {
        return Quelmar_FI_ImpressaoCarne(titulo, parcela, datas, quantidade, texto, cliente, rgcpf,
                                         cupom, vias, 7);
    }
};

const std::string kBoldOn =
    "\x1B"
    "E";
const std::string kBoldOff =
    "\x1B"
    "F";
const std::string kWide = "\x1B\x0E";

// The page of the default booklet, fed to 24 lines.
std::string page(const std::string& instalment, const std::string& date, const std::string& copy,
                 std::size_t feeds = 10) {
    return kBoldOn + kWide + "LOJA\n" + kBoldOff + kBoldOn + "CLIENTE: JOSE" +
           std::string(26, ' ') + "\n" + kBoldOff + kBoldOn + "RG/CPF:  123" +
           std::string(17, ' ') + "\n" + kBoldOff + kBoldOn + kWide + "PARCELA: " + instalment +
           "        " + kBoldOff + "\n" + kWide + kBoldOn + "DATA: " + date + "    " + kBoldOff +
           "\n" + kWide + kBoldOn + "VALOR: R$ 10,00     \n" + kBoldOff + kBoldOn +
           "Via:  " + copy + std::string(9, ' ') + "\n" + kBoldOff + kBoldOn +
           "Cupom fiscal: 42\n" + kBoldOff + "\n\n\n\n" + std::string(30, '_') +
           "\n    Assinatura" + std::string(feeds, '\n');
}

class BookletExportsTest : public DayCommandTest {
  protected:
    void expectSerialRead(const std::string& serial) {
        line->reply("\x06" + serial + std::string(2, '\0'));
    }
    const std::string kSerialRead = std::string("\x1B#\0", 3);
    const std::string kClose = "\x1B\x15";
};

TEST_F(BookletExportsTest, EveryPageOfEveryCopyThenOneClosing) {
    expectSerialRead("QM0123456789   ");
    for (int i = 0; i < 7; ++i) line->reply(kOk);
    EXPECT_EQ(Booklet{}.print(), 1);
    const std::string dates[] = {"31/01/2005", "28/02/2005", "31/03/2005"};
    std::vector<std::string> wire = {kSerialRead};
    std::vector<std::string> log = {kSep, "Quelmar_FI_ImpressaoCarne ", "Quelmar_FI_NumeroSerie ",
                                    "Retorno impressora: QM0123456789   ",
                                    "Retorno Quelmar_FI_NumeroSerie: 1"};
    for (const std::string copy : {"1", "2"}) {
        for (int n = 0; n < 3; ++n) {
            const std::string text = page(std::to_string(n + 1) + "/3", dates[n], copy);
            wire.push_back("\x1B\x14" + text + "\r\n");
            log = log + std::vector<std::string>{"Quelmar_FI_RelatorioGerencial ",
                                                 "Parâmetro: " + text,
                                                 "Retorno Quelmar_FI_RelatorioGerencial: 1"};
        }
    }
    wire.push_back(kClose);
    EXPECT_EQ(commands(), wire);
    EXPECT_EQ(workLog(),
              logOf(log + std::vector<std::string>{"Quelmar_FI_FechaRelatorioGerencial ",
                                                   "Retorno Quelmar_FI_FechaRelatorioGerencial: 1",
                                                   "Retorno Quelmar_FI_ImpressaoCarne: 1"}));

    // The "5708" printers take pages of 20 lines; no copy still closes the report.
    Booklet one;
    one.quantidade = 1;
    one.vias = 1;
    expectSerialRead("5708123        ");
    line->reply(kOk);
    line->reply(kOk);
    EXPECT_EQ(one.print(), 1);
    one.vias = 0;
    expectSerialRead("QM0123456789   ");
    line->reply(kOk);
    EXPECT_EQ(one.print(), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{
                              kSerialRead, "\x1B\x14" + page("1/1", "31/01/2005", "1", 6) + "\r\n",
                              kClose, kSerialRead, kClose}));
}

TEST_F(BookletExportsTest, APageNotPrintedEndsTheBookletWithTheReportClosed) {
    reconfigure("StatusFuncao=1\n");
    struct Case {
        std::vector<std::string> pageReplies;
        int result;
    };
    const std::string notExecuted = bytes({6, 0, 1}), paperNearEnd = bytes({6, 64, 0});
    const Case cases[] = {
        {{kOk, notExecuted}, -27},      // the printer did not print the second page
        {{kOk, ""}, 0},                 // its reply was lost
        {{paperNearEnd, kOk, kOk}, 1},  // paper running out: the pages go on
    };
    for (const Case& c : cases) {
        Booklet b;
        b.vias = 1;
        expectSerialRead("QM0123456789   ");
        for (const std::string& reply : c.pageReplies) line->reply(reply);
        line->reply(kOk);
        EXPECT_EQ(b.print(), c.result);
        std::vector<std::string> sent = commands();
        ASSERT_EQ(sent.size(), c.pageReplies.size() + 2);
        EXPECT_EQ(sent.back(), kClose);
        const std::string log = workLog();
        EXPECT_EQ(log.substr(log.rfind("Retorno Quelmar_FI_FechaRelatorioGerencial")),
                  logOf({"Retorno Quelmar_FI_FechaRelatorioGerencial: 1",
                         "Retorno Quelmar_FI_ImpressaoCarne: " + std::to_string(c.result)}));
        clearLog();
    }
    // Without the serial number nothing is printed.
    expectSerialRead("");
    EXPECT_EQ(Booklet{}.print(), 0);
    EXPECT_EQ(commands(), std::vector<std::string>{kSerialRead});
}

class BookletClientTest : public ProtocolTest {
  protected:
    void SetUp() override {
        ProtocolTest::SetUp();
        configure("ConfigRede=1\n");
    }
    void clearLog() { std::filesystem::remove(workDir() + "/QuelFI32.log"); }
};

TEST_F(BookletClientTest, ChecksInOrderThenTheRecordForTheDriver) {
    const std::string big(10000, '9'), t346(346, 'T'), t347(347, 'T'), c31(31, 'C'), r21(21, 'R'),
        a15(15, '1');
    struct Case {
        Booklet booklet;
        std::string refused;  // the field and the value shown
    };
    const Case cases[] = {
        {{.quantidade = 25}, "quantidade: 25"},
        {{.quantidade = 0}, "quantidade: 0"},
        {{.cupom = "-1"}, "cupom: -1"},
        {{.cupom = big.c_str()}, "cupom: " + big},
        {{.titulo = nullptr}, "titulo: null"},
        {{.titulo = t347.c_str()}, "titulo: " + t347},
        {{.parcela = nullptr}, "parcela: null"},
        {{.parcela = "1;2;3;4"}, "parcela: 1;2;3;4"},
        {{.parcela = a15.c_str()}, "parcela: " + a15},
        {{.datas = "30/02/2005"}, "datas: 30/02/2005"},
        {{.datas = nullptr}, "datas: null"},
        {{.texto = nullptr}, "texto: null"},
        {{.titulo = t346.c_str(), .texto = "123456"}, "texto: 123456"},
        {{.cliente = c31.c_str()}, "cliente: " + c31},
        {{.rgcpf = r21.c_str()}, "rgcpf: " + r21},
        {{.rgcpf = nullptr}, "rgcpf: null"},
        {{.vias = 3}, "vias: 3"},
        {{big.c_str(), big.c_str(), big.c_str(), 3, big.c_str(), big.c_str(), big.c_str(), "42", 2},
         "titulo: " + big},
    };
    for (const Case& c : cases) {
        clearLog();
        EXPECT_EQ(c.booklet.print(), -2) << c.refused.substr(0, 40);
        EXPECT_EQ(workLog(), logOf({kSep, "Quelmar_FI_ImpressaoCarne ",
                                    "Retorno Quelmar_FI_ImpressaoCarne: -2 - Parametro invalido "
                                    "para " +
                                        c.refused}));
    }
    EXPECT_FALSE(fileExists(workDir() + "/Quelfi32.cmd"));

    const Booklet widest{.titulo = t346.c_str(), .texto = "12345"};
    EXPECT_EQ(widest.print(), 1);
    EXPECT_EQ(readFile(workDir() + "/Quelfi32.cmd"),
              "240|" + t346 + "|1000|31/01/2005|3|12345|JOSE|123|42|2|7|");
}

class BookletOnTheVirtualPrinter : public SimSaleTest {};

TEST_F(BookletOnTheVirtualPrinter, PagesPrintReadablyInOneReport) {
    printer.paper().clear();
    EXPECT_EQ(Booklet{.vias = 1}.print(), 1);
    auto paperPage = [](const std::string& instalment, const std::string& date) {
        std::vector<std::string> lines = {"*L O J A*",
                                          "*CLIENTE: JOSE*",
                                          "*RG/CPF:  123*",
                                          "*P A R C E L A :   " + instalment + "*",
                                          "*D A T A :   " + date + "*",
                                          "*V A L O R :   R $   1 0 , 0 0*",
                                          "*Via:  1*",
                                          "*Cupom fiscal: 42*",
                                          "",
                                          "",
                                          "",
                                          "",
                                          std::string(30, '_'),
                                          "    Assinatura"};
        lines.resize(24);
        return lines;
    };
    const sim::FiscalModel m = printer.model();
    EXPECT_EQ(printer.paper().lines(),
              sim::layout::heading(m, m.counters.coo, "RELATÓRIO GERENCIAL") +
                  paperPage("1 / 3", "3 1 / 0 1 / 2 0 0 5") +
                  paperPage("2 / 3", "2 8 / 0 2 / 2 0 0 5") +
                  paperPage("3 / 3", "3 1 / 0 3 / 2 0 0 5") + sim::layout::foot(m));
    EXPECT_EQ(m.document, sim::DocumentState::None);
}

}  // namespace
}  // namespace quelfi::test

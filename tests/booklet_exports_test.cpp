// Quelmar_FI_ImpressaoCarne as a point-of-sale program sees it: its refusals and network record,
// the pages and the closing on the wire, the report closed after a failed page, the paper.
#include <filesystem>

#include "protocol_fixture.h"
#include "quelfi32.h"
#include "sim/quelmar/receipt_layout.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

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

// A page of the default booklet: 14 lines, fed to 24.
std::string page(const std::string& instalment, const std::string& date, const std::string& copy,
                 std::size_t feeds = 10) {
    const std::string on{'\x1B', 'E'}, off{'\x1B', 'F'}, wide{'\x1B', '\x0E'};
    return on + wide + "LOJA\n" + off + on + "CLIENTE: JOSE" + std::string(26, ' ') + "\n" + off +
           on + "RG/CPF:  123" + std::string(17, ' ') + "\n" + off + on + wide +
           "PARCELA: " + instalment + "        " + off + "\n" + wide + on + "DATA: " + date +
           "    " + off + "\n" + wide + on + "VALOR: R$ 10,00     \n" + off + on + "Via:  " + copy +
           std::string(9, ' ') + "\n" + off + on + "Cupom fiscal: 42\n" + off + "\n\n\n\n" +
           std::string(30, '_') + "\n    Assinatura" + std::string(feeds, '\n');
}

class BookletExportsTest : public ConnectedTest {
  protected:
    void serialIs(const std::string& serial) { line->reply("\x06" + serial + "\0\0"s); }
    const std::string kSerialRead = "\x1B#\0"s, kClose = "\x1B\x15";
};

TEST_F(BookletExportsTest, PagesOfTwentyLinesOnThe5708PrintersAndNoCopyStillCloses) {
    for (const char* serial : {"5708123        ", "QM0123456789   "}) {
        serialIs(serial);
        for (int i = 0; i < 2; ++i) line->reply(kOk);
    }
    EXPECT_EQ((Booklet{.quantidade = 1, .vias = 1}.print()), 1);
    EXPECT_EQ((Booklet{.quantidade = 1, .vias = 0}.print()), 1);
    EXPECT_EQ(commands(),
              (Lines{kSerialRead, "\x1B\x14" + page("1/1", "31/01/2005", "1", 6) + "\r\n", kClose,
                     kSerialRead, kClose}));
}

TEST_F(BookletExportsTest, APageNotPrintedEndsTheBookletWithTheReportClosed) {
    reconfigure("StatusFuncao=1\n");
    const std::pair<Lines, int> cases[] = {
        {{kOk, bytes({6, 0, 1})}, -27},      // the printer did not print the second page
        {{kOk, ""}, 0},                      // its reply was lost
        {{bytes({6, 64, 0}), kOk, kOk}, 1},  // paper near its end: the pages go on
    };
    for (const auto& [pageReplies, result] : cases) {
        serialIs("QM0123456789   ");
        for (const std::string& reply : pageReplies) line->reply(reply);
        line->reply(kOk);
        EXPECT_EQ(Booklet{.vias = 1}.print(), result);
        const Lines sent = commands();
        EXPECT_EQ(sent.size(), pageReplies.size() + 2);
        EXPECT_EQ(sent.back(), kClose);
        const std::string log = workLog();
        EXPECT_EQ(log.substr(log.rfind("Retorno Quelmar_FI_FechaRelatorioGerencial")),
                  logLines({"Retorno Quelmar_FI_FechaRelatorioGerencial: 1",
                         "Retorno Quelmar_FI_ImpressaoCarne: " + std::to_string(result)}));
        clearLog();
    }
    serialIs("");  // without the serial number nothing is printed
    EXPECT_EQ(Booklet{}.print(), 0);
    EXPECT_EQ(commands(), Lines{kSerialRead});
}

TEST_F(BookletExportsTest, ChecksInOrderThenTheRecordForTheDriver) {
    reconfigure("ConfigRede=1\n");
    std::string amounts349;
    for (int i = 0; i < 23; ++i) amounts349 += std::string(14, '1') + ";";
    amounts349 += "1000";
    const std::string big(10000, '9'), t346(346, 'T'), t347(347, 'T'), c31(31, 'C'), r21(21, 'R'),
        a350 = amounts349 + "0";
    const std::pair<Booklet, std::string> refused[] = {
        {{.quantidade = 25}, "quantidade: 25"},
        {{.cupom = "-1"}, "cupom: -1"},
        {{.cupom = big.c_str()}, "cupom: " + big},
        {{.titulo = nullptr}, "titulo: null"},
        {{.titulo = t347.c_str()}, "titulo: " + t347},  // the page would pass 618 characters
        {{.parcela = a350.c_str(), .quantidade = 24}, "parcela: " + a350},
        {{.parcela = "1;2;3;4"}, "parcela: 1;2;3;4"},
        {{.parcela = "123456789012345"}, "parcela: 123456789012345"},
        {{.datas = "30/02/2005"}, "datas: 30/02/2005"},
        {{.datas = big.c_str()}, "datas: " + big},
        {{.texto = nullptr}, "texto: null"},
        {{.titulo = t346.c_str(), .texto = "123456"}, "texto: 123456"},
        {{.cliente = c31.c_str()}, "cliente: " + c31},
        {{.rgcpf = r21.c_str()}, "rgcpf: " + r21},
        {{.vias = 3}, "vias: 3"},
        {{.titulo = big.c_str()}, "titulo: " + big},
    };
    for (const auto& [booklet, line] : refused) {
        clearLog();
        EXPECT_EQ(booklet.print(), -2) << line.substr(0, 40);
        EXPECT_EQ(
            workLog(),
            logLines({kSep, "Quelmar_FI_ImpressaoCarne ",
                   "Retorno Quelmar_FI_ImpressaoCarne: -2 - Parametro invalido para " + line}));
    }
    EXPECT_FALSE(fileExists(workDir() + "/Quelfi32.cmd"));
    EXPECT_EQ((Booklet{.parcela = amounts349.c_str(), .quantidade = 24}.print()), 1);
    EXPECT_EQ((Booklet{.titulo = t346.c_str(), .texto = "12345"}.print()), 1);
    EXPECT_EQ(readFile(workDir() + "/Quelfi32.cmd"),
              "240|" + t346 + "|1000|31/01/2005|3|12345|JOSE|123|42|2|7|");
}

class BookletOnTheVirtualPrinter : public VirtualPrinterTest {};

TEST_F(BookletOnTheVirtualPrinter, ThreeInstalmentsInTwoCopiesPrintReadablyInOneReport) {
    ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    printer.paper().clear();
    std::filesystem::remove(workDir() + "/QuelFI32.log");
    EXPECT_EQ(Booklet{}.print(), 1);
    const sim::FiscalModel m = printer.model();
    Lines wire = {"\x1B#\0"s},
          paper = sim::layout::heading(m, m.counters.coo, "RELATÓRIO GERENCIAL"),
          log = {kSep, "Quelmar_FI_ImpressaoCarne ", "Quelmar_FI_NumeroSerie ",
                 "Retorno impressora: QM0123456789   ", "Retorno Quelmar_FI_NumeroSerie: 1"};
    const std::string dates[] = {"31/01/2005", "28/02/2005", "31/03/2005"};
    const std::string wideDates[] = {"3 1 / 0 1 / 2 0 0 5", "2 8 / 0 2 / 2 0 0 5",
                                     "3 1 / 0 3 / 2 0 0 5"};
    for (const std::string copy : {"1", "2"}) {
        for (int n = 0; n < 3; ++n) {
            const std::string text = page(std::to_string(n + 1) + "/3", dates[n], copy);
            wire.push_back("\x1B\x14" + text + "\r\n");
            log = log + Lines{"Quelmar_FI_RelatorioGerencial ", "Parâmetro: " + text,
                              "Retorno Quelmar_FI_RelatorioGerencial: 1"};
            Lines printed = {"*L O J A*",
                             "*CLIENTE: JOSE*",
                             "*RG/CPF:  123*",
                             "*P A R C E L A :   " + std::to_string(n + 1) + " / 3*",
                             "*D A T A :   " + wideDates[n] + "*",
                             "*V A L O R :   R $   1 0 , 0 0*",
                             "*Via:  " + copy + "*",
                             "*Cupom fiscal: 42*"};
            printed.resize(12);  // four blank lines above the signature
            printed.insert(printed.end(), {std::string(30, '_'), "    Assinatura"});
            printed.resize(24);
            paper = paper + printed;
        }
    }
    Lines sent;
    for (const std::string& frame : port.frames())
        sent.push_back(frame.substr(3, frame.size() - 5));
    EXPECT_EQ(sent, wire + Lines{"\x1B\x15"});
    EXPECT_EQ(workLog(), logLines(log + Lines{"Quelmar_FI_FechaRelatorioGerencial ",
                                           "Retorno Quelmar_FI_FechaRelatorioGerencial: 1",
                                           "Retorno Quelmar_FI_ImpressaoCarne: 1"}));
    EXPECT_EQ(printer.paper().lines(), paper + sim::layout::foot(m));
    EXPECT_EQ(m.document, sim::DocumentState::None);
}

}  // namespace
}  // namespace quelfi::test

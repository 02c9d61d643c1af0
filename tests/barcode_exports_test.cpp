// The barcode exports on a scripted journal printer: the bytes each sends with the configured
// look, every limit at its edge in both columns, the refusals' lines, the closing's coupon state,
// and the records of client mode.
#include <filesystem>
#include <functional>

#include "protocol_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

using core::state;

const std::string kReplyOk = bytes({6, 0, 0, 0, 0});
const std::string kFsC =
    "\x1C"
    "C";
const std::string kGs = "\x1D";

std::string zeros(std::size_t n) {
    return std::string(n, '\0');
}

using Standalone = int (*)(const char*);

// The standalone exports in the order of their records (222 on), with their limits and their
// too-long messages.
struct Limit {
    Standalone call;
    std::size_t max;
    std::string tooLong;
};
const std::vector<Limit> kStandalone = {
    {Quelmar_FI_CodigoBarrasCODABARMFD, 40, "O codigo é maior que 40 caracteres"},
    {Quelmar_FI_CodigoBarrasCODE128MFD, 84, "O código é maior que 84 caracteres: "},
    {Quelmar_FI_CodigoBarrasCODE39MFD, 30, "O código é maior que 30 caracteres "},
    {Quelmar_FI_CodigoBarrasCODE93MFD, 30, "O código é maior que 30 caracteres "},
    {Quelmar_FI_CodigoBarrasUPCAMFD, 11, "O código é maior que 11 caracteres "},
    {Quelmar_FI_CodigoBarrasUPCEMFD, 6, "O código é maior que 6 caracteres"},
    {Quelmar_FI_CodigoBarrasEAN13MFD, 12, "O código é maior que 12 caracteres "},
    {Quelmar_FI_CodigoBarrasEAN8MFD, 7, "O código é maior que 7 caracteres "},
    {Quelmar_FI_CodigoBarrasMSIMFD, 32, "O código é maior que 32 caracteres "},
    {Quelmar_FI_CodigoBarrasPLESSEYMFD, 26, "O código é maior que 26 caracteres "},
    {Quelmar_FI_CodigoBarrasISBNMFD, 19, "O código é maior que 19 caracteres "},
    {Quelmar_FI_CodigoBarrasITFMFD, 60, "O código é maior que 60 caracteres "},
};
const char* const kStandaloneNames[] = {"CODABAR", "CODE128", "CODE39", "CODE93",  "UPCA", "UPCE",
                                        "EAN13",   "EAN8",    "MSI",    "PLESSEY", "ISBN", "ITF"};

int closeWith(const char* message, const char* type, const char* code, int height = 100,
              int width = 1, int position = 2, int font = 0, int margin = 0, int correction = 0,
              int columns = 0) {
    return Quelmar_FI_TerminaFechamentoCupomCodigoBarrasMFD(
        message, type, code, height, width, position, font, margin, correction, columns);
}

class BarcodeExportsTest : public ProtocolTest {
  protected:
    void SetUp() override {
        ProtocolTest::SetUp();
        configure("[MFD]\nImpressora=1\n");
        state().mfdPrinter = true;
    }
    std::vector<std::string> logLines() {
        std::vector<std::string> lines;
        const std::string log = workLog();
        for (std::size_t at = 0, end; (end = log.find("\r\r\n", at)) != std::string::npos;
             at = end + 3)
            lines.push_back(log.substr(at, end - at));
        return lines;
    }
    std::string lastLogLine() { return logLines().back(); }
    // The call refused with "Retorno <export>: -2 - " and `message` (UTF-8), nothing sent.
    void expectRefused(const std::function<int()>& call, const std::string& exportName,
                       const std::string& message, const std::string& tail = "") {
        EXPECT_EQ(call(), -2) << message;
        EXPECT_EQ(lastLogLine(), "Retorno " + exportName + ": -2 - " + cp1252(message) + tail);
        EXPECT_EQ(newWire(), "");
    }
};

TEST_F(BarcodeExportsTest, EachSymbologySendsItsSequenceWithTheConfiguredLook) {
    const std::string itf45(45, '7');
    struct Case {
        std::function<int()> call;
        std::string sent;
    };
    const std::vector<Case> cases = {
        {[] { return Quelmar_FI_CodigoBarrasCODABARMFD("A123$B"); }, kFsC + kGs + "H\x02" + kGs +
                                                                         "k\x06"
                                                                         "A123$B" +
                                                                         zeros(1)},
        {[] { return Quelmar_FI_CodigoBarrasCODE128MFD("ab\x7F"); }, kFsC + kGs + "H\x02" + kGs +
                                                                         "kI\x03"
                                                                         "ab\x7F" +
                                                                         zeros(1)},
        {[] { return Quelmar_FI_CodigoBarrasCODE39MFD("abc 1"); }, kFsC + kGs + "H\x02" + kGs +
                                                                       "k\x04"
                                                                       "abc 1" +
                                                                       zeros(1)},
        {[] { return Quelmar_FI_CodigoBarrasCODE93MFD("X"); },
         kFsC + kGs + "H\x02" + kGs + "kH\x01X" + zeros(1)},
        // Fixed lengths: the rest zero bytes.
        {[] { return Quelmar_FI_CodigoBarrasUPCAMFD("123"); },
         kFsC + kGs + "H\x02" + kGs + "k" + zeros(1) + "123" + zeros(9)},
        {[] { return Quelmar_FI_CodigoBarrasUPCEMFD("123456"); }, kFsC + kGs + "H\x02" + kGs +
                                                                      "k\x01"
                                                                      "123456" +
                                                                      zeros(1)},
        {[] { return Quelmar_FI_CodigoBarrasEAN8MFD("1234567"); }, kFsC + kGs + "H\x02" + kGs +
                                                                       "k\x03"
                                                                       "1234567" +
                                                                       zeros(1)},
        {[] { return Quelmar_FI_CodigoBarrasEAN13MFD("789"); }, kFsC +
                                                                    "\x1B|0\xA2"
                                                                    "32"
                                                                    "789" +
                                                                    zeros(10)},
        {[] { return Quelmar_FI_CodigoBarrasMSIMFD("12"); }, kFsC + kGs + "H\x02" + kGs +
                                                                 "k\x16"
                                                                 "12" +
                                                                 zeros(1)},
        {[] { return Quelmar_FI_CodigoBarrasPLESSEYMFD("F"); }, kFsC + kGs + "H\x02" + kGs +
                                                                    "k\x17"
                                                                    "F" +
                                                                    zeros(1)},
        {[] { return Quelmar_FI_CodigoBarrasISBNMFD("X- 1"); }, kFsC + kGs + "H\x02" + kGs +
                                                                    "k\x15"
                                                                    "X- 1" +
                                                                    zeros(1)},
        {[&] { return Quelmar_FI_CodigoBarrasITFMFD(itf45.c_str()); },
         kFsC + kGs + "H\x02" + kGs + "k\x05" + itf45 + zeros(1)},
        {[] { return Quelmar_FI_CodigoBarrasPDF417MFD(2, 3, 2, 5, "AB"); },
         kFsC + kGs + "k\x80\x02\x03\x02\x05\x02" + zeros(1) + "AB"},
        // Width 2 is code 4; margin 300 is 44 + 256.
        {[] { return Quelmar_FI_ConfiguraCodigoBarrasMFD(50, 2, 0, 1, 300); },
         kFsC + kGs + "h\x32" + kGs + "w\x04" + kGs + "H" + zeros(1) + kGs + "f\x01" + kGs +
             "k\x84\x2C\x01"},
        {[] { return Quelmar_FI_CodigoBarrasEAN13MFD("1"); }, kFsC +
                                                                  "\x1B|0\x32"
                                                                  "40"
                                                                  "1" +
                                                                  zeros(12)},
        {[] { return Quelmar_FI_CodigoBarrasCODE93MFD("Z"); },
         kFsC + kGs + "H" + zeros(1) + kGs + "kH\x01Z" + zeros(1)},
    };
    for (const Case& c : cases) {
        line->reply(kReplyOk);
        EXPECT_EQ(c.call(), 1);
        EXPECT_EQ(commands(), std::vector<std::string>{c.sent});
    }
    EXPECT_EQ(
        std::vector<std::string>(logLines().end() - 3, logLines().end()),
        (std::vector<std::string>{"Quelmar_FI_CodigoBarrasCODE93MFD ", cp1252("Parâmetros: Z"),
                                  "Retorno Quelmar_FI_CodigoBarrasCODE93MFD: 1"}));
    EXPECT_EQ(state().barcodeHeight, 50);
    EXPECT_EQ(state().barcodeWidth, 4);
    EXPECT_EQ(state().barcodeTextPosition, 0);
}

TEST_F(BarcodeExportsTest, EveryLimitAtItsEdgeInBothColumns) {
    const std::string closingName = "Quelmar_FI_TerminaFechamentoCupomCodigoBarrasMFD";
    for (std::size_t i = 0; i < kStandalone.size(); ++i) {
        const Limit& l = kStandalone[i];
        const std::string name =
            "Quelmar_FI_CodigoBarras" + std::string(kStandaloneNames[i]) + "MFD";
        line->reply(kReplyOk);
        EXPECT_EQ(l.call(std::string(l.max, '1').c_str()), 1) << name;
        newWire();
        expectRefused([&] { return l.call(std::string(l.max + 1, '1').c_str()); }, name, l.tooLong);
    }
    line->reply(kReplyOk);
    EXPECT_EQ(Quelmar_FI_CodigoBarrasPDF417MFD(8, 8, 4, 30, std::string(1024, '\xFF').c_str()), 1);
    EXPECT_EQ(commands()[0].size(), 1024u + 11u);

    struct ClosingLimit {
        const char* type;
        std::size_t max;
        std::string tooLong;
    };
    const std::vector<ClosingLimit> closing = {
        {"EAN13", 12, "O codigo é maior que 12 caracteres"},
        {"EAN8", 8, "O codigo é maior que 8 caracteres"},
        {"CODABAR", 40, "O codigo é maior que 40 caracteres"},
        {"ITF", 30, "O codigo é maior que 30 caracteres"},
        {"ISBN", 19, "O codigo é maior que 19 caracteres"},
        {"UPCA", 11, "O codigo é maior que 11 caracteres"},
        {"UPCE", 6, "O codigo é maior que 6 caracteres"},
        {"MSI", 32, "O codigo é maior que 32 caracteres"},
        {"PLESSEY", 26, "O codigo é maior que 26 caracteres "},
        {"CODE39", 30, "O codigo é maior que 30 caracteres "},
        {"CODE93", 30, "O codigo é maior que 30 caracteres "},
        {"CODE128", 84, "O codigo é maior que 84 caracteres "},
        {"PDF417", 1024, "O código é maior que 1024 caracteres"},
    };
    const std::string message(490, 'M');
    for (const ClosingLimit& l : closing) {
        line->reply(kReplyOk);
        EXPECT_EQ(closeWith(message.c_str(), l.type, std::string(l.max, '1').c_str()), 1);
        newWire();
        expectRefused([&] { return closeWith("", l.type, std::string(l.max + 1, '1').c_str()); },
                      closingName, l.tooLong);
    }
    expectRefused([] { return closeWith(std::string(491, 'M').c_str(), "", ""); }, closingName,
                  "A mensagem promocional é maior que 490 caracteres ");
}

TEST_F(BarcodeExportsTest, RefusalsLogTheirMessagesAndSendNothing) {
    const std::string huge(10000, '1');
    struct Case {
        std::function<int()> call;
        std::string exportName;  // after "Quelmar_FI_"
        std::string message;
        std::string tail = "";  // bytes after the message, as sent
    };
    const std::vector<Case> cases = {
        {[] { return Quelmar_FI_CodigoBarrasCODABARMFD(nullptr); }, "CodigoBarrasCODABARMFD",
         "O codigo não foi informado"},
        {[] { return Quelmar_FI_CodigoBarrasCODABARMFD("E"); }, "CodigoBarrasCODABARMFD",
         "Caracter inválido no código E"},
        {[] { return Quelmar_FI_CodigoBarrasCODE128MFD(""); }, "CodigoBarrasCODE128MFD",
         "O código não foi informado"},
        {[] { return Quelmar_FI_CodigoBarrasCODE128MFD("a\x80"); }, "CodigoBarrasCODE128MFD",
         "Caracter inválido no código a", "\x80"},
        {[] { return Quelmar_FI_CodigoBarrasCODE93MFD("\xFF"); }, "CodigoBarrasCODE93MFD",
         "Caracter inválido no código ", "\xFF"},
        {[] { return Quelmar_FI_CodigoBarrasCODE39MFD("a_"); }, "CodigoBarrasCODE39MFD",
         "Caracter inválido no código a_"},
        {[&] { return Quelmar_FI_CodigoBarrasCODE39MFD(huge.c_str()); }, "CodigoBarrasCODE39MFD",
         "O código é maior que 30 caracteres "},
        {[] { return Quelmar_FI_CodigoBarrasUPCAMFD("12a"); }, "CodigoBarrasUPCAMFD",
         "O código contém caracteres não numéricos 12a"},
        {[] { return Quelmar_FI_CodigoBarrasUPCEMFD("1a"); }, "CodigoBarrasUPCEMFD",
         "O código contém caracteres não numéricos"},
        {[] { return Quelmar_FI_CodigoBarrasEAN13MFD("-1"); }, "CodigoBarrasEAN13MFD",
         "O código contém caracteres não numéricos -1"},
        {[] { return Quelmar_FI_CodigoBarrasEAN8MFD("1.5"); }, "CodigoBarrasEAN8MFD",
         "O código contém caracteres não numéricos 1.5"},
        {[] { return Quelmar_FI_CodigoBarrasMSIMFD("A"); }, "CodigoBarrasMSIMFD",
         "Caracter inválido no código A"},
        {[] { return Quelmar_FI_CodigoBarrasPLESSEYMFD("G"); }, "CodigoBarrasPLESSEYMFD",
         "O código contém caracteres não numéricos G"},
        {[] { return Quelmar_FI_CodigoBarrasISBNMFD("x"); }, "CodigoBarrasISBNMFD",
         "O código contém caracteres inválidos x"},
        {[] { return Quelmar_FI_CodigoBarrasITFMFD("1 "); }, "CodigoBarrasITFMFD",
         "O código contém caracteres não numéricos 1 "},
        // PDF417's checks in their order.
        {[] { return Quelmar_FI_CodigoBarrasPDF417MFD(9, 0, 0, 31, nullptr); },
         "CodigoBarrasPDF417MFD", "Valor invalido para o parametro CorrecaoErros: 9"},
        {[] { return Quelmar_FI_CodigoBarrasPDF417MFD(0, 9, 0, 31, nullptr); },
         "CodigoBarrasPDF417MFD", "Valor invalido para o parametro Altura: 9"},
        {[] { return Quelmar_FI_CodigoBarrasPDF417MFD(0, 1, 5, 31, nullptr); },
         "CodigoBarrasPDF417MFD", "Valor invalido para o parametro Largura: 5"},
        {[] { return Quelmar_FI_CodigoBarrasPDF417MFD(0, 1, 1, 31, nullptr); },
         "CodigoBarrasPDF417MFD", "Valor invalido para o parametro Colunas: 31"},
        {[] { return Quelmar_FI_CodigoBarrasPDF417MFD(0, 1, 1, 0, nullptr); },
         "CodigoBarrasPDF417MFD", "O código não foi informado"},
        {[&] { return Quelmar_FI_CodigoBarrasPDF417MFD(0, 1, 1, 0, huge.c_str()); },
         "CodigoBarrasPDF417MFD", "O código é maior que 1024 caracteres"},
        // The look: altura 0 and 256, margem 576.
        {[] { return Quelmar_FI_ConfiguraCodigoBarrasMFD(0, 0, 0, 0, 0); },
         "ConfiguraCodigoBarrasMFD", "Parâmetro inválido para a altura (1-255): 0"},
        {[] { return Quelmar_FI_ConfiguraCodigoBarrasMFD(256, 0, 0, 0, 0); },
         "ConfiguraCodigoBarrasMFD", "Parâmetro inválido para a altura (1-255): 256"},
        {[] { return Quelmar_FI_ConfiguraCodigoBarrasMFD(1, 3, 0, 0, 0); },
         "ConfiguraCodigoBarrasMFD", "Parâmetro inválido para a largura (0-2): 3"},
        {[] { return Quelmar_FI_ConfiguraCodigoBarrasMFD(1, 0, 4, 0, 0); },
         "ConfiguraCodigoBarrasMFD", "Parâmetro inválido para a posição dos caracteres (0-3): 4"},
        {[] { return Quelmar_FI_ConfiguraCodigoBarrasMFD(1, 0, 0, 2, 0); },
         "ConfiguraCodigoBarrasMFD", "Parâmetro inválido para a fonte (0-1): 2"},
        {[] { return Quelmar_FI_ConfiguraCodigoBarrasMFD(255, 0, 0, 0, 576); },
         "ConfiguraCodigoBarrasMFD", "Parâmetro inválido para a margem (0-575): 576"},
        // The closing.
        {[] { return closeWith("X", "EAN13", nullptr); }, "TerminaFechamentoCupomCodigoBarrasMFD",
         "O codigo não foi informado"},
        {[] { return closeWith("X", "EAN13", "1", 256); }, "TerminaFechamentoCupomCodigoBarrasMFD",
         "Parâmetro inválido para a altura (1-255): 256"},
        {[] { return closeWith("X", "EAN13", "1", 1, 3); }, "TerminaFechamentoCupomCodigoBarrasMFD",
         "Parâmetro inválido para a largura (0-2): 3"},
        {[] { return closeWith("X", "Pdf417", "1", 1, 9); },
         "TerminaFechamentoCupomCodigoBarrasMFD", "Parâmetro inválido para a largura (1-8): 9"},
        {[] { return closeWith("X", "EAN13", "1", 1, 0, 0, 0, 576); },
         "TerminaFechamentoCupomCodigoBarrasMFD", "Parâmetro inválido para a margem (0-575): 576"},
        {[] { return closeWith("X", "QRCODE", "1"); }, "TerminaFechamentoCupomCodigoBarrasMFD",
         "Parâmetro inválido para o tipo de código QRCODE"},
        {[] { return closeWith("X", "EAN8", "1a"); }, "TerminaFechamentoCupomCodigoBarrasMFD",
         "O código possui caracteres não numéricos 1a"},
        {[] { return closeWith("X", "MSI", "1a"); }, "TerminaFechamentoCupomCodigoBarrasMFD",
         "O código possui caracter não numérico 1a"},
        {[] { return closeWith("X", "PLESSEY", "G"); }, "TerminaFechamentoCupomCodigoBarrasMFD",
         "O código contém caracteres inválidos G"},
        {[] { return closeWith("X", "PDF417", "1", 1, 1, 0, 0, 0, 9); },
         "TerminaFechamentoCupomCodigoBarrasMFD", "Valor inválido para correção de erros (0-8): 9"},
        {[] { return closeWith("X", "PDF417", "1", 1, 1, 0, 0, 0, 8, 31); },
         "TerminaFechamentoCupomCodigoBarrasMFD", "Valor inválido para colunas (0-30): 31"},
    };
    for (const Case& c : cases)
        expectRefused(c.call, "Quelmar_FI_" + c.exportName, c.message, c.tail);
    EXPECT_EQ(state().barcodeHeight, 162);
}

TEST_F(BarcodeExportsTest, ClosingEndsTheCouponOnlyWhenThePrinterTookIt) {
    const std::string name = "Quelmar_FI_TerminaFechamentoCupomCodigoBarrasMFD";
    struct Case {
        std::function<int()> call;
        std::string sent;
        std::string reply;
        bool stillOpen;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        // Lower case taken; EAN-13 carries its own look, so no GS settings; the message in the
        // printer's letters.
        {[] { return closeWith("VOLTE J\xC1", "ean13", "789", 100, 1, 3); },
         "\x1C\"VOLTE J\xB5\r\n\x1B|0\x64"
         "33"
         "789" +
             zeros(1),
         kReplyOk,
         false,
         {cp1252("Parâmetros: VOLTE JÁ"), "|ean13|789|100|1|3|0|0|0|0"}},
        // PDF417's own width in its sequence, code 4 in the settings.
        {[] { return closeWith(nullptr, "PDF417", "AB", 3, 5, 1, 1, 300, 2, 4); },
         "\x1C\"" + kGs + "h\x03" + kGs + "w\x04" + kGs + "H\x01" + kGs + "f\x01" + kGs +
             "k\x84\x2C\x01" + kGs + "k\x80\x02\x03\x05\x04\x02" + zeros(1) + "AB",
         kReplyOk,
         false,
         {cp1252("Parâmetros:  "), "|PDF417|AB|3|5|1|1|300|2|4"}},
        // No type, no barcode; a refusal (ST2) leaves the coupon open.
        {[] { return closeWith("Volte sempre", "", nullptr, 0, 9); },
         "\x1C\"Volte sempre\r\n",
         bytes({6, 0, 1, 0, 0}),
         true,
         {cp1252("Parâmetros: Volte sempre"), "|||0|9|2|0|0|0|0"}},
        {[] { return closeWith("", "itf", "12"); },
         "\x1C\"" + kGs + "h\x64" + kGs + "w\x03" + kGs + "H\x02" + kGs + "f" + zeros(1) + kGs +
             "k\x84" + zeros(2) + kGs +
             "k\x05"
             "12" +
             zeros(1),
         bytes({21, 0, 0, 0, 0}),
         true,
         {cp1252("Parâmetros:  "), "|itf|12|100|1|2|0|0|0|0"}},
    };
    for (const Case& c : cases) {
        state().couponOpen = true;
        line->reply(c.reply);
        c.call();
        EXPECT_EQ(commands(), std::vector<std::string>{c.sent});
        EXPECT_EQ(state().couponOpen, c.stillOpen);
        const std::vector<std::string> lines = logLines();
        EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end() - 1), c.lines);
    }
    EXPECT_EQ(state().barcodeHeight, 162);  // the closing's look is not remembered
}

TEST_F(BarcodeExportsTest, FailuresAndStatusComeBackWithTheExportsLine) {
    // A silent printer.
    EXPECT_EQ(Quelmar_FI_CodigoBarrasEAN13MFD("1"), 0);
    EXPECT_EQ(lastLogLine(), "Retorno Quelmar_FI_CodigoBarrasEAN13MFD: 0 - Erro de comunicacao");
    EXPECT_EQ(closeWith("X", "", ""), 0);
    EXPECT_EQ(lastLogLine(),
              "Retorno Quelmar_FI_TerminaFechamentoCupomCodigoBarrasMFD: 0 - Erro de comunicacao");
    // The look is remembered whatever became of its command.
    EXPECT_EQ(Quelmar_FI_ConfiguraCodigoBarrasMFD(80, 0, 1, 0, 0), 0);
    EXPECT_EQ(state().barcodeWidth, 2);
    // A barcode the printer refused, under StatusFuncao.
    reconfigure("StatusFuncao=1\n", "Impressora=1\n");
    state().mfdPrinter = true;
    line->reply(bytes({6, 0, 0x81, 0, 0}));
    EXPECT_EQ(Quelmar_FI_CodigoBarrasCODE39MFD("A"), -27);
    EXPECT_EQ(lastLogLine(), "Retorno Quelmar_FI_CodigoBarrasCODE39MFD: -27");
}

TEST_F(BarcodeExportsTest, ClientModeLeavesTheRecordsAndTheLookUntouched) {
    reconfigure("ConfigRede=1\n", "Impressora=1\n");
    const std::string file = workDir() + "/Quelfi32.cmd";
    const auto recorded = [&](const std::function<int()>& call) {
        std::filesystem::remove(file);
        EXPECT_EQ(call(), 1);
        return readFile(file);
    };
    EXPECT_EQ(recorded([] { return Quelmar_FI_CodigoBarrasPDF417MFD(2, 3, 2, 5, "AB"); }),
              "221|2|3|2|5|AB");
    for (std::size_t i = 0; i < kStandalone.size(); ++i)
        EXPECT_EQ(recorded([&] { return kStandalone[i].call("12"); }),
                  std::to_string(222 + i) + "|12");
    EXPECT_EQ(recorded([] { return Quelmar_FI_ConfiguraCodigoBarrasMFD(50, 0, 1, 0, 10); }),
              "234|50|2|1|0|10");
    EXPECT_EQ(recorded([] { return closeWith("OBRIGADO", "EAN13", "789"); }),
              "235|OBRIGADO|EAN13|789|100|1|2|0|0|0|0");
    EXPECT_EQ(state().barcodeHeight, 162);
    EXPECT_EQ(state().barcodeWidth, 3);
    EXPECT_EQ(state().barcodeTextPosition, 2);
    EXPECT_EQ(line->written, "");
}

}  // namespace
}  // namespace quelfi::test

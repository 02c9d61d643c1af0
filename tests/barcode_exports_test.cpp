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
const std::string kFsC = std::string("\x1C") + "C";
const std::string kGs = "\x1D";

std::string zeros(std::size_t n) {
    return std::string(n, '\0');
}

// "O código é maior que N caracteres" as the standalone exports spell it ("codigo" in the
// closing's messages).
std::string tooLong(std::size_t n, const char* end = " ", const char* code = "código") {
    return "O " + std::string(code) + " é maior que " + std::to_string(n) + " caracteres" + end;
}

// The standalone exports in the order of their records (222 on): the longest code, the length
// sent for it, the symbology byte (EAN-13: its text-position digit), the too-long message; then the
// closing's longest code and too-long message.
struct Symbology {
    int (*call)(const char*);
    std::string name;
    std::size_t max, sent;
    char byte;
    std::string tooLong;
    std::size_t closingMax;
    std::string closingTooLong;
};
#define QF_ROW(name, ...) \
    { Quelmar_FI_CodigoBarras##name##MFD, #name, __VA_ARGS__ }
const std::vector<Symbology> kSymbologies = {
    QF_ROW(CODABAR, 40, 49, 6, tooLong(40, "", "codigo"), 40, tooLong(40, "", "codigo")),
    QF_ROW(CODE128, 84, 94, 'I', tooLong(84, ": "), 84, tooLong(84, " ", "codigo")),
    QF_ROW(CODE39, 30, 39, 4, tooLong(30), 30, tooLong(30, " ", "codigo")),
    QF_ROW(CODE93, 30, 40, 'H', tooLong(30), 30, tooLong(30, " ", "codigo")),
    QF_ROW(UPCA, 11, 20, 0, tooLong(11), 11, tooLong(11, "", "codigo")),
    QF_ROW(UPCE, 6, 15, 1, tooLong(6, ""), 6, tooLong(6, "", "codigo")),
    QF_ROW(EAN13, 12, 21, '2', tooLong(12), 12, tooLong(12, "", "codigo")),
    QF_ROW(EAN8, 7, 16, 3, tooLong(7), 8, tooLong(8, "", "codigo")),
    QF_ROW(MSI, 32, 41, 22, tooLong(32), 32, tooLong(32, "", "codigo")),
    QF_ROW(PLESSEY, 26, 35, 23, tooLong(26), 26, tooLong(26, " ", "codigo")),
    QF_ROW(ISBN, 19, 28, 21, tooLong(19), 19, tooLong(19, "", "codigo")),
    QF_ROW(ITF, 60, 69, 5, tooLong(60), 30, tooLong(30, "", "codigo"))};
#undef QF_ROW

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
    std::vector<std::string> logLines(std::size_t last) {
        std::vector<std::string> lines;
        const std::string log = workLog();
        for (std::size_t at = 0, end; (end = log.find("\r\r\n", at)) != std::string::npos;
             at = end + 3)
            lines.push_back(log.substr(at, end - at));
        return {lines.end() - static_cast<long>(last), lines.end()};
    }
    // "Retorno Quelmar_FI_<name>: -2 - ", `message` (UTF-8) and `tail`; nothing sent.
    void expectRefused(int result, const std::string& name, const std::string& message,
                       const std::string& tail = "") {
        EXPECT_EQ(result, -2) << message;
        EXPECT_EQ(logLines(1)[0],
                  "Retorno Quelmar_FI_" + name + ": -2 - " + cp1252(message) + tail);
        EXPECT_EQ(newWire(), "");
    }
};

TEST_F(BarcodeExportsTest, EachFormCarriesTheConfiguredLook) {
    const std::vector<std::pair<std::function<int()>, std::string>> cases = {
        {[] { return Quelmar_FI_CodigoBarrasCODE128MFD("ab\x7F"); },
         kFsC + kGs + "H\x02" + kGs + "kI\x03" + "ab\x7F" + zeros(1)},
        {[] { return Quelmar_FI_CodigoBarrasUPCAMFD("123"); },
         kFsC + kGs + "H\x02" + kGs + "k" + zeros(1) + "123" + zeros(9)},
        {[] { return Quelmar_FI_CodigoBarrasEAN13MFD("789"); },
         kFsC + "\x1B|0\xA2" + "32" + "789" + zeros(10)},
        {[] { return Quelmar_FI_CodigoBarrasPDF417MFD(2, 3, 2, 5, "AB"); },
         kFsC + kGs + "k\x80\x02\x03\x02\x05\x02" + zeros(1) + "AB"},
        // Width 2 is code 4; margin 300 is 44 + 256.
        {[] { return Quelmar_FI_ConfiguraCodigoBarrasMFD(50, 2, 0, 1, 300); },
         kFsC + kGs + "h\x32" + kGs + "w\x04" + kGs + "H" + zeros(1) + kGs + "f\x01" + kGs +
             "k\x84\x2C\x01"},
        {[] { return Quelmar_FI_CodigoBarrasEAN13MFD("1"); },
         kFsC + "\x1B|0\x32" + "40" + "1" + zeros(12)}};
    for (const auto& [call, sent] : cases) {
        line->reply(kReplyOk);
        EXPECT_EQ(call(), 1);
        EXPECT_EQ(commands(), std::vector<std::string>{sent});
    }
    EXPECT_EQ(logLines(3),
              (std::vector<std::string>{"Quelmar_FI_CodigoBarrasEAN13MFD ", cp1252("Parâmetros: 1"),
                                        "Retorno Quelmar_FI_CodigoBarrasEAN13MFD: 1"}));
    // A silent printer; the look is remembered whatever became of its command. (A refusal
    // under StatusFuncao is shown against the virtual printer.)
    EXPECT_EQ(Quelmar_FI_ConfiguraCodigoBarrasMFD(80, 0, 1, 0, 0), 0);
    EXPECT_EQ(logLines(1)[0],
              "Retorno Quelmar_FI_ConfiguraCodigoBarrasMFD: 0 - Erro de comunicacao");
    EXPECT_EQ(state().barcodeWidth, 2);
}

TEST_F(BarcodeExportsTest, EveryLimitAtItsEdgeInBothColumns) {
    const std::string message(490, 'M');
    const std::string closing = "TerminaFechamentoCupomCodigoBarrasMFD";
    for (const Symbology& s : kSymbologies) {
        line->reply(kReplyOk);
        EXPECT_EQ(s.call(std::string(s.max, '1').c_str()), 1) << s.name;
        const std::string sent = commands().at(0);
        EXPECT_EQ(sent.size(), s.sent) << s.name;
        EXPECT_EQ(sent[7], s.byte) << s.name;
        expectRefused(s.call(std::string(s.max + 1, '1').c_str()), "CodigoBarras" + s.name + "MFD",
                      s.tooLong);
        line->reply(kReplyOk);
        EXPECT_EQ(
            closeWith(message.c_str(), s.name.c_str(), std::string(s.closingMax, '1').c_str()), 1);
        newWire();
        expectRefused(closeWith("", s.name.c_str(), std::string(s.closingMax + 1, '1').c_str()),
                      closing, s.closingTooLong);
    }
    line->reply(kReplyOk);
    const std::string pdf417(1024, '\xFF');
    EXPECT_EQ(Quelmar_FI_CodigoBarrasPDF417MFD(8, 8, 4, 30, pdf417.c_str()), 1);
    EXPECT_EQ(commands().at(0).size(), 1024u + 11u);
    expectRefused(Quelmar_FI_CodigoBarrasPDF417MFD(0, 1, 1, 0, (pdf417 + "1").c_str()),
                  "CodigoBarrasPDF417MFD", "O código é maior que 1024 caracteres");
    line->reply(kReplyOk);
    EXPECT_EQ(closeWith(message.c_str(), "PDF417", pdf417.c_str()), 1);
    newWire();
    expectRefused(closeWith(std::string(491, 'M').c_str(), "", ""), closing,
                  "A mensagem promocional é maior que 490 caracteres ");
}

TEST_F(BarcodeExportsTest, RefusalsLogTheirMessagesAndSendNothing) {
    const std::string closing = "TerminaFechamentoCupomCodigoBarrasMFD";
    expectRefused(Quelmar_FI_CodigoBarrasCODABARMFD(nullptr), "CodigoBarrasCODABARMFD",
                  "O codigo não foi informado");
    expectRefused(Quelmar_FI_CodigoBarrasCODE39MFD(std::string(10000, 'A').c_str()),
                  "CodigoBarrasCODE39MFD", "O código é maior que 30 caracteres ");
    expectRefused(closeWith("X", "EAN13", nullptr), closing, "O codigo não foi informado");
    // Characters outside each set: the table's index, the code, the message and what follows it.
    const std::string invalid = "Caracter inválido no código ";
    const std::string digits = "O código contém caracteres não numéricos ";
    const std::vector<std::tuple<std::size_t, std::string, std::string, std::string>> characters = {
        {0, "E", invalid, "E"},
        {1, "a\x80", invalid, "a\x80"},
        {3, "\xFF", invalid, "\xFF"},
        {2, "a_", invalid, "a_"},
        {4, "12a", digits, "12a"},
        {5, "1a", "O código contém caracteres não numéricos", ""},
        {7, "1.5", digits, "1.5"},
        {9, "G", digits, "G"},
        {10, "x", "O código contém caracteres inválidos ", "x"}};
    for (const auto& [index, code, message, tail] : characters)
        expectRefused(kSymbologies[index].call(code.c_str()),
                      "CodigoBarras" + kSymbologies[index].name + "MFD", message, tail);
    // PDF417's checks in their order.
    const std::string pdf = "Valor invalido para o parametro ";
    const std::vector<std::pair<std::array<int, 4>, std::string>> pdf417 = {
        {{9, 0, 0, 31}, pdf + "CorrecaoErros: 9"},
        {{0, 9, 0, 31}, pdf + "Altura: 9"},
        {{0, 1, 5, 31}, pdf + "Largura: 5"},
        {{0, 1, 1, 31}, pdf + "Colunas: 31"},
        {{0, 1, 1, 0}, "O código não foi informado"}};
    for (const auto& [v, message] : pdf417)
        expectRefused(Quelmar_FI_CodigoBarrasPDF417MFD(v[0], v[1], v[2], v[3], nullptr),
                      "CodigoBarrasPDF417MFD", message);
    // The look's checks, then the closing's (the type, the code and seven numbers).
    const std::string p = "Parâmetro inválido para ";
    const std::vector<std::pair<std::array<int, 5>, std::string>> look = {
        {{0, 0, 0, 0, 0}, p + "a altura (1-255): 0"},
        {{256, 0, 0, 0, 0}, p + "a altura (1-255): 256"},
        {{1, 3, 0, 0, 0}, p + "a largura (0-2): 3"},
        {{1, 0, 4, 0, 0}, p + "a posição dos caracteres (0-3): 4"},
        {{255, 0, 0, 0, 576}, p + "a margem (0-575): 576"}};
    for (const auto& [v, message] : look)
        expectRefused(Quelmar_FI_ConfiguraCodigoBarrasMFD(v[0], v[1], v[2], v[3], v[4]),
                      "ConfiguraCodigoBarrasMFD", message);
    using End = std::tuple<const char*, const char*, std::array<int, 7>, std::string>;
    const std::vector<End> ends = {
        {"EAN13", "1", {256}, p + "a altura (1-255): 256"},
        {"Pdf417", "1", {1, 9}, p + "a largura (1-8): 9"},
        {"EAN13", "1", {1, 0, 0, 0, 576}, p + "a margem (0-575): 576"},
        {"QRCODE", "1", {1}, p + "o tipo de código QRCODE"},
        {"PLESSEY", "G", {1}, "O código contém caracteres inválidos G"},
        {"PDF417", "1", {1, 1, 0, 0, 0, 9}, "Valor inválido para correção de erros (0-8): 9"},
        {"PDF417", "1", {1, 1, 0, 0, 0, 8, 31}, "Valor inválido para colunas (0-30): 31"}};
    for (const auto& [type, code, v, message] : ends)
        expectRefused(closeWith("X", type, code, v[0], v[1], v[2], v[3], v[4], v[5], v[6]), closing,
                      message);
    EXPECT_EQ(state().barcodeHeight, 162);
}

TEST_F(BarcodeExportsTest, ClosingEndsTheCouponOnlyWhenThePrinterTookIt) {
    struct Case {
        std::function<int()> close;
        std::string sent, reply;
        bool stillOpen;
        std::string message, values;  // the two parameter lines
    };
    const std::vector<Case> cases = {
        // Lower case taken; EAN-13 carries its own look; the message in the printer's letters.
        {[] { return closeWith("VOLTE J\xC1", "ean13", "789", 100, 1, 3); },
         "\x1C\"VOLTE J\xB5\r\n\x1B|0\x64" + std::string("33789") + zeros(1), kReplyOk, false,
         "Parâmetros: VOLTE JÁ", "|ean13|789|100|1|3|0|0|0|0"},
        // PDF417's own width in its sequence, code 4 in the settings.
        {[] { return closeWith(nullptr, "PDF417", "AB", 3, 5, 1, 1, 300, 2, 4); },
         "\x1C\"" + kGs + "h\x03" + kGs + "w\x04" + kGs + "H\x01" + kGs + "f\x01" + kGs +
             "k\x84\x2C\x01" + kGs + "k\x80\x02\x03\x05\x04\x02" + zeros(1) + "AB",
         kReplyOk, false, "Parâmetros:  ", "|PDF417|AB|3|5|1|1|300|2|4"},
        // No type, no barcode; a refusal leaves the coupon open.
        {[] { return closeWith("Volte sempre", "", nullptr, 0, 9); }, "\x1C\"Volte sempre\r\n",
         bytes({6, 0, 1, 0, 0}), true, "Parâmetros: Volte sempre", "|||0|9|2|0|0|0|0"}};
    ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);  // its lines would come between
    for (const Case& c : cases) {
        state().couponOpen = true;
        line->reply(c.reply);
        c.close();
        EXPECT_EQ(commands(), std::vector<std::string>{c.sent});
        EXPECT_EQ(state().couponOpen, c.stillOpen);
        EXPECT_EQ(logLines(3)[0], cp1252(c.message));
        EXPECT_EQ(logLines(3)[1], c.values);
        EXPECT_EQ(state().barcodeHeight, 162);
    }
    EXPECT_EQ(closeWith("X", "", ""), 0);
    EXPECT_EQ(logLines(1)[0],
              "Retorno Quelmar_FI_TerminaFechamentoCupomCodigoBarrasMFD: 0 - Erro "
              "de comunicacao");
}

TEST_F(BarcodeExportsTest, ClientModeLeavesTheRecordsAndTheLookUntouched) {
    reconfigure("ConfigRede=1\n", "Impressora=1\n");
    const std::string file = workDir() + "/Quelfi32.cmd";
    const auto recorded = [&](int result) {
        EXPECT_EQ(result, 1);
        const std::string record = readFile(file);
        std::filesystem::remove(file);
        return record;
    };
    EXPECT_EQ(recorded(Quelmar_FI_CodigoBarrasPDF417MFD(2, 3, 2, 5, "AB")), "221|2|3|2|5|AB");
    for (std::size_t i = 0; i < kSymbologies.size(); ++i)
        EXPECT_EQ(recorded(kSymbologies[i].call("12")), std::to_string(222 + i) + "|12");
    EXPECT_EQ(recorded(Quelmar_FI_ConfiguraCodigoBarrasMFD(50, 0, 1, 0, 10)), "234|50|2|1|0|10");
    EXPECT_EQ(recorded(closeWith("OBRIGADO", "EAN13", "789")),
              "235|OBRIGADO|EAN13|789|100|1|2|0|0|0|0");
    EXPECT_EQ(std::tuple(state().barcodeHeight, state().barcodeWidth, state().barcodeTextPosition),
              std::tuple(162, 3, 2));
    EXPECT_EQ(line->written, "");
}

}  // namespace
}  // namespace quelfi::test

// The restaurant exports as the library sends them: each command's bytes, the rate looked up,
// the quantity sent in parts, every refusal with its line and nothing sent, and the serial
// reports written to Retorno.txt.
#include <functional>

#include "protocol_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

using Lines = std::vector<std::string>;

// The rate list with 7,00 % in slot 1 and 18,00 % in slot 2.
const std::string kRates = dataReply("\x02" + bcd("07001800") + std::string(28, '\0'));
const std::string kFirmware0320 = dataReply(bcd("0320"));

class RestaurantTest : public ConnectedTest {};

TEST_F(RestaurantTest, EachOperationSendsItsFields) {
    // Table, unit price, flag, value, quantity (1,500), code, description, rate slot.
    const std::string item =
        "0012"
        "00001000"
        "D"
        "00000050"
        "001500"
        "00000000007891"
        "Feij\xC6o" +
        std::string(11, ' ') + "01";
    struct Case {
        const char* what;
        std::function<int()> call;
        Lines sent;
    };
    const Case cases[] = {
        {"registration",
         [] {
             return Quelmar_FIR_RegistraVenda("12", "7891", "Feij\xE3o", "1", "1,500", "10,00", "d",
                                              "0,50");
         },
         {"\x1BP0" + item}},
        {"cancellation",
         [] {
             return Quelmar_FIR_CancelaVenda("12", "7891", "Feij\xE3o", "1", "1,500", "10,00", "D",
                                             "0,50");
         },
         {"\x1BP1" + item}},
        {"item transfer",
         [] {
             return Quelmar_FIR_TransferenciaItem("12", "7891", "Feij\xE3o", "1", "1,500", "10,00",
                                                  "D", "0,50", "7");
         },
         {"\x1BP5" + item + "0007"}},
        {"bill check opened", [] { return Quelmar_FIR_AbreConferenciaMesa("3"); }, {"\x1BP20003"}},
        {"whole bill check",
         [] { return Quelmar_FIR_ConferenciaMesa("12", "d", "%", "10,00"); },
         {"\x1BP20012D%00000000001000"}},
        {"bill check closed",
         [] { return Quelmar_FIR_FechaConferenciaMesa("A", "$", "1.234,56"); },
         {"\x1BP:A$00000000123456"}},
        {"table transfer",
         [] { return Quelmar_FIR_TransferenciaMesa("15", "12"); },
         {"\x1BP300150012"}},
        {"table coupon for a CPF",
         [] { return Quelmar_FIR_AbreCupomRestaurante("12", "123.456.789-09"); },
         {"\x1BP40012123.456.789-09" + std::string(15, ' ')}},
        {"table coupon", [] { return Quelmar_FIR_AbreCupomRestaurante("12", ""); }, {"\x1BP40012"}},
        // The list's final ';' adds no entry.
        {"split bill",
         [] { return Quelmar_FIR_ContaDividida("2", "10,00;5,50;", nullptr); },
         {"\x1BP;0200000000001000"
          "00000000000550"}},
        {"open tables report", [] { return Quelmar_FIR_RelatorioMesasAbertas(1); }, {"\x1BP61"}},
        {"menu", [] { return Quelmar_FIR_ImprimeCardapio(); }, {"\x1BP7"}},
    };
    for (const Case& c : cases) {
        line->reply(kOk);
        EXPECT_EQ(c.call(), 1) << c.what;
        EXPECT_EQ(commands(), c.sent) << c.what;
    }

    line->reply(dataReply("0487"));
    char free[5] = "xxxx";
    EXPECT_EQ(Quelmar_FIR_VerificaMemoriaLivre(free), 1);
    EXPECT_EQ(commands(), Lines{"\x1BP8"});
    EXPECT_EQ(std::string(free), "0487");
}

TEST_F(RestaurantTest, RateLookedUpAndQuantitySentInPartsOnItsFirmware) {
    line->reply(kRates);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FIR_RegistraVenda("1", "101", "PRATO", "1800", "2,000", "30,00", "A", ""), 1);
    const std::string prato =
        "000100003000A00000000002000" + std::string(11, '0') + "101PRATO" + std::string(12, ' ');
    EXPECT_EQ(commands(), (Lines{"\x1B\x1A", "\x1BP0" + prato + "02"}));

    line->reply(kFirmware0320);
    for (int part = 0; part < 3; ++part) line->reply(kOk);
    EXPECT_EQ(Quelmar_FIR_RegistraVenda("1", "203", "CHOPP", "2", "200,500", "20,00", "D", "0"), 1);
    const std::string chopp = std::string(11, '0') + "203CHOPP" + std::string(12, ' ') + "02";
    EXPECT_EQ(commands(), (Lines{"\x1B#\x01", "\x1BP0000100002000D00000000099000" + chopp,
                                 "\x1BP0000100002000D00000000099000" + chopp,
                                 "\x1BP0000100002000D00000000002500" + chopp}));
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FIR_RegistraVenda ", "Parâmetros: 1|101|PRATO|1800|2,000|30,00|A|",
                  "Retorno Quelmar_FIR_RegistraVenda: 1", kSep, "Quelmar_FIR_RegistraVenda ",
                  "Parâmetros: 1|203|CHOPP|2|200,500|20,00|D|0", "Quelmar_FI_VersaoFirmware ",
                  "Retorno impressora: 0320", "Retorno Quelmar_FI_VersaoFirmware: 1",
                  "Retorno Quelmar_FIR_RegistraVenda: 1"}));

    // A part that gets no answer ends the registration: the rest is not sent.
    clearLog();
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FIR_RegistraVenda("1", "203", "CHOPP", "2", "200,500", "20,00", "D", "0"), 0);
    EXPECT_EQ(commands().size(), 2u);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FIR_RegistraVenda ",
                                   "Parâmetros: 1|203|CHOPP|2|200,500|20,00|D|0",
                                   "Retorno Quelmar_FIR_RegistraVenda: 0 - Erro de comunicacao"}));
}

TEST_F(RestaurantTest, OtherFirmwareTakesNoMoreThanOneRegistrationCarries) {
    line->reply(dataReply(bcd("0310")));
    EXPECT_EQ(Quelmar_FIR_RegistraVenda("1", "203", "CHOPP", "2", "99,001", "20,00", "D", "0"), -2);
    EXPECT_EQ(commands(), Lines{"\x1B#\x01"});
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FIR_RegistraVenda ",
                        "Parâmetros: 1|203|CHOPP|2|99,001|20,00|D|0", "Quelmar_FI_VersaoFirmware ",
                        "Retorno impressora: 0310", "Retorno Quelmar_FI_VersaoFirmware: 1",
                        "Retorno Quelmar_FIR_RegistraVenda: -2 - Parametro invalido para "
                        "quantidade"}));
}

TEST_F(RestaurantTest, RefusalsSendNothing) {
    const std::string longText(10000, '7');
    const std::string manySeparators(10000, ';');
    const char* const d = "Retorno Quelmar_FIR_FechaCupomContaDividida: -2 - Parametro invalido";
    struct Case {
        std::function<int()> call;
        std::string name;
        std::string line;
    };
    const auto invalid = [](const std::string& name, const std::string& field) {
        return "Retorno Quelmar_FIR_" + name + ": -2 - Parametro invalido para " + field;
    };
    const auto sale = [](const char* table, const char* code, const char* rate, const char* price,
                         const char* flag) {
        return Quelmar_FIR_RegistraVenda(table, code, "X", rate, "1,000", price, flag, "0");
    };
    const Case cases[] = {
        {[&] { return sale("12345", "1", "01", "1", "A"); }, "RegistraVenda",
         invalid("RegistraVenda", "mesa")},
        {[&] { return sale(longText.c_str(), "1", "01", "1", "A"); }, "RegistraVenda",
         invalid("RegistraVenda", "mesa")},
        {[&] { return sale("1", "123456789012345", "01", "1", "A"); }, "RegistraVenda",
         invalid("RegistraVenda", "o codigo")},
        {[&] { return sale("1", "1", "01", "1", "X"); }, "RegistraVenda",
         invalid("RegistraVenda", "o flag de acrescimo/desconto")},
        {[&] { return sale("1", "1", "01", "1.234.567,89", "A"); }, "RegistraVenda",
         invalid("RegistraVenda", "o valor unitario")},
        {[&] { return sale("1", "1", "180", "1", "A"); }, "RegistraVenda",
         invalid("RegistraVenda", "aliquota")},
        {[&] { return sale("1", "1", longText.c_str(), "1", "A"); }, "RegistraVenda",
         invalid("RegistraVenda", "aliquota")},
        {[] { return Quelmar_FIR_CancelaVenda("1", "1", "X", "18,0", "1", "1", "A", "0"); },
         "CancelaVenda", "Retorno: -2 - Parametro invalido para aliquota"},
        {[] { return Quelmar_FIR_TransferenciaItem("1", "1", "X", "01", "1", "1", "A", "0", ""); },
         "TransferenciaItem", invalid("TransferenciaItem", "mesa de destino")},
        {[] { return Quelmar_FIR_ConferenciaMesa("1", "D", "#", "1"); }, "ConferenciaMesa",
         invalid("ConferenciaMesa", "o tipo de acrescimo/desconto")},
        {[] { return Quelmar_FIR_ContaDividida("1", "10,00", nullptr); }, "ContaDividida",
         invalid("ContaDividida", "numero de cupons")},
        {[&] { return Quelmar_FIR_ContaDividida("20", manySeparators.c_str(), nullptr); },
         "ContaDividida", invalid("ContaDividida", "o valor pago")},
        {[] { return Quelmar_FIR_ContaDividida("2", "1;2", "111;222;333"); }, "ContaDividida",
         "Retorno Quelmar_FIR_ContaDividida: -2 - Quantidade de parametros inválida no CPF"},
        {[] { return Quelmar_FIR_RelatorioMesasAbertas(2); }, "RelatorioMesasAbertas",
         invalid("RelatorioMesasAbertas", "o tipo de relatorio")},
    };
    for (const Case& c : cases) {
        clearLog();
        EXPECT_EQ(c.call(), -2) << c.line;
        EXPECT_EQ(commands(), Lines{}) << c.line;
        EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FIR_" + c.name + " ", c.line}));
    }

    // The closing with the split checks everything before it asks the printer anything.
    const std::string forms21 = "a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q;r;s;t;u";
    const struct {
        std::string count, forms, values, line;
    } closings[] = {
        {"3", forms21, forms21,
         std::string(d) + ": qtde de parametros na forma de pagto e maior "
                          "que 20"},
        {"3", manySeparators, manySeparators,
         std::string(d) + ": qtde de parametros na forma de pagto e maior que 20"},
        {"3", "a;b;c", "1;2",
         std::string(d) +
             ": qtde de parametros entre as formas de pagto e o valor das formas sao diferentes"},
        {"1", "Dinheiro", "3", std::string(d) + " para numero de cupons"},
    };
    for (const auto& c : closings) {
        clearLog();
        EXPECT_EQ(
            Quelmar_FIR_FechaCupomContaDividida(c.count.c_str(), "D", "$", "0", c.forms.c_str(),
                                                c.values.c_str(), "1;1;1", nullptr),
            -2);
        EXPECT_EQ(commands(), Lines{});
        EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FIR_FechaCupomContaDividida ", c.line}));
    }
}

TEST_F(RestaurantTest, RateNotProgrammedAfterTheTableIsReadAgain) {
    const struct {
        int (*call)(const char*, const char*, const char*, const char*, const char*, const char*,
                    const char*, const char*);
        std::string name, refusal;
    } cases[] = {
        {Quelmar_FIR_RegistraVenda, "Quelmar_FIR_RegistraVenda ",
         "Retorno Quelmar_FIR_RegistraVenda: -3 - Aliquota nao programada"},
        {Quelmar_FIR_CancelaVenda, "Quelmar_FIR_CancelaVenda ",
         "Retorno: -3 - Aliquota nao programada"},
    };
    // The table is read the first time, and read again before a rate is taken for missing.
    Lines reads = {"\x1B\x1A", "\x1B\x1A"};
    for (const auto& c : cases) {
        for (std::size_t read = 0; read < reads.size(); ++read) line->reply(kRates);
        clearLog();
        EXPECT_EQ(c.call("1", "1", "X", "2500", "1", "1", "A", "0"), -3);
        EXPECT_EQ(commands(), reads);
        reads.pop_back();
        EXPECT_EQ(workLog(), logLines({kSep, c.name, c.refusal}));
    }
}

TEST_F(RestaurantTest, SerialReportsGoToTheAnswerFile) {
    // The port stays open for the streamed text, and closes after it.
    configure("ControlePorta=1\n");
    const std::string text = "MESA0015001000000001600\r\n";
    line->reply("\x06" + std::string(2, '\0') + text + "\x03");
    EXPECT_EQ(Quelmar_FIR_RegistroVendaSerial("15"), 1);
    EXPECT_EQ(commands(), Lines{"\x1BP>0015"});
    EXPECT_EQ(readFile(workDir() + "/Retorno.txt"), text);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FIR_RegistroVendaSerial ", "Parâmetro: 15",
                        "Quelmar_FI_FechaPortaSerial ", "Retorno Quelmar_FI_FechaPortaSerial: 1",
                        "Retorno Quelmar_FIR_RegistroVendaSerial: 1"}));

    // An answer file that cannot be written.
    std::filesystem::remove(workDir() + "/Retorno.txt");
    std::filesystem::create_directory(workDir() + "/Retorno.txt");
    writeFile(workDir() + "/Retorno.txt/kept", "");
    line->reply("\x06" + std::string(2, '\0') + text + "\x03");
    clearLog();
    EXPECT_EQ(Quelmar_FIR_CardapioPelaSerial(), -8);
    EXPECT_EQ(commands(), Lines{"\x1BP="});
    const std::string log = workLog();
    const std::string last = logLines(
        {"Retorno Quelmar_FIR_CardapioPelaSerial: -8 - Erro ao escrever no arquivo retorno.txt"});
    EXPECT_EQ(log.substr(log.size() - last.size()), last);
}

}  // namespace
}  // namespace quelfi::test

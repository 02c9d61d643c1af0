// The cheque, its copy and defaults, authentication and the passenger ticket as the library sends
// them: the command bytes, every refusal with its line, the INI records, the client's records and
// the Yanco refusals.
#include "protocol_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

using Lines = std::vector<std::string>;

// Bank 001's layout holds zeros and values past a byte; 341's has ten-digit and missing values.
const std::string kLayouts =
    "[Formato]\n001=0;7;8;20;71;72;500;256;300;0;2;3;65\n341=1234567890;5\n";
const std::string kType0Layout("\x00\x07\x08\x14\x47\x48\xF4\x00\x2C\x00\x02\x03\x41", 13);
const std::string kType1Layout("\x01\x01\x01\x0D\x40\x40\x40\x40\x2C\x00\x02\x03\x41", 13);

class ChequeTest : public ConnectedTest {
  protected:
    void SetUp() override {
        ConnectedTest::SetUp();
        configure(kLayouts);
    }
};

TEST_F(ChequeTest, ChequeWithTheDefaultsAndItsCopy) {
    EXPECT_EQ(Quelmar_FI_IncluiCidadeFavorecido("Curitiba", "Jos\xE9 da Silva"), 1);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_ImprimeCheque("001", "R$ 1.234,56", "", nullptr, "01/01/52", "Obrigado"),
              1);
    const std::string cheque =
        "\x1B"
        "9"
        "00000000123456"
        "Jos\x82 da Silva" +
        std::string(32 + 19, ' ') + "Curitiba" + "01012052" + kType0Layout + "Obrigado";
    EXPECT_EQ(commands(), Lines{cheque});
    EXPECT_EQ(ini(), configuredIni() +
                         "[Opcional]\nFavorecido=Jos\xE9 da Silva\nCidade=Curitiba\n"
                         "[Copia]\nBanco=001\nValor=123456\nFavorecido=Jos\xE9 da "
                         "Silva\nCidade=Curitiba\nData=01012052\nMensagem=Obrigado\n");

    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_ImprimeCopiaCheque(), 1);
    EXPECT_EQ(commands(), Lines{cheque});
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_IncluiCidadeFavorecido ", "Parâmetros: Curitiba|José da Silva",
                  "Retorno Quelmar_FI_IncluiCidadeFavorecido: 1", kSep, "Quelmar_FI_ImprimeCheque ",
                  "Lendo favorecido no arquivo ini", "Lendo a cidade no arquivo ini",
                  "Parâmetros: 001|123456|", "Retorno Quelmar_FI_ImprimeCheque: 1", kSep,
                  "Quelmar_FI_ImprimeCopiaCheque ", "Quelmar_FI_ImprimeCheque ",
                  "Parâmetros: 001|123456|", "Retorno Quelmar_FI_ImprimeCheque: 1",
                  "Retorno Quelmar_FI_ImprimeCopiaCheque: 1"}));
}

TEST_F(ChequeTest, NewerPrintersTakeTheLayoutMappedAndTheCopyGoesToTheirOwnCheque) {
    configure(kLayouts + "[MFD]\nImpressora=1\n");
    line->reply(kOk);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_ImprimeCheque("001", "5,00", "Ana", "Piracicaba", "010153", ""), 1);
    platform.date = platform::CalendarDate{2026, 12, 6};
    EXPECT_EQ(Quelmar_FI_ImprimeCheque("341", "5,00", "Ana", "Piracicaba", nullptr, nullptr), 1);
    const std::string fields =
        "00000000000500"
        "Ana" +
        std::string(42 + 17, ' ') + "Piracicaba";
    EXPECT_EQ(commands(),
              (Lines{"\x1B"
                     "9" +
                         fields + "01011953" + kType1Layout,
                     "\x1B"
                     "9" +
                         fields + "06122026" +
                         std::string("\x40\x01\x01\x01\x01\x01\x01\x01\0\0\0\0\0", 13)}));
    // The copy goes to their own cheque, which needs the back-printing settings a plain cheque
    // did not keep.
    clearLog();
    EXPECT_EQ(Quelmar_FI_ImprimeCopiaCheque(), -2);
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_ImprimeCopiaCheque ", "Quelmar_FI_ImprimeChequeMFD ",
                        "Retorno: -2 - Parametro invalido para impressao no verso",
                        "Retorno Quelmar_FI_ImprimeCopiaCheque: -2"}));
}

TEST_F(ChequeTest, EveryRefusalWithItsLineAndNothingSent) {
    const std::string huge(10000, '7');
    const std::string invalid = "Retorno Quelmar_FI_ImprimeCheque: -2 - Parametro invalido para ";
    struct Case {
        std::vector<const char*> args;  // bank, amount, payee, city, date, message
        int code;
        Lines lines;
    };
    const std::string payee46(46, 'p'), city28(28, 'c'), message121(121, 'm');
    const Case cases[] = {
        {{"001", "", "Ana", "Rio", "", ""}, -2, {invalid + "o valor"}},
        {{"1", "5", "Ana", "Rio", "", ""}, -2, {invalid + "o numero do banco"}},
        {{"001", huge.c_str(), "Ana", "Rio", "", ""}, -2, {invalid + "o valor"}},
        {{"237", "5", "Ana", "Rio", "", ""},
         -7,
         {"Retorno Quelmar_FI_ImprimeCheque: -7 - Banco nao encontrado no arquivo ini"}},
        {{"001", "5", payee46.c_str(), "Rio", "", ""}, -2, {invalid + "o favorecido"}},
        {{"001", "5", "", "Rio", "", ""},
         -2,
         {"Lendo favorecido no arquivo ini", invalid + "o favorecido"}},
        {{"001", "5", "Ana", city28.c_str(), "", ""}, -2, {invalid + "a cidade"}},
        {{"001", "5", "Ana", "Rio", "310223", ""}, -2, {invalid + "data"}},
        {{"001", "5", "Ana", "Rio", huge.c_str(), ""}, -2, {invalid + "data"}},
        {{"001", "5", "Ana", "Rio", "", message121.c_str()}, -2, {invalid + "a mensagem"}},
    };
    configure(kLayouts + "[Opcional]\nFavorecido=" + payee46 + "\n");
    for (const Case& c : cases) {
        clearLog();
        const auto& a = c.args;
        EXPECT_EQ(Quelmar_FI_ImprimeCheque(a[0], a[1], a[2], a[3], a[4], a[5]), c.code);
        EXPECT_EQ(workLog(), logLines(Lines{kSep, "Quelmar_FI_ImprimeCheque "} + c.lines));
    }
    // The other documents' refusals: the default city's, and the needles' with its value.
    EXPECT_EQ(Quelmar_FI_IncluiCidadeFavorecido(city28.c_str(), "Ana"), -2);
    EXPECT_EQ(Quelmar_FI_ForcaImpactoAgulhas(4), -2);
    EXPECT_EQ(Quelmar_FI_ProgramaCaracterAutenticacao(std::string(10000, ',').c_str()), -2);
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_ImprimeCheque ", invalid + "a mensagem", kSep,
                  "Quelmar_FI_IncluiCidadeFavorecido ",
                  "Retorno Quelmar_FI_IncluiCidadeFavorecido: -2 - Parametro invalido para cidade",
                  kSep, "Quelmar_FI_ForcaImpactoAgulhas ",
                  "Retorno Quelmar_FI_ForcaImpactoAgulhas: -2 - Parametro invalido para o valor "
                  "de impacto4",
                  kSep, "Quelmar_FI_ProgramaCaracterAutenticacao ",
                  "Retorno Quelmar_FI_ProgramaCaracterAutenticacao: -2 - Parametro invalido "
                  "para os valores do caracter"}));
    EXPECT_TRUE(commands().empty());
}

TEST_F(ChequeTest, AuthenticationItsCharacterAndTheNeedles) {
    for (int i = 0; i < 5; ++i) line->reply(kOk);
    EXPECT_EQ(
        Quelmar_FI_ProgramaCaracterAutenticacao("0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,511"), 1);
    EXPECT_EQ(Quelmar_FI_Autenticacao(), 1);
    EXPECT_EQ(Quelmar_FI_ForcaImpactoAgulhas(3), 1);
    EXPECT_EQ(Quelmar_FI_CancelaImpressaoCheque(), 1);
    EXPECT_EQ(commands(),
              (Lines{"\x1B@" + std::string("\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C"
                                           "\x0D\x0E\x0F\x10\xFF",
                                           18),
                     "\x1B\x10", "\x1B|\x03", "\x1B>1"}));
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_ProgramaCaracterAutenticacao ",
                                   "Parâmetros: 0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,511",
                                   "Retorno Quelmar_FI_ProgramaCaracterAutenticacao: 1", kSep,
                                   "Quelmar_FI_Autenticacao ", "Retorno Quelmar_FI_Autenticacao: 1",
                                   kSep, "Quelmar_FI_ForcaImpactoAgulhas ", "Parâmetro: 3",
                                   "Retorno Quelmar_FI_ForcaImpactoAgulhas: 1", kSep,
                                   "Quelmar_FI_CancelaImpressaoCheque ",
                                   "Retorno Quelmar_FI_CancelaImpressaoCheque: 1"}));
}

// The ticket's twelve arguments, valid, with one replaced.
std::vector<std::string> ticket(std::size_t replaced = 99, std::string value = {}) {
    std::vector<std::string> a = {"01",  "0", "S\xE3o Paulo", "Campinas", "1045", "",
                                  "Ana", "",  "15/03/2024",   "10:45:00", "7",    "12"};
    if (replaced < a.size()) a[replaced] = std::move(value);
    return a;
}

int openTicket(const std::vector<std::string>& a, const char* missing = nullptr,
               std::size_t at = 99) {
    auto arg = [&](std::size_t i) { return i == at ? missing : a[i].c_str(); };
    return Quelmar_FI_AbreBilhetePassagem(arg(0), arg(1), arg(2), arg(3), arg(4), arg(5), arg(6),
                                          arg(7), arg(8), arg(9), arg(10), arg(11));
}

TEST_F(ChequeTest, PassengerTicketChecksEachArgumentInTurn) {
    const std::string invalid =
        "Retorno Quelmar_FI_AbreBilhetePassagem: -2 - Parametro invalido para ";
    const std::string fareFlag = invalid + "o flag de impressao do valor no fim do cupom";
    const std::string long41(41, 'x');
    struct Case {
        std::size_t at;
        std::optional<std::string> value;  // none: a null pointer
        std::string line;
    };
    const Case cases[] = {
        {0, std::nullopt, fareFlag},
        {0, "2", fareFlag + ": 2"},
        {1, "", invalid + "o flag de impressao enfatizada"},
        {1, "x", invalid + "o flag de impressao enfatizada: x"},
        {2, "", "Retorno: -2 - Parametro invalido para embarque"},
        {2, long41, invalid + "embarque: " + long41},
        {3, std::nullopt, invalid + "destino"},
        {4, long41, invalid + "linha: " + long41},
        {5, long41, invalid + "prefixo: " + long41},
        {6, long41, invalid + "agente: " + long41},
        {7, long41, invalid + "agencia: " + long41},
        {8, std::nullopt, invalid + "data"},
        {8, "30/02/24", invalid + "data: 30/02/24"},
        {9, "10:45", invalid + "hora"},
        {10, "", invalid + "poltrona"},
        {10, "123", invalid + "poltrona: 123"},
        {11, "1234", invalid + "plataforma: 1234"},
    };
    for (const Case& c : cases) {
        clearLog();
        EXPECT_EQ(
            c.value ? openTicket(ticket(c.at, *c.value)) : openTicket(ticket(), nullptr, c.at), -2);
        EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_AbreBilhetePassagem ", c.line})) << c.line;
    }
    EXPECT_TRUE(commands().empty());

    clearLog();
    line->reply(kOk);
    EXPECT_EQ(openTicket(ticket()), 1);
    auto w40 = [](const std::string& s) { return s + std::string(40 - s.size(), ' '); };
    EXPECT_EQ(commands(), (Lines{"\x1B%0"
                                 "10" +
                                 w40("S\xC6o Paulo") + w40("Campinas") + w40("1045") + w40("") +
                                 w40("Ana") + w40("") + "150324" + "104500" + "07" + "12 "}));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_AbreBilhetePassagem ",
                        "Parâmetros: 01|0|São Paulo|Campinas|1045||Ana||15/03/2024|10:45:00|7|12",
                        "Retorno Quelmar_FI_AbreBilhetePassagem: 1"}));
}

TEST_F(ChequeTest, ClientRecordsAndYancoRefusals) {
    configure("ConfigRede=1\n" + kLayouts);
    const std::string cmd = workDir() + "/Quelfi32.cmd";
    struct Case {
        std::function<int()> call;
        std::string record;
    };
    const Case cases[] = {
        {[] { return Quelmar_FI_ImprimeCheque("001", "R$ 5,00", "", "Rio", "010124", "M"); },
         "035|001|500||Rio|010124|M|"},
        {[] { return Quelmar_FI_ImprimeCopiaCheque(); }, "037|"},
        {[] { return Quelmar_FI_IncluiCidadeFavorecido("Rio", "Ana"); }, "039|Rio|Ana|"},
        {[] { return Quelmar_FI_CancelaImpressaoCheque(); }, "010|"},
        {[] { return Quelmar_FI_Autenticacao(); }, "008|"},
        {[] {
             return Quelmar_FI_ProgramaCaracterAutenticacao("1,2,3,4,5,6,7,8,9,1,2,3,4,5,6,7,8,9");
         },
         "065|1,2,3,4,5,6,7,8,9,1,2,3,4,5,6,7,8,9|"},
        {[] { return Quelmar_FI_ForcaImpactoAgulhas(2); }, "033|2|"},
        {[] { return openTicket(ticket()); },
         "107|01|0|S\xE3o Paulo|Campinas|1045||Ana||15/03/2024|10:45:00|7|12|"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.call(), 1);
        EXPECT_EQ(readFile(cmd), c.record);
    }
    EXPECT_TRUE(commands().empty());

    configure("ModeloImp=YANCO\n");
    clearLog();
    EXPECT_EQ(Quelmar_FI_ProgramaCaracterAutenticacao(nullptr), -30);
    EXPECT_EQ(Quelmar_FI_CancelaImpressaoCheque(), -30);
    EXPECT_EQ(Quelmar_FI_ForcaImpactoAgulhas(9), -30);
    EXPECT_EQ(Quelmar_FI_ImprimeCheque("001", "5", "Ana", "Rio", "", ""), -7);
    Lines lines;
    for (const char* name : {"Quelmar_FI_ProgramaCaracterAutenticacao",
                             "Quelmar_FI_CancelaImpressaoCheque", "Quelmar_FI_ForcaImpactoAgulhas"})
        lines = lines + Lines{kSep, std::string(name) + " ",
                              "Retorno " + std::string(name) +
                                  ": -30 - Funcao incompativel com a impressora yanco"};
    EXPECT_EQ(workLog(), logLines(lines + Lines{kSep, "Quelmar_FI_ImprimeCheque "}));
    EXPECT_TRUE(commands().empty());
}

}  // namespace
}  // namespace quelfi::test

// The printer's programming as the library sends it: each member's command, refusals, client
// records and Yanco ways.
#include "protocol_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

using Lines = std::vector<std::string>;

class ProgrammingTest : public ConnectedTest {};

struct Member {
    std::function<int()> call;
    std::string command;  // after the prefix
    std::string record;
};

const Member kMembers[] = {
    {[] { return Quelmar_FI_ProgramaAliquota("18,00", 0); },
     "\x07"
     "18000",
     "063|1800|0|"},
    {[] { return Quelmar_FI_ProgramaAliquota("5", 1); },
     "\x07"
     "05001",
     "063|5|1|"},
    {[] { return Quelmar_FI_ProgramaAliquota("17,5", 0); },
     "\x07"
     "17500",
     "063|175|0|"},
    {[] { return Quelmar_FI_ProgramaAliquota("ISS", 1); },
     "\x07"
     "00001",
     "063||1|"},
    {[] { return Quelmar_FI_NomeiaTotalizadorNaoSujeitoIcms(7, "Conta de \xC1gua"); },
     "(07Conta de \xB5gua" + std::string(6, ' '), "053|7|Conta de \xC1gua|"},
    {[] { return Quelmar_FI_NomeiaDepartamento(3, "Padaria"); }, "A03Padaria   ", "052|3|Padaria|"},
    {[] { return Quelmar_FI_AlteraSimboloMoeda("$"); }, "\x01$ ", "006|$|"},
    {[] { return Quelmar_FI_ProgramaMoedaSingular("Real"); }, ":Real" + std::string(15, ' '),
     "068|Real|"},
    {[] { return Quelmar_FI_ProgramaMoedaPlural("Reais"); }, ";Reais" + std::string(17, ' '),
     "067|Reais|"},
    {[] { return Quelmar_FI_ProgramaArredondamento(); }, "'\x01", "064|"},
    {[] { return Quelmar_FI_ProgramaTruncamento(); }, "'\x02", "069|"},
    {[] { return Quelmar_FI_ProgramaHorarioVerao(); }, "\x12", "066|"},
    {[] { return Quelmar_FI_LinhasEntreCupons(255); }, "=\xFF", "047|255|"},
    {[] { return Quelmar_FI_EspacoEntreLinhas(0); }, std::string("<\0", 2), "025|0|"},
    {[] { return Quelmar_FI_ResetaImpressora(); }, "F", "075|"},
};

TEST_F(ProgrammingTest, EachMemberSendsItsCommand) {
    Lines expected;
    for (const Member& m : kMembers) {
        line->reply(kOk);
        EXPECT_EQ(m.call(), 1) << m.record;
        expected.push_back("\x1B" + m.command);
    }
    EXPECT_EQ(commands(), expected);
}

TEST_F(ProgrammingTest, RefusalsWithTheirLines) {
    const std::string longName(20, 'n');
    struct Case {
        std::function<int()> call;
        std::string name;
        std::string line;  // after "Retorno <name>: -2 - "
    };
    const Case cases[] = {
        {[] { return Quelmar_FI_ProgramaAliquota("", 0); }, "ProgramaAliquota",
         "Parametro invalido para aliquota"},
        {[] { return Quelmar_FI_ProgramaAliquota("18,000", 0); }, "ProgramaAliquota",
         "Parametro invalido para aliquota"},
        {[] { return Quelmar_FI_ProgramaAliquota("18", 2); }, "ProgramaAliquota",
         "Parametro invalido para vinculacao da aliquota2"},
        {[] { return Quelmar_FI_NomeiaTotalizadorNaoSujeitoIcms(51, "X"); },
         "NomeiaTotalizadorNaoSujeitoIcms", "Parametro invalido para o indice51"},
        {[&] { return Quelmar_FI_NomeiaTotalizadorNaoSujeitoIcms(1, longName.c_str()); },
         "NomeiaTotalizadorNaoSujeitoIcms", "Parametro invalido para totalizador"},
        {[] { return Quelmar_FI_NomeiaDepartamento(0, "X"); }, "NomeiaDepartamento",
         "Parametro invalido para o indice0"},
        {[] { return Quelmar_FI_NomeiaDepartamento(1, nullptr); }, "NomeiaDepartamento",
         "Parametro invalido para o departamento"},
        {[] { return Quelmar_FI_AlteraSimboloMoeda("R$$"); }, "AlteraSimboloMoeda",
         "Parametro invalido para simbolo da moeda"},
        {[] { return Quelmar_FI_ProgramaMoedaSingular(""); }, "ProgramaMoedaSingular",
         "Parametro invalido para moeda no singular"},
        {[] { return Quelmar_FI_ProgramaMoedaPlural(""); }, "ProgramaMoedaPlural",
         "Parametro invalido para moeda no plural"},
        {[&] { return Quelmar_FI_ProgramaMoedaPlural(longName.c_str()); }, "ProgramaMoedaPlural",
         "Parametro invalido para moeda plural"},
        {[] { return Quelmar_FI_LinhasEntreCupons(0); }, "LinhasEntreCupons",
         "Parametro invalido para o numero de linhas0"},
        {[] { return Quelmar_FI_EspacoEntreLinhas(-1); }, "EspacoEntreLinhas",
         "Parametro invalido para espacamento entre as linhas-1"},
    };
    for (const Case& c : cases) {
        clearLog();
        EXPECT_EQ(c.call(), -2);
        const std::string name = "Quelmar_FI_" + c.name;
        EXPECT_EQ(workLog(), logLines({kSep, name + " ", "Retorno " + name + ": -2 - " + c.line}));
    }
    EXPECT_TRUE(commands().empty());
}

TEST_F(ProgrammingTest, ClientRecordsWhateverTheNesting) {
    configure("ConfigRede=1\n");
    core::state().nestedCall = 1;  // the family logs its separator all the same
    for (const Member& m : kMembers) {
        clearLog();
        EXPECT_EQ(m.call(), 1);
        EXPECT_EQ(readFile(workDir() + "/Quelfi32.cmd"), m.record);
    }
    // Daylight saving's closing line has no colon; the others name their parameters.
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_ResetaImpressora ",
                                   "Retorno Quelmar_FI_ResetaImpressora: 1"}));
    clearLog();
    EXPECT_EQ(Quelmar_FI_ProgramaHorarioVerao(), 1);
    EXPECT_EQ(Quelmar_FI_ProgramaAliquota("18,00", 1), 1);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_ProgramaHorarioVerao ",
                                   "Retorno Quelmar_FI_ProgramaHorarioVerao 1", kSep,
                                   "Quelmar_FI_ProgramaAliquota ", "Parâmetros: 1800|1",
                                   "Retorno Quelmar_FI_ProgramaAliquota: 1"}));
    EXPECT_TRUE(commands().empty());
}

TEST_F(ProgrammingTest, YancoRefusesBeforeCheckingAndKeepsTheCurrencyNames) {
    configure("ModeloImp=YANCO\n");
    Lines expected;
    for (const char* name :
         {"ProgramaAliquota", "NomeiaDepartamento", "AlteraSimboloMoeda", "ProgramaArredondamento",
          "ProgramaTruncamento", "LinhasEntreCupons", "EspacoEntreLinhas", "ResetaImpressora"}) {
        const std::string n = "Quelmar_FI_" + std::string(name);
        expected =
            expected + Lines{kSep, n + " ",
                             "Retorno " + n + ": -30 - Funcao incompativel com a impressora yanco"};
    }
    EXPECT_EQ(Quelmar_FI_ProgramaAliquota(nullptr, 9), -30);
    EXPECT_EQ(Quelmar_FI_NomeiaDepartamento(99, nullptr), -30);
    EXPECT_EQ(Quelmar_FI_AlteraSimboloMoeda(""), -30);
    EXPECT_EQ(Quelmar_FI_ProgramaArredondamento(), -30);
    EXPECT_EQ(Quelmar_FI_ProgramaTruncamento(), -30);
    EXPECT_EQ(Quelmar_FI_LinhasEntreCupons(0), -30);
    EXPECT_EQ(Quelmar_FI_EspacoEntreLinhas(999), -30);
    EXPECT_EQ(Quelmar_FI_ResetaImpressora(), -30);
    EXPECT_EQ(Quelmar_FI_ProgramaMoedaSingular("D\xF3lar"), 1);
    EXPECT_EQ(Quelmar_FI_ProgramaMoedaPlural("D\xF3lares"), 1);
    EXPECT_EQ(Quelmar_FI_NomeiaTotalizadorNaoSujeitoIcms(4, "Luz"), -2);
    EXPECT_EQ(
        workLog(),
        logLines(expected + Lines{kSep, "Quelmar_FI_ProgramaMoedaSingular ", "Parâmetros: Dólar",
                                  "Retorno Quelmar_FI_ProgramaMoedaSingular: 1 - Ok", kSep,
                                  "Quelmar_FI_ProgramaMoedaPlural ", "Parâmetros: Dólares",
                                  "Retorno Quelmar_FI_ProgramaMoedaPlural: 1 - Ok", kSep,
                                  "Quelmar_FI_NomeiaTotalizadorNaoSujeitoIcms ",
                                  "Retorno Quelmar_FI_NomeiaTotalizadorNaoSujeitoIcms: -2 - "
                                  "Parametro inválido para o índice do totalizador. Na "
                                  "impressora yanco o índice deve estar entre 5 e 8"}));
    EXPECT_EQ(ini(), configuredIni() + "[Config]\nMoedaSing=D\xF3lar\nMoedaPlu=D\xF3lares\n");
    EXPECT_TRUE(commands().empty());
}

}  // namespace
}  // namespace quelfi::test

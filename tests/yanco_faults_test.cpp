// What the Yanco road does where a literal reading would lose or garble data: a start of day that
// closes the port, amounts too wide for 32 bits, the client's raw request, the DLL's names; and
// the network driver serving a Yanco printer.
#include <filesystem>
#include <string>

#include "core/printer_state.h"
#include "exports/module_definition.h"
#include "exports/surface.h"
#include "quelfi/network_driver.h"
#include "support/yanco_frames.h"
#include "yanco_fixture.h"

namespace quelfi::test {
namespace {

using core::state;

class YancoFaultsTest : public YancoTest {};

TEST_F(YancoFaultsTest, StartOfDayUnderPortControlHandsThePortOverOpen) {
    start("day=0");
    writeIni("[Sistema]\nPorta=COM1\nModeloImp=YANCO\nControlePorta=1\n");
    load();
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(commands(), std::vector<std::string>{"121" + kBlanks13});
    EXPECT_EQ(state().portOpen, 1);
    EXPECT_TRUE(printer->model().dayOpen);
}

TEST_F(YancoFaultsTest, AmountsWiderThan32Bits) {
    start();
    configure();
    // Twelve digits of centavos and the third decimal make thirteen digits, never wrapped.
    EXPECT_EQ(Quelmar_FI_Suprimento("9999999999,99", ""), 1);
    EXPECT_EQ(Quelmar_FI_Suprimento("0,01", ""), 1);
    EXPECT_EQ(Quelmar_FI_Sangria("009999999999,99"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"2903019999999999990" + kBlanks13,
                                                    "2903010000000000010" + kBlanks13,
                                                    "2902019999999999990" + kBlanks13}));
    EXPECT_EQ(readFile(systemDir() + "/QuelFI32.ini").find("TOTSUPR=01000000000000\n") !=
                  std::string::npos,
              true);
    // Thirteen digits of centavos do not fit.
    clearLog();
    EXPECT_EQ(Quelmar_FI_Sangria("12345678901,23"), -2);
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_Sangria ", "Parâmetro: 12345678901,23",
                                   "Retorno Quelmar_FI_Sangria: -2 - Parametro invalido para valor "
                                   "da sangria na yanco: 12345678901,23"}));
}

TEST_F(YancoFaultsTest, ClientRawRequestClearsTheLastStatusFirst) {
    start();
    const std::string shared = root() + "/shared";
    std::filesystem::create_directory(shared);
    writeIni("[Sistema]\npath=" + shared + "\nConfigRede=1\nModeloImp=YANCO\n");
    load();
    writeFile(shared + "/Status.txt", "6,0,0");
    EXPECT_EQ(Quelmar_FI_ComandoDriverRede(raw("34077", '1').c_str()), 1);
    EXPECT_EQ(readFile(shared + "/Quelfi32.cmd"), raw("34077", '1'));
    EXPECT_FALSE(fileExists(shared + "/Status.txt"));
    EXPECT_TRUE(line->frames().empty());
}

TEST_F(YancoFaultsTest, DriverServesRawRequestsAndRecordsOnAYancoPrinter) {
    start("coo=77");
    configure();
    tool::enterDriverMode();
    const tool::CallTable& table = tool::libraryCallTable();
    const tool::DriverAnswer answer = tool::runRequest(table, raw("34077", '1'));
    EXPECT_EQ(answer.status, "6,0,0");
    EXPECT_EQ(answer.data,
              yancoReply(line->frames().back().substr(1, 4), '0', "34", "00000077").substr(0, 17));
    EXPECT_EQ(tool::runRequest(table, "055|"), (tool::DriverAnswer{"6,0,0", "000077"}));
    // The sale's records go through the Quelmar exports to the Yanco operations.
    EXPECT_EQ(tool::runRequest(table, "089|1|A|II|I|1|2|1,00|$|0|").status, "6,0,0");
    EXPECT_EQ(tool::runRequest(table, "029|Dinheiro|Obrigado|").status, "6,0,0");
    EXPECT_EQ(commands().back(), "1600Obrigado" + std::string(160, ' '));
}

TEST(YancoExports, DecoratedInTheDll) {
    std::vector<std::string> names;
    for (const exports::ExportInfo& e : exports::kSurface)
        if (std::string_view(e.name).starts_with("Yanco_FI_"))
            names.push_back(exports::windowsName(e));
    EXPECT_EQ(names, (std::vector<std::string>{
                         "_Yanco_FI_VendeItem@36", "_Yanco_FI_CancelaCupom@0",
                         "_Yanco_FI_CancelaItemAnterior@0", "_Yanco_FI_CancelaItemGenerico@4",
                         "_Yanco_FI_IniciaFechamentoCupom@12", "_Yanco_FI_EfetuaFormaPagamento@8",
                         "_Yanco_FI_TerminaFechamentoCupom@4", "_Yanco_FI_FechaCupomResumido@8",
                         "_Yanco_FI_FechaCupom@24", "_Yanco_FI_VerificaEstadoImpressora@12",
                         "_Yanco_FI_RetornoImpressora@12", "_Yanco_FI_FechaRelatorioXouZ@0"}));
}

}  // namespace
}  // namespace quelfi::test

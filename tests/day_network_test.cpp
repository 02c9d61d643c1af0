// The day's exports in client mode: each leaves its request record for the driver program and
// talks to no printer.
#include <functional>

#include "day_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

class DayNetworkTest : public ProtocolTest {
  protected:
    void SetUp() override {
        ProtocolTest::SetUp();
        writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\nPorta=COM1\nConfigRede=1\n");
        load();
        std::filesystem::remove(workDir() + "/QuelFI32.log");
    }
};

TEST_F(DayNetworkTest, EveryExportWritesItsRecord) {
    char buffer[32] = {};
    struct Case {
        std::function<int()> call;
        std::string record;
    };
    const Case cases[] = {
        {[] { return Quelmar_FI_LeituraX(); }, "045|"},
        {[] { return Quelmar_FI_ReducaoZ("31/12/2004", "23:59:00"); }, "071|31122004|23:59:00|"},
        {[] { return Quelmar_FI_ReducaoZ(nullptr, nullptr); }, "071|||"},
        {[] { return Quelmar_FI_ReducaoZImpAntiga(); }, "237|"},
        {[] { return Quelmar_FI_LeituraMemoriaFiscalData("01/03/2024", "31/03/24"); },
         "041|010324|310324|"},
        {[] { return Quelmar_FI_LeituraMemoriaFiscalReducao("1", "25"); }, "042|1|25|"},
        {[] { return Quelmar_FI_AberturaDoDia("100,00", "Dinheiro"); }, "001|100,00|Dinheiro|"},
        {[] { return Quelmar_FI_FechamentoDoDia(); }, "030|"},
        {[&] { return Quelmar_FI_SubTotal(buffer); }, "080|"},
        {[] { return Quelmar_FI_RelatorioGerencial("linha"); }, "072|linha|"},
        {[] { return Quelmar_FI_RelatorioGerencialTEF("linha"); }, "201|"},
        {[] { return Quelmar_FI_FechaRelatorioGerencial(); }, "031|"},
        {[] { return Quelmar_FI_RecebimentoNaoFiscal("7", "10,00", "Dinheiro"); },
         "070|7|10,00|Dinheiro|"},
        {[] { return Quelmar_FI_AbreComprovanteNaoFiscalVinculado("Cartao", "50,00", "123"); },
         "002|Cartao|50,00|123|"},
        {[] { return Quelmar_FI_UsaComprovanteNaoFiscalVinculado("texto"); }, "084|texto|"},
        {[] { return Quelmar_FI_UsaComprovanteNaoFiscalVinculadoTEF("texto"); }, "200|"},
        {[] { return Quelmar_FI_FechaComprovanteNaoFiscalVinculado(); }, "027|"},
        {[] { return Quelmar_FI_Sangria("100,00"); }, "078|100,00|"},
        {[] { return Quelmar_FI_Suprimento("100,00", nullptr); }, "081|100,00||"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(workDir() + "/Quelfi32.cmd");
        EXPECT_EQ(c.call(), 1) << c.record;
        EXPECT_EQ(commandFile(), c.record);
    }
    EXPECT_TRUE(line->written.empty());
}

TEST_F(DayNetworkTest, LogLinesOfTheRecordsThatDifferFromTheUsualShape) {
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("0,00", nullptr), 1);
    EXPECT_EQ(Quelmar_FI_RelatorioGerencialTEF("texto"), 1);
    EXPECT_EQ(Quelmar_FI_ReducaoZImpAntiga(), 1);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_AberturaDoDia ", "Parâmetros: 0,00||",
                        "Retorno Quelmar_FI_AberturaDoDia: 1",
                        "Retorno Quelmar_FI_RelatorioGerencialTEF: 1", kSep, "Quelmar_FI_ReducaoZ ",
                        "Retorno Quelmar_FI_ReducaoZImpAntiga: 1"}));
}

}  // namespace
}  // namespace quelfi::test

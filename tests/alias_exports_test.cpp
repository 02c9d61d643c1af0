// The alias names: the surface's count, each English and short name at its target's address, the
// Spanish names closing the port after their target, and the credit note.
#include <dlfcn.h>

#include <algorithm>

#include "exports/surface.h"
#include "protocol_fixture.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

using Lines = std::vector<std::string>;

// 290 names of the other groups, 115 English, 88 short and 15 Spanish; 25 of them decorated.
constexpr std::size_t kNames = 290 + 115 + 88 + 15;

TEST(AliasSurface, CountsAndEachAliasAtItsTargetsAddress) {
    EXPECT_EQ(exports::kSurfaceSize, kNames);
    void* library = ::dlopen(QUELFI_SHARED_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    for (const auto& e : exports::kSurface) {
        EXPECT_TRUE(!e.name.starts_with("Quel_") || e.name.size() <= 25) << e.name;
        void* target = ::dlsym(library, std::string(e.target).c_str());
        EXPECT_TRUE(e.target.empty() || (target && dlsym(library, e.name.data()) == target));
    }
    ::dlclose(library);
    EXPECT_EQ(std::ranges::count(exports::kSurface, true, &exports::ExportInfo::decorated), 25);
}

const Lines kClosing = {kSep, "Quelmar_FI_FechaPortaSerial ",
                        "Retorno Quelmar_FI_FechaPortaSerial: 1"};

TEST_F(VirtualPrinterTest, EnglishAndSpanishNamesDoWhatTheirTargetDoes) {
    reconfigure("StatusFuncao=1\n");
    ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    clearLog();
    EXPECT_EQ(Quelmar_FI_LeituraX(), 1);
    const std::string x = workLog();
    const Lines sent = commands();
    EXPECT_EQ(Quelmar_FI_XReading(), 1);
    EXPECT_EQ(Quelmar_FI_LecturaX(), 1);
    EXPECT_EQ(workLog(), x + x + x + logLines(kClosing));
    EXPECT_EQ(commands(), sent + sent + sent);
    EXPECT_EQ(Quelmar_FI_AbreComprobanteDeVenta("123.456.789-09", "Maria"), 1);
    EXPECT_EQ(Quelmar_FI_AbreComprobanteDeVenta("", "Maria"), -27);
    EXPECT_EQ(core::state().portOpen, 0);
}

TEST_F(VirtualPrinterTest, CreditNoteFieldsFilledToTheirWidthsAndTheNoteEndedOnPaper) {
    reconfigure("StatusFuncao=1\n");
    const std::string a(41, 'A'), b(15, '1'), c(18, '2'), d(6, '3');
    // Shorter fields filled on a closed port, which stays open; fields as long as their widths
    // whole (a second note, refused: -27); a longer field would shift the others: -2, not sent.
    EXPECT_EQ(Quelmar_FI_AbreNotaDeCredito("JOSE", "12", "3", "1", "", "9", "8", "7", "6", "42"),
              1);
    EXPECT_EQ(Quelmar_FI_AbreNotaDeCredito(a.data(), b.data(), c.data(), "44", "55", "66", "77",
                                           "88", "99", d.data()),
              -27);
    EXPECT_EQ(Quelmar_FI_AbreNotaDeCredito("", "", "", "", "", "", "", "", "", "1234567"), -2);
    EXPECT_EQ(commands(), (Lines{"\x1BYJOSE" + std::string(37, ' ') + "12" + std::string(13, '0') +
                                     "3" + std::string(17, '0') + "100090807060000042",
                                 "\x1BY" + a + b + c + "445566778899" + d}));
    EXPECT_EQ(Quelmar_FI_CierraNotaDeCredito("Devolucao"), 1);
    EXPECT_EQ("\n" + printer.paper().text(), R"(
          SUPERMERCADO BOM PREÇO LTDA
CNPJ: 12.345.678/0001-90
IE: 110.042.490.114
------------------------------------------------
15/03/2024 10:30:45                   COO:001235
                NOTA DE CRÉDITO
JOSE
120000000000000 300000000000000000
10 00 90 80 70 60 000042
Devolucao
------------------------------------------------
QUELMAR ECF                    FAB: QM0123456789
VERSAO 01.03.00                  LJ:0001 CX:0007
)");
}

TEST_F(ProtocolTest, SpanishNamesCloseThePortAfterASilentPrinterAndInNetworkMode) {
    configure();
    ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    clearLog();
    EXPECT_EQ(Quelmar_FI_LecturaX(), 0);
    const Lines x = {kSep, "Quelmar_FI_LeituraX "};
    EXPECT_EQ(
        workLog(),
        logLines(x + Lines{"Retorno Quelmar_FI_LeituraX: 0 - Erro de comunicacao"} + kClosing));
    configure("ConfigRede=1\n");
    writeFile(workDir() + "/Status.txt", "6,0,0");
    EXPECT_EQ(Quelmar_FI_LecturaX(), 1);
    EXPECT_EQ(commandFile(), "045|");
    EXPECT_EQ(workLog(), logLines(x + Lines{"Retorno Quelmar_FI_LeituraX: 1"} + kClosing));
}

}  // namespace
}  // namespace quelfi::test

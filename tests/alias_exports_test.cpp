// The alias names: how many the surface carries, each English and short name one more symbol of
// its target's function, and the Spanish names, which call their target and then close the port;
// the credit note's command and its end on the virtual printer's paper.
#include <dlfcn.h>

#include "exports/surface.h"
#include "protocol_fixture.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

using core::state;
using Lines = std::vector<std::string>;

// The whole surface once every group of operations is in the table.
constexpr std::size_t kOtherNames = 290, kEnglish = 115, kShort = 88, kSpanish = 15;
constexpr std::size_t kDecorated = 25;
// Names still to come from the groups being built beside this one (the summary map and the
// streamed readings, barcodes, the journal queries and download), and the English and short names
// of those targets kept out of the table until then. Zero once they are in.
constexpr std::size_t kOtherNamesPending = 83, kEnglishPending = 4, kShortPending = 2;

struct AliasRows {
    std::size_t english = 0, shortNames = 0, spanish = 0;
};

constexpr AliasRows aliasRows() {
    AliasRows rows;
    const auto alias = [&rows](std::string_view name) {
        ++(name.starts_with("Quel_") ? rows.shortNames : rows.english);
    };
#define QF_EXPORT(record, yanco, result, name, parameters) ++rows.spanish;
#define QF_EXPORT_DECORATED(record, yanco, result, name, parameters) ++rows.spanish;
#define QF_ALIAS(name, target) alias(#name);
#define QF_ALIAS_DECORATED(name, target) alias(#name);
#define QF_FORWARDER(name, target, parameters, arguments) ++rows.spanish;
#include "exports/surface_aliases.inc"
#undef QF_EXPORT
#undef QF_EXPORT_DECORATED
#undef QF_ALIAS
#undef QF_ALIAS_DECORATED
#undef QF_FORWARDER
    return rows;
}

TEST(AliasSurface, CountsAndTheSharedLibrarysAddresses) {
    constexpr AliasRows rows = aliasRows();
    EXPECT_EQ(rows.english, kEnglish - kEnglishPending);
    EXPECT_EQ(rows.shortNames, kShort - kShortPending);
    EXPECT_EQ(rows.spanish, kSpanish);
    EXPECT_EQ(exports::kSurfaceSize, kOtherNames + kEnglish + kShort + kSpanish -
                                         kOtherNamesPending - kEnglishPending - kShortPending);
    std::size_t decorated = 0;
    void* library = ::dlopen(QUELFI_SHARED_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    for (const auto& e : exports::kSurface) {
        decorated += e.decorated ? 1 : 0;
        if (e.name.starts_with("Quel_")) {
            EXPECT_LE(e.name.size(), 25u) << e.name;
        }
        if (e.target.empty()) continue;
        void* target = ::dlsym(library, std::string(e.target).c_str());
        EXPECT_NE(target, nullptr) << e.target;
        EXPECT_EQ(::dlsym(library, std::string(e.name).c_str()), target) << e.name;
    }
    ::dlclose(library);
    EXPECT_EQ(decorated, kDecorated);
}

const Lines kPortClosing = {kSep, "Quelmar_FI_FechaPortaSerial ",
                            "Retorno Quelmar_FI_FechaPortaSerial: 1"};

class AliasOnPrinterTest : public VirtualPrinterTest {};

TEST_F(AliasOnPrinterTest, EnglishAndSpanishNamesDoWhatTheirTargetDoes) {
    reconfigure("StatusFuncao=1\n");
    ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    clearLog();
    EXPECT_EQ(Quelmar_FI_LeituraX(), 1);
    const std::string reading = workLog();
    const std::vector<std::string> sent = commands();
    clearLog();
    EXPECT_EQ(Quelmar_FI_XReading(), 1);
    EXPECT_EQ(workLog(), reading);
    clearLog();
    EXPECT_EQ(Quelmar_FI_LecturaX(), 1);
    EXPECT_EQ(workLog(), reading + logLines(kPortClosing));
    EXPECT_EQ(state().portOpen, 0);
    EXPECT_EQ(commands(), sent + sent + sent);

    // The coupon opening's result, done and then refused.
    EXPECT_EQ(Quelmar_FI_AbreComprobanteDeVenta("123.456.789-09", "Maria"), 1);
    EXPECT_EQ(Quelmar_FI_AbreComprobanteDeVenta("", "Maria"), -27);
    EXPECT_EQ(state().forwardedResult, -27);
    EXPECT_EQ(state().forwardedCloseResult, 1);
    EXPECT_EQ(state().portOpen, 0);
}

TEST_F(AliasOnPrinterTest, DayClosingSendsWhatTheReductionWithoutDateSends) {
    EXPECT_EQ(Quelmar_FI_CierreDeCajaZ(), 1);
    const std::string spanishLog = workLog();
    const std::vector<std::string> spanishSent = commands();
    reseed(kShopSeed);
    reconfigure("");
    const std::size_t before = port.frames().size();
    EXPECT_EQ(Quelmar_FI_ReducaoZ("", ""), 1);
    EXPECT_EQ(spanishLog, workLog() + logLines(kPortClosing));
    EXPECT_EQ(spanishSent, commands(before));
}

TEST_F(AliasOnPrinterTest, CreditNoteIsPrintedAndEndedByItsClosingMessage) {
    reconfigure("StatusFuncao=1\n");
    EXPECT_EQ(Quelmar_FI_AbreNotaDeCredito("JOSE DA SILVA", "12345678901", "1500", "01", "02", "03",
                                           "04", "05", "06", "42"),
              1);
    // Another document is refused while the note is open.
    EXPECT_EQ(Quelmar_FI_AbreCupom(""), -27);
    EXPECT_EQ(Quelmar_FI_CierraNotaDeCredito("Devolucao"), 1);
    EXPECT_EQ(state().portOpen, 0);
    EXPECT_EQ("\n" + printer.paper().text(), R"(
          SUPERMERCADO BOM PREÇO LTDA
CNPJ: 12.345.678/0001-90
IE: 110.042.490.114
------------------------------------------------
15/03/2024 10:30:45                   COO:001235
                NOTA DE CRÉDITO
CAMPO 01: JOSE DA SILVA
CAMPO 02: 123456789010000
CAMPO 03: 150000000000000000
CAMPO 04: 01
CAMPO 05: 02
CAMPO 06: 03
CAMPO 07: 04
CAMPO 08: 05
CAMPO 09: 06
CAMPO 10: 000042
Devolucao
------------------------------------------------
QUELMAR ECF                    FAB: QM0123456789
VERSAO 01.03.00                  LJ:0001 CX:0007
)");
}

class AliasOnLineTest : public ProtocolTest {};

TEST_F(AliasOnLineTest, SpanishNamesCloseThePortAfterASilentPrinterAndInNetworkMode) {
    configure();
    EXPECT_EQ(Quelmar_FI_LecturaX(), 0);
    const Lines opening = {"Quelmar_FI_AbrePortaSerial ", cp1252("Parâmetro: COM1"),
                           "Retorno Quelmar_FI_AbrePortaSerial: 1"};
    EXPECT_EQ(workLog(), logLines(Lines{kSep, "Quelmar_FI_LeituraX "} + opening +
                                  Lines{"Retorno Quelmar_FI_LeituraX: 0 - Erro de comunicacao"} +
                                  kPortClosing));
    EXPECT_EQ(state().portOpen, 0);

    writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\nPorta=COM1\nConfigRede=1\n");
    load();
    clearLog();
    writeFile(workDir() + "/Status.txt", "6,0,0");
    EXPECT_EQ(Quelmar_FI_LecturaX(), 1);
    EXPECT_EQ(commandFile(), "045|");
    EXPECT_EQ(workLog(),
              logLines(Lines{kSep, "Quelmar_FI_LeituraX ", "Retorno Quelmar_FI_LeituraX: 1"} +
                       kPortClosing));
}

TEST_F(AliasOnLineTest, CreditNoteFieldsFilledToTheirWidths) {
    configure("StatusFuncao=1\n");
    const std::string esc = "\x1B";
    struct Case {
        std::vector<const char*> fields;
        std::string reply;
        int result;
        std::string sent;
    };
    const std::string full41(41, 'A'), full15(15, '1'), full18(18, '2'), full6(6, '3');
    const Case cases[] = {
        // On a closed port, which the note opens and leaves open.
        {{"Ana", "12", "345", "1", "", "9", "8", "7", "6", "42"},
         kOk,
         1,
         esc + "YAna" + std::string(38, ' ') + "12" + std::string(13, '0') + "345" +
             std::string(15, '0') + "10" + "00" + "90" + "80" + "70" + "60" + "000042"},
        // Every field as long as its width; a reply with a status bit is -27.
        {{full41.c_str(), full15.c_str(), full18.c_str(), "44", "55", "66", "77", "88", "99",
          full6.c_str()},
         bytes({6, 0, 1}),
         -27,
         esc + "Y" + full41 + full15 + full18 + "445566778899" + full6},
        // A field longer than its width would shift the others: refused, nothing sent.
        {{"Ana", "12", "345", "1", "2", "3", "4", "5", "6", "1234567"}, "", -2, ""},
    };
    for (const Case& c : cases) {
        const auto& f = c.fields;
        if (!c.reply.empty()) line->reply(c.reply);
        EXPECT_EQ(Quelmar_FI_AbreNotaDeCredito(f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8],
                                               f[9]),
                  c.result);
        EXPECT_EQ(commands(), c.sent.empty() ? std::vector<std::string>{} : std::vector{c.sent});
        EXPECT_EQ(state().portOpen, 1);
    }
    const std::string note = "Quelmar_FI_AbreNotaDeCredito ";
    EXPECT_EQ(workLog(),
              logLines(Lines{kSep, note, "Quelmar_FI_AbrePortaSerial ", cp1252("Parâmetro: COM1"),
                             "Retorno Quelmar_FI_AbrePortaSerial: 1",
                             "Retorno Quelmar_FI_AbreNotaDeCredito: 1", kSep, note,
                             "Retorno Quelmar_FI_AbreNotaDeCredito: -27", kSep, note,
                             "Retorno Quelmar_FI_AbreNotaDeCredito: -2 - Parametro invalido para o "
                             "campo 10 da nota de credito: 1234567"}));
}

}  // namespace
}  // namespace quelfi::test

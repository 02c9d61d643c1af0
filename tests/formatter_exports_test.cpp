// The formatting exports against a stub formatter module: what each entry point is handed, how
// its result is reported, the module or an entry point missing, and every refusal's line.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "platform/platform.h"
#include "sim/quelmar/download_peer.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

using Lines = std::vector<std::string>;

std::string text(const char* t) {
    return t;
}
std::string text(int n) {
    return std::to_string(n);
}

// What the stub was handed, its result, and whether it is still loaded.
struct Stub {
    static inline int result = 0;
    static inline std::vector<std::string> calls;
    static inline int loaded = 0;
};

// Records the arguments joined by "|" and answers the stub's result.
template <typename... Args>
int record(Args... args) {
    std::string line;
    ((line += (line.empty() ? "" : "|") + text(args)), ...);
    Stub::calls.push_back(line);
    return Stub::result;
}

int QUELFI_CALL total(const char* s, const char* d) {
    return record(s, d);
}
int QUELFI_CALL byDate(const char* s, const char* d, const char* a, const char* b) {
    return record(s, d, a, b);
}
int QUELFI_CALL byCoo(const char* s, const char* d, int user, int a, int b) {
    return record(s, d, user, a, b);
}
int QUELFI_CALL sintegra(const char* s, const char* d, int year, int month, const char* name,
                         const char* address, int number, const char* complement,
                         const char* district, const char* cep, const char* city,
                         const char* telephone, const char* fax, const char* contact,
                         int selector) {
    return record(s, d, year, month, name, address, number, complement, district, cep, city,
                  telephone, fax, contact, selector);
}

class StubModule final : public platform::LoadedModule {
  public:
    explicit StubModule(std::set<std::string> missing) : missing_(std::move(missing)) {
        ++Stub::loaded;
    }
    ~StubModule() override { --Stub::loaded; }
    platform::ModuleEntry entry(const std::string& name) override {
        if (missing_.count(name)) return nullptr;
        const auto as = [](auto f) { return reinterpret_cast<platform::ModuleEntry>(f); };
        if (name == "QuelGeraSintegra") return as(sintegra);
        if (name.ends_with("Total")) return as(total);
        if (name.ends_with("PorData")) return as(byDate);
        if (name.ends_with("PorCOO")) return as(byCoo);
        return nullptr;
    }

  private:
    std::set<std::string> missing_;
};

class FormatterExportsTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        platform.useVirtualClock(true);
        reconfigure("");
        platform.plugModule("QuelMFD.dll", [this]() -> std::unique_ptr<platform::LoadedModule> {
            if (absent) return nullptr;
            return std::make_unique<StubModule>(missing);
        });
        Stub::result = 0;
        Stub::calls.clear();
    }
    // The call log after the parameter line.
    std::string afterParameters() const {
        const std::string log = workLog();
        return log.substr(log.find("\r\r\n", log.rfind("Par\xE2metros")) + 3);
    }

    bool absent = false;
    std::set<std::string> missing;
};

TEST_F(FormatterExportsTest, NineOutputsHandTheirArguments) {
    const char* kinds[][3] = {{"0", "", ""}, {"1", "01/12/2024", "31122024"}, {"2", "5", "17"}};
    for (const char* format : {"0", "1", "2"})
        for (const auto& k : kinds)
            EXPECT_EQ(
                Quelmar_FI_FormatoDadosMFD("dir\\M.MFD", "out.txt", format, k[0], k[1], k[2], "3"),
                1);
    const std::string total = "dir/M.MFD|out.txt", date = total + "|011224|311224",
                      coo = total + "|3|5|17";
    EXPECT_EQ(Stub::calls, (Lines{total, date, coo, total, date, coo, total, date, coo}));
    EXPECT_EQ(afterParameters(),
              logLines({"Vou carregar a dll QuelMFD", "Dll carregada",
                        "Vou carregar a função QuelGeraMdbPorCoo",
                        "Carregada a função QuelGeraMdbPorCoo", "Vou liberar a dll QuelMFD",
                        "Liberada a dll QuelMFD", "Retorno Quelmar_FI_FormatoDadosMFD: 0"}));
    EXPECT_EQ(Stub::loaded, 0);
}

TEST_F(FormatterExportsTest, ResultsModuleAndEntryPointMissing) {
    const Lines loaded = {"Vou carregar a dll QuelMFD", "Dll carregada",
                          "Vou carregar a função QuelGeraTxtTotal"};
    const Lines called = loaded + Lines{"Carregada a função QuelGeraTxtTotal",
                                        "Vou liberar a dll QuelMFD", "Liberada a dll QuelMFD"};
    const std::string returned =
        "Retorno Quelmar_FI_FormatoDadosMFD: -1 - a funcao de geração dos dados formatados "
        "retornou ";
    const struct {
        int stub;
        int result;
        Lines lines;
    } cases[] = {
        {0, 1, called + Lines{"Retorno Quelmar_FI_FormatoDadosMFD: 0"}},
        {4, -8, called + Lines{returned + "4"}},
        {5, -8, called + Lines{returned + "5"}},
        {7, -1, called + Lines{returned + "7"}},
    };
    for (const auto& c : cases) {
        clearLog();
        Stub::result = c.stub;
        EXPECT_EQ(Quelmar_FI_FormatoDadosMFD("a", "b", "0", "0", "", "", ""), c.result);
        EXPECT_EQ(afterParameters(), logLines(c.lines));
    }
    clearLog();
    missing = {"QuelGeraTxtTotal"};
    EXPECT_EQ(Quelmar_FI_FormatoDadosMFD("a", "b", "0", "0", "", "", ""), -1);
    EXPECT_EQ(afterParameters(),
              logLines(loaded + Lines{"Retorno Quelmar_FI_FormatoDadosMFD: -1 - Funcao "
                                      "QuelGeraTxtTotal não encontrada na dll QuelMFD"}));
    clearLog();
    absent = true;
    EXPECT_EQ(Quelmar_FI_FormatoDadosMFD("a", "b", "0", "0", "", "", ""), -1);
    EXPECT_EQ(afterParameters(),
              logLines({"Vou carregar a dll QuelMFD",
                        "Retorno Quelmar_FI_FormatoDadosMFD: -1 - Dll QuelMFD não encontrada"}));
    EXPECT_EQ(Stub::loaded, 0);
}

TEST_F(FormatterExportsTest, FormattingRefusals) {
    const std::string prefix = "Retorno Quelmar_FI_FormatoDadosMFD: -2 - ";
    const struct {
        const char *source, *destination, *format, *kind, *first, *last, *user;
        std::string line;
        bool afterLoading = false;
    } cases[] = {
        {"a", "b", "", "0", "", "", "", "O parâmetro Formato não pode ser nulo"},
        {"a", "b", "3", "0", "", "", "", "Parametro invalido para o formato do arquivo 3"},
        {"a", "b", "0", nullptr, "", "", "", "O tipo de download não pode ser nulo"},
        {"a", "b", "0", "9", "", "", "", "Parametro invalido para o tipo de download 9"},
        {"", "b", "0", "0", "", "", "", "O parametro ArquivoMFD não pode ser nulo"},
        {"a", nullptr, "0", "0", "", "", "", "O parametro cDestino não pode ser nulo"},
        {"a", "b", "1", "1", "0112", "", "", "Parametro invalido para a data inicial", true},
        {"a", "b", "1", "2", "1", "2", "", "O usuario não pode ser nulo", true},
    };
    for (const auto& c : cases) {
        clearLog();
        EXPECT_EQ(Quelmar_FI_FormatoDadosMFD(c.source, c.destination, c.format, c.kind, c.first,
                                             c.last, c.user),
                  -2);
        const Lines loading =
            c.afterLoading ? Lines{"Vou carregar a dll QuelMFD", "Dll carregada"} : Lines{};
        EXPECT_EQ(afterParameters(), logLines(loading + Lines{prefix + c.line}));
    }
    EXPECT_EQ(Stub::calls, Lines{});
    EXPECT_EQ(Stub::loaded, 0);
}

TEST_F(FormatterExportsTest, SintegraOfAMonthDownloadedAndFromAFile) {
    sim::download::DownloadPeer peer{
        [](std::string_view) { return std::optional<std::string>("journal"); }, platform};
    platform.plugLine("COM1", [&](const platform::LineSettings& s) { return peer.open(s); });
    EXPECT_EQ(Quelmar_FI_RelatorioSintegraMFD(2, "s.txt", "12", "2024", "Loja", "Rua A", "12-B", "",
                                              "Centro", "Curitiba", "80000-000", "(41) 3333-4444",
                                              "", "Ana"),
              1);
    EXPECT_EQ(peer.commands, (Lines{"\x1b"
                                    "b",
                                    "\x1b"
                                    "aD011224010125"}));
    EXPECT_EQ(Stub::calls, (Lines{"./DOWNLOAD.MFD|s.txt|2024|12|Loja|Rua A|12||Centro|80000000|"
                                  "Curitiba|4133334444||Ana|2"}));
    EXPECT_FALSE(fileExists(workDir() + "/DOWNLOAD.MFD"));
    EXPECT_EQ(workLog().substr(workLog().size() - 45),
              logLines({"Retorno Quelmar_FI_RelatorioSintegraMFD: 1"}));

    const auto gera = [](const char* cep) {
        return Quelmar_FI_GeraRelatorioSintegraMFD(0, "m.mfd", "s.txt", "1", "2025", "Loja",
                                                   "Rua A", "1", "", "", "Curitiba", cep, "41", "",
                                                   "");
    };
    Stub::result = 3;
    clearLog();
    EXPECT_EQ(gera("80000000"), -1);
    EXPECT_EQ(afterParameters(),
              logLines({"Retorno Quelmar_FI_GeraRelatorioSintegraMFD: -1 - a funcao "
                        "GeraRelatorio retornou 3"}));
    clearLog();
    EXPECT_EQ(gera("8000000"), -2);
    EXPECT_EQ(afterParameters(),
              logLines({"Retorno Quelmar_FI_GeraRelatorioSintegraMFD: -2 - CEP maior que 8 "
                        "caracteres"}));
    EXPECT_EQ(Stub::loaded, 0);
}

}  // namespace
}  // namespace quelfi::test

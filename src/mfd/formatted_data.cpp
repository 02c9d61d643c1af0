#include "mfd/formatted_data.h"

#include <cstdlib>

#include "core/call_log.h"
#include "mfd/document_fields.h"
#include "mfd/download_checks.h"
#include "mfd/formatter_module.h"
#include "protocol/call.h"

namespace quelfi::mfd {

using core::argText;

namespace {

constexpr const char* kFormats[] = {"Txt", "Rtf", "Mdb"};
constexpr const char* kKinds[] = {"Total", "PorData", "PorCOO"};
// How the call log spells the kinds.
constexpr const char* kLoggedKinds[] = {"Total", "PorData", "PorCoo"};

// "0" to "2" as a number; -1 for anything else.
int choice(const std::string& text) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '2') return -1;
    return text[0] - '0';
}

}  // namespace

int formatDownload(const protocol::Road& road, const char* source, const char* destination,
                   const char* format, const char* kind, const char* first, const char* last,
                   const char* user) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_FormatoDadosMFD"));
    call.logRecord(joined({source, destination, format, kind, first, last, user}));
    if (auto forwarded =
            call.handOver({argText(source), argText(destination), argText(format), argText(kind),
                           argText(first), argText(last), argText(user)}))
        return *forwarded;
    const std::string formatText = argText(format);
    const std::string kindText = argText(kind);
    if (formatText.empty()) return call.fail(-2, "O par\xE2metro Formato n\xE3o pode ser nulo");
    if (choice(formatText) < 0)
        return call.fail(-2, "Parametro invalido para o formato do arquivo " + formatText);
    if (kindText.empty()) return call.fail(-2, "O tipo de download n\xE3o pode ser nulo");
    if (choice(kindText) < 0)
        return call.fail(-2, "Parametro invalido para o tipo de download " + kindText);
    if (argText(source).empty())
        return call.fail(-2, "O parametro ArquivoMFD n\xE3o pode ser nulo");
    if (argText(destination).empty())
        return call.fail(-2, "O parametro cDestino n\xE3o pode ser nulo");

    core::logText("Vou carregar a dll QuelMFD");
    std::unique_ptr<platform::LoadedModule> module = loadFormatter();
    if (!module) return call.fail(-1, "Dll QuelMFD n\xE3o encontrada");
    core::logText("Dll carregada");

    const int kindIndex = choice(kindText);
    std::string refusal;
    std::optional<DateRange> dates;
    std::optional<CooRange> coos;
    if (kindIndex == 1 && !(dates = checkDates(first, last, refusal)))
        return call.fail(-2, refusal);
    if (kindIndex == 2 && !(coos = checkCoos(first, last, user, refusal)))
        return call.fail(-2, refusal);

    const std::string stem = std::string("QuelGera") + kFormats[choice(formatText)];
    const std::string name = stem + kKinds[kindIndex];
    const std::string logged = stem + kLoggedKinds[kindIndex];
    core::logTwo("Vou carregar a fun\xE7\xE3o ", logged);
    if (!module->entry(name))
        return call.fail(-1, "Funcao " + logged + " n\xE3o encontrada na dll QuelMFD");

    // The module takes names as this system writes them.
    const std::string from = platform::nativePath(argText(source));
    const std::string to = platform::nativePath(argText(destination));
    int result = 0;
    if (kindIndex == 0) {
        result = entryOf<TotalEntry>(*module, name)(from.c_str(), to.c_str());
    } else if (kindIndex == 1) {
        result = entryOf<ByDateEntry>(*module, name)(from.c_str(), to.c_str(), dates->start.c_str(),
                                                     dates->end.c_str());
    } else {
        result = entryOf<ByCooEntry>(*module, name)(from.c_str(), to.c_str(), coos->user,
                                                    static_cast<int>(coos->start),
                                                    static_cast<int>(coos->end));
    }
    core::logTwo("Carregada a fun\xE7\xE3o ", logged);
    core::logText("Vou liberar a dll QuelMFD");
    module.reset();
    core::logText("Liberada a dll QuelMFD");
    if (result == 0) {
        call.finish(0);
        return 1;
    }
    // The line says -1 also when the module's file error makes the result -8.
    const int code = result == 4 || result == 5 ? -8 : -1;
    return call.failLine(code,
                         "Retorno " + call.name() +
                             ": -1 - a funcao de gera\xE7\xE3o dos dados formatados retornou " +
                             std::to_string(result));
}

}  // namespace quelfi::mfd

// The manager's directories, its activity probe and the clean-up of the exchange files.
#include "core/call_log.h"
#include "core/export_call.h"
#include "protocol/call.h"
#include "tef/exchange_files.h"
#include "tef/exchange_waits.h"
#include "tef/transactions.h"

namespace quelfi::tef {

namespace {

constexpr std::size_t kDirectoryMax = 80;

std::string refusal(const char* which, const std::string& value) {
    return std::string("Retorno: -2 - Parametro invalido para o diret\xF3rio de ") + which +
           " do tef: " + (value.empty() ? std::string(" ") : value);
}

}  // namespace

int configureDirectories(const Road& road, const char* requests, const char* responses) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FITEF_ConfiguraDiretorioTef"));
    const std::string requestDirectory = core::argText(requests);
    const std::string responseDirectory = core::argText(responses);
    if (requestDirectory.empty() || requestDirectory.size() > kDirectoryMax)
        return call.failLine(-2, refusal("requisi\xE7\xE3o", requestDirectory));
    if (responseDirectory.empty() || responseDirectory.size() > kDirectoryMax)
        return call.failLine(-2, refusal("resposta", responseDirectory));
    call.logParameter(requestDirectory + "|" + responseDirectory);
    if (!writeTefKey("REQ", requestDirectory) || !writeTefKey("RESP", responseDirectory))
        return call.failLine(-1, "Retorno: -1 - Erro ao gravar o diret\xF3rio do TEF no ini");
    buildPaths();
    core::logText("Retorno: 1 - Ok");
    return 1;
}

int managerStatus(const char* identification) {
    return probeManager(core::argText(identification));
}

void deleteResiduesNow() {
    deleteResidues();
}

}  // namespace quelfi::tef

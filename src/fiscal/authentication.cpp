// Authentication of the document in the cheque station, the character it is printed with, and
// the force of the print head's needles.
#include "core/call_log.h"
#include "core/export_call.h"
#include "core/printer_state.h"
#include "fiscal/cheque_documents.h"
#include "fiscal/programming_fields.h"
#include "protocol/command_call.h"
#include "protocol/frame.h"
#include "protocol/network_client.h"

namespace quelfi::fiscal {

namespace {

constexpr char kAuthenticate = 0x10;
constexpr char kAuthenticationCharacter = '@';
constexpr char kNeedleImpact = '|';

int refusedOnYanco(const core::ExportCall& call) {
    return call.fail(-30, "Funcao incompativel com a impressora yanco");
}

}  // namespace

int authenticate() {
    core::ExportCall call("Quelmar_FI_Autenticacao", /*alwaysSeparator=*/true);
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(8)))
        return *forwarded;
    if (core::isYanco()) {
        // For the Yanco developer: "30" and 80 blanks on the Yanco transport, its failure
        // "Erro de comunicação". Until then nothing reaches the printer.
        return call.fail(0, "Erro de comunica\xE7\xE3o");
    }
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(std::string(1, kAuthenticate));
    return protocol::runCommand(call, spec);
}

int programAuthenticationCharacter(const char* values) {
    core::ExportCall call("Quelmar_FI_ProgramaCaracterAutenticacao", /*alwaysSeparator=*/true);
    if (core::isYanco()) return refusedOnYanco(call);
    const std::string text = core::argText(values);
    const auto character = authenticationCharacter(text);
    if (!character) return call.fail(-2, "Parametro invalido para os valores do caracter");
    call.logRecord(text);
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(65, {text})))
        return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(kAuthenticationCharacter + *character);
    spec.explicitLength = static_cast<int>(spec.command.size());
    return protocol::runCommand(call, spec);
}

int setNeedleImpact(int force) {
    core::ExportCall call("Quelmar_FI_ForcaImpactoAgulhas", /*alwaysSeparator=*/true);
    if (core::isYanco()) return refusedOnYanco(call);
    if (force < 1 || force > 3) {
        core::logLine(
            "Retorno Quelmar_FI_ForcaImpactoAgulhas: -2 - Parametro invalido para o valor de "
            "impacto",
            force, "");
        return -2;
    }
    call.logParameter(std::to_string(force));
    if (auto forwarded =
            protocol::forwardToDriver(call, protocol::requestRecord(33, {std::to_string(force)})))
        return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed({kNeedleImpact, static_cast<char>(force)});
    return protocol::runCommand(call, spec);
}

}  // namespace quelfi::fiscal

// Authentication of the document in the cheque station, the character it is printed with, and
// the force of the print head's needles.
#include "adapters/yanco/yanco_forms.h"
#include "core/call_log.h"
#include "fiscal/cheque_documents.h"
#include "fiscal/programming_fields.h"
#include "protocol/call.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

namespace {

constexpr char kAuthenticate = 0x10;
constexpr char kAuthenticationCharacter = '@';
constexpr char kNeedleImpact = '|';

}  // namespace

int authenticate(const Road& road) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_Autenticacao"),
                              core::Header::Always);
    if (auto forwarded = call.handOver()) return *forwarded;
    // The Yanco printer stamps its standard text when given 80 blanks.
    if (auto done = call.yancoForm([&] {
            return yanco::sendAndFinish(road, call, {"30" + std::string(80, ' '), true, 0});
        }))
        return *done;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(std::string(1, kAuthenticate));
    return call.run(spec);
}

int programAuthenticationCharacter(const Road& road, const char* values) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_ProgramaCaracterAutenticacao"),
                              core::Header::Always);
    if (auto refused = call.refusedOnYanco()) return *refused;
    const std::string text = core::argText(values);
    const auto character = authenticationCharacter(text);
    if (!character) return call.fail(-2, "Parametro invalido para os valores do caracter");
    call.logRecord(text);
    if (auto forwarded = call.handOver({text})) return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(kAuthenticationCharacter + *character);
    spec.explicitLength = static_cast<int>(spec.command.size());
    return call.run(spec);
}

int setNeedleImpact(const Road& road, int force) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_ForcaImpactoAgulhas"),
                              core::Header::Always);
    if (auto refused = call.refusedOnYanco()) return *refused;
    if (force < 1 || force > 3) {
        core::logLine(
            "Retorno Quelmar_FI_ForcaImpactoAgulhas: -2 - Parametro invalido para o valor de "
            "impacto",
            force, "");
        return -2;
    }
    call.logParameter(std::to_string(force));
    if (auto forwarded = call.handOver({std::to_string(force)})) return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed({kNeedleImpact, static_cast<char>(force)});
    return call.run(spec);
}

}  // namespace quelfi::fiscal

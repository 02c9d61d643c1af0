// Cancellations and the item extras: the last item, any item by number, the whole coupon, a
// longer description, the unit of measure.
#include "core/export_call.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/item_sale.h"
#include "protocol/code_page.h"
#include "protocol/command_call.h"
#include "protocol/frame.h"
#include "protocol/network_client.h"

namespace quelfi::fiscal {

using core::state;

namespace {

// Sends a plain command; on success the fixed "1 - Ok" line, and the reply's own result.
int sendWithOkLine(const core::ExportCall& call, const std::string& body) {
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(body);
    int failure = 0;
    if (!protocol::send(call, spec, failure)) return failure;
    call.failLine(1, "Retorno " + call.name() + ": 1 - Ok");
    return state().lastReturnCode;
}

int sendPlain(const core::ExportCall& call, const std::string& body) {
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(body);
    return protocol::runCommand(call, spec);
}

}  // namespace

int cancelLastItem() {
    core::ExportCall call("Quelmar_FI_CancelaItemAnterior");
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(11)))
        return *forwarded;
    return sendWithOkLine(call, "\x0D");
}

int cancelItem(const char* number) {
    core::ExportCall call("Quelmar_FI_CancelaItemGenerico");
    if (!number || std::string(number).size() > 3)
        return call.fail(-2, "Parametro invalido para numero do item ");
    call.logParameter(number);
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(12, {number})))
        return *forwarded;
    return sendWithOkLine(call, "\x1F" + zeroFill(number, 4));
}

int cancelCoupon() {
    core::PrinterState& s = state();
    core::ExportCall call("Quelmar_FI_CancelaCupom", /*alwaysSeparator=*/true);
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(9)))
        return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed("\x0E");
    int failure = 0;
    if (!protocol::send(call, spec, failure)) return failure;
    if (s.ack == 6 && s.st2 == 0) s.couponOpen = false;
    call.failLine(1, "Retorno Quelmar_FI_CancelaCupom: 1 - Ok");
    return s.lastReturnCode;
}

int extendItemDescription(const char* text) {
    core::ExportCall call("Quelmar_FI_AumentaDescricaoItem", /*alwaysSeparator=*/true);
    if (!text || !*text || std::string(text).size() > 200)
        return call.failLine(-2,
                             "Retorno Quelmar_FI_AumentaDescricaoItem: -2 - Parametro invalido "
                             "para descricao do item");
    call.logParameter(text);
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(7, {text})))
        return *forwarded;
    return sendPlain(call, ">4" + protocol::inPrinterCodePage(text));
}

int useUnitOfMeasure(const char* unit) {
    core::ExportCall call("Quelmar_FI_UsaUnidadeMedida", /*alwaysSeparator=*/true);
    if (!unit || !*unit || std::string(unit).size() > 2)
        return call.failLine(
            -2,
            "Retorno Quelmar_FI_UsaUnidadeMedida: -2 - Parametro invalido para unidade de medida");
    call.logParameter(unit);
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(85, {unit})))
        return *forwarded;
    return sendPlain(call, ">3" + blankFill(unit, 2));
}

}  // namespace quelfi::fiscal

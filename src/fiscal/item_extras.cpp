// Cancellations and the item extras: the last item, any item by number, the whole coupon, a
// longer description, the unit of measure.
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/item_sale.h"
#include "protocol/call.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr char kCancelLastItem = 0x0D;
constexpr char kCancelCoupon = 0x0E;
constexpr char kCancelItem = 0x1F;
constexpr std::string_view kItemDescription = ">4";
constexpr std::string_view kUnitOfMeasure = ">3";

// Sends a plain command; on success the fixed "1 - Ok" line, and the reply's own result.
int sendWithOkLine(const protocol::Call& call, const std::string& body) {
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(body);
    int failure = 0;
    if (!call.send(spec, failure)) return failure;
    call.failLine(1, "Retorno " + call.name() + ": 1 - Ok");
    return state().lastReturnCode;
}

int sendPlain(const protocol::Call& call, const std::string& body) {
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(body);
    return call.run(spec);
}

}  // namespace

int cancelLastItem(const Road& road) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_CancelaItemAnterior"));
    if (auto handed = call.handedOverToYanco()) return *handed;
    if (auto forwarded = call.handOver()) return *forwarded;
    return sendWithOkLine(call, std::string(1, kCancelLastItem));
}

int cancelItem(const Road& road, const char* number) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_CancelaItemGenerico"));
    if (auto handed = call.handedOverToYanco()) return *handed;
    if (!number || std::string(number).size() > 3)
        return call.fail(-2, "Parametro invalido para numero do item ");
    call.logParameter(number);
    if (auto forwarded = call.handOver({number})) return *forwarded;
    return sendWithOkLine(call, kCancelItem + zeroFill(number, 4));
}

int cancelCoupon(const Road& road) {
    core::PrinterState& s = state();
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_CancelaCupom"),
                              core::Header::Always);
    if (auto forwarded = call.handOver()) return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(std::string(1, kCancelCoupon));
    int failure = 0;
    if (!call.send(spec, failure)) return failure;
    if (s.ack == 6 && s.st2 == 0) s.couponOpen = s.restaurantCouponCpf = false;
    call.failLine(1, "Retorno Quelmar_FI_CancelaCupom: 1 - Ok");
    return s.lastReturnCode;
}

int extendItemDescription(const Road& road, const char* text) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_AumentaDescricaoItem"),
                              core::Header::Always);
    if (auto refused = call.refusedOnYanco()) return *refused;
    if (!text || !*text || std::string(text).size() > 200)
        return call.failLine(-2,
                             "Retorno Quelmar_FI_AumentaDescricaoItem: -2 - Parametro invalido "
                             "para descricao do item");
    call.logParameter(text);
    if (auto forwarded = call.handOver({text})) return *forwarded;
    return sendPlain(call, std::string(kItemDescription) + protocol::inPrinterCodePage(text));
}

int useUnitOfMeasure(const Road& road, const char* unit) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_UsaUnidadeMedida"),
                              core::Header::Always);
    if (auto refused = call.refusedOnYanco()) return *refused;
    if (!unit || !*unit || std::string(unit).size() > 2)
        return call.failLine(
            -2,
            "Retorno Quelmar_FI_UsaUnidadeMedida: -2 - Parametro invalido para unidade de medida");
    call.logParameter(unit);
    if (auto forwarded = call.handOver({unit})) return *forwarded;
    return sendPlain(call, std::string(kUnitOfMeasure) + blankFill(unit, 2));
}

}  // namespace quelfi::fiscal

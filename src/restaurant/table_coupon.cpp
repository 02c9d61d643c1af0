// The fiscal coupon of a table: opened with the table's whole order (and the customer's CPF when
// given), then closed like any coupon by the closings of the sale cycle, under the restaurant's
// own names.
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/coupon_closing.h"
#include "restaurant/operations.h"
#include "restaurant/restaurant.h"
#include "restaurant/restaurant_call.h"

namespace quelfi::restaurant {

using core::state;

int openTableCoupon(const Road& road, const char* table, const char* cpf) {
    core::PrinterState& s = state();
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_AbreCupomRestaurante"));
    if (!isTable(table)) return call.fail(-2, "Parametro invalido para mesa");
    const bool withCpf = present(cpf);
    if (withCpf && std::string_view(cpf).size() > kCpfField.width)
        return call.fail(-2, "Parametro invalido para CPF");
    call.logRecord(std::string(table) + "|" + core::argText(cpf));
    s.restaurantCouponCpf = withCpf;
    const protocol::CommandSpec spec =
        withCpf ? commandFor(Operation::OpenCoupon, {table}, formatField(kCpfField, cpf))
                : commandFor(Operation::OpenCoupon, {table});
    int failure = 0;
    if (!sendOperation(call, spec, failure)) {
        s.restaurantCouponCpf = false;
        return failure;
    }
    if (s.ack == 6 && s.st2 == 0) {
        // The item sales take it for the coupon they would otherwise open themselves.
        s.couponOpen = true;
    } else {
        s.restaurantCouponCpf = false;
    }
    return call.finish(s.lastReturnCode);
}

int closeTableCoupon(const Road& road, const char* form, const char* flag, const char* type,
                     const char* value, const char* amountPaid, const char* message) {
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_FechaCupomRestaurante"));
    const int result = core::nested(
        [&] { return fiscal::closeCoupon(road, form, flag, type, value, amountPaid, message); });
    return call.finish(result);
}

int closeTableCouponInOnePayment(const Road& road, const char* form, const char* message) {
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_FechaCupomResumidoRestaurante"));
    const int result =
        core::nested([&] { return fiscal::closeCouponInOnePayment(road, form, message); });
    return call.finish(result);
}

}  // namespace quelfi::restaurant

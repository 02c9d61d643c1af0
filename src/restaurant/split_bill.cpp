// The split bill: a paid coupon ended with one slip per payer, each with its value and CPF; and the
// whole closing of a table's coupon in one call, its payments in several forms and the split.
#include <cstdlib>

#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/coupon_closing.h"
#include "protocol/presence.h"
#include "restaurant/operations.h"
#include "restaurant/restaurant.h"
#include "restaurant/restaurant_call.h"

namespace quelfi::restaurant {

namespace {

using core::state;

constexpr int kFewestCoupons = 2;
constexpr int kMostCoupons = 20;
constexpr std::size_t kMostForms = 20;
constexpr std::size_t kFormWidth = 16;
constexpr std::size_t kAmountDigits = 14;

// The split's fields, or the message of the first argument refused.
struct SplitFields {
    std::string count;  // two digits
    std::string tail;   // the values, then the CPFs
    std::string refusal;
};

SplitFields splitFields(const char* coupons, const char* values, const char* cpfs) {
    SplitFields fields;
    const std::string countText = core::argText(coupons);
    const int count = std::atoi(countText.c_str());
    if (countText.empty() || countText.size() > 2 || fiscal::keepDigits(countText) != countText ||
        count < kFewestCoupons || count > kMostCoupons) {
        fields.refusal = "Parametro invalido para numero de cupons";
        return fields;
    }
    fields.count = countText;
    const std::vector<std::string> paid = listEntries(values);
    if (paid.size() != static_cast<std::size_t>(count)) {
        fields.refusal = "Parametro invalido para o valor pago";
        return fields;
    }
    for (const std::string& value : paid) {
        const std::string digits = fiscal::keepDigits(value);
        if (digits.empty() || digits.size() > kSplitValueField.width) {
            fields.refusal = "Parametro invalido para o valor pago";
            return fields;
        }
        fields.tail += formatField(kSplitValueField, digits);
    }
    if (!present(cpfs)) return fields;
    const std::vector<std::string> customers = listEntries(cpfs);
    if (customers.size() != paid.size()) {
        fields.refusal = "Quantidade de parametros inv\xE1lida no CPF";
        return fields;
    }
    for (const std::string& cpf : customers) {
        if (cpf.empty() || cpf.size() > kCpfField.width) {
            fields.refusal = "Parametro invalido para o CPF";
            return fields;
        }
        fields.tail += formatField(kCpfField, cpf);
    }
    return fields;
}

bool goesOn(int result) {
    return result == 1 || result == -27;
}

}  // namespace

int splitBill(const Road& road, const char* coupons, const char* values, const char* cpfs) {
    core::PrinterState& s = state();
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_ContaDividida"));
    const SplitFields fields = splitFields(coupons, values, cpfs);
    if (!fields.refusal.empty()) return call.fail(-2, fields.refusal);
    call.logRecord(core::argText(coupons) + "|" + core::argText(values) + "|" +
                   core::argText(cpfs) + "|");
    int failure = 0;
    if (!sendOperation(call, commandFor(Operation::SplitBill, {fields.count}, fields.tail),
                       failure))
        return failure;
    // The split ends the coupon.
    if (s.ack == 6 && s.st2 == 0) s.couponOpen = false;
    return call.finish(s.lastReturnCode);
}

int closeCouponSplit(const Road& road, const char* coupons, const char* flag, const char* type,
                     const char* value, const char* forms, const char* formValues,
                     const char* values, const char* cpfs) {
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_FechaCupomContaDividida"));
    const std::string prefix = "Retorno " + call.name() + ": -2 - Parametro invalido";
    const std::vector<std::string> formList = listEntries(forms);
    const std::vector<std::string> amountList = listEntries(formValues);
    if (formList.size() > kMostForms)
        return call.failLine(-2, prefix + ": qtde de parametros na forma de pagto e maior que 20");
    if (formList.size() != amountList.size())
        return call.failLine(-2, prefix +
                                     ": qtde de parametros entre as formas de pagto e o valor das "
                                     "formas sao diferentes");
    // Everything is checked before the printer is asked anything, so that a refusal never leaves
    // a coupon half closed.
    std::vector<std::string> amounts;
    for (std::size_t i = 0; i < formList.size(); ++i) {
        if (formList[i].empty() || formList[i].size() > kFormWidth)
            return call.failLine(-2, prefix + " para forma de pagto: " + formList[i]);
        const std::string digits = fiscal::keepDigits(amountList[i]);
        if (digits.empty() || digits.size() > kAmountDigits)
            return call.failLine(-2, prefix + " para valor da forma de pagto: " + amountList[i]);
        amounts.push_back(fiscal::zeroFill(digits, kAmountDigits));
    }
    if (!present(values)) return call.failLine(-2, prefix + " para o valor de pagto da conta");
    if (const SplitFields split = splitFields(coupons, values, cpfs); !split.refusal.empty())
        return call.fail(-2, split.refusal);
    call.logRecord(core::argText(coupons) + "|" + core::argText(flag) + "|" + core::argText(type) +
                   "|" + core::argText(value) + "|" + core::argText(forms) + "|" +
                   core::argText(formValues) + "|" + core::argText(cpfs));

    int result = core::nested([&] { return protocol::verifyPrinterOn(road); });
    if (!goesOn(result)) return result;
    result = core::nested([&] { return fiscal::startClosing(road, flag, type, value); });
    if (!goesOn(result)) return result;
    for (std::size_t i = 0; i < formList.size(); ++i) {
        const std::string form = fiscal::blankFill(formList[i], kFormWidth);
        result = core::nested([&] { return fiscal::pay(road, form.c_str(), amounts[i].c_str()); });
        if (!goesOn(result)) return result;
    }
    result = core::nested([&] { return splitBill(road, coupons, values, cpfs); });
    if (!goesOn(result)) return result;
    return call.finish(state().lastReturnCode);
}

}  // namespace quelfi::restaurant

// The Yanco item sale ("14"), its discount or surcharge ("18") and the item cancellations ("1A",
// "35"): the nine arguments checked in order, the rate found in the printer's table, the coupon
// opened first when none is open.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "adapters/yanco/yanco_answers.h"
#include "adapters/yanco/yanco_forms.h"
#include "adapters/yanco/yanco_sale.h"
#include "adapters/yanco/yanco_sale_fields.h"
#include "adapters/yanco/yanco_text.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/coupon_opening.h"
#include "protocol/call.h"

namespace quelfi::yanco {

using core::state;

namespace {

constexpr std::size_t kCodeWidth = 13;
constexpr std::size_t kDescriptionWidth = 30;
constexpr int kSubstitutionSlot = 14;  // "FF"
constexpr int kExemptionSlot = 15;     // "II"
constexpr int kNonIncidenceSlot = 16;  // any other code of one or two characters

bool present(const char* text) {
    return text && *text;
}

std::string text(const char* argument) {
    return core::argText(argument);
}

// The slot of a rate given as a code ("FF", "II", ...) or as four digits (at most four
// characters, checked before).
std::optional<int> slotOf(const protocol::Call& call, const std::string& rate, int& failure) {
    const std::string upper = fiscal::upperCase(rate);
    if (rate.size() <= 2) {
        if (upper == "FF") return kSubstitutionSlot;
        if (upper == "II") return kExemptionSlot;
        return kNonIncidenceSlot;
    }
    int slot = 0;
    const int read = rateIndex(call.road(), std::atoi(rate.c_str()), slot);
    if (read != 1) {
        failure = read == 0 ? call.fail(0, "Erro de comunicacao: ") : call.finish(read);
        return std::nullopt;
    }
    if (slot == 0) {
        failure = call.failWith(-3, "Aliquota nao programada: ", rate.c_str());
        return std::nullopt;
    }
    return slot;
}

std::string twoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

}  // namespace

int rateIndex(const Road& road, int rate, int& index) {
    index = 0;
    if (const int loaded = loadTaxRates(road); loaded != 1) return loaded;
    index = rateSlot(state().yancoTaxRates, rate);
    return 1;
}

int sellItem(const Road& road, const char* code, const char* description, const char* rate,
             const char* quantityType, const char* quantity, int decimalPlaces,
             const char* unitPrice, const char* discountType, const char* discount) {
    core::PrinterState& s = state();
    const protocol::Call call(road, protocol::exportRow("Yanco_FI_VendeItem"));
    const protocol::Parameters parameters{
        text(code),         text(description),  text(rate),
        text(quantityType), text(quantity),     std::to_string(decimalPlaces),
        text(unitPrice),    text(discountType), text(discount)};
    call.logRecord(joinedParameters(parameters));

    if (!present(code) || text(code).size() > kCodeWidth)
        return call.failWith(-2, "Parametro invalido para codigo: ", code);
    if (!present(description))
        return call.failWith(-2, "Parametro invalido para descricao: ", description);
    if (!present(rate)) return call.failWith(-2, "Parametro invalido para aliquota: ", rate);
    const std::string type = fiscal::upperCase(text(quantityType));
    if (type != "I" && type != "F")
        return call.failWith(-2, "Parametro invalido para tipo de quantidade: ", quantityType);
    if (!present(quantity))
        return call.failWith(-2, "Parametro invalido para quantidade: ", quantity);
    const std::string quantityDigits = fiscal::keepDigits(quantity);
    std::string quantityField;
    if (type == "F") {
        if (text(quantity).size() > 7)
            return call.failWith(-2, "Parametro invalido para quantidade fracionaria: ", quantity);
        quantityField = fiscal::zeroFill(quantityDigits, 7);
    } else {
        if (text(quantity).size() >= 5)
            return call.failWith(-2, "Parametro invalido para quantidade inteira: ", quantity);
        quantityField = fiscal::zeroFill(quantityDigits, 4) + "000";
    }
    if (decimalPlaces != 2 && decimalPlaces != 3)
        return call.fail(
            -2, "Parametro invalido para casas decimais : " + std::to_string(decimalPlaces));
    if (text(unitPrice).size() >= 9)
        return call.failWith(-2, "Parametro invalido para valor unitario: ", unitPrice);
    const std::string priceDigits = fiscal::keepDigits(unitPrice);
    const std::string priceField = decimalPlaces == 2 ? fiscal::zeroFill(priceDigits, 8) + "0"
                                                      : fiscal::zeroFill(priceDigits, 9);
    if (!present(discountType))
        return call.failWith(-2, "Parametro invalido para tipo de desconto: ", discountType);
    if (!present(discount))
        return call.failWith(-2, "Parametro invalido para desconto: ", discount);
    const std::string kind = text(discountType);
    const std::string discountDigits = fiscal::keepDigits(discount);
    const bool discounted = discountDigits.find_first_not_of('0') != std::string::npos;
    if (kind == "$" && text(discount).size() > 8)
        return call.failWith(-2, "Parametro invalido para desconto por valor: ", discount);
    if (kind == "%" && text(discount).size() > 4)
        return call.failWith(-2, "Parametro invalido para desconto percentual: ", discount);
    // A discount of a kind the printer has none of would follow the item: refused before it.
    if (kind != "$" && kind != "%" && discounted)
        return call.failWith(-2, "Parametro invalido para tipo de desconto: ", discountType);
    if (text(rate).size() > 4) return call.failWith(-2, "Parametro invalido para aliquota: ", rate);
    if (auto forwarded = call.handOver(parameters)) return *forwarded;
    int failure = 0;
    const std::optional<int> slot = slotOf(call, text(rate), failure);
    if (!slot) return failure;

    if (!s.couponOpen) {
        const int opened = core::nested([&] { return fiscal::openCoupon(road, nullptr); });
        if (opened != 1 && opened != -27) return opened;
    }
    std::string codeText = text(code);
    std::string descriptionText = text(description);
    stripAccents(codeText, false);
    stripAccents(descriptionText, false);
    descriptionText.resize(kDescriptionWidth, ' ');
    const std::string command = "14" + fiscal::zeroFill(codeText, kCodeWidth) + descriptionText +
                                priceField + quantityField + "000000000000" + twoDigits(*slot) +
                                (decimalPlaces == 3 ? '1' : '0');
    if (!send(road, call, {command, true, 0}, failure, "Erro de comunicacao: ")) return failure;

    if (s.ack == 6 && s.st2 == 0 && discounted) {
        const std::string value = kind == "$" ? discountDigits + "0" : discountDigits;
        const int adjusted =
            core::nested([&] { return adjustItem(road, "D", kind.c_str(), value.c_str()); });
        if (adjusted != 1 && adjusted != -27) {
            call.fail(0, "Erro de comunicacao: ");
            return adjusted;
        }
    }
    return call.finish(s.lastReturnCode);
}

int adjustItem(const Road& road, const char* flag, const char* type, const char* value) {
    const core::ExportCall call("Yanco_FI_AcrescimoDescontoItem");
    const std::string prefix = "Retorno " + call.name() + ": -2 ";
    const std::optional<char> code = adjustmentCode(text(flag), text(type));
    if (!code) {
        return call.failLine(
            -2, prefix + (adjustmentFlag(text(flag)) ? "Parametro invalido para o Tipo de "
                                                       "acrescimo/desconto"
                                                     : "Parametro invalido para o flag de "
                                                       "acrescimo/desconto"));
    }
    const std::string digits = fiscal::keepDigits(value ? value : "");
    std::string command;
    if (text(type) == "$") {
        if (digits.size() > 12)
            return call.failLine(-2,
                                 prefix + "Parametro invalido para o valor do acrescimo/desconto");
        command = "18" + fiscal::zeroFill(digits, 12) + "0000" + *code;
    } else {
        if (digits.size() > 4)
            return call.failLine(
                -2, prefix + "- Parametro invalido para o valor do acrescimo/desconto");
        command = "18000000000000" + fiscal::zeroFill(digits, 4) + *code;
    }
    return sendAndFinish(road, call, {command, true, 0}, "Erro de comunicacao");
}

int cancelLastItem(const Road& road) {
    const protocol::Call call(road, protocol::exportRow("Yanco_FI_CancelaItemAnterior"));
    if (auto forwarded = call.handOver()) return *forwarded;
    return sendAndFinish(road, call, {"1A", true, 0});
}

int cancelItem(const Road& road, const char* number) {
    const protocol::Call call(road, protocol::exportRow("Yanco_FI_CancelaItemGenerico"));
    const std::string item = text(number);
    call.logParameter(item);
    if (item.empty() || item.size() > 3)
        return call.fail(-2, "Parametro invalido para numero do item ");
    if (auto forwarded = call.handOver({item})) return *forwarded;
    char command[40];
    std::snprintf(command, sizeof command, "35%03d%22s", std::atoi(item.c_str()) % 1000, "");
    return sendAndFinish(road, call, {command, true, 0});
}

}  // namespace quelfi::yanco

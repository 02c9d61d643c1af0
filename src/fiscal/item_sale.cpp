// The item sale by tax rate: nine arguments checked in order, the rate resolved against the
// printer's table, and the coupon opened first when the library has none open.
#include "fiscal/item_sale.h"

#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/coupon_opening.h"
#include "fiscal/tax_rates.h"
#include "protocol/call.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr char kItemTwoDecimals = 0x09;
constexpr char kItemThreeDecimals = '8';

bool present(const char* text) {
    return text && *text;
}

// The fields of the item command, as the checks leave them.
struct ItemFields {
    std::string rate;
    std::string quantity;
    std::string price;
    std::string discount;
};

}  // namespace

int sellItem(const Road& road, const char* code, const char* description, const char* taxRate,
             const char* quantityType, const char* quantity, int decimalPlaces,
             const char* unitPrice, const char* discountType, const char* discount) {
    core::PrinterState& s = state();
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_VendeItem"));
    if (auto handed = call.handedOverToYanco()) return *handed;
    const std::string codeText = core::argText(code);
    const std::string descriptionText = core::argText(description);
    ItemFields fields;
    std::string parameters;

    if (s.fastSaleMode) {
        // The caller hands the fields already formatted: nothing is checked.
        fields = {core::argText(taxRate), core::argText(quantity), core::argText(unitPrice),
                  core::argText(discount)};
    } else {
        auto add = [&](const std::string& value) { parameters += value + "|"; };
        if (!present(code) || codeText.size() > 13)
            return call.failWith(-2, "Parametro invalido para codigo: ", code);
        add(codeText);
        if (!present(description) || descriptionText.size() > 29)
            return call.failWith(-2, "Parametro invalido para descricao: ", description);
        add(descriptionText);
        if (!present(taxRate))
            return call.failWith(-2, "Parametro invalido para aliquota: ", taxRate);
        add(taxRate);
        const std::string type = upperCase(core::argText(quantityType));
        if (type != "I" && type != "F")
            return call.failWith(-2, "Parametro invalido para tipo de quantidade: ", quantityType);
        add(core::argText(quantityType));
        if (!present(quantity))
            return call.failWith(-2, "Parametro invalido para quantidade: ", quantity);
        fields.quantity = keepDigits(quantity);
        if (type == "I" && fields.quantity.size() > 4)
            return call.failWith(-2, "Parametro invalido para quantidade inteira: ", quantity);
        if (type == "F" && fields.quantity.size() > 7)
            return call.failWith(-2, "Parametro invalido para quantidade fracionaria: ", quantity);
        fields.quantity = zeroFill(fields.quantity, type == "I" ? 4 : 7);
        add(quantity);
        if (decimalPlaces != 2 && decimalPlaces != 3)
            return call.fail(
                -2, "Parametro invalido para casas decimais " + std::to_string(decimalPlaces));
        add(std::to_string(decimalPlaces));
        if (!present(unitPrice))
            return call.failWith(-2, "Parametro invalido para valor unitario: ", unitPrice);
        fields.price = keepDigits(unitPrice);
        if (fields.price.size() > 8)
            return call.failWith(-2, "Parametro invalido para valor unitario: ", unitPrice);
        fields.price = zeroFill(fields.price, 8);
        add(unitPrice);
        const char kind = discountType ? discountType[0] : '\0';
        if (kind != '$' && kind != '%')
            return call.failWith(-2, "Parametro invalido para tipo de desconto: ", discountType);
        add(discountType);
        if (!present(discount))
            return call.failWith(-2, "Parametro invalido para desconto: ", discount);
        fields.discount = keepDigits(discount);
        if (kind == '$') {
            if (fields.discount.size() > 8)
                return call.failWith(-2, "Parametro invalido para desconto por valor: ", discount);
            fields.discount = zeroFill(fields.discount, 8);
        } else {
            auto percent = itemPercentage(fields.discount);
            if (!percent)
                return call.failWith(-2, "Parametro invalido para desconto percentual: ", discount);
            fields.discount = *percent;
        }
        add(discount);

        // The driver program resolves the rate against its printer: the record carries its value.
        const auto record = [&](int& refusal) -> std::optional<protocol::Parameters> {
            std::string rate;
            if (networkTaxRate(taxRate, rate) != RateOutcome::Resolved) {
                refusal = call.failWith(-2, "Parametro invalido para aliquota: ", taxRate);
                return std::nullopt;
            }
            return protocol::Parameters{codeText,
                                        descriptionText,
                                        rate,
                                        core::argText(quantityType),
                                        keepDigits(quantity),
                                        std::to_string(decimalPlaces),
                                        keepDigits(unitPrice),
                                        core::argText(discountType),
                                        keepDigits(discount)};
        };
        if (auto forwarded = call.handOver({record, protocol::RecordLine::Parameters, {}, {}}))
            return *forwarded;
        switch (resolveTaxRate(road, taxRate, /*completeValue=*/true, fields.rate)) {
            case RateOutcome::Resolved:
                break;
            case RateOutcome::InvalidSilent:
                return -2;
            case RateOutcome::Invalid:
                return call.failWith(-2, "Parametro invalido para aliquota: ", taxRate);
            case RateOutcome::NotProgrammed:
                return call.failWith(-3, "Aliquota nao programada: ", taxRate);
            case RateOutcome::Communication:
                return call.fail(0, "Erro de comunicacao: ");
        }
    }

    std::string printedDescription = descriptionText.substr(0, 29);
    protocol::toPrinterCodePage(printedDescription);
    const int opened = ensureCouponOpen(road);
    if (opened != 1) return opened;

    std::string printedCode = codeText.substr(0, 13);
    if (s.firmwareVersion == "0100") {
        blankPercentSigns(printedDescription, 30);
        blankPercentSigns(printedCode, 14);
    }
    const std::string body =
        std::string(1, decimalPlaces == 3 ? kItemThreeDecimals : kItemTwoDecimals) +
        blankFill(printedCode, 13) + blankFill(printedDescription, 29) + zeroFill(fields.rate, 2) +
        fields.quantity + zeroFill(fields.price, 8) + fields.discount;
    call.logRecord(parameters);
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(body);
    int failure = 0;
    if (!call.send(spec, failure, "Erro de comunicacao: ")) return failure;
    return call.finish(s.lastReturnCode);
}

}  // namespace quelfi::fiscal

// The item sale by department: long code and description travel in a variable tail after the
// fixed fields, so the command states its own length.
#include "core/call_log.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/coupon_opening.h"
#include "fiscal/item_sale.h"
#include "fiscal/tax_rates.h"
#include "protocol/call.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr char kItemByDepartment = '?';
constexpr std::size_t kCodeMax = 49;
constexpr std::size_t kDescriptionMax = 201;
const char* const kPrefix =
    "Retorno Quelmar_FI_VendeItemDepartamento: - 2 - Parametro invalido para ";

bool present(const char* text) {
    return text && *text;
}

}  // namespace

int sellDepartmentItem(const Road& road, const char* code, const char* description,
                       const char* taxRate, const char* unitPrice, const char* quantity,
                       const char* surcharge, const char* discount, const char* department,
                       const char* unit) {
    core::PrinterState& s = state();
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_VendeItemDepartamento"));
    if (auto refused = call.refusedOnYanco()) return *refused;
    auto refuse = [&](const char* what, const char* argument) {
        core::logLine(std::string(kPrefix) + what, 0, present(argument) ? argument : " ");
        return -2;
    };
    auto digitsWithin = [](const char* text, std::size_t max) {
        return present(text) && keepDigits(text).size() <= max;
    };
    const std::string codeText = core::argText(code);
    const std::string descriptionText = core::argText(description);
    if (!present(code) || codeText.size() > kCodeMax) return refuse("codigo:", code);
    if (!present(description) || descriptionText.size() > kDescriptionMax)
        return refuse("descricao:", description);
    if (!present(taxRate)) return refuse("aliquota:", taxRate);
    if (!digitsWithin(unitPrice, 9)) return refuse("valor unitario:", unitPrice);
    if (!digitsWithin(quantity, 7)) return refuse("quantidade:", quantity);
    if (!digitsWithin(surcharge, 10)) return refuse("acrescimo:", surcharge);
    if (!digitsWithin(discount, 10)) return refuse("desconto:", discount);
    if (!present(department) || std::string(department).size() > 2)
        return refuse("indice do departamento:", department);
    if (unit && std::string(unit).size() > 2) return refuse("unidade de medida: ", unit);

    const std::string unitText = core::argText(unit);
    // The driver program resolves the rate against its printer: the record carries its value.
    const auto record = [&](int& refusal) -> std::optional<protocol::Parameters> {
        std::string rate;
        if (networkTaxRate(taxRate, rate) != RateOutcome::Resolved) {
            refusal = refuse("aliquota: ", taxRate);
            return std::nullopt;
        }
        return protocol::Parameters{codeText,
                                    descriptionText,
                                    rate,
                                    keepDigits(unitPrice),
                                    keepDigits(quantity),
                                    keepDigits(surcharge),
                                    keepDigits(discount),
                                    department,
                                    unitText};
    };
    if (auto forwarded = call.handOver({record, protocol::RecordLine::Whole, {}, {}}))
        return *forwarded;
    std::string rateCode;
    switch (resolveTaxRate(road, taxRate, /*completeValue=*/false, rateCode)) {
        case RateOutcome::Resolved:
            break;
        case RateOutcome::InvalidSilent:
            return -2;
        case RateOutcome::Invalid:
            return refuse("aliquota: ", taxRate);
        case RateOutcome::NotProgrammed:
            return call.failLine(
                -3, "Retorno Quelmar_FI_VendeItemDepartamento: -3 - Aliquota n\xE3o programada");
        case RateOutcome::Communication:
            return call.failLine(
                0, "Retorno Quelmar_FI_VendeItemDepartamento: 0 - Erro de comunicacao");
    }

    std::string printedDescription = protocol::inPrinterCodePage(descriptionText);
    const int opened = ensureCouponOpen(road);
    if (opened != 1) return opened;
    std::string printedCode = codeText;
    if (s.firmwareVersion == "0100") {
        blankPercentSigns(printedDescription, kDescriptionMax);
        blankPercentSigns(printedCode, kCodeMax + 1);
    }

    std::string unitField = unitText.substr(0, 2);
    unitField.resize(2, '\0');
    std::string tail = printedCode;
    if (printedCode.size() < kCodeMax) tail += '\0';
    tail += printedDescription;
    if (printedDescription.size() < kDescriptionMax) tail += '\0';

    const std::string body =
        kItemByDepartment + zeroFill(rateCode, 2) + zeroFill(keepDigits(unitPrice), 9) +
        zeroFill(keepDigits(quantity), 7) + zeroFill(keepDigits(discount), 10) +
        zeroFill(keepDigits(surcharge), 10) + zeroFill(department, 2) + std::string(20, '0') +
        unitField + tail;
    call.logRecord(codeText + "|" + descriptionText + "|" + core::argText(taxRate) + "|" +
                   core::argText(unitPrice) + "|" + core::argText(quantity) + "|" +
                   core::argText(surcharge) + "|" + core::argText(discount) + "|" +
                   core::argText(department) + "|" + unitText + "|");
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(body);
    spec.rawLength = static_cast<int>(tail.size());
    int failure = 0;
    if (!call.send(spec, failure)) return failure;
    return call.finish(s.lastReturnCode);
}

}  // namespace quelfi::fiscal

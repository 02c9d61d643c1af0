// An item ordered at a table, taken off it, or moved to another: one builder for the three, which
// differ in their operation, their names in the log and, for the cancellation, a few lines of its
// own. A quantity above what one registration carries is sent in parts on the firmware that
// takes them.
#include <string>

#include "core/printer_state.h"
#include "fiscal/queries.h"
#include "fiscal/tax_rates.h"
#include "protocol/code_page.h"
#include "restaurant/operations.h"
#include "restaurant/restaurant.h"
#include "restaurant/restaurant_call.h"

namespace quelfi::restaurant {

namespace {

using core::state;

// Thousandths: one registration carries at most 99,000.
constexpr long kMostPerRegistration = 99000;
constexpr const char* kPartsFirmware = "0320";

struct ItemExport {
    Operation operation;
    const protocol::ExportRow& row;
    const char* tableField;  // how the refusal names the (source) table
    // The cancellation's rate and communication lines read "Retorno: ..." without its name.
    bool anonymousLines;
};

constexpr ItemExport kRegistration{Operation::Registration,
                                   protocol::exportRow("Quelmar_FIR_RegistraVenda"), "mesa", false};
constexpr ItemExport kCancellation{Operation::Cancellation,
                                   protocol::exportRow("Quelmar_FIR_CancelaVenda"), "mesa", true};
constexpr ItemExport kTransfer{Operation::ItemTransfer,
                               protocol::exportRow("Quelmar_FIR_TransferenciaItem"),
                               "mesa de origem", false};

// A line that names the export, or the cancellation's own "Retorno: code - message".
int refusal(const protocol::Call& call, const ItemExport& item, int code,
            const std::string& message) {
    if (item.anonymousLines)
        return call.failLine(code, "Retorno: " + std::to_string(code) + " - " + message);
    return call.fail(code, message);
}

// A communication failure: "Retorno N: 0 - Erro de comunicacao", or the cancellation's own line.
int communicationFailure(const protocol::Call& call, const ItemExport& item) {
    if (item.anonymousLines) return call.failLine(0, "Retorno: 0 - Erro de comunicacao");
    return call.communicationFailure();
}

// The rate code: a slot given in one or two characters as it stands, four digits looked up in
// the printer's table; anything else is refused. The result when the call ends here.
std::optional<int> rateCode(const protocol::Call& call, const ItemExport& item, const char* rate,
                            std::string& code) {
    const std::string text = core::argText(rate);
    const bool fourDigits = text.size() == 4 && text.find_first_not_of("0123456789") == text.npos;
    if (text.size() == 1 || text.size() == 2) {
        code = text;
        return std::nullopt;
    }
    if (!fourDigits) return refusal(call, item, -2, "Parametro invalido para aliquota");
    switch (fiscal::lookUpTaxRate(call.road(), text, code)) {
        case fiscal::RateOutcome::Resolved:
            return std::nullopt;
        case fiscal::RateOutcome::NotProgrammed:
            return refusal(call, item, -3, "Aliquota nao programada");
        default:
            break;
    }
    // The table could not be read.
    if (item.anonymousLines) return call.failLine(0, "Retorno: 0 - Erro de execucao");
    return call.communicationFailure();
}

// The quantity as the registrations carry it: whole, or in parts of 99,000 and the rest on the
// firmware that takes them. The result when the call ends here.
std::optional<int> quantityParts(const protocol::Call& call, const ItemExport& item,
                                 const std::string& quantity, std::vector<std::string>& parts) {
    const long thousandths = std::stol(quantity);
    if (thousandths <= kMostPerRegistration) {
        parts = {quantity};
        return std::nullopt;
    }
    core::PrinterState& s = state();
    if (s.firmwareVersion.empty()) {
        std::string version;
        const int read = fiscal::readQuery(call.road(), fiscal::Query::VersaoFirmware, version);
        if (read == 0) return communicationFailure(call, item);
        if (read != 1 && read != -27) return call.finish(read);
        s.firmwareVersion = version;
    }
    // Other firmware takes at most one registration's quantity: nothing is sent.
    if (s.firmwareVersion != kPartsFirmware)
        return call.fail(-2, "Parametro invalido para quantidade");
    for (long left = thousandths; left >= kMostPerRegistration; left -= kMostPerRegistration)
        parts.push_back(std::to_string(kMostPerRegistration));
    if (const long rest = thousandths % kMostPerRegistration; rest >= 1)
        parts.push_back(std::to_string(rest));
    return std::nullopt;
}

int runItem(const Road& road, const ItemExport& item, const ItemArguments& a) {
    const protocol::Call call = restaurantCall(road, item.row);
    const auto refuse = [&](const std::string& field) {
        return call.fail(-2, "Parametro invalido para " + field);
    };
    const bool transfer = item.operation == Operation::ItemTransfer;
    if (!isTable(a.table)) return refuse(item.tableField);
    if (!present(a.code) || std::string_view(a.code).size() > 14) return refuse("o codigo");
    if (!present(a.description) || std::string_view(a.description).size() > 17)
        return refuse("descricao");
    const auto quantity = present(a.quantity) ? digitsWithin(a.quantity, 6) : std::nullopt;
    if (!quantity || quantity->empty()) return refuse("quantidade");
    if (!present(a.unitPrice)) return refuse("valor unitario");
    const auto price = digitsWithin(a.unitPrice, 8);
    if (!price || price->empty()) return refuse("o valor unitario");
    const auto flag = adjustmentFlag(a.flag);
    if (!flag) return refuse("o flag de acrescimo/desconto");
    const auto adjustment = digitsWithin(a.adjustment, 8);
    if (!adjustment) return refuse("o valor de acrescimo/desconto");
    if (transfer && !isTable(a.destination)) return refuse("mesa de destino");
    std::string rate;
    if (auto ended = rateCode(call, item, a.rate, rate)) return *ended;

    std::string parameters;
    for (const char* argument :
         {a.table, a.code, a.description, a.rate, a.quantity, a.unitPrice, a.flag, a.adjustment})
        parameters += core::argText(argument) + "|";
    if (transfer) parameters += core::argText(a.destination) + "|";
    parameters.pop_back();
    call.logRecord(parameters);

    std::vector<std::string> parts;
    if (auto ended = quantityParts(call, item, *quantity, parts)) return *ended;
    const std::string description = protocol::inPrinterCodePage(a.description);
    const char* const communicationLine =
        item.anonymousLines ? "Retorno: 0 - Erro de comunicacao" : "";
    for (const std::string& part : parts) {
        const protocol::CommandSpec spec =
            transfer ? commandFor(item.operation, {a.table, *price, *flag, *adjustment, part,
                                                   a.code, description, rate, a.destination})
                     : commandFor(item.operation, {a.table, *price, *flag, *adjustment, part,
                                                   a.code, description, rate});
        int failure = 0;
        if (!sendOperation(call, spec, failure, communicationLine)) return failure;
    }
    return call.finish(state().lastReturnCode);
}

}  // namespace

int registerItem(const Road& road, const ItemArguments& item) {
    return runItem(road, kRegistration, item);
}

int cancelItem(const Road& road, const ItemArguments& item) {
    return runItem(road, kCancellation, item);
}

int transferItem(const Road& road, const ItemArguments& item) {
    return runItem(road, kTransfer, item);
}

}  // namespace quelfi::restaurant

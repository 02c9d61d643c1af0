// After the sale: confirming it (CNF), undoing it when its voucher was not printed (NCN), and
// cancelling an earlier card sale (CNC, whose voucher is then printed).
#include "core/export_call.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "tef/exchange_files.h"
#include "tef/exchange_format.h"
#include "tef/exchange_waits.h"
#include "tef/operator_messages.h"
#include "tef/printer_steps.h"
#include "tef/request_lines.h"
#include "tef/response_reader.h"
#include "tef/response_text.h"
#include "tef/transactions.h"

namespace quelfi::tef {

namespace {

bool isAnyOf(const std::string& text, std::initializer_list<const char*> values) {
    for (const char* value : values)
        if (text == value) return true;
    return false;
}

}  // namespace

int confirmSale(const char* identification, const char* amount, const char* operation) {
    ensurePaths();
    core::TefState& tef = core::state().tef;
    const std::string id = core::argText(identification);
    const std::string op = core::argText(operation);
    if (id.empty() || core::argText(amount).empty() || op.empty()) return -2;
    const std::string digits = fiscal::keepDigits(core::argText(amount));
    const bool cancelling = op == "CNC";
    if (!cancelling) {
        if (const int read = readResponse(id); read != 1) return read;
    }

    std::vector<std::string> lines = {
        line::operation(isAnyOf(op, {"CRT", "CHQ", "CNF"}) ? std::string("CNF") : op),
        line::identification(id), line::document(tef.documentNumber)};
    if (cancelling) lines.push_back(line::amount(digits));
    lines.push_back(line::network(tef.network));
    lines.push_back(line::transaction(tef.transactionNumber));
    if (cancelling) {
        lines.push_back(line::date(tef.date));
        lines.push_back(line::time(tef.time));
    } else {
        lines.push_back(line::controlCode(tef.controlCode));
    }
    lines.push_back(line::end());
    if (!writeRequest(requestText(lines))) {
        tellError(message::kRequestNotCreated);
        return -18;
    }
    if (const int acknowledged = awaitAcknowledgement(id); acknowledged != 1) return acknowledged;
    if (cancelling) {
        if (const int answered = awaitResponse(id, "CNC"); answered != 1) return answered;
    }
    if (isAnyOf(op, {"CNF", "CRT", "CHQ", "NCN"})) deleteResidues();
    tef.date.clear();
    tef.time.clear();
    tef.controlCode.clear();
    tef.documentNumber.clear();
    return 1;
}

int undoUnprintedSale(const Road& road, const char* identification, const char* amount) {
    ensurePaths();
    core::TefState& tef = core::state().tef;
    const auto responseText = readExchangeFile(tef.responseFile);
    const ResponseText response(responseText.value_or(""));
    std::string id = core::argText(identification);
    if (id.empty() || decimalValue(id) == 0) id = response.lineValue(1);
    if (tef.transactionNumber.empty()) {
        if (const int read = readResponse(id); read != 1) return read;
    }

    const std::string amountText = core::argText(amount);
    std::string money = amountText.empty() ? std::string("0,00") : moneyText(amountText);
    std::string text = "Transa\xE7\xE3o Cancelada:";
    if (decimalValue(tef.transactionNumber) > 0) text += "\nDocumento No: " + tef.transactionNumber;
    text += "\nRede : " + tef.network;
    if (responseText) {
        // These networks put the document number before the amount.
        const bool documentFirst = isAnyOf(tef.network, {"REDECARD", "AMEX", "HCARD"});
        money = moneyText(response.lineValue(documentFirst ? 3 : 2));
        if (tef.network == "AMEX" && response.operation() == "ADM") money = "0,00";
    }
    if (money != "0,00") text += "\nValor : " + money;
    tellInformation(text);

    tef.adminRequest = false;
    const std::string digits = fiscal::keepDigits(money);
    if (const int undone = confirmSale(id.c_str(), digits.c_str(), "NCN"); undone != 1) {
        tef.pendingClose = true;
        return undone;
    }
    if (printer::isOn(road) == 1) {
        printer::closeReport(road);
        printer::closeBoundReceipt(road);
    } else {
        tef.pendingClose = true;
    }
    writeTefKey("STATUS", "0");
    return 1;
}

int cancelCardSale(const Road& road, const char* identification, const char* amount,
                   const char* transaction, const char* document, const char* date,
                   const char* time, const char* network) {
    ensurePaths();
    for (const char* argument :
         {identification, amount, transaction, document, date, time, network})
        if (core::argText(argument).empty()) return -2;
    core::TefState& tef = core::state().tef;
    tef.documentNumber = document;
    tef.transactionNumber = transaction;
    tef.date = date;
    tef.time = time;
    tef.network = network;
    if (const int cancelled = confirmSale(identification, amount, "CNC"); cancelled != 1)
        return cancelled;
    return printVoucher(road, identification, "Cartao", amount);
}

}  // namespace quelfi::tef

// Card and cheque sales, the complete card sale, and the manager's administrative menu: each
// checks the manager is active, leaves its request and waits for the manager's answer.
#include <cstdint>

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
#include "tef/transactions.h"

namespace quelfi::tef {

namespace {

constexpr int kPrinterChecks = 10000;
constexpr std::uint32_t kPrinterCheckPauseMs = 7;
// The checks' own time counts too: a printer that is off makes each check wait for its answer.
constexpr std::uint32_t kPrinterWaitMs = kPrinterChecks * kPrinterCheckPauseMs;
constexpr std::size_t kAmountDigitsMax = 12;

// Waits for the printer to answer the presence check; when it does not within the wait, the
// operator chooses to wait again. False when the operator gave up.
bool printerAnswers(const Road& road) {
    platform::Platform& os = *core::state().platform;
    for (;;) {
        const std::uint32_t start = os.tickCount();
        for (int check = 0; check < kPrinterChecks; ++check) {
            if (printer::isOn(road) == 1) return true;
            if (os.tickCount() - start >= kPrinterWaitMs) break;
            os.sleep(kPrinterCheckPauseMs);
        }
        if (!askYes(message::kPrinterNeeded)) return false;
    }
}

// The amount's digits, or the refusal's code after telling the operator.
int checkAmount(const char* amount, std::string& digits) {
    digits = fiscal::keepDigits(core::argText(amount));
    if (digits.find_first_not_of('0') == std::string::npos) {
        tellError(message::kNoAmount);
        return -2;
    }
    if (digits.size() > kAmountDigitsMax) {
        tellError(message::kAmountTooLong);
        return -2;
    }
    return 1;
}

// A sale's request after its checks: the coupon number read, the request left, acknowledged and
// answered. The acknowledgement's failures all come back as -18, without the files.
int requestSale(const Road& road, const std::string& operation, const std::string& identification,
                const std::string& digits, bool reserved) {
    core::TefState& tef = core::state().tef;
    tef.documentNumber.clear();
    if (const int read = printer::readCouponNumber(road, tef.documentNumber); read != 1)
        return read;
    std::vector<std::string> lines = {line::operation(operation),
                                      line::identification(identification),
                                      line::document(tef.documentNumber), line::amount(digits)};
    if (reserved) lines.push_back(line::reserved());
    lines.push_back(line::end());
    if (!writeRequest(requestText(lines))) {
        tellError(message::kRequestNotCreated);
        return -18;
    }
    if (awaitAcknowledgement(identification) != 1) {
        deleteResidues();
        return -18;
    }
    return awaitResponse(identification, operation);
}

}  // namespace

int cardSale(const Road& road, const char* identification, const char* amount) {
    ensurePaths();
    if (!printerAnswers(road)) return -6;
    const std::string id = core::argText(identification);
    if (id.empty()) {
        tellError(message::kNoIdentification);
        return -2;
    }
    std::string digits;
    if (const int checked = checkAmount(amount, digits); checked != 1) return checked;
    if (const int active = probeManager(id); active != 1) return active;
    if (const int answered = requestSale(road, "CRT", id, digits, true); answered != 1)
        return answered;
    return readResponse(id);
}

int chequeSale(const Road& road, const char* identification, const char* amount) {
    ensurePaths();
    const std::string id = core::argText(identification);
    if (id.empty()) {
        tellError(message::kNoChequeIdentification);
        return -2;
    }
    std::string digits;
    if (const int checked = checkAmount(amount, digits); checked != 1) return checked;
    if (const int active = probeManager(id); active != 1) return active;
    return requestSale(road, "CHQ", id, digits, false);
}

int completeCardSale(const Road& road, const char* identification, const char* amount,
                     const char* form, const char* message) {
    if (const int sold = cardSale(road, identification, amount); sold != 1) return sold;
    if (printer::finishCoupon(road, message) != 1) return -1;
    return printVoucher(road, identification, form, amount);
}

int administrativeMenu(const char* identification) {
    ensurePaths();
    const std::string id = core::argText(identification);
    if (id.empty()) return -2;
    if (const int active = probeManager(id); active != 1) return active;
    if (!writeRequest(
            requestText({line::operation("ADM"), line::identification(id), line::end()}))) {
        tellError(message::kRequestNotCreated);
        return -18;
    }
    const int acknowledged = awaitAcknowledgement(id);
    // The report comes later, with whatever identification the manager gives it.
    if (acknowledged == 1) core::state().tef.adminRequest = true;
    return acknowledged;
}

}  // namespace quelfi::tef

// Printing the voucher of Imprime.txt: in the bound receipt of the coupon's card payment, or in a
// management report for the manager's reports, in as many copies as TEF/VIAS says. TEF/STATUS is
// "1" while it prints, so that the next call finds an interrupted voucher. A line the printer did
// not take stops the voucher: the operator tries again or the transaction is undone, so no sale is
// confirmed with a voucher never printed.
#include <cstdint>

#include "core/export_call.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "tef/exchange_files.h"
#include "tef/exchange_format.h"
#include "tef/exchange_waits.h"
#include "tef/operator_messages.h"
#include "tef/printer_steps.h"
#include "tef/response_reader.h"
#include "tef/response_text.h"
#include "tef/transactions.h"

namespace quelfi::tef {

namespace {

constexpr std::size_t kCouponNumberWidth = 6;
constexpr int kEarlierCoupons = 20;
// Printers of the long forms take four voucher lines a call.
constexpr std::size_t kLinesPerCallLong = 4;
constexpr int kAcknowledged = 6;       // ACK: the printer took the command
constexpr int kStatusNotExecuted = 1;  // ST2 bit: the command was not executed

struct Voucher {
    bool report = false;  // in a management report, not the bound receipt
    std::string form;
    std::string amount;
    std::string couponNumber;
    std::vector<std::string> lines;  // as in Imprime.txt, each after the value's opening quote
    int copies = 1;
};

int copiesOf(const std::string& vias) {
    const long long copies = decimalValue(vias);
    return copies < 1 ? 1 : static_cast<int>(copies);
}

bool refused(const Road& road) {
    const printer::LastReply reply = printer::lastReply(road);
    return reply.ack != kAcknowledged || (reply.st2 & kStatusNotExecuted) != 0;
}

// Opens the bound receipt for the coupon; a refusal tries the coupons before it, in case the
// number read was already the next one.
void openReceipt(const Road& road, const Voucher& voucher) {
    printer::openBoundReceipt(road, voucher.form, voucher.amount, voucher.couponNumber);
    const long long number = decimalValue(voucher.couponNumber);
    for (int back = 1; back <= kEarlierCoupons && number - back >= 1; ++back) {
        if ((printer::lastReply(road).st2 & kStatusNotExecuted) == 0) return;
        printer::openBoundReceipt(
            road, voucher.form, voucher.amount,
            fiscal::zeroFill(std::to_string(number - back), kCouponNumberWidth));
    }
}

// One printing call and its verdict: false when the printer did not take it.
bool printed(const Road& road, const Voucher& voucher, const std::string& text) {
    road.beforeVoucherLine();
    const int result = voucher.report ? printer::printReportText(road, text)
                                      : printer::printBoundReceiptText(road, text);
    // A text the export refused never reached the printer, whatever the last reply says.
    if (result != 1 && result != -27) return false;
    return !refused(road);
}

// The text of the lines from `first` on that one call prints: one line as it reads, or several
// joined, each closing quote a blank.
std::string callText(const std::vector<std::string>& lines, std::size_t first, std::size_t count,
                     bool joined) {
    if (!joined) return printedLine(lines[first]);
    std::string text;
    for (std::size_t i = first; i < first + count; ++i) {
        std::string line = lines[i];
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        if (!line.empty() && line.back() == '"') line.back() = ' ';
        if (line.empty()) line.push_back(' ');
        if (!text.empty()) text += "\r\n";
        text += line;
    }
    return text;
}

// Every copy, the copies apart by two blank lines. False at the first call the printer refused.
bool printCopies(const Road& road, const Voucher& voucher) {
    const std::size_t perCall = core::state().printerType != 0 ? kLinesPerCallLong : 1;
    for (int copy = 0; copy < voucher.copies; ++copy) {
        if (copy > 0 && !(printed(road, voucher, " ") && printed(road, voucher, " "))) return false;
        for (std::size_t first = 0; first < voucher.lines.size(); first += perCall) {
            const std::size_t count = std::min(perCall, voucher.lines.size() - first);
            if (!printed(road, voucher, callText(voucher.lines, first, count, perCall > 1)))
                return false;
        }
    }
    return true;
}

}  // namespace

int printVoucher(const Road& road, const char* identification, const char* form,
                 const char* amount) {
    ensurePaths();
    core::TefState& tef = core::state().tef;
    const std::string id = core::argText(identification);
    Voucher voucher;
    voucher.form = core::argText(form);
    voucher.amount = core::argText(amount);
    if (id.empty() || voucher.form.empty() || voucher.amount.empty()) return -2;
    voucher.report = voucher.form == kReportOperation;
    if (!voucher.report) {
        if (const int read = readResponse(id); read != 1) return read;
        voucher.couponNumber = tef.documentNumber;
        if (voucher.couponNumber.size() < kCouponNumberWidth)
            voucher.couponNumber.insert(0, kCouponNumberWidth - voucher.couponNumber.size(), '0');
    }

    if (readTefKey("STATUS", 1) == "1") printer::closeReport(road);
    voucher.copies = copiesOf(readTefKey("VIAS", 2));
    const auto text = readExchangeFile(tef.voucherFile);
    if (!text) return -18;
    voucher.lines = exchangeLines(*text);

    while (printer::isOn(road) == -6) {
        tellError(message::kPrinterNotAnswering);
        if (!askYes(message::kPrinterNeeded)) return -6;
    }
    if (!voucher.report) openReceipt(road, voucher);
    writeTefKey("STATUS", "1");
    while (!printCopies(road, voucher)) {
        if (!askYes(message::kPrintAgain)) {
            const int undone = undoUnprintedSale(road, id.c_str(), voucher.amount.c_str());
            writeTefKey("STATUS", "0");
            return undone;
        }
        if (printer::isOn(road) == 1) {
            printer::closeBoundReceipt(road);
            printer::closeReport(road);
        }
        // The voucher starts again in a document of its own.
        if (!voucher.report) openReceipt(road, voucher);
    }
    writeTefKey("STATUS", "0");
    if (voucher.report)
        printer::closeReport(road);
    else
        printer::closeBoundReceipt(road);
    return 1;
}

int printReport(const Road& road) {
    ensurePaths();
    if (const int answered = awaitResponse("", kReportOperation); answered != 1) return answered;
    return printVoucher(road, "0", std::string(kReportOperation).c_str(), "0");
}

}  // namespace quelfi::tef

#include "tef/printer_steps.h"

#include <optional>

#include "core/port_connection.h"
#include "fiscal/coupon_closing.h"
#include "fiscal/coupon_queries.h"
#include "fiscal/nonfiscal_documents.h"
#include "protocol/presence.h"
#include "protocol/status.h"

namespace quelfi::tef::printer {

int isOn() {
    return core::nested([] { return protocol::verifyPrinterOn(); });
}

int readCouponNumber(std::string& number) {
    // Read for the library's own use: whatever Retorno says, the number comes back here.
    return fiscal::readCouponNumber(number);
}

int finishCoupon(const char* message) {
    return core::nested([=] { return fiscal::finishClosing(message); });
}

int openBoundReceipt(const std::string& form, const std::string& amount,
                     const std::string& couponNumber) {
    return core::nested([&] {
        return fiscal::openBoundReceipt(form.c_str(), amount.c_str(), couponNumber.c_str());
    });
}

int printBoundReceiptText(const std::string& text) {
    return core::nested([&] { return fiscal::printBoundReceiptText(text.c_str()); });
}

int closeBoundReceipt() {
    return core::nested([] { return fiscal::closeBoundReceipt(); });
}

int printReportText(const std::string& text) {
    return core::nested([&] { return fiscal::printReportText(text.c_str()); });
}

int closeReport() {
    return core::nested([] { return fiscal::closeReport(); });
}

LastReply lastReply() {
    std::optional<protocol::StatusAnswer> answer;
    core::nested([&] { return protocol::printerReturn(answer); });
    if (!answer) return {};
    return {answer->ack, answer->st2};
}

}  // namespace quelfi::tef::printer

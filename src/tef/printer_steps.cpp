#include "tef/printer_steps.h"

#include <optional>

#include "core/port_connection.h"
#include "fiscal/coupon_closing.h"
#include "fiscal/nonfiscal_documents.h"
#include "fiscal/queries.h"
#include "protocol/presence.h"
#include "protocol/status.h"

namespace quelfi::tef::printer {

int isOn(const Road& road) {
    return core::nested([&] { return protocol::verifyPrinterOn(road); });
}

int readCouponNumber(const Road& road, std::string& number) {
    // Read for the library's own use: whatever Retorno says, the number comes back here.
    return fiscal::readQuery(road, fiscal::Query::NumeroCupom, number);
}

int finishCoupon(const Road& road, const char* message) {
    return core::nested([&] { return fiscal::finishClosing(road, message); });
}

int openBoundReceipt(const Road& road, const std::string& form, const std::string& amount,
                     const std::string& couponNumber) {
    return core::nested([&] {
        return fiscal::openBoundReceipt(road, form.c_str(), amount.c_str(), couponNumber.c_str());
    });
}

int printBoundReceiptText(const Road& road, const std::string& text) {
    return core::nested([&] { return fiscal::printBoundReceiptText(road, text.c_str()); });
}

int closeBoundReceipt(const Road& road) {
    return core::nested([&] { return fiscal::closeBoundReceipt(road); });
}

int printReportText(const Road& road, const std::string& text) {
    return core::nested([&] { return fiscal::printReportText(road, text.c_str()); });
}

int closeReport(const Road& road) {
    return core::nested([&] { return fiscal::closeReport(road); });
}

LastReply lastReply(const Road& road) {
    std::optional<protocol::StatusAnswer> answer;
    core::nested([&] { return protocol::printerReturn(road, answer); });
    if (!answer) return {};
    return {answer->ack, answer->st2};
}

}  // namespace quelfi::tef::printer

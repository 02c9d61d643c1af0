#include "tef/response_reader.h"

#include "core/printer_state.h"
#include "platform/platform.h"
#include "tef/exchange_files.h"
#include "tef/exchange_format.h"
#include "tef/operator_messages.h"

namespace quelfi::tef {

namespace {

// The control code goes back to the manager in a field of 31 characters.
constexpr std::size_t kControlCodeWidth = 31;

}  // namespace

int readResponse(const std::string& identification) {
    core::TefState& tef = core::state().tef;
    const auto text = readExchangeFile(tef.responseFile);
    if (!text) return -18;
    const ResponseText response(*text);
    if (!tef.adminRequest && response.identification() != decimalValue(identification)) {
        tellError(message::kResponseMismatch);
        return -19;
    }
    tef.network = response.lastFieldValue("010");
    tef.transactionNumber = response.lastFieldValue("012");
    tef.date = response.lastFieldValue("022");
    tef.time = response.lastFieldValue("023");
    tef.controlCode = response.lastFieldValue("027").substr(0, kControlCodeWidth);
    // VISANET answers put the amount where the others put the document number.
    if (tef.network != "VISANET") tef.documentNumber = response.lineValue(2);
    return 1;
}

long long extractVoucher(const ResponseText& response) {
    const std::string count = response.voucherCount();
    writeTefKey("LINHAS", count);
    writeTefKey("BYTES", "0");
    if (count == "0") {
        // A voucher of an earlier transaction must not be taken for this one's.
        platform::removeFile(core::state().tef.voucherFile);
        return 0;
    }
    std::string voucher;
    for (const std::string& line : response.voucherLines()) voucher += line + "\r\n";
    platform::replaceFile(core::state().tef.voucherFile, voucher);
    return decimalValue(count);
}

}  // namespace quelfi::tef

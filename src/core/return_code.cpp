#include "core/return_code.h"

namespace quelfi::core {

std::string_view returnCodeMeaning(int code) {
    switch (code) {
        case rc::kOk:
            return "done";
        case rc::kCommunication:
            return "communication failure";
        case rc::kExecution:
            return "execution error";
        case rc::kInvalidParameter:
            return "invalid parameter";
        case rc::kTaxRateNotProgrammed:
            return "tax rate not programmed";
        case rc::kIniOrPortName:
            return "configuration file missing or port name invalid";
        case rc::kPortNotOpened:
            return "port could not be opened";
        case rc::kPrinterOff:
            return "printer off or disconnected";
        case rc::kBankNotInIni:
            return "bank not found in the configuration file";
        case rc::kAnswerFile:
            return "answer file could not be written";
        case rc::kChequeTimeout:
            return "cheque reading timed out";
        case rc::kDocumentRefused:
            return "document refused";
        case rc::kTefNotActive:
            return "TEF request not written or response not read";
        case rc::kTefIdentification:
            return "TEF answer for another identification";
        case rc::kTefOperatorCancelled:
            return "TEF transaction cancelled by the operator";
        case rc::kTefConfirmationRefused:
            return "TEF confirmation refused";
        case rc::kTefNoAnswer:
            return "TEF manager not answering";
        case rc::kPaymentFormNotProgrammed:
            return "payment form not programmed";
        case rc::kTotalizerNotProgrammed:
            return "non-fiscal totalizer not programmed";
        case rc::kTefAlreadyDone:
            return "TEF transaction already done";
        case rc::kStatusNotClean:
            return "printer status not clean";
        case rc::kTefNotApproved:
            return "TEF transaction not approved";
        case rc::kNotOnYanco:
            return "not available on the Yanco printer";
        case rc::kChequeInfoRefused1:
        case rc::kChequeInfoRefused2:
            return "cheque information refused";
        case rc::kScaleN:
            return "scale reads negative";
        case rc::kScaleI:
            return "scale not at rest";
        case rc::kScaleS:
            return "scale overloaded";
        case rc::kCouponClosing:
            return "coupon closing condition";
        default:
            return "";
    }
}

bool isReturnCode(int code) {
    return !returnCodeMeaning(code).empty();
}

}  // namespace quelfi::core

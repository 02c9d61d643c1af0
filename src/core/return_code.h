// The codes every export returns, with the words the call log uses for them.
#pragma once

#include <string_view>

namespace quelfi::core {

namespace rc {
inline constexpr int kOk = 1;
inline constexpr int kCommunication = 0;
inline constexpr int kExecution = -1;
inline constexpr int kInvalidParameter = -2;
inline constexpr int kTaxRateNotProgrammed = -3;
inline constexpr int kIniOrPortName = -4;
inline constexpr int kPortNotOpened = -5;
inline constexpr int kPrinterOff = -6;
inline constexpr int kBankNotInIni = -7;
inline constexpr int kAnswerFile = -8;
inline constexpr int kChequeTimeout = -9;
inline constexpr int kDocumentRefused = -10;
inline constexpr int kTefNotActive = -18;
inline constexpr int kTefIdentification = -19;
inline constexpr int kTefOperatorCancelled = -20;
inline constexpr int kTefConfirmationRefused = -21;
inline constexpr int kTefNoAnswer = -23;
inline constexpr int kPaymentFormNotProgrammed = -24;
inline constexpr int kTotalizerNotProgrammed = -25;
inline constexpr int kTefAlreadyDone = -26;
inline constexpr int kStatusNotClean = -27;
inline constexpr int kTefNotApproved = -28;
inline constexpr int kNotOnYanco = -30;
inline constexpr int kChequeInfoRefused1 = -31;
inline constexpr int kChequeInfoRefused2 = -32;
inline constexpr int kScaleN = -33;
inline constexpr int kScaleI = -34;
inline constexpr int kScaleS = -35;
inline constexpr int kCouponClosing = -36;
}  // namespace rc

// What a code means, in words for a person (the tool prints it beside the code). Empty for a
// value that is not a code of the library.
std::string_view returnCodeMeaning(int code);

// Whether a value is one of the library's codes.
bool isReturnCode(int code);

}  // namespace quelfi::core

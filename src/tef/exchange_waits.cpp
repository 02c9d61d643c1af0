#include "tef/exchange_waits.h"

#include "core/printer_state.h"
#include "platform/platform.h"
#include "tef/exchange_files.h"
#include "tef/exchange_format.h"
#include "tef/operator_messages.h"
#include "tef/response_reader.h"
#include "tef/response_text.h"

namespace quelfi::tef {

namespace {

constexpr int kProbeAttempts = 1000;
constexpr std::uint32_t kProbePauseMs = 7;
constexpr int kAcknowledgementAttempts = 2000;
constexpr std::uint32_t kAcknowledgementPauseMs = 7;
// About 225 s before the operator is asked whether to go on waiting.
constexpr int kResponseAttempts = 15000;
constexpr std::uint32_t kResponsePauseMs = 15;
// Where the count stands after the operator said to go on waiting (the value of the yes answer).
constexpr int kResumedAttempts = 6;

void pause(std::uint32_t milliseconds) {
    core::state().platform->sleep(milliseconds);
}

// The response's verdict: its voucher is shown on its way, its message otherwise decides.
int judge(const ResponseText& response, std::string_view operation) {
    const std::string status = response.status();
    if (operation == "CNF" && status != "0") {
        deleteResidues();
        return -21;
    }
    const long long voucherLines = extractVoucher(response);
    const std::string message = response.fieldValue("030");
    if (voucherLines >= 1) {
        showBriefly(message);
        return 1;
    }
    tellInformation(message);
    int result = -28;
    if (saysCancelled(message))
        result = -20;
    else if (saysAlreadyDone(message))
        result = -26;
    else if (status == "0" && operation == "CHQ")
        result = 1;
    if (result != 1) deleteResidues();
    return result;
}

}  // namespace

int probeManager(const std::string& identification) {
    ensurePaths();
    const core::TefState& tef = core::state().tef;
    if (exchangeFileExists(tef.activityFile)) return 1;
    if (identification.empty()) return -2;
    if (!writeRequest(
            requestText({"000-000 = ATV", "001-000 = " + identification, "999-999 = 0"}))) {
        tellError(message::kProbeNotCreated);
        return -18;
    }
    for (int attempt = 0; attempt < kProbeAttempts; ++attempt) {
        if (exchangeFileExists(tef.statusFile)) {
            platform::removeFile(tef.statusFile);
            return 1;
        }
        pause(kProbePauseMs);
    }
    tellError(message::kManagerNotActive);
    return 0;
}

int awaitAcknowledgement(const std::string& identification) {
    const core::TefState& tef = core::state().tef;
    for (int attempt = 0; attempt < kAcknowledgementAttempts; ++attempt) {
        if (const auto text = readExchangeFile(tef.statusFile)) {
            // Read is read: a status file of another request must not answer the next one too.
            platform::removeFile(tef.statusFile);
            const ResponseText status(*text);
            if (status.identification() == decimalValue(identification)) return 1;
            tellError(message::kAcknowledgementMismatch);
            return -19;
        }
        pause(kAcknowledgementPauseMs);
    }
    tellError(message::kNoAcknowledgement);
    return -23;
}

int awaitResponse(const std::string& identification, std::string_view operation) {
    const core::TefState& tef = core::state().tef;
    const long long expected = decimalValue(identification);
    for (int attempts = 0;;) {
        if (const auto text = readExchangeFile(tef.responseFile)) {
            const ResponseText response(*text);
            if (operation == kReportOperation || response.identification() == expected)
                return judge(response, operation);
            // Left by an earlier transaction. Dropping it counts as a look, so a file that cannot
            // be deleted still ends in the operator's question.
            platform::removeFile(tef.responseFile);
        }
        pause(kResponsePauseMs);
        if (++attempts < kResponseAttempts) continue;
        if (!askYes(message::kNoResponse)) {
            deleteResidues();
            return -23;
        }
        attempts = kResumedAttempts;
    }
}

}  // namespace quelfi::tef

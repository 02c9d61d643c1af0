// The waits of the exchange: for the manager's activity, its acknowledgement of a request, and its
// response. Each polls the file system with pauses of the platform's sleep, so a test's virtual
// clock runs them in no time.
#pragma once

#include <string>
#include <string_view>

namespace quelfi::tef {

// The operation name of the wait that reads a management report: any identification answers it.
inline constexpr std::string_view kReportOperation = "Gerencial";

// Whether the manager is active: Ativo.001, or else an ATV request acknowledged in time.
// 1, -2 (no identification), -18, 0.
int probeManager(const std::string& identification);

// Waits for IntPos.sts and checks its identification; the file is deleted once read.
// 1, -19, -23.
int awaitAcknowledgement(const std::string& identification);

// Waits for the response to `operation`, dropping responses left by earlier transactions, and
// judges it: 1 (a voucher follows, or an approved cheque), -20, -21, -23, -26, -28. Every result
// but 1 deletes the residues.
int awaitResponse(const std::string& identification, std::string_view operation);

}  // namespace quelfi::tef

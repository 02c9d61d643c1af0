// The departments report is composed here and printed as management-report text.
#include "mfd/departments_report.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "core/config.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/queries.h"
#include "mfd/computed_reports.h"
#include "mfd/report_printing.h"
#include "protocol/call.h"

namespace quelfi::mfd {

namespace {

constexpr char kEsc = 0x1B;
constexpr char kExpandedOn = 0x0E;
constexpr char kExpandedOff = 0x14;
constexpr std::size_t kDepartments = 20;
constexpr std::size_t kRecordWidth = 51;
constexpr std::size_t kAmountDigits = 20;
constexpr std::size_t kNameAt = 40;
constexpr std::size_t kNameWidth = 10;

bool goesOn(int result) {
    return result == 1 || result == -27;
}

std::string formatted(const char* format, const std::string& text) {
    const int size = std::snprintf(nullptr, 0, format, text.c_str());
    std::string out(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, text.c_str());
    out.resize(static_cast<std::size_t>(size));
    return out;
}

// The amount's digits in cents; a short or garbled answer counts as nothing.
long long cents(const std::string& digits) {
    long long value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return 0;
        // Twenty digits can exceed 64 bits: such an amount is held at its largest.
        if (value > (INT64_MAX - 9) / 10) return INT64_MAX;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::string departmentsText(const std::string& answer) {
    std::string text =
        std::string("\n") + kEsc + kExpandedOn + "    DEPARTAMENTOS" + kEsc + kExpandedOff + "\r\n";
    long long total = 0;
    int count = 0;
    for (std::size_t i = 0; i < kDepartments; ++i) {
        const std::size_t at = i * kRecordWidth;
        const std::string record = at < answer.size() ? answer.substr(at, kRecordWidth) : "";
        const long long amount = cents(record.substr(0, std::min(kAmountDigits, record.size())));
        // Sums past 64 bits stay at the largest amount rather than wrap.
        total = amount > INT64_MAX - total ? INT64_MAX : total + amount;
        const std::string name =
            record.size() >= kNameAt + kNameWidth ? record.substr(kNameAt, kNameWidth) : "";
        if (name.empty() || name == std::string(kNameWidth, ' ')) continue;
        ++count;
        text += name + formatted("%30s\r\n", moneyNotation(amount));
    }
    char countText[16];
    std::snprintf(countText, sizeof countText, "%02d\r\n", count);
    text += formatted("%-38s", "Qtde de departamentos") + countText;
    text += "Total" + formatted("%35s\r\n", moneyNotation(total));
    return text;
}

int printDepartments(const Road& road) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_ImprimeDepartamentos"));
    if (auto refused = call.refusedOnYanco()) return *refused;
    if (auto forwarded = call.handOver()) return *forwarded;
    std::string answer;
    const int read = fiscal::readQuery(road, fiscal::Query::VerificaDepartamentos, answer);
    if (!goesOn(read)) return call.finish(read);
    if (auto failed = printOnManagementReport(road, departmentsText(answer)))
        return call.finish(*failed);
    return call.finish(core::state().lastReturnCode);
}

}  // namespace quelfi::mfd

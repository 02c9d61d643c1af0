#include "mfd/report_printing.h"

#include "core/port_connection.h"
#include "fiscal/nonfiscal_documents.h"

namespace quelfi::mfd {

namespace {

constexpr std::size_t kReportTextMax = 610;

bool goesOn(int result) {
    return result == 1 || result == -27;
}

}  // namespace

std::optional<int> printOnManagementReport(const protocol::Road& road, const std::string& text) {
    const std::string parts[] = {text.substr(0, kReportTextMax),
                                 text.size() > kReportTextMax ? text.substr(kReportTextMax) : ""};
    for (const std::string& part : parts) {
        if (part.empty()) continue;
        const int printed =
            core::nested([&] { return fiscal::printReportText(road, part.c_str()); });
        if (!goesOn(printed)) return printed;
    }
    const int closed = core::nested([&] { return fiscal::closeReport(road); });
    if (!goesOn(closed)) return closed;
    return std::nullopt;
}

}  // namespace quelfi::mfd

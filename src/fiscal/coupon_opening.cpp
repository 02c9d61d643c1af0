#include "fiscal/coupon_opening.h"

#include <cstdio>
#include <cstdlib>

#include "core/config.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/queries.h"
#include "protocol/call.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr char kOpenCoupon = 0x00;
constexpr std::size_t kCustomerWidth = 29;

bool goesOn(int result) {
    return result == 1 || result == -27;
}

}  // namespace

int prepareFirstCoupon(const Road& road, std::string& coo, std::string& grossSales) {
    core::PrinterState& s = state();
    int result = readQuery(road, Query::NumeroCupom, coo);
    if (!goesOn(result)) return result;
    if (s.type60StartRecorded) return 1;
    if (s.firmwareVersion.empty()) {
        std::string version;
        result = readQuery(road, Query::VersaoFirmware, version);
        if (!goesOn(result)) return result;
        s.firmwareVersion = version;
    }
    if (s.firmwareVersion != "0212" && s.firmwareVersion != "0213") {
        result = readQuery(road, Query::VendaBruta, grossSales);
        if (!goesOn(result)) return result;
    }
    return 1;
}

void recordCoupon(const Road& road, const std::string& cooRead, const std::string& grossSales) {
    core::PrinterState& s = state();
    char coo[16];
    std::snprintf(coo, sizeof coo, "%06lu", std::strtoul(cooRead.c_str(), nullptr, 10) + 1);
    if (!s.type60StartRecorded) {
        bool first;
        if (s.firmwareVersion == "0212" || s.firmwareVersion == "0213") {
            std::string date;
            readQuery(road, Query::DataMovimento, date);
            first = date == "000000";
        } else {
            first = std::strtoull(grossSales.c_str(), nullptr, 10) == 0 && !grossSales.empty();
        }
        if (first) {
            core::writeIniValue("RelatorioTipo60", "COOInicial", coo);
            s.type60StartRecorded = true;
        }
    }
    core::writeIniValue("RelatorioTipo60", "COOFinal", coo);
}

int openCoupon(const Road& road, const char* customerId) {
    core::PrinterState& s = state();
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_AbreCupom"));
    const bool longForms = s.printerType != 0;
    std::string command = protocol::prefixed(std::string(1, kOpenCoupon));
    if (customerId) {
        const std::string id = customerId;
        if (id.size() > kCustomerWidth) return call.fail(-2, "Parametro invalido no CPF " + id);
        command += blankFill(id, kCustomerWidth);
        call.logParameter(id);
        if (longForms) command += std::string(110, ' ');
    } else {
        call.logParameter(" ");
    }
    const protocol::Parameters record =
        customerId ? protocol::Parameters{customerId} : protocol::Parameters{};
    if (auto forwarded = call.handOver(record)) return *forwarded;

    std::string coo, grossSales;
    const int prepared = prepareFirstCoupon(road, coo, grossSales);
    if (!goesOn(prepared)) return call.finish(prepared);

    int failure = 0;
    protocol::CommandSpec spec;
    spec.command = command;
    if (!call.send(spec, failure, "Erro de comunicacao ")) return failure;
    if (s.ack != 6 || s.st2 != 0) {
        if (s.st1 & 2) s.couponOpen = true;
        return call.finish(s.lastReturnCode);
    }
    recordCoupon(road, coo, grossSales);
    s.couponOpen = true;
    return call.finish(s.lastReturnCode);
}

int ensureCouponOpen(const Road& road) {
    core::PrinterState& s = state();
    if (s.couponOpen) return 1;
    const int opened = core::nested([&] { return openCoupon(road, ""); });
    if (opened == 0) return 0;
    // Whatever the opening gave, the sale makes sure of the port; one already open only logs.
    return core::nested([&] { return road.openPort(); });
}

}  // namespace quelfi::fiscal

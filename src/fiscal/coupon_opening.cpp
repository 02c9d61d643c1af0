#include "fiscal/coupon_opening.h"

#include <cstdio>
#include <cstdlib>

#include "core/config.h"
#include "core/export_call.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/coupon_queries.h"
#include "protocol/command_call.h"
#include "protocol/frame.h"
#include "protocol/network_client.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr std::size_t kCustomerWidth = 29;

bool goesOn(int result) {
    return result == 1 || result == -27;
}

// Reads what the first-coupon bookkeeping needs before the coupon is opened.
int prepareFirstCoupon(std::string& coo, std::string& grossSales) {
    core::PrinterState& s = state();
    int result = readCouponNumber(coo);
    if (!goesOn(result)) return result;
    if (s.type60StartRecorded) return 1;
    if (s.firmwareVersion.empty()) {
        std::string version;
        result = readFirmwareVersion(version);
        if (!goesOn(result)) return result;
        s.firmwareVersion = version;
    }
    if (s.firmwareVersion != "0212" && s.firmwareVersion != "0213") {
        result = readGrossSales(grossSales);
        if (!goesOn(result)) return result;
    }
    return 1;
}

// Records the COO of the day's first coupon and of the latest one.
void recordCoupon(const std::string& cooRead, const std::string& grossSales) {
    core::PrinterState& s = state();
    char coo[16];
    std::snprintf(coo, sizeof coo, "%06lu", std::strtoul(cooRead.c_str(), nullptr, 10) + 1);
    if (!s.type60StartRecorded) {
        bool first;
        if (s.firmwareVersion == "0212" || s.firmwareVersion == "0213") {
            std::string date;
            readMovementDate(date);
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

}  // namespace

int openCoupon(const char* customerId) {
    core::PrinterState& s = state();
    core::ExportCall call("Quelmar_FI_AbreCupom");
    const bool longForms = s.printerType != 0;
    std::string command = protocol::prefixed(std::string(1, '\0'));
    if (customerId) {
        const std::string id = customerId;
        if (id.size() > kCustomerWidth) return call.fail(-2, "Parametro invalido no CPF " + id);
        command += blankFill(id, kCustomerWidth);
        call.logParameter(id);
        if (longForms) command += std::string(110, ' ');
    } else {
        call.logParameter(" ");
    }
    const std::string record =
        customerId ? protocol::requestRecord(3, {customerId}) : protocol::requestRecord(3);
    if (auto forwarded = protocol::forwardToDriver(call, record)) return *forwarded;

    std::string coo, grossSales;
    const int prepared = prepareFirstCoupon(coo, grossSales);
    if (!goesOn(prepared)) return call.finish(prepared);

    int failure = 0;
    protocol::CommandSpec spec;
    spec.command = command;
    if (!protocol::send(call, spec, failure, "Erro de comunicacao ")) return failure;
    if (s.ack != 6 || s.st2 != 0) {
        if (s.st1 & 2) s.couponOpen = true;
        return call.finish(s.lastReturnCode);
    }
    recordCoupon(coo, grossSales);
    s.couponOpen = true;
    return call.finish(s.lastReturnCode);
}

int ensureCouponOpen() {
    core::PrinterState& s = state();
    if (s.couponOpen) return 1;
    const int opened = core::nested([] { return openCoupon(""); });
    if (opened == 0) return 0;
    // Whatever the opening gave, the sale makes sure of the port; one already open only logs.
    return core::nested([] { return core::openPort(); });
}

}  // namespace quelfi::fiscal

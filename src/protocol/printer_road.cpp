#include "protocol/printer_road.h"

#include "protocol/driver_request.h"
#include "protocol/presence.h"

namespace quelfi::protocol {

std::optional<int> PrinterRoad::handOver(const core::ExportCall&, const ExportRow&,
                                         const RecordRequest&) const {
    return std::nullopt;
}

int PrinterRoad::runRawRequest(const std::string& request) const {
    return protocol::runRawRequest(*this, request);
}

int PrinterRoad::openPort() const {
    return core::openPort(*this);
}

bool PrinterRoad::takeLastStatus() const {
    return true;  // the reply left it in the state
}

int PrinterRoad::fiscalFlags(int readyPolls, int& flags) const {
    return flags_(*this, readyPolls, flags);
}

bool PrinterRoad::yancoPrinter() const {
    return false;
}

std::optional<int> PrinterRoad::takeYancoForm(const ExportRow&, const YancoForm&) const {
    return std::nullopt;
}

int PrinterRoad::searchPorts() const {
    return protocol::searchPorts(*this);
}

int PrinterRoad::afterOpened() const {
    return core::finishOpened();
}

}  // namespace quelfi::protocol

// The road to the printer on this machine: every command is framed, written to the port and its
// reply read here; there is no network step. The Yanco printer's road builds on it.
#pragma once

#include "core/port_connection.h"
#include "protocol/road.h"

namespace quelfi::protocol {

class PrinterRoad : public Road, public core::OpeningSteps {
  public:
    // The fiscal flags are a member of the query family, above this layer: whoever makes the road
    // hands over how to ask them.
    using FlagsReader = int (*)(const Road& road, int readyPolls, int& flags);

    constexpr explicit PrinterRoad(FlagsReader flags) : flags_(flags) {}

    std::optional<int> handOver(const core::ExportCall& call, const ExportRow& row,
                                const RecordRequest& request) const override;
    int runRawRequest(const std::string& request) const override;
    int openPort() const override;
    bool takeLastStatus() const override;
    int fiscalFlags(int readyPolls, int& flags) const override;
    bool yancoPrinter() const override;
    std::optional<int> takeYancoForm(const ExportRow& row, const YancoForm& form) const override;

    // The port search for "DEFAULT"; an opened port needs nothing more.
    int searchPorts() const override;
    int afterOpened() const override;

  private:
    FlagsReader flags_;
};

}  // namespace quelfi::protocol

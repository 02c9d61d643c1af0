// The road of the network-driver client: no printer on this machine. Each call's request record
// goes to Quelfi32.cmd in the shared directory for the driver program that owns the printer, and
// the driver's answers come back in Status.txt and Retorno.txt.
#pragma once

#include "protocol/road.h"

namespace quelfi::protocol {

class ClientRoad : public Road {
  public:
    constexpr ClientRoad() = default;

    // Writes the request record (the row's number, the body's parameters) and ends the call; a
    // row without a record number lets the call go on.
    std::optional<int> handOver(const core::ExportCall& call, const ExportRow& row,
                                const RecordRequest& request) const override;
    // A Quelmar command has no way to the driver program: it is tried on the port, which the client
    // does not open.
    int runRawRequest(const std::string& request) const override;
    // The opening's lines, and 1: nothing is opened.
    int openPort() const override;
    // Waits for the driver's Status.txt and reads ACK, ST1 and ST2 from it.
    bool takeLastStatus() const override;
    // Never asked: the status request ends at its network step.
    int fiscalFlags(int readyPolls, int& flags) const override;
    // The driver's printer is the model the INI names.
    bool yancoPrinter() const override;
    // Never reached: the call ended at its network step.
    std::optional<int> takeYancoForm(const ExportRow& row, const YancoForm& form) const override;
};

}  // namespace quelfi::protocol

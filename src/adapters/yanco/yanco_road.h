// The roads to a Yanco printer: on this machine, and through the network driver's client. The
// export table's Yanco column decides each export's way on them: its Quelmar command as on the
// printer road, a Yanco form of its own (the printer's commands, or an answer made on the PC), the
// whole call handed over to a Yanco operation, or -30 for what the printer lacks.
#pragma once

#include "protocol/client_road.h"
#include "protocol/printer_road.h"

namespace quelfi::yanco {

class YancoRoad final : public protocol::PrinterRoad {
  public:
    constexpr explicit YancoRoad(FlagsReader flags) : PrinterRoad(flags) {}

    std::optional<int> opening(const core::ExportCall& call,
                               const protocol::ExportRow& row) const override;
    bool handsOver(const protocol::ExportRow& row) const override;
    // The export's Yanco form, where the printer road sends the Quelmar command.
    std::optional<int> handOver(const core::ExportCall& call, const protocol::ExportRow& row,
                                const protocol::RecordRequest& request) const override;
    int runRawRequest(const std::string& request) const override;
    // Makes the last reply's status as it came (before any translation) the state's.
    bool takeLastStatus() const override;

    // The start of day after a serial port opened, unless it ran in this process or the INI
    // records it for today.
    int afterOpened() const override;
};

// The client of the network driver when the printer beyond it is a Yanco printer: what the printer
// lacks is refused here already, and a raw request goes to the driver in the Yanco language.
class YancoClientRoad final : public protocol::ClientRoad {
  public:
    constexpr YancoClientRoad() = default;

    std::optional<int> opening(const core::ExportCall& call,
                               const protocol::ExportRow& row) const override;
    // An export whose hand-over comes before its network step hands over on the client too; the
    // Yanco operation then writes its own record.
    bool handsOver(const protocol::ExportRow& row) const override;
    int runRawRequest(const std::string& request) const override;
};

}  // namespace quelfi::yanco

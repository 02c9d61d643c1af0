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

    bool handsOver(const protocol::ExportRow& row) const override;
    // The export's Yanco form of the adapter's own (yanco_forms.h), taken right after the network
    // step; -30 for a row routed `refused` whose body did not refuse at its opening.
    std::optional<int> handOver(const core::ExportCall& call, const protocol::ExportRow& row,
                                const protocol::RecordRequest& request) const override;
    int runRawRequest(const std::string& request) const override;
    // Makes the last reply's status as it came (before any translation) the state's.
    bool takeLastStatus() const override;
    bool yancoPrinter() const override;
    // The form of a row routed `commands` or `local`; the others send their Quelmar command.
    std::optional<int> takeYancoForm(const protocol::ExportRow& row,
                                     const protocol::YancoForm& form) const override;

    // The start of day after a serial port opened, unless it ran in this process or the INI
    // records it for today.
    int afterOpened() const override;
    // Half a second before each line of a TEF voucher.
    void beforeVoucherLine() const override;
};

// The client of the network driver when the printer beyond it is a Yanco printer: a raw request
// goes to the driver in the Yanco language, and an export whose hand-over comes before its network
// step hands over here too (the Yanco operation then writes its own record).
class YancoClientRoad final : public protocol::ClientRoad {
  public:
    constexpr YancoClientRoad() = default;

    bool handsOver(const protocol::ExportRow& row) const override;
    int runRawRequest(const std::string& request) const override;
};

}  // namespace quelfi::yanco

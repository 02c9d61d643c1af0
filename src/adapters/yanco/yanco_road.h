// The road to a Yanco printer on this machine. An export whose row has no Yanco route of its own
// sends its Quelmar command as on the printer road; the port opening adds the printer's start of
// day, once a day as recorded in the INI.
#pragma once

#include "adapters/yanco/yanco_transport.h"
#include "protocol/printer_road.h"

namespace quelfi::yanco {

class YancoRoad final : public protocol::PrinterRoad {
  public:
    using Transport = int (*)(const protocol::Road& road, const YancoCommand& command);

    constexpr YancoRoad(FlagsReader flags, Transport transport)
        : PrinterRoad(flags), transport_(transport) {}

    // The start of day after a serial port opened, unless it ran in this process or the INI
    // records it for today.
    int afterOpened() const override;
    // Half a second before each line of a TEF voucher.
    void beforeVoucherLine() const override;

    bool yancoPrinter() const override;
    // The form of a row routed `commands` or `local`; the others send their Quelmar command.
    std::optional<int> takeYancoForm(const protocol::ExportRow& row,
                                     const protocol::YancoForm& form) const override;

  private:
    Transport transport_;
};

}  // namespace quelfi::yanco

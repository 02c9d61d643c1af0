// The edge between the C callers and the library: the common call sequence's first step, the
// choice of the call's road, and nothing but a return code crossing back.
#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "protocol/road.h"

namespace quelfi::exports {

// Runs one export's body; an exception (out of memory, a broken invariant) becomes a
// communication failure instead of crossing into the caller's C code.
template <typename F>
int guarded(F&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return 0;
    }
}

// The road a call travels, chosen from the configuration as it stands: the network-driver client
// in client mode, else the Yanco printer when the INI selects it, else the printer on this
// machine.
const protocol::Road& chosenRoad();

// Runs one export's body on the road chosen for this call.
template <typename Body>
int enter(Body&& body) noexcept {
    return guarded([&] { return body(chosenRoad()); });
}

// The chosen road with the Yanco operation an export hands the whole call over to, bound to the
// caller's arguments by the export's entry: the call is handed over at the first step of the
// export's own row (its opening, or after its network step) on a road that hands over.
class HandingRoad final : public protocol::Road {
  public:
    using Handler = std::function<int(const protocol::Road&)>;
    HandingRoad(const protocol::Road& road, Handler handler)
        : road_(road), handler_(std::move(handler)) {}

    bool handsOver(const protocol::ExportRow& row) const override { return road_.handsOver(row); }
    std::optional<int> handOverAtOpening(const protocol::ExportRow& row) const override {
        return handOverHere(row);
    }
    std::optional<int> handOver(const core::ExportCall& call, const protocol::ExportRow& row,
                                const protocol::RecordRequest& request) const override;
    int runRawRequest(const std::string& request) const override {
        return road_.runRawRequest(request);
    }
    int openPort() const override { return road_.openPort(); }
    bool takeLastStatus() const override { return road_.takeLastStatus(); }
    int fiscalFlags(int readyPolls, int& flags) const override {
        return road_.fiscalFlags(readyPolls, flags);
    }
    bool yancoPrinter() const override { return road_.yancoPrinter(); }
    void beforeVoucherLine() const override { road_.beforeVoucherLine(); }
    std::optional<int> takeYancoForm(const protocol::ExportRow& row,
                                     const protocol::YancoForm& form) const override {
        return road_.takeYancoForm(row, form);
    }

  private:
    // The operation's result when this step hands the call over.
    std::optional<int> handOverHere(const protocol::ExportRow& row) const;

    const protocol::Road& road_;
    Handler handler_;
    mutable bool handedOver_ = false;
};

// Runs one export's body on the road chosen for this call, with `handler` the Yanco operation its
// row hands the call over to.
template <typename Body, typename Handler>
int enter(Body&& body, Handler&& handler) noexcept {
    return guarded([&] {
        const HandingRoad road(chosenRoad(), std::forward<Handler>(handler));
        return body(road);
    });
}

// Reads the configuration: what the library does when a process loads it.
void libraryLoad();
void libraryUnload();

}  // namespace quelfi::exports

// The virtual Quelmar printer: takes one command (the bytes a frame carried), runs it against the
// fiscal model and answers the bytes the printer sends back. Safe to share between the thread
// that serves it and the test or tool that inspects it.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "sim/paper_roll.h"
#include "sim/quelmar/command_registry.h"
#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim {

class QuelmarPrinter {
  public:
    explicit QuelmarPrinter(FiscalModel model = {});

    // Runs a command (prefix byte first) and returns the reply bytes; empty when the command is
    // answered with nothing.
    std::string execute(std::string_view command);

    // The stream of the download the last command asked for, once; nothing when none was.
    std::optional<std::string> takeDownload();
    // The answer to a frame the printer could not take.
    static std::string nak();

    FiscalModel model() const;
    void update(const std::function<void(FiscalModel&)>& change);
    PaperRoll& paper() { return paper_; }

    // The command table, for adding commands before the printer is served.
    CommandRegistry& commands() { return commands_; }

    // The ready line (CTS): off while the printer is busy with a long print, on otherwise.
    bool readyLine();

    // The clock by which the printer times what it does for a while (a Z reduction on the
    // electronic-journal model), in milliseconds. By default the host's steady clock; a test's
    // line gives its own, so that its virtual time decides. Null puts the default back.
    using Ticks = std::function<std::uint32_t()>;
    void useClock(Ticks ticks);

  private:
    std::string encode(const Reply& reply) const;

    mutable std::mutex mutex_;
    FiscalModel model_;
    PaperRoll paper_;
    CommandRegistry commands_;
    Ticks ticks_;
    std::optional<std::string> download_;
};

}  // namespace quelfi::sim

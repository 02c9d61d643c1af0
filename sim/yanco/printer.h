// The virtual Yanco printer: takes one command (the text a frame carried, with its sequence
// number), runs it against the fiscal model and answers the reply frames the printer sends back.
// Safe to share between the thread that serves it and the test or tool that inspects it.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "sim/paper_roll.h"
#include "sim/yanco/command_table.h"
#include "sim/yanco/model.h"

namespace quelfi::sim::yanco {

class Printer {
  public:
    explicit Printer(Model model = {});

    // Runs a command and returns its reply frames, which carry `sequence` (four digits).
    std::string execute(std::string_view sequence, std::string_view command);

    // The answer to a frame the printer could not take.
    static std::string nak();

    // The next command is not run: it is answered with this status number alone, as the printer
    // does when something the model does not know about stops it.
    void answerStatusOnce(int status);

    Model model() const;
    void update(const std::function<void(Model&)>& change);
    PaperRoll& paper() { return paper_; }

    // The command table, for adding commands before the printer is served.
    CommandTable& commands() { return commands_; }

  private:
    mutable std::mutex mutex_;
    Model model_;
    PaperRoll paper_;
    CommandTable commands_;
    std::optional<int> forcedStatus_;
};

}  // namespace quelfi::sim::yanco

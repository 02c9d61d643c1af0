// A virtual Yanco printer served on a pseudo-terminal, linked as COM1 in a port directory. Its
// state is kept in a state file, written after each command that changed it and before the reply
// goes back, as a real printer keeps its memory through a power cut.
#pragma once

#include <memory>
#include <string>

#include "quelfi/state_file.h"
#include "sim/pty_server.h"
#include "sim/yanco/model_text.h"
#include "sim/yanco/printer_link.h"

namespace quelfi::tool {

class ServedYanco {
  public:
    struct Options {
        std::string portDirectory;  // COM1 is linked here ("" for no link)
        std::string stateFile;      // "" keeps no state
        std::string paperFile;      // "" keeps the paper in memory only
    };

    // Starts serving; std::runtime_error when the device cannot be set up.
    ServedYanco(sim::yanco::Model model, const Options& options);
    ~ServedYanco();
    ServedYanco(const ServedYanco&) = delete;
    ServedYanco& operator=(const ServedYanco&) = delete;

    sim::yanco::Printer& printer() { return printer_; }
    std::string devicePath() const { return pty_->devicePath(); }
    const std::string& comLink() const { return comLink_; }

    // Writes the state when it changed; false when the state file could not be written.
    bool keepState() { return state_.keep(printer_.model()); }

    // Stops serving and writes the state a last time; also done by the destructor.
    bool stop();

  private:
    class KeepingLink final : public sim::ByteDevice {
      public:
        explicit KeepingLink(ServedYanco& owner) : owner_(owner), link_(owner.printer_) {}
        std::string receive(std::string_view bytes) override {
            std::string reply = link_.receive(bytes);
            owner_.keepState();
            return reply;
        }
        std::string idle() override { return link_.idle(); }

      private:
        ServedYanco& owner_;
        sim::yanco::PrinterLink link_;
    };

    sim::yanco::Printer printer_;
    StateFile<sim::yanco::Model> state_;
    KeepingLink link_;
    std::string comLink_;
    std::unique_ptr<sim::PtyServer> pty_;
};

}  // namespace quelfi::tool

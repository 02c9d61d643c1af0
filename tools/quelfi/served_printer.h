// A virtual Quelmar printer served where the library reaches a device: on a pseudo-terminal,
// linked as COM1 in a port directory, or through the emulator files. Its state can be kept in a
// state file, written after each command that changed it and before the reply goes back, as a
// real printer keeps its memory through a power cut.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "quelfi/state_file.h"
#include "sim/pty_server.h"
#include "sim/quelmar/emulator_server.h"
#include "sim/quelmar/model_file.h"
#include "sim/quelmar/printer_link.h"
#include "sim/quelmar/quelmar_printer.h"

namespace quelfi::tool {

class ServedPrinter {
  public:
    enum class Road { PseudoTerminal, EmulatorFiles };

    struct Options {
        Road road = Road::PseudoTerminal;
        std::string portDirectory;  // pseudo-terminal: COM1 is linked here ("" for no link)
        std::string stateFile;      // "" keeps no state
        std::string paperFile;      // "" keeps the paper in memory only
    };

    // Starts serving; std::runtime_error when the device cannot be set up.
    ServedPrinter(sim::FiscalModel model, const Options& options);
    ~ServedPrinter();
    ServedPrinter(const ServedPrinter&) = delete;
    ServedPrinter& operator=(const ServedPrinter&) = delete;

    sim::QuelmarPrinter& printer() { return printer_; }

    // Pseudo-terminal: the device and the COM1 link ("" when not linked).
    std::string devicePath() const;
    const std::string& comLink() const { return comLink_; }
    // Emulator files.
    std::string commandFile() const;
    std::string replyFile() const;

    // Writes the state when it changed; false when the state file could not be written.
    bool keepState();

    // Stops serving and writes the state a last time; also done by the destructor.
    bool stop();

  private:
    // The line's bytes go to the printer; the state is kept before the reply leaves.
    class KeepingLink final : public sim::ByteDevice {
      public:
        explicit KeepingLink(ServedPrinter& owner) : owner_(owner), link_(owner.printer_) {}
        std::string receive(std::string_view bytes) override;
        std::string idle() override;
        // A download's blocks leave on the printer's own time, at the line's rate.
        void lineIs(const sim::LineShape& shape) override { link_.lineIs(shape); }
        bool paced() const override { return link_.paced(); }
        bool sending() const override { return link_.sending(); }
        bool wholeWrites() const override { return link_.wholeWrites(); }

      private:
        ServedPrinter& owner_;
        sim::PrinterLink link_;
    };

    sim::QuelmarPrinter printer_;
    StateFile<sim::FiscalModel> state_;
    KeepingLink link_;
    std::string comLink_;
    std::unique_ptr<sim::PtyServer> pty_;
    std::unique_ptr<sim::EmulatorServer> emulator_;
};

}  // namespace quelfi::tool

#include "quelfi/served_printer.h"

#include <filesystem>

#include "sim/quelmar/model_file.h"

namespace quelfi::tool {

std::string ServedPrinter::KeepingLink::receive(std::string_view bytes) {
    std::string reply = link_.receive(bytes);
    owner_.keepState();
    return reply;
}

std::string ServedPrinter::KeepingLink::idle() {
    return link_.idle();
}

ServedPrinter::ServedPrinter(sim::FiscalModel model, const Options& options)
    : printer_(std::move(model)), state_(options.stateFile), link_(*this) {
    if (!state_.keep(printer_.model()))
        throw std::runtime_error("cannot write the state file " + options.stateFile);
    if (!options.paperFile.empty()) printer_.paper().appendTo(options.paperFile);
    if (options.road == Road::EmulatorFiles) {
        emulator_ = std::make_unique<sim::EmulatorServer>(printer_);
        return;
    }
    pty_ = std::make_unique<sim::PtyServer>(link_);
    if (!options.portDirectory.empty()) {
        std::filesystem::create_directories(options.portDirectory);
        comLink_ = (std::filesystem::path(options.portDirectory) / "COM1").string();
        pty_->linkAs(comLink_);
    }
}

ServedPrinter::~ServedPrinter() {
    stop();
}

std::string ServedPrinter::devicePath() const {
    return pty_ ? pty_->devicePath() : "";
}

std::string ServedPrinter::commandFile() const {
    return emulator_ ? emulator_->commandFile() : "";
}

std::string ServedPrinter::replyFile() const {
    return emulator_ ? emulator_->replyFile() : "";
}

bool ServedPrinter::keepState() {
    return state_.keep(printer_.model());
}

bool ServedPrinter::stop() {
    if (pty_) pty_->stop();
    if (emulator_) emulator_->stop();
    return keepState();
}

}  // namespace quelfi::tool

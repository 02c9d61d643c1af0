#include "quelfi/served_yanco.h"

#include <filesystem>

namespace quelfi::tool {

ServedYanco::ServedYanco(sim::yanco::Model model, const Options& options)
    : printer_(std::move(model)), state_(options.stateFile), link_(*this) {
    if (!keepState()) throw std::runtime_error("cannot write the state file " + options.stateFile);
    if (!options.paperFile.empty()) printer_.paper().appendTo(options.paperFile);
    pty_ = std::make_unique<sim::PtyServer>(link_);
    if (!options.portDirectory.empty()) {
        std::filesystem::create_directories(options.portDirectory);
        comLink_ = (std::filesystem::path(options.portDirectory) / "COM1").string();
        pty_->linkAs(comLink_);
    }
}

ServedYanco::~ServedYanco() {
    stop();
}

bool ServedYanco::stop() {
    pty_->stop();
    return keepState();
}

}  // namespace quelfi::tool

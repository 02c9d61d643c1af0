#include "sim/paper_roll.h"

#include <fstream>

namespace quelfi::sim {

void PaperRoll::print(const std::string& line) {
    printLines({line});
}

void PaperRoll::printLines(const std::vector<std::string>& lines) {
    std::lock_guard lock(mutex_);
    lines_.insert(lines_.end(), lines.begin(), lines.end());
    if (file_.empty()) return;
    std::ofstream out(file_, std::ios::binary | std::ios::app);
    for (const auto& line : lines) out << line << '\n';
}

std::vector<std::string> PaperRoll::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

std::string PaperRoll::text() const {
    std::lock_guard lock(mutex_);
    std::string out;
    for (const auto& line : lines_) out += line + '\n';
    return out;
}

void PaperRoll::clear() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

void PaperRoll::appendTo(const std::string& path) {
    std::lock_guard lock(mutex_);
    file_ = path;
}

}  // namespace quelfi::sim

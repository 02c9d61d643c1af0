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

std::size_t PaperRoll::size() const {
    std::lock_guard lock(mutex_);
    return lines_.size();
}

std::vector<std::string> PaperRoll::linesFrom(std::size_t first) const {
    std::lock_guard lock(mutex_);
    if (first >= lines_.size()) return {};
    return {lines_.begin() + static_cast<std::ptrdiff_t>(first), lines_.end()};
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

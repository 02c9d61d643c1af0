// The printed output as a person would read it: every document the printer prints becomes text
// lines (UTF-8) on this roll. Tests and the command-line printer read it back; when a file is
// given, each line is also appended to it as it prints.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace quelfi::sim {

class PaperRoll {
  public:
    void print(const std::string& line);
    void printLines(const std::vector<std::string>& lines);

    std::vector<std::string> lines() const;
    // How many lines are on the roll, and those from line `first` (0 first) on.
    std::size_t size() const;
    std::vector<std::string> linesFrom(std::size_t first) const;
    // All lines, each ended by '\n'.
    std::string text() const;
    void clear();

    // Also appends every line printed from now on to this file ("" stops it).
    void appendTo(const std::string& path);

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    std::string file_;
};

}  // namespace quelfi::sim

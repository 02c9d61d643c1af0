// A line that tells a person the tool is still waiting for the printer (a reduction, a
// fiscal-memory reading): shown only on a terminal, only once a call has lasted a moment, and
// wiped when the call returns.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace quelfi::tool {

class ProgressLine {
  public:
    // Starts watching; `shown` false makes it do nothing (output that is not a terminal).
    ProgressLine(bool shown, std::string label);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

  private:
    void run();

    std::string label_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

}  // namespace quelfi::tool

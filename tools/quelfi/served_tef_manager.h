// The virtual TEF manager running beside a program on a thread of its own, looking at its request
// directory every few milliseconds, as the real manager runs beside the point of sale.
#pragma once

#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include "sim/tef/tef_manager.h"

namespace quelfi::tool {

class ServedTefManager {
  public:
    ServedTefManager(std::filesystem::path requests, std::filesystem::path responses);
    ~ServedTefManager();
    ServedTefManager(const ServedTefManager&) = delete;
    ServedTefManager& operator=(const ServedTefManager&) = delete;

    // Stops the thread and waits for it; then the transactions can be read.
    void stop();
    const std::vector<sim::tef::Transaction>& transactions() const;

  private:
    sim::tef::TefManager manager_;
    std::atomic<bool> running_{true};
    std::thread thread_;
};

}  // namespace quelfi::tool

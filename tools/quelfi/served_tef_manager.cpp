#include "quelfi/served_tef_manager.h"

#include <chrono>

namespace quelfi::tool {

namespace {

constexpr auto kPause = std::chrono::milliseconds(5);

}  // namespace

ServedTefManager::ServedTefManager(std::filesystem::path requests, std::filesystem::path responses)
    : manager_(std::move(requests), std::move(responses)), thread_([this] {
          using namespace std::chrono;
          while (running_) {
              manager_.serve(static_cast<std::uint64_t>(
                  duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count()));
              std::this_thread::sleep_for(kPause);
          }
      }) {}

ServedTefManager::~ServedTefManager() {
    stop();
}

void ServedTefManager::stop() {
    running_ = false;
    if (thread_.joinable()) thread_.join();
}

const std::vector<sim::tef::Transaction>& ServedTefManager::transactions() const {
    return manager_.transactions();
}

}  // namespace quelfi::tool

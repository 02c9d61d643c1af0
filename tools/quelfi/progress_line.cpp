#include "quelfi/progress_line.h"

#include <chrono>
#include <cstdio>
#include <iostream>

namespace quelfi::tool {

namespace {

using Clock = std::chrono::steady_clock;

// Quick calls never show the line; a long one updates it a few times a second.
constexpr auto kShowAfter = std::chrono::milliseconds(700);
constexpr auto kUpdateEvery = std::chrono::milliseconds(250);

}  // namespace

ProgressLine::ProgressLine(bool shown, std::string label) : label_(std::move(label)) {
    if (!shown) return;
    std::cout.flush();
    thread_ = std::thread([this] { run(); });
}

ProgressLine::~ProgressLine() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        done_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void ProgressLine::run() {
    const auto start = Clock::now();
    std::unique_lock lock(mutex_);
    if (wake_.wait_until(lock, start + kShowAfter, [this] { return done_; })) return;
    static const char* const kTurns[] = {"|", "/", "-", "\\"};
    for (int turn = 0; !done_; ++turn) {
        const auto tenths =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count() /
            100;
        char elapsed[32];
        std::snprintf(elapsed, sizeof elapsed, "%lld.%lld s", static_cast<long long>(tenths / 10),
                      static_cast<long long>(tenths % 10));
        std::cout << "\r\x1B[K  " << kTurns[turn % 4] << " waiting for the printer: " << label_
                  << "  " << elapsed << std::flush;
        wake_.wait_for(lock, kUpdateEvery, [this] { return done_; });
    }
    std::cout << "\r\x1B[K" << std::flush;
}

}  // namespace quelfi::tool

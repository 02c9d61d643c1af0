#include "sim/scales/in_process_scale_line.h"

#include <cmath>
#include <limits>

#include "sim/clocked_read.h"
#include "sim/scales/scale_codes.h"

namespace quelfi::sim {
namespace {

constexpr std::size_t kWithoutEnd = std::numeric_limits<std::size_t>::max();

LineShape shapeOf(const platform::LineSettings& s) {
    LineShape shape;
    shape.baud = s.baud;
    shape.dataBits = s.dataBits;
    static constexpr char kParity[] = {'N', 'O', 'E', 'M', 'S'};
    shape.parity = kParity[static_cast<int>(s.parity)];
    shape.stopBits = s.stopBits == platform::StopBits::One          ? 1
                     : s.stopBits == platform::StopBits::OneAndHalf ? 1.5
                                                                    : 2;
    return shape;
}

}  // namespace

class InProcessScaleLine::Connection final : public platform::SerialLine {
  public:
    explicit Connection(InProcessScaleLine& line) : line_(line) {}
    ~Connection() override { close(); }

    long write(const std::uint8_t* data, std::size_t size) override {
        return closed_ ? -1 : line_.write(data, size);
    }
    long read(std::uint8_t* data, std::size_t count) override {
        return closed_ ? -1 : line_.read(data, count);
    }
    bool purge() override {
        if (closed_) return false;
        line_.purge();
        return true;
    }
    bool setTimeouts(const platform::SerialTimeouts& timeouts) override {
        if (closed_) return false;
        line_.timeouts_ = timeouts;
        return true;
    }
    bool restoreTimeouts() override {
        if (closed_) return false;
        line_.timeouts_ = {};
        return true;
    }
    bool close() override {
        if (!closed_) line_.open_ = false;
        closed_ = true;
        return true;
    }

  private:
    InProcessScaleLine& line_;
    bool closed_ = false;
};

InProcessScaleLine::InProcessScaleLine(VirtualScale& scale, platform::Platform& clock)
    : scale_(scale), clock_(clock) {}

InProcessScaleLine::~InProcessScaleLine() = default;

std::unique_ptr<platform::SerialLine> InProcessScaleLine::open(
    const platform::LineSettings& settings) {
    settings_ = settings;
    timeouts_ = settings.timeouts;
    open_ = true;
    ++openings_;
    purge();
    return std::make_unique<Connection>(*this);
}

long InProcessScaleLine::write(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    written_.append(bytes);
    if (bytes.find(scale_codes::kEnq) != std::string_view::npos) answer(bytes);
    return static_cast<long>(size);
}

void InProcessScaleLine::answer(std::string_view request) {
    scale_.lineIs(shapeOf(settings_));
    answer_ = scale_.receive(request);
    streaming_ = faults_.endless || faults_.streamBytes > 0;
    if (streaming_) {
        answer_ = std::string(1, scale_codes::kStx);
        streamLength_ = faults_.endless ? kWithoutEnd : faults_.streamBytes;
    }
    if (faults_.dropStx && !answer_.empty() && answer_.front() == scale_codes::kStx)
        answer_.erase(0, 1);
    if (!streaming_ && faults_.dropEtx && !answer_.empty() && answer_.back() == scale_codes::kEtx)
        answer_.pop_back();
    // STX, the frame, ETX: only the frame is cut.
    if (!streaming_ && faults_.cutFrameTo && answer_.size() >= 2 &&
        *faults_.cutFrameTo < answer_.size() - 2)
        answer_.erase(1 + *faults_.cutFrameTo, answer_.size() - 2 - *faults_.cutFrameTo);
    next_ = 0;
    paced_ = !faults_.unpaced;
    answerStart_ = clock_.tickCount() + faults_.lateMs;
}

bool InProcessScaleLine::byteAt(std::size_t index, char& byte) const {
    if (index < answer_.size()) {
        byte = answer_[index];
        return true;
    }
    if (!streaming_ || index - answer_.size() >= streamLength_) return false;
    byte = static_cast<char>('0' + (index - answer_.size()) % 10);
    return true;
}

std::uint32_t InProcessScaleLine::readyAt(std::size_t index) const {
    if (!paced_) return answerStart_;
    const double ms = static_cast<double>(index + 1) * shapeOf(settings_).byteMilliseconds();
    return answerStart_ + static_cast<std::uint32_t>(std::ceil(ms));
}

long InProcessScaleLine::read(std::uint8_t* data, std::size_t count) {
    return readOnClock(
        clock_, timeouts_, data, count,
        [this](DueByte& due) {
            if (!byteAt(next_, due.byte)) return false;
            due.dueAt = readyAt(next_);
            return true;
        },
        [this] {
            ++next_;
            ++bytesRead_;
        });
}

void InProcessScaleLine::purge() {
    answer_.clear();
    streaming_ = false;
    next_ = 0;
}

}  // namespace quelfi::sim

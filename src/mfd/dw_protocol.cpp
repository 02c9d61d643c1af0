#include "mfd/dw_protocol.h"

#include <cstdio>

#include "core/printer_state.h"
#include "mfd/kermit_crc.h"
#include "protocol/frame.h"

namespace quelfi::mfd {
namespace {

constexpr std::uint32_t kCommandBaud = 9600;
constexpr std::uint32_t kDataBaud = 115200;
constexpr std::uint32_t kCommandWriteMs = 1000;
constexpr std::uint32_t kAnswerByteMs = 2000;
constexpr int kAnswerBytes = 3;  // ACK, ST1, ST2
constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kSt1Warning = 4;      // with kSt2NotExecuted: a warning the journal
constexpr std::uint8_t kSt2NotExecuted = 1;  // printers raise, not a refusal
constexpr std::uint32_t kBlockReadMs = 2000;
constexpr std::uint32_t kAnswerWriteMs = 1000;
// Empty or broken reads a phase takes before it counts the printer as finished.
constexpr int kRetries = 30;
constexpr std::uint32_t kBetweenPhasesMs = 1000;
constexpr std::uint8_t kAnswerStart = 0x02;

constexpr char kEsc = 0x1B;
const std::string kFiscalMemory = std::string(1, kEsc) + "b";
const std::string kJournalTotal = std::string(1, kEsc) + "aF";
const std::string kJournalByDate = std::string(1, kEsc) + "aD";
const std::string kJournalByCoo = std::string(1, kEsc) + "aC";

std::uint16_t le16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

// Whether the `received` bytes hold a whole block of `length` data bytes with a good check.
bool checked(const std::uint8_t* block, std::size_t received, std::size_t length) {
    if (length > kBlockData || kBlockHeader + length + kBlockCheck > received) return false;
    return kermitCrc(block, kBlockHeader + length) == le16(block + kBlockHeader + length);
}

}  // namespace

CDwProtocol::~CDwProtocol() = default;

int CDwProtocol::sendCommand(const std::string& command) {
    const std::string frame =
        protocol::frameHeader(command) + command + protocol::frameChecksum(command);
    serial_.open(kCommandBaud);  // a failed opening shows in the write
    const bool written = serial_.write(reinterpret_cast<const std::uint8_t*>(frame.data()),
                                       frame.size(), kCommandWriteMs);
    if (!written) {
        serial_.close();
        return 0;
    }
    std::uint8_t answer[kAnswerBytes] = {};
    for (std::uint8_t& byte : answer) {
        std::size_t got = 0;
        if (!serial_.read(&byte, 1, kAnswerByteMs, got) || got != 1) {
            serial_.close();
            return 0;
        }
    }
    serial_.close();
    // A refused command sends no blocks: waiting out the phase's silence would only hold the
    // caller a minute for the same 0.
    const bool refused = answer[0] != kAck || ((answer[2] & kSt2NotExecuted) != 0 &&
                                               (answer[1] & kSt1Warning) == 0);
    return refused ? 0 : 1;
}

bool CDwProtocol::answerBlock(std::uint8_t code) {
    const std::uint8_t sequence =
        code == kBlockAck ? static_cast<std::uint8_t>(sequence_ + 1) : sequence_;
    std::uint8_t answer[5] = {kAnswerStart, sequence, code, 0, 0};
    const std::uint16_t crc = kermitCrc(answer, 3);
    answer[3] = static_cast<std::uint8_t>(crc & 0xFF);
    answer[4] = static_cast<std::uint8_t>(crc >> 8);
    return serial_.write(answer, sizeof answer, kAnswerWriteMs);
}

int CDwProtocol::writeBlock(const std::uint8_t* data, std::size_t size) {
    const auto sink = [this](const std::uint8_t* bytes, std::size_t count) {
        return output_.write(bytes, count);
    };
    const bool written =
        raw_ ? output_.write(data, size) : decoder_.decode(data, size, 2 * size, sink);
    return written ? 1 : -8;
}

int CDwProtocol::abandon(int result) {
    serial_.close();
    output_.close();
    return result;
}

int CDwProtocol::receive(bool first, bool last) {
    if (first && !output_.open()) return -8;
    if (!serial_.open(kDataBaud)) return abandon(0);

    std::uint8_t expected = 0;
    int retries = kRetries;
    bool headerSeen = false;
    bool accepted = false;  // a block of this phase was taken
    bool spoiled = false;   // the last full block failed its check
    for (;;) {
        std::size_t received = 0;
        if (!serial_.read(block_, kBlockSize, kBlockReadMs, received)) received = 0;
        serial_.purge();
        const std::uint8_t sequence = block_[1];
        const std::size_t length = received >= kBlockHeader ? le16(block_ + 2) : 0;
        if (received == kBlockSize) {
            const bool repeated = accepted && sequence == sequence_;
            if (!repeated && sequence != expected) return abandon(0);
            if (!checked(block_, received, length)) {
                // Counted like an empty read, so a line that spoils every block cannot hold
                // the caller for ever.
                if (!answerBlock(kBlockNak)) return abandon(0);
                spoiled = true;
                if (--retries > 0) continue;
                return abandon(0);
            }
            retries = kRetries;
            spoiled = false;
            sequence_ = sequence;
            accepted = true;
            if (!answerBlock(kBlockAck)) return abandon(0);
            expected = static_cast<std::uint8_t>(sequence + 1);
            if (repeated) continue;
            if (sequence == 0 && !headerSeen) {
                // The phase's header block: acknowledged, never written.
                headerSeen = true;
            } else if (const int written = writeBlock(block_ + kBlockHeader, length);
                       written != 1) {
                return abandon(written);
            }
            if (length < kBlockData) break;
            continue;
        }
        // A short read is the phase's last block when it is whole, expected and checked.
        if (length >= 1 && length < kBlockData && checked(block_, received, length)) {
            if (sequence != expected) return abandon(0);
            sequence_ = sequence;
            if (!answerBlock(kBlockAck)) return abandon(0);
            if (const int written = writeBlock(block_ + kBlockHeader, length); written != 1)
                return abandon(written);
            accepted = true;
            break;
        }
        if (--retries > 0) continue;
        // The line stayed quiet: the printer has nothing more, unless it never sent anything.
        if (!accepted || spoiled) return abandon(0);
        break;
    }
    serial_.close();
    if (last && !output_.close()) return -8;
    return 1;
}

int CDwProtocol::downloadFiscalMemory() {
    if (const int sent = sendCommand(kFiscalMemory); sent != 1) return sent;
    return receive(true, true);
}

int CDwProtocol::downloadJournal(const std::string& command) {
    if (const int sent = sendCommand(kFiscalMemory); sent != 1) return sent;
    if (const int received = receive(true, false); received != 1) return received;
    core::state().platform->sleep(kBetweenPhasesMs);
    if (const int sent = sendCommand(command); sent != 1) return abandon(sent);
    return receive(false, true);
}

int CDwProtocol::downloadJournalTotal() {
    return downloadJournal(kJournalTotal);
}

int CDwProtocol::downloadJournalByDate(const std::string& start, const std::string& end) {
    return downloadJournal(kJournalByDate + start + end);
}

int CDwProtocol::downloadJournalByCoo(long startCoo, long endCoo, int user) {
    char fields[32];
    std::snprintf(fields, sizeof fields, "%06ld%06ld%03d", startCoo, endCoo, user);
    return downloadJournal(kJournalByCoo + fields);
}

}  // namespace quelfi::mfd

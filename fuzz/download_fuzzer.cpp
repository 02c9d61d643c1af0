// The journal download's blocks as outside data: each read of the line takes a piece of the fuzz
// input (a full block, a short one, noise), decoded into a file kept in memory, over one or two
// phases so the decoder's state crosses from one to the next.
//
// Holds: the receiver ends (every read spends the input or a retry), answers 1, 0 or -8, writes
// only five-byte answers, and decodes nothing past the bytes a read returned.
#include <cstdint>
#include <cstring>
#include <string>

#include "mfd/dw_protocol.h"
#include "support/fuzz_input.h"

namespace {

using namespace quelfi;
using fuzz::check;

class FuzzLink final : public mfd::CSerialInterface {
  public:
    explicit FuzzLink(fuzz::FuzzInput& in) : CSerialInterface("COM1"), in_(in) {}
    bool open(std::uint32_t) override { return !in_.empty() || (++emptyOpens_ < 4); }
    bool close() override { return true; }
    bool write(const std::uint8_t*, std::size_t count, std::uint32_t) override {
        // Command frames at first, then block answers only.
        check(count == 5 || count >= 7, "answer size");
        return true;
    }
    bool read(std::uint8_t* bytes, std::size_t count, std::uint32_t,
              std::size_t& received) override {
        // A whole block often, else a piece of the input as long as its first two bytes say.
        std::string piece = in_.flag() ? in_.take(count) : in_.take(in_.word() % (count + 1));
        std::memset(bytes, 0xCC, count);  // stale bytes past the read must never be decoded
        std::memcpy(bytes, piece.data(), piece.size());
        received = piece.size();
        return true;
    }
    bool purge() override { return true; }

  private:
    fuzz::FuzzInput& in_;
    int emptyOpens_ = 0;
};

class MemoryFile final : public mfd::COutputStream {
  public:
    MemoryFile() : COutputStream("memory") {}
    bool open() override { return true; }
    bool close() override { return true; }
    bool write(const std::uint8_t* bytes, std::size_t count) override {
        for (std::size_t i = 0; i < count; ++i) check(bytes[i] != 0xCC || seen, "stale byte");
        size += count;
        return size < (64u << 20);
    }
    std::size_t size = 0;
    bool seen = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const bool journal = in.flag();
    FuzzLink link(in);
    MemoryFile file;
    // 0xCC may be data too: the stale-byte check holds only where the input has none.
    file.seen = std::memchr(data, 0xCC, size) != nullptr;
    mfd::CDwProtocol protocol(link, file);
    const int first = protocol.receive(true, !journal);
    check(first == 1 || first == 0 || first == -8, "first phase result");
    if (journal && first == 1) {
        const int second = protocol.receive(false, true);
        check(second == 1 || second == 0 || second == -8, "second phase result");
    }
    return 0;
}

// The journal download's block protocol: the printer is asked at 9600 baud for its fiscal memory
// or journal, then sends the run-length-encoded stream at 115200 baud in blocks of 4096 data
// bytes, each answered ACK or NAK. The decoded stream goes to the output file as it comes; the
// library never reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "mfd/output_stream.h"
#include "mfd/rle_decoder.h"
#include "mfd/serial_link.h"

namespace quelfi::mfd {

inline constexpr std::size_t kBlockData = 4096;
inline constexpr std::size_t kBlockHeader = 4;  // start, sequence, length (2)
inline constexpr std::size_t kBlockCheck = 2;
inline constexpr std::size_t kBlockSize = kBlockHeader + kBlockData + kBlockCheck;
inline constexpr std::uint8_t kBlockAck = 0x06;
inline constexpr std::uint8_t kBlockNak = 0x15;

// What a download step gives: 1 done, 0 the line failed, -8 the file failed.
class CDwProtocol {
  public:
    CDwProtocol(CSerialInterface& serial, COutputStream& output)
        : serial_(serial), output_(output) {}
    virtual ~CDwProtocol();
    CDwProtocol(const CDwProtocol&) = delete;
    CDwProtocol& operator=(const CDwProtocol&) = delete;

    // Frames `command` and sends it at 9600 baud; the printer's three answer bytes are read and
    // not judged.
    int sendCommand(const std::string& command);
    // Receives one phase's blocks into the file: `first` opens the file, `last` closes it.
    int receive(bool first, bool last);
    // The five-byte answer to a block.
    bool answerBlock(std::uint8_t code);
    // Decodes a block's data into the file.
    int writeBlock(const std::uint8_t* data, std::size_t size);

    int downloadFiscalMemory();
    int downloadJournalTotal();
    // Dates as six digits DDMMAA.
    int downloadJournalByDate(const std::string& start, const std::string& end);
    int downloadJournalByCoo(long startCoo, long endCoo, int user);

  private:
    // The fiscal memory as the first phase, then the journal asked by `command`.
    int downloadJournal(const std::string& command);
    // Ends a phase that failed: the port and the file closed.
    int abandon(int result);

    mfdRleDecoder decoder_;
    CSerialInterface& serial_;
    COutputStream& output_;
    std::uint8_t sequence_ = 0;  // of the last block accepted
    bool raw_ = false;           // data written undecoded (never asked for here)
    std::uint8_t block_[kBlockSize] = {};
};

}  // namespace quelfi::mfd

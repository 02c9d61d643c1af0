// The table answers (payment forms, non-fiscal receipts, departments, printer type and the
// electronic-journal tables): each has its own layout of characters, BCD fields and flags.
#pragma once

namespace quelfi::protocol {

class TableReply {
  public:
    TableReply(int tableCommand, int replyLength, int trailing)
        : command_(tableCommand), length_(replyLength), trailing_(trailing) {}

    // Processes the byte at index i (0 is the acknowledge).
    void take(int i, unsigned char byte, int& ext1, int& ext2);

  private:
    void data(int i, unsigned char byte);

    int command_;
    int length_;
    int trailing_;
    unsigned countLow_ = 0;  // low byte of a record's two-byte count
};

}  // namespace quelfi::protocol

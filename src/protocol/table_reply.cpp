#include "protocol/table_reply.h"

#include <cstdio>
#include <string>

#include "core/printer_state.h"
#include "protocol/reply_reader.h"

namespace quelfi::protocol {

using core::state;

namespace {

std::string character(unsigned char byte, bool zeroAsBlank) {
    if (byte == 0) return zeroAsBlank ? " " : "";
    return std::string(1, static_cast<char>(byte));
}

std::string bcd(unsigned char byte) {
    return decodeDataByte(byte, 1);
}

std::string threeDigits(unsigned char byte) {
    return decodeDataByte(byte, 4);
}

}  // namespace

void TableReply::take(int i, unsigned char byte, int& ext1, int& ext2) {
    core::PrinterState& s = state();
    const int st1At = length_ - trailing_;
    if (i == 0)
        s.ack = byte;
    else if (i == st1At)
        s.st1 = byte;
    else if (i == st1At + 1)
        s.st2 = byte;
    else if (i == st1At + 2)
        ext1 = byte;
    else if (i == st1At + 3)
        ext2 = byte;
    else if (i < st1At)
        data(i, byte);
}

void TableReply::data(int i, unsigned char byte) {
    switch (command_) {
        case 32:  // payment forms: descriptions, two value columns, flags
            if (i <= 833)
                appendReply(character(byte, true));
            else if (i <= 1873)
                appendReply(bcd(byte));
            else if (i <= 1925)
                appendReply((byte & 1) ? "1" : "0");
            break;
        case 33: {  // non-fiscal receipts: count, value, name per record
            if (i >= 1552) break;
            const int field = (i - 1) % 31;
            if (field == 0) {
                countLow_ = byte;
            } else if (field == 1) {
                char text[8];
                std::snprintf(text, sizeof text, "%04u", countLow_ + 256u * byte);
                appendReply(text);
            } else if (field < 12) {
                appendReply(bcd(byte));
            } else {
                appendReply(character(byte, true));
            }
            break;
        }
        case 34:  // departments: 40 digits and a 10-character name per record
            if (i >= 602) break;
            appendReply((i - 1) % 30 < 20 ? bcd(byte) : character(byte, true));
            break;
        case 49:
            if (i <= 320)
                appendReply(character(byte, false));
            else if (i <= 600)
                appendReply(bcd(byte));
            else if (i <= 620)
                appendReply(byte == 'U' ? "1" : "0");
            break;
        case 50:
            if (i <= 570)
                appendReply(character(byte, false));
            else if (i <= 780)
                appendReply(bcd(byte));
            break;
        case 51:
            if (i >= 571) break;
            appendReply((i - 1) % 19 < 2 ? bcd(byte) : character(byte, false));
            break;
        case 253:
            if (i <= 4) appendReply(threeDigits(byte));
            break;
        default:
            break;  // unknown table: read and dropped
    }
}

}  // namespace quelfi::protocol

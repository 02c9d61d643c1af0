// Reading the printer's answer: the acknowledge, the data bytes decoded to text, the status bytes.
#pragma once

#include <string>

namespace quelfi::protocol {

// Reads a reply of `replyLength` bytes (ACK, data, ST1, ST2; two more ST3 bytes are added on
// electronic-journal printers). 0 on failure, otherwise lastReturnCode (1, or -27).
int readReply(int replyLength, int dataMode, int dataFormat, int layout);

// Reads a long ETX-terminated answer (status first) into `answerFile`. 1 / -27, 0, or -8.
int readStreamReply(const std::string& answerFile);

// Appends decoded text to the reply buffer, never past its size.
void appendReply(const std::string& text);

// One data byte as the reply text shows it, by data format: 1 packed BCD, 2 the character,
// 3 hexadecimal, otherwise three decimal digits.
std::string decodeDataByte(unsigned char byte, int dataFormat);

// The status line of Status.txt for the last reply: "21", "%d,%d,%d" or "%d,%d,%d,%d".
std::string statusLine();

// The end-of-reply rules shared by the readers: the -27 rule, the ST1 4 / ST2 1 masking of the
// newer printers (when asked) and the status file; the driver side of the network mode neither
// masks nor writes the status file.
void applyStatusRules(bool maskErrorBits);

}  // namespace quelfi::protocol

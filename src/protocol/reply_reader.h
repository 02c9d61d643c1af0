// Reading the printer's answer: the acknowledge, the data bytes decoded to text, the status bytes.
#pragma once

#include <string>

#include "protocol/command_spec.h"
#include "protocol/road.h"

namespace quelfi::protocol {

// Reads the reply of `spec`'s command: ACK, data, ST1, ST2 in the command's layout (two more ST3
// bytes in the electronic-journal framing). 0 on failure, otherwise lastReturnCode (1, or -27).
int readReply(const Road& road, const CommandSpec& spec);

// Reads a long ETX-terminated answer (status first) to `spec`'s command into `answerFile`.
// 1 / -27, 0, or -8.
int readStreamReply(const Road& road, const CommandSpec& spec, const std::string& answerFile);

// Appends decoded text to the reply buffer, never past its size.
void appendReply(const std::string& text);

// One data byte as the reply text shows it, by data format: 1 packed BCD, 2 the character,
// 3 hexadecimal, otherwise three decimal digits.
std::string decodeDataByte(unsigned char byte, int dataFormat);

// The status line of Status.txt for the last reply: "21", "%d,%d,%d", or "%d,%d,%d,%d" in the
// electronic-journal framing.
std::string statusLine(bool journal);

// The end-of-reply rules shared by the readers: the -27 rule, the ST1 4 / ST2 1 masking of the
// newer printers (when asked) and the status file; the driver side of the network mode neither
// masks nor writes the status file.
void applyStatusRules(bool maskErrorBits, bool journal);

}  // namespace quelfi::protocol

// The Yanco printer's transport: a command text in its own frame (STX, a four-digit sequence
// number, the text, ETX, a 16-bit sum), and its reply frame stored as it came, from DC4 to ETX,
// with the status number it carries. The reply's ACK, ST1 (the status number) and ST2 are left in
// the state untranslated, and also kept apart for the status translation.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/road.h"

namespace quelfi::yanco {

struct YancoCommand {
    std::string text;         // the two-character code and its fields
    bool parseStatus = true;  // the reply's positions 8-9 are the command's status
    int busyClass = 0;        // the ready wait of a long command, as for the Quelmar printer
};

// Positions in a reply frame as the reply buffer stores it.
inline constexpr std::size_t kReplyFrameMax = 2968;  // a longer reply is no reply
inline constexpr std::size_t kFrameMarkAt = 5;       // '1' when another frame of the answer follows
inline constexpr std::size_t kReplyCodeAt = 6;
inline constexpr std::size_t kReplyStatusAt = 8;
inline constexpr std::size_t kReplyDataAt = 10;
inline constexpr char kMoreFrames = '1';

// Sends the command on `road` (opening the port there when needed) and reads its reply: 1 sent and
// answered (the caller reads -27 from lastReturnCode), 0 not sent or not answered, or the
// opening's result. In the network-driver client the command goes to the driver program as a raw
// request instead. A command of a multi-frame answer ("2D", "2F") returns once it is written, the
// port left open for the frames.
int sendYancoCommand(const protocol::Road& road, const YancoCommand& command);

// Reads one reply frame into the reply buffer: lastReturnCode (1 or -27), or 0 when no frame came.
int readYancoReply(const protocol::Road& road, bool parseStatus, int busyClass = 0);

// Reads the next frame of a multi-frame answer and appends its text, its line ended by CR LF, to
// Retorno.txt: lastReturnCode, 0 when no frame came, -8 when the answer file failed. `last` tells
// whether it was the answer's last frame; port control closes the port after that one only.
int appendYancoReplyToAnswerFile(const protocol::Road& road, bool parseStatus, bool& last);

// The data of the last reply: from position 10 to the ETX.
std::string replyData();
// `length` characters of the last reply from `position`; fewer past its end.
std::string replyAt(std::size_t position, std::size_t length);

}  // namespace quelfi::yanco

// The driver side of the network mode: a raw request as the driver program hands it over, the
// command bytes and how to read the reply in fields separated by ETB (0x17).
#pragma once

#include <string>

#include "protocol/road.h"

namespace quelfi::protocol {

struct RawRequest {
    std::string command;  // prefix byte first; carried as text, so it cannot hold a NUL
    int replyLength = 0;
    int dataMode = 0;
    int dataFormat = 0;
    int layout = 0;
};

// Splits "command ETB length ETB mode ETB format ETB layout"; a field that is missing or not a
// number reads as 0.
RawRequest parseRawRequest(const std::string& text);

// Sends the request's command and reads its reply as the request says; the reply stays in the
// state for the driver program. The send's result; a failed send also leaves "0,0,0" in
// Status.txt for the client.
int runRawRequest(const Road& road, const std::string& text);

}  // namespace quelfi::protocol

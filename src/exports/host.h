// What the library's own programs — the quelfi tool, the benchmarks — may ask of the library
// beside calling its exports. Nothing else of the library's state is theirs to touch.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace quelfi::exports::host {

// The configuration as the library read it from its INI.
struct Configuration {
    std::string iniFile;
    std::string port;
    std::string printerModel;
    int printerType = 0;
    bool callLog = false;
    bool statusToFile = false;
    std::string statusFile;
    bool answersToFile = false;
    std::string answerFile;
    bool closeAfterCommand = false;
    bool statusInResult = false;
    int networkMode = 0;
    bool emulatorFiles = false;
    int reductionSeconds = 0;
};
Configuration configuration();

// The call log's full name.
std::string callLogPath();

// Opens `name` instead of the configured port, until the configuration is read again.
void usePort(const std::string& name);

// The status bytes and the decoded data of the last reply.
struct LastReply {
    int ack = 0;
    int st1 = 0;
    int st2 = 0;
    std::string data;
};
LastReply lastReply();
// Forgets the last reply, so that a request that sends nothing does not report the one before.
void forgetLastReply();

// Serves as the driver side of the network mode: commands go to the printer, data answers to
// the caller's buffers, from which the driver program writes the shared Retorno.txt.
void serveAsNetworkDriver();

// Starts the library afresh, its operating-system calls made on `platform`.
void restart(platform::Platform& platform);
// The ready-polls of 100 ms a command of the ordinary wait class may wait.
void setReadyPolls(int polls);

// What a return code means, in words for a person.
std::string_view returnCodeMeaning(int code);

}  // namespace quelfi::exports::host

#include "protocol/driver_request.h"

#include <cctype>
#include <vector>

#include "core/answer_files.h"
#include "protocol/send_command.h"

namespace quelfi::protocol {

namespace {

constexpr char kEtb = 0x17;
// Far beyond any reply the printer gives; keeps a runaway digit string from overflowing.
constexpr long kLongestReply = 1000000;

std::vector<std::string> fields(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t etb = text.find(kEtb, from);
        out.push_back(text.substr(from, etb == std::string::npos ? std::string::npos : etb - from));
        if (etb == std::string::npos) return out;
        from = etb + 1;
    }
}

// The leading decimal number of a field, as the C library's atoi reads it.
int leadingNumber(const std::string& field) {
    std::size_t i = 0;
    bool negative = false;
    if (!field.empty() && (field[0] == '-' || field[0] == '+')) {
        negative = field[0] == '-';
        i = 1;
    }
    long n = 0;
    while (i < field.size() && std::isdigit(static_cast<unsigned char>(field[i])) &&
           n < kLongestReply)
        n = n * 10 + (field[i++] - '0');
    return static_cast<int>(negative ? -n : n);
}

// Data mode, format and layout are one digit each: the first character of their field.
int digit(const std::vector<std::string>& parts, std::size_t index) {
    if (index >= parts.size() || parts[index].empty()) return 0;
    const char c = parts[index][0];
    return std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : 0;
}

}  // namespace

RawRequest parseRawRequest(const std::string& text) {
    const std::vector<std::string> parts = fields(text);
    RawRequest request;
    request.command = parts[0];
    if (parts.size() > 1) request.replyLength = leadingNumber(parts[1]);
    request.dataMode = digit(parts, 2);
    request.dataFormat = digit(parts, 3);
    request.layout = digit(parts, 4);
    return request;
}

int runRawRequest(const Road& road, const std::string& text) {
    // The Yanco printer's raw requests (command and reply flag) go through its own transport once
    // that is in place; until then every request is a Quelmar command.
    const RawRequest r = parseRawRequest(text);
    // A request without command bytes has nothing to send; sent anyway, the length rules would
    // pad it into a command of NULs.
    CommandSpec spec;
    spec.command = r.command;
    spec.replyLength = r.replyLength;
    spec.dataMode = r.dataMode;
    spec.dataFormat = r.dataFormat;
    spec.layout = r.layout;
    const int sent = r.command.empty() ? 0 : sendCommand(road, spec);
    if (sent == 0) core::writeStatusFile("0,0,0");
    return sent;
}

}  // namespace quelfi::protocol

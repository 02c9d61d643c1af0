#include "restaurant/restaurant_call.h"

#include <algorithm>

#include "fiscal/argument_format.h"
#include "protocol/send_command.h"

namespace quelfi::restaurant {

protocol::Call restaurantCall(const protocol::Road& road, const protocol::ExportRow& row) {
    return protocol::Call(road, row, core::Header::Always);
}

bool sendOperation(const protocol::Call& call, const protocol::CommandSpec& spec, int& failure,
                   std::string_view communicationLine) {
    if (communicationLine.empty()) return call.send(spec, failure);
    const int sent = protocol::sendCommand(call.road(), spec);
    if (sent == 1) return true;
    // A port that did not open is reported with its own code.
    failure = sent == 0 ? call.failLine(0, communicationLine) : call.finish(sent);
    return false;
}

bool present(const char* text) {
    return text && *text;
}

bool isTable(const char* text) {
    return present(text) && std::string_view(text).size() <= 4;
}

std::optional<std::string> digitsWithin(const char* text, std::size_t width) {
    std::string digits = fiscal::keepDigits(core::argText(text));
    if (digits.size() > width) return std::nullopt;
    return digits;
}

std::optional<std::string> adjustmentFlag(const char* flag) {
    std::string text = fiscal::upperCase(core::argText(flag));
    if (text != "A" && text != "D") return std::nullopt;
    return text;
}

std::vector<std::string> listEntries(const char* text) {
    std::vector<std::string> entries;
    const std::string_view list = text ? std::string_view(text) : std::string_view();
    std::size_t from = 0;
    while (from < list.size()) {
        const std::size_t end = std::min(list.find(';', from), list.size());
        entries.emplace_back(list.substr(from, end - from));
        from = end + 1;  // past the text after a final ';': no empty entry for it
    }
    return entries;
}

}  // namespace quelfi::restaurant

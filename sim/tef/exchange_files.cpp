#include "sim/tef/exchange_files.h"

#include <fstream>
#include <sstream>

namespace quelfi::sim::tef {

namespace {

constexpr std::size_t kValueColumn = 10;
const char* const kEndLine = "999-999 = 0";

}  // namespace

std::string Request::field(const std::string& number) const {
    const auto it = fields.find(number);
    return it == fields.end() ? std::string() : it->second;
}

std::optional<Request> takeRequest(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    Request request;
    request.text = bytes.str();
    std::istringstream lines(request.text);
    bool complete = false;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == kEndLine) complete = true;
        if (line.size() >= 3 && !request.fields.count(line.substr(0, 3)))
            request.fields[line.substr(0, 3)] =
                line.size() > kValueColumn ? line.substr(kValueColumn) : std::string();
    }
    if (!complete) return std::nullopt;
    return request;
}

std::string fileText(const std::vector<std::pair<std::string, std::string>>& fields) {
    std::string text;
    for (const auto& [field, value] : fields) text += field + " = " + value + "\r\n";
    return text;
}

bool writeWhole(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::path aside = file;
    aside += ".tmp";
    {
        std::ofstream out(aside, std::ios::binary | std::ios::trunc);
        if (!(out << bytes)) return false;
    }
    std::error_code failed;
    std::filesystem::rename(aside, file, failed);
    return !failed;
}

}  // namespace quelfi::sim::tef

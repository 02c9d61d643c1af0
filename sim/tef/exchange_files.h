// The manager's side of the file exchange: a request taken only once it is complete, its fields by
// number, and answer files that appear whole (written aside, then renamed), so the library never
// reads half a file.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quelfi::sim::tef {

// A request's fields by number ("000", "001", ...), each with its value from column 10.
struct Request {
    std::string text;
    std::map<std::string, std::string> fields;

    std::string field(const std::string& number) const;
    std::string operation() const { return field("000"); }
    std::string identification() const { return field("001"); }
};

// The request in `file` when it is there and complete (it has its line "999-999 = 0").
std::optional<Request> takeRequest(const std::filesystem::path& file);

// "NNN-OOO = value" lines, each ended by CR LF.
std::string fileText(const std::vector<std::pair<std::string, std::string>>& fields);

// Replaces `file` whole. False when it could not be written.
bool writeWhole(const std::filesystem::path& file, const std::string& bytes);

}  // namespace quelfi::sim::tef

// The text of a profile (INI) file, read and edited the way the Windows profile service does.
// Pure text in, text out, so that every platform and the fuzzers share one implementation.
#pragma once

#include <optional>
#include <string>

namespace quelfi::platform {

// The value of `key` in `section`, or nothing when the section or key is missing.
std::optional<std::string> findProfileValue(const std::string& text, const std::string& section,
                                            const std::string& key);

// The text with `key` in `section` set to `value`: the line is replaced in place, or added at the
// end of the section, or a new section is added at the end. Every other line is kept as it was.
std::string setProfileValue(const std::string& text, const std::string& section,
                            const std::string& key, const std::string& value);

}  // namespace quelfi::platform

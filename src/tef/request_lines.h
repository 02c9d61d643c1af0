// The field lines of a request, named as the manager knows them.
#pragma once

#include <string>

namespace quelfi::tef::line {

inline std::string operation(const std::string& value) {
    return "000-000 = " + value;
}
inline std::string identification(const std::string& value) {
    return "001-000 = " + value;
}
inline std::string document(const std::string& value) {
    return "002-000 = " + value;
}
inline std::string amount(const std::string& value) {
    return "003-000 = " + value;
}
inline std::string reserved() {
    return "004-000 = ";
}
inline std::string network(const std::string& value) {
    return "010-000 = " + value;
}
inline std::string transaction(const std::string& value) {
    return "012-000 = " + value;
}
inline std::string date(const std::string& value) {
    return "022-000 = " + value;
}
inline std::string time(const std::string& value) {
    return "023-000 = " + value;
}
inline std::string controlCode(const std::string& value) {
    return "027-000 = " + value;
}
inline std::string end() {
    return "999-999 = 0";
}

}  // namespace quelfi::tef::line

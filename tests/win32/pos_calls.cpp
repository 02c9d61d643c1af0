#include "pos_calls.h"

#include <cstdio>

#include "quelfi32.h"

namespace quelfi::client {
namespace {

// Calls the export `name` through a pointer of the header's own type for it, so the calling
// convention and the arguments are exactly what a program compiled with the header passes.
template <typename Function, typename... Args>
std::optional<int> invoke(const Lookup& lookup, const std::string& name, Args... args) {
    void* address = lookup(name);
    if (!address) return std::nullopt;
    return reinterpret_cast<Function>(address)(args...);
}

// One list entry: the export by name with its arguments. A decorated export is listed with
// QF_DECORATED_CALL and its argument bytes, the way a program imports it from the DLL.
#define QF_CALL(expected, name, ...)                                                      \
    Call {                                                                                \
        #name "(" #__VA_ARGS__ ")", expected, [](const Lookup& lookup) {                  \
            return invoke<decltype(&name)>(lookup, #name __VA_OPT__(, ) __VA_ARGS__);     \
        }                                                                                 \
    }
#define QF_DECORATED_CALL(expected, name, bytes, ...)                                     \
    Call {                                                                                \
        #name "(" #__VA_ARGS__ ")", expected, [](const Lookup& lookup) {                  \
            return invoke<decltype(&name)>(lookup, "_" #name "@" #bytes __VA_OPT__(, )    \
                                               __VA_ARGS__);                              \
        }                                                                                 \
    }

}  // namespace

std::vector<Call> posCalls() {
    // The start of a day at the till: the port opened by the configuration's name, then by
    // index, closed in between; a reload of the configuration, as after the INI was edited.
    return {
        QF_CALL(1, Quelmar_FI_AbrePortaSerial),
        QF_CALL(1, Quelmar_FI_AbrePortaSerial),
        QF_CALL(1, Quelmar_FI_FechaPortaSerial),
        QF_CALL(1, Quelmar_FI_AbrePorta, 0),
        QF_CALL(1, Quelmar_FI_FechaPortaSerial),
        QF_CALL(std::nullopt, Quelmar_FI_ReloadINIFile),
        QF_CALL(1, Quelmar_FI_FechaPortaSerial),
    };
}

int runCalls(const Lookup& lookup) {
    int failures = 0;
    for (const Call& call : posCalls()) {
        const std::optional<int> result = call.run(lookup);
        if (!result) {
            std::printf("%s: not exported\n", call.text.c_str());
            ++failures;
            continue;
        }
        const bool wrong = call.expected && *call.expected != *result;
        std::printf("%s = %d%s\n", call.text.c_str(), *result, wrong ? "  (unexpected)" : "");
        if (wrong) ++failures;
    }
    std::fflush(stdout);
    return failures;
}

}  // namespace quelfi::client

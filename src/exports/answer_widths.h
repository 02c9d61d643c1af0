// The widths of the exports' answer buffers (answer_widths.inc) as data, for the generator of
// the language declarations and the tests; nothing here is compiled into the library.
#pragma once

#include <string_view>

namespace quelfi::exports {

struct AnswerWidth {
    std::string_view exportName;
    std::string_view parameter;
    int width;        // characters written; 0: no width of its own
    bool terminated;  // a terminating zero follows them
};

inline constexpr AnswerWidth kAnswerWidths[] = {
#define QF_ANSWER(name, parameter, width) {#name, #parameter, width, true},
#define QF_ANSWER_UNTERMINATED(name, parameter, width) {#name, #parameter, width, false},
#include "exports/answer_widths.inc"
#undef QF_ANSWER
#undef QF_ANSWER_UNTERMINATED
};

// The row the table gives an export's answer parameter; null when it gives none.
constexpr const AnswerWidth* answerWidth(std::string_view exportName, std::string_view parameter) {
    for (const AnswerWidth& row : kAnswerWidths)
        if (row.exportName == exportName && row.parameter == parameter) return &row;
    return nullptr;
}

}  // namespace quelfi::exports

// The widths of the exports' answer buffers (answer_widths.inc) as data, for the generator of
// the language declarations and the tests; nothing here is compiled into the library.
#pragma once

#include <optional>
#include <string_view>

namespace quelfi::exports {

struct AnswerWidth {
    std::string_view exportName;
    std::string_view parameter;
    int width;  // characters written before the terminating zero; 0: no width of its own
};

inline constexpr AnswerWidth kAnswerWidths[] = {
#define QF_ANSWER(name, parameter, width) {#name, #parameter, width},
#include "exports/answer_widths.inc"
#undef QF_ANSWER
};

// The width the table gives an export's answer parameter; nothing when it gives none.
constexpr std::optional<int> answerWidth(std::string_view exportName, std::string_view parameter) {
    for (const AnswerWidth& row : kAnswerWidths)
        if (row.exportName == exportName && row.parameter == parameter) return row.width;
    return std::nullopt;
}

}  // namespace quelfi::exports

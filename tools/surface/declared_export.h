// An export as the point-of-sale languages declare it: its C types turned into the few kinds
// every language has a form for, with the width of each answer buffer from the answer-width
// table. The Pascal unit, the C# class and the Visual Basic module are written from these.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "exports/surface.h"

namespace quelfi::surface {

enum class Kind {
    Text,          // const char*: a text the caller passes
    Answer,        // char*: a buffer the export writes a text into
    NumberAnswer,  // short*: a 16-bit integer the export writes
    Number,        // int: a 32-bit integer passed by value
};

struct DeclaredParameter {
    Kind kind;
    std::string name;          // as the table names it; "argN" when it names none
    std::optional<int> width;  // answers: the characters written (0: no width of its own)
    bool terminated = true;    // answers: a terminating zero written after them
};

struct DeclaredExport {
    std::string name;
    bool returnsCode;  // int result; false for a void one
    std::vector<DeclaredParameter> parameters;
    bool decorated;           // exported as "_name@N" in the Windows DLL
    std::string windowsName;  // the name in the DLL
};

// Every export of the table. A C type no language form is written for is refused with
// std::runtime_error naming the export, so that no declaration is ever guessed.
std::vector<DeclaredExport> declaredExports(std::span<const exports::ExportInfo> table);

// The comment on an answer buffer: what the export writes there and the buffer a caller gives, in
// the language's words: `sized(bytes)` for a buffer of that many bytes, `zeroFilled` for the
// unterminated answer of a whole file.
std::string widthNote(const DeclaredParameter& answer, const std::function<std::string(int)>& sized,
                      const std::string& zeroFilled);

}  // namespace quelfi::surface

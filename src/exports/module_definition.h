// The export table's Windows names: the bytes of arguments each export takes, the name it
// carries in the DLL, and the two module definitions the DLL and its import library are made
// from. Used by the generator and the tests; nothing here is compiled into the library.
#pragma once

#include <cctype>
#include <span>
#include <string>
#include <string_view>

#include "exports/surface.h"

namespace quelfi::exports {

enum class WindowsTarget { X86, X64 };

namespace detail {

inline std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

inline bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Whether `word` appears in `declaration` as a whole word.
inline bool hasWord(std::string_view declaration, std::string_view word) {
    for (std::size_t at = declaration.find(word); at != std::string_view::npos;
         at = declaration.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        const bool startsWord = at == 0 || !isNameChar(declaration[at - 1]);
        const bool endsWord = end == declaration.size() || !isNameChar(declaration[end]);
        if (startsWord && endsWord) return true;
    }
    return false;
}

}  // namespace detail

// Bytes one parameter takes on the 32-bit stack: 8 for a double or a 64-bit integer, 0 for
// "void", 4 for everything else (pointers, and int, short and char, widened to a whole slot).
inline int parameterBytes(std::string_view parameter) {
    parameter = detail::trimBlanks(parameter);
    if (parameter.empty() || parameter == "void") return 0;
    if (parameter.find_first_of("*[") != std::string_view::npos) return 4;
    const bool wide = detail::hasWord(parameter, "double") ||
                      parameter.find("long long") != std::string_view::npos ||
                      detail::hasWord(parameter, "__int64") ||
                      detail::hasWord(parameter, "int64_t") ||
                      detail::hasWord(parameter, "uint64_t");
    return wide ? 8 : 4;
}

// Bytes of a whole parameter list as the table writes it: "(void)", "(const char* a, int b)".
inline int argumentBytes(std::string_view parameters) {
    parameters = detail::trimBlanks(parameters);
    if (parameters.size() >= 2 && parameters.front() == '(' && parameters.back() == ')')
        parameters = parameters.substr(1, parameters.size() - 2);
    int total = 0;
    int depth = 0;  // commas inside a function-pointer parameter's own list do not count
    std::size_t start = 0;
    for (std::size_t i = 0; i <= parameters.size(); ++i) {
        const char c = i < parameters.size() ? parameters[i] : ',';
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (c == ',' && depth == 0) {
            total += parameterBytes(parameters.substr(start, i - start));
            start = i + 1;
        }
    }
    return total;
}

// The name the export carries in the DLL: "Name", or "_Name@N" for a decorated one.
inline std::string windowsName(const ExportInfo& e) {
    if (!e.decorated) return std::string(e.name);
    return "_" + std::string(e.name) + "@" + std::to_string(argumentBytes(e.parameters));
}

namespace detail {

inline std::string definitionTop() {
    return "; Generated from the library's export table; do not edit.\n"
           "LIBRARY QuelFI32.dll\nEXPORTS\n";
}

// The symbol the compiler gives a function named `name` with `e`'s parameters: stdcall adds
// "@N" on 32 bits only.
inline std::string compiledName(const ExportInfo& e, std::string_view name, WindowsTarget target) {
    std::string out(name);
    if (target == WindowsTarget::X86) out += "@" + std::to_string(argumentBytes(e.parameters));
    return out;
}

}  // namespace detail

// The module definition the DLL is linked with: each line gives the exported name, then the
// compiled function it stands for, so plain exports lose the stdcall decoration and an alias
// names its target's function.
inline std::string moduleDefinition(std::span<const ExportInfo> table, WindowsTarget target) {
    std::string out = detail::definitionTop();
    for (const ExportInfo& e : table) {
        const std::string exported = windowsName(e);
        const std::string compiled =
            detail::compiledName(e, e.target.empty() ? e.name : e.target, target);
        out += exported == compiled ? exported : exported + " = " + compiled;
        out += "\n";
    }
    return out;
}

// The definition the import library is made from (dlltool, with the decoration killed from the
// imported names): a caller compiled with the public header references the compiled name, and
// a decorated export is imported by its decorated DLL name.
inline std::string importDefinition(std::span<const ExportInfo> table, WindowsTarget target) {
    std::string out = detail::definitionTop();
    for (const ExportInfo& e : table) {
        out += detail::compiledName(e, e.name, target);
        if (e.decorated) out += " == " + windowsName(e);
        out += "\n";
    }
    return out;
}

}  // namespace quelfi::exports

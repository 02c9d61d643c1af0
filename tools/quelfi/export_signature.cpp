#include "quelfi/export_signature.h"

#include <cctype>
#include <string_view>

#include "exports/surface.h"

namespace quelfi::tool {

namespace {

// The parameter names of "(const char* codigo, int casasDecimais)": each piece's last word.
std::vector<std::string> namesIn(std::string_view list) {
    std::vector<std::string> names;
    if (!list.empty() && list.front() == '(') list.remove_prefix(1);
    if (!list.empty() && list.back() == ')') list.remove_suffix(1);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        std::string_view piece = list.substr(0, comma);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        while (!piece.empty() && std::isspace(static_cast<unsigned char>(piece.back())))
            piece.remove_suffix(1);
        std::size_t start = piece.size();
        while (start > 0 && (std::isalnum(static_cast<unsigned char>(piece[start - 1])) ||
                             piece[start - 1] == '_'))
            --start;
        const std::string_view name = piece.substr(start);
        if (name != "void" && !name.empty()) names.emplace_back(name);
    }
    return names;
}

}  // namespace

std::vector<ParameterInfo> parametersOf(const CallEntry& entry) {
    std::vector<std::string> names;
    for (const exports::ExportInfo& info : exports::kSurface)
        if (info.name == entry.name()) names = namesIn(info.parameters);
    std::vector<ParameterInfo> out;
    const std::vector<ParameterKind>& kinds = entry.parameters();
    for (std::size_t i = 0; i < kinds.size(); ++i)
        out.push_back({kinds[i], i < names.size() ? names[i] : "arg" + std::to_string(i + 1)});
    return out;
}

std::string argumentsText(const std::vector<ParameterInfo>& parameters) {
    std::string text;
    for (const ParameterInfo& p : parameters) {
        if (p.kind != ParameterKind::Text && p.kind != ParameterKind::Integer) continue;
        if (!text.empty()) text += ' ';
        text += p.name;
        if (p.kind == ParameterKind::Integer) text += "=N";
    }
    return text;
}

std::string answersText(const std::vector<ParameterInfo>& parameters) {
    std::string text;
    for (const ParameterInfo& p : parameters) {
        if (p.kind != ParameterKind::TextAnswer && p.kind != ParameterKind::NumberAnswer) continue;
        if (!text.empty()) text += ' ';
        text += p.name;
    }
    return text;
}

}  // namespace quelfi::tool

#include "surface/declared_export.h"

#include <algorithm>
#include <stdexcept>

#include "exports/answer_widths.h"
#include "exports/module_definition.h"

namespace quelfi::surface {

namespace {

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// "const  char *" and "const char*" alike: single blanks, none before a star.
std::string normalType(std::string_view type) {
    std::string out;
    for (const char c : type) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            if (c == '*' && !out.empty() && out.back() == ' ') out.pop_back();
            out += c;
        }
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

std::optional<Kind> kindOf(const std::string& type) {
    if (type == "const char*" || type == "char const*") return Kind::Text;
    if (type == "char*") return Kind::Answer;
    if (type == "short*") return Kind::NumberAnswer;
    if (type == "int") return Kind::Number;
    return std::nullopt;
}

std::vector<std::string_view> splitParameters(std::string_view list) {
    list = exports::detail::trimBlanks(list);
    if (list.size() >= 2 && list.front() == '(' && list.back() == ')')
        list = list.substr(1, list.size() - 2);
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= list.size(); ++i) {
        if (i == list.size() || list[i] == ',') {
            const auto one = exports::detail::trimBlanks(list.substr(start, i - start));
            if (!one.empty() && one != "void") out.push_back(one);
            start = i + 1;
        }
    }
    return out;
}

DeclaredParameter declared(const exports::ExportInfo& e, std::string_view text, std::size_t index) {
    std::size_t nameStart = text.size();
    while (nameStart > 0 && isNameChar(text[nameStart - 1])) --nameStart;
    std::string type = normalType(text.substr(0, nameStart));
    std::string name(text.substr(nameStart));
    if (type.empty() || type == "const" || type == "unsigned" || type == "signed") {
        type = normalType(text);  // a parameter without a name: "int"
        name.clear();
    }
    const std::optional<Kind> kind = kindOf(type);
    if (!kind) {
        throw std::runtime_error(std::string(e.name) +
                                 ": no declaration is written for the C type '" + type + "'");
    }
    if (name.empty()) name = "arg" + std::to_string(index + 1);
    DeclaredParameter p{*kind, name, std::nullopt};
    if (p.kind == Kind::Answer) {
        const exports::AnswerWidth* row =
            exports::answerWidth(e.target.empty() ? e.name : e.target, name);
        if (!row) {
            throw std::runtime_error(std::string(e.name) +
                                     ": answer_widths.inc gives no width for '" + name + "'");
        }
        p.width = row->width;
        p.terminated = row->terminated;
    }
    return p;
}

}  // namespace

std::vector<DeclaredExport> declaredExports(std::span<const exports::ExportInfo> table) {
    std::vector<DeclaredExport> out;
    for (const exports::ExportInfo& e : table) {
        const std::string result = normalType(e.result);
        if (result != "int" && result != "void") {
            throw std::runtime_error(std::string(e.name) +
                                     ": no declaration is written for the result type '" + result +
                                     "'");
        }
        DeclaredExport d{
            std::string(e.name), result == "int", {}, e.decorated, exports::windowsName(e)};
        const auto texts = splitParameters(e.parameters);
        for (std::size_t i = 0; i < texts.size(); ++i)
            d.parameters.push_back(declared(e, texts[i], i));
        out.push_back(std::move(d));
    }
    // A row left behind by a renamed parameter or a removed export would hide a missing one.
    for (const exports::AnswerWidth& row : exports::kAnswerWidths) {
        const bool answers = std::any_of(out.begin(), out.end(), [&](const DeclaredExport& d) {
            return d.name == row.exportName &&
                   std::any_of(d.parameters.begin(), d.parameters.end(), [&](const auto& p) {
                       return p.kind == Kind::Answer && p.name == row.parameter;
                   });
        });
        if (!answers) {
            throw std::runtime_error("answer_widths.inc: " + std::string(row.exportName) +
                                     " has no answer buffer '" + std::string(row.parameter) + "'");
        }
    }
    return out;
}

std::string widthNote(const DeclaredParameter& answer, const std::function<std::string(int)>& sized,
                      const std::string& zeroFilled) {
    if (*answer.width == 0)
        return answer.name +
               ": all of Retorno.txt without its line ends and with no terminating zero, " +
               zeroFilled;
    if (!answer.terminated)
        return answer.name + ": " + std::to_string(*answer.width) +
               " characters with no terminating zero, " + sized(*answer.width);
    return answer.name + ": " + std::to_string(*answer.width) +
           " characters and a terminating zero, " + sized(*answer.width + 1);
}

}  // namespace quelfi::surface

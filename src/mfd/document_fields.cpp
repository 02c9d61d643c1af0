#include "mfd/document_fields.h"

#include <cstdlib>

#include "fiscal/argument_format.h"

namespace quelfi::mfd {
namespace {

struct Field {
    std::size_t width;
    std::string_view fault;
};

constexpr Field kFields[] = {
    {29, "Retorno: -2 - Parametro invalido no CPF "},
    {30, "Retorno: -2 - Parametro invalido no nome "},
    {80, "Retorno: -2 - Parametro invalido no endereco "},
};

}  // namespace

CustomerBlock customerBlock(const char* cpf, const char* name, const char* address) {
    const char* const values[] = {cpf, name, address};
    CustomerBlock block;
    std::size_t used = 0;  // fields up to the last one given
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string_view value = values[i] ? values[i] : "";
        if (value.size() > kFields[i].width) {
            block.fault = std::string(kFields[i].fault) + std::string(value);
            return block;
        }
        if (!value.empty()) used = i + 1;
    }
    for (std::size_t i = 0; i < used; ++i)
        block.fields += fiscal::blankFill(values[i] ? values[i] : "", kFields[i].width);
    return block;
}

std::optional<char> adjustmentFlag(const char* flag, std::string_view allowed) {
    if (!flag || std::string_view(flag).size() != 1) return std::nullopt;
    const char upper = fiscal::upperCase(flag)[0];
    if (allowed.find(upper) == std::string_view::npos) return std::nullopt;
    return upper;
}

std::optional<char> adjustmentType(const char* type) {
    if (!type || std::string_view(type).size() != 1) return std::nullopt;
    if (type[0] != '$' && type[0] != '%') return std::nullopt;
    return type[0];
}

char flagLetter(char flag, char type) {
    if (type == '%') return flag;
    return static_cast<char>(flag - 'A' + 'a');
}

bool validInstalments(std::string_view text) {
    if (text.empty() || text.size() > 2) return false;
    const int value = std::atoi(std::string(text).c_str());
    return value >= 1 && value <= 24;
}

std::string joined(std::initializer_list<const char*> arguments) {
    std::string out;
    bool first = true;
    for (const char* argument : arguments) {
        if (!first) out += '|';
        first = false;
        if (argument) out += argument;
    }
    return out;
}

}  // namespace quelfi::mfd

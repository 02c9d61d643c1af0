#include "mfd/item_adjustment.h"

#include "fiscal/argument_format.h"

namespace quelfi::mfd {

int sendItemAdjustment(const DocumentCall& call, char command, const std::string& item, char flag,
                       const char* type, const char* value,
                       std::initializer_list<const char*> parameters) {
    const std::optional<char> kind = adjustmentType(type);
    if (!kind)
        return call.refuse("Retorno: -2 Parametro invalido para o Tipo de acrescimo/desconto");
    if (!value || !*value)
        return call.refuse("Retorno: -2 Parametro invalido para o valor do acrescimo/desconto");
    const std::string digits = fiscal::keepDigits(value);
    const std::size_t width = itemValueWidth(*kind);
    if (digits.size() > width) {
        return call.refuse(
            *kind == '%' ? "Retorno: -2 - Parametro invalido para o valor do acrescimo/desconto"
                         : "Retorno: -2 Parametro invalido para o valor do acrescimo/desconto");
    }
    call.logRecord(joined(parameters));
    protocol::Parameters record;
    for (const char* p : parameters) record.push_back(p ? p : "");
    if (auto forwarded = call.handOverJoined(record)) return *forwarded;
    return call.run(documentCommand(
        command, flag + fiscal::zeroFill(item, 3) + fiscal::zeroFill(digits, width)));
}

}  // namespace quelfi::mfd

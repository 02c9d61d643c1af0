#include "mfd/document_table.h"

#include <iterator>

#include "fiscal/argument_format.h"
#include "mfd/document_call.h"
#include "protocol/export_row.h"

namespace quelfi::mfd {
namespace {

using protocol::exportRow;

enum class Shape {
    NoArguments,               // the command byte alone
    Customer,                  // the consumer's block (cpf, nome, endereco)
    ClosingStart,              // flag A/D/X, type, surcharge and discount
    SubtotalAdjustment,        // flag A/D, type, value
    CancelSubtotalAdjustment,  // flag A/D, sent as given
};

struct DocumentRow {
    Document id;
    const protocol::ExportRow& row;
    char command;
    Shape shape;
    Lines lines;
};

using enum Document;
using enum Shape;
constexpr Lines P = Lines::Plain;

// clang-format off
constexpr DocumentRow kRows[] = {
//   id                                            export                                                                   command shape                     lines
    {CupomAdicional,                              exportRow("Quelmar_FI_CupomAdicionalMFD"),                                'U',   NoArguments,              P},
    {ReimpressaoNaoFiscalVinculado,               exportRow("Quelmar_FI_ReimpressaoNaoFiscalVinculadoMFD"),                 '\\',  NoArguments,              P},
    {SegundaViaNaoFiscalVinculado,                exportRow("Quelmar_FI_SegundaViaNaoFiscalVinculadoMFD"),                  '[',   NoArguments,              P},
    {ImprimeCliche,                               exportRow("Quelmar_FI_ImprimeClicheMFD"),                                 'w',   NoArguments,              Lines::Named},
    {SubTotalizaCupom,                            exportRow("Quelmar_FI_SubTotalizaCupomMFD"),                              'g',   NoArguments,              P},
    {TotalizaCupom,                               exportRow("Quelmar_FI_TotalizaCupomMFD"),                                 'j',   NoArguments,              P},
    {SubTotalizaRecebimento,                      exportRow("Quelmar_FI_SubTotalizaRecebimentoMFD"),                        'k',   NoArguments,              P},
    {TotalizaRecebimento,                         exportRow("Quelmar_FI_TotalizaRecebimentoMFD"),                           'n',   NoArguments,              P},
    {AbreRecebimentoNaoFiscal,                    exportRow("Quelmar_FI_AbreRecebimentoNaoFiscalMFD"),                      'M',   Customer,                 P},
    {CancelaRecebimentoNaoFiscal,                 exportRow("Quelmar_FI_CancelaRecebimentoNaoFiscalMFD"),                   'Q',   Customer,                 P},
    {EstornoNaoFiscalVinculado,                   exportRow("Quelmar_FI_EstornoNaoFiscalVinculadoMFD"),                     'f',   Customer,                 P},
    {IniciaFechamentoCupom,                       exportRow("Quelmar_FI_IniciaFechamentoCupomMFD"),                         ' ',   ClosingStart,             P},
    {IniciaFechamentoRecebimentoNaoFiscal,        exportRow("Quelmar_FI_IniciaFechamentoRecebimentoNaoFiscalMFD"),          'O',   ClosingStart,             P},
    {AcrescimoDescontoSubtotal,                   exportRow("Quelmar_FI_AcrescimoDescontoSubtotalMFD"),                     'h',   SubtotalAdjustment,       P},
    {AcrescimoDescontoSubtotalRecebimento,        exportRow("Quelmar_FI_AcrescimoDescontoSubtotalRecebimentoMFD"),          'l',   SubtotalAdjustment,       P},
    {CancelaAcrescimoDescontoSubtotal,            exportRow("Quelmar_FI_CancelaAcrescimoDescontoSubtotalMFD"),              'i',   CancelSubtotalAdjustment, P},
    {CancelaAcrescimoDescontoSubtotalRecebimento, exportRow("Quelmar_FI_CancelaAcrescimoDescontoSubtotalRecebimentoMFD"),   'm',   CancelSubtotalAdjustment, P},
};
// clang-format on

constexpr bool rowsInOrder() {
    for (std::size_t i = 0; i < std::size(kRows); ++i)
        if (static_cast<std::size_t>(kRows[i].id) != i) return false;
    return true;
}
static_assert(rowsInOrder(), "the rows follow the order of Document");

const DocumentRow& rowOf(Document id) {
    return kRows[static_cast<std::size_t>(id)];
}

bool present(const char* text) {
    return text && *text;
}

int noArguments(const DocumentCall& call, const DocumentRow& row) {
    if (auto forwarded = call.handOverJoined({})) return *forwarded;
    return call.run(documentCommand(row.command));
}

int customer(const DocumentCall& call, const DocumentRow& row, const Arguments& a) {
    const CustomerBlock block = customerBlock(a[0], a[1], a[2]);
    if (!block.fault.empty()) return call.failLine(-2, block.fault);
    call.logCustomer(a[0], a[1], a[2]);
    if (auto forwarded =
            call.handOver({core::argText(a[0]), core::argText(a[1]), core::argText(a[2])}))
        return *forwarded;
    return call.run(documentCommand(row.command, block.fields));
}

// Flag A, D or X; the type; both values required whatever the flag.
int closingStart(const DocumentCall& call, const DocumentRow& row, const Arguments& a) {
    const std::optional<char> flag = adjustmentFlag(a[0], "ADX");
    if (!flag)
        return call.refuse("Retorno: -2 Parametro invalido para o flag de acrescimo/desconto");
    const std::optional<char> type = adjustmentType(a[1]);
    if (!type)
        return call.refuse("Retorno: -2 Parametro invalido para o Tipo de acrescimo/desconto");
    if (!present(a[2]))
        return call.refuse("Retorno: -2 Parametro invalido para o valor do acrescimo");
    if (!present(a[3]))
        return call.refuse("Retorno: -2 Parametro invalido para o valor do desconto");
    const std::string surcharge = fiscal::keepDigits(a[2]);
    const std::string discount = fiscal::keepDigits(a[3]);
    const std::size_t width = subtotalValueWidth(*type);
    if (surcharge.size() > width)
        return call.refuse("Retorno: -2 - Parametro invalido para o acrescimo");
    if (discount.size() > width)
        return call.refuse("Retorno: -2 - Parametro invalido para o desconto");
    const std::string record = joined({a[0], a[1], a[2], a[3]});
    call.logRecord(record);
    if (auto forwarded = call.handOverJoined({a[0], a[1], a[2], a[3]})) return *forwarded;
    std::string fields(1, flagLetter(*flag, *type));
    if (*flag != 'D') fields += fiscal::zeroFill(surcharge, width);
    if (*flag != 'A') fields += fiscal::zeroFill(discount, width);
    return call.run(documentCommand(row.command, fields));
}

// "A" or "D" in either case; "Retorno: -2 Parametro invalido para o flag: " and the text.
std::optional<int> refusedFlag(const DocumentCall& call, const char* flag) {
    if (adjustmentFlag(flag, "AD")) return std::nullopt;
    if (!present(flag)) return call.refuse("Retorno: -2 Parametro invalido para o flag");
    return call.refuse("Retorno: -2 Parametro invalido para o flag: ", flag);
}

int subtotalAdjustment(const DocumentCall& call, const DocumentRow& row, const Arguments& a) {
    if (auto refused = refusedFlag(call, a[0])) return *refused;
    const std::optional<char> type = adjustmentType(a[1]);
    if (!type) {
        if (!present(a[1]))
            return call.refuse("Retorno: -2 Parametro invalido para o Tipo de acrescimo/desconto");
        return call.refuse("Retorno: -2 Parametro invalido para o Tipo de acrescimo/desconto: ",
                           a[1]);
    }
    if (!present(a[2]))
        return call.refuse("Retorno: -2 Parametro invalido para o valor do acrescimo/desconto");
    const std::string value = fiscal::keepDigits(a[2]);
    const std::size_t width = subtotalValueWidth(*type);
    if (value.size() > width) {
        return call.refuse(
            *type == '%' ? "Retorno: -2 - Parametro invalido para o valor do acrescimo/desconto: "
                         : "Retorno: -2 Parametro invalido para o valor do acrescimo/desconto: ",
            a[2]);
    }
    call.logRecord(joined({a[0], a[1], a[2]}));
    if (auto forwarded = call.handOverJoined({a[0], a[1], a[2]})) return *forwarded;
    const char letter = flagLetter(*adjustmentFlag(a[0], "AD"), *type);
    return call.run(documentCommand(row.command, letter + fiscal::zeroFill(value, width)));
}

int cancelSubtotalAdjustment(const DocumentCall& call, const DocumentRow& row, const Arguments& a) {
    if (auto refused = refusedFlag(call, a[0])) return *refused;
    call.logRecord(joined({a[0]}));
    if (auto forwarded = call.handOverJoined({a[0]})) return *forwarded;
    return call.run(documentCommand(row.command, std::string(1, a[0][0])));
}

}  // namespace

int runDocument(const protocol::Road& road, Document id, const Arguments& arguments) {
    const DocumentRow& row = rowOf(id);
    const DocumentCall call(road, row.row, row.lines);
    switch (row.shape) {
        case NoArguments:
            return noArguments(call, row);
        case Customer:
            return customer(call, row, arguments);
        case ClosingStart:
            return closingStart(call, row, arguments);
        case SubtotalAdjustment:
            return subtotalAdjustment(call, row, arguments);
        case CancelSubtotalAdjustment:
            return cancelSubtotalAdjustment(call, row, arguments);
    }
    return 0;
}

}  // namespace quelfi::mfd

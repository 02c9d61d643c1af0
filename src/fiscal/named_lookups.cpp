// The value of one payment form or non-fiscal totalizer, found by its name in the member that
// lists them all.
#include <algorithm>
#include <string>
#include <vector>

#include "core/printer_state.h"
#include "fiscal/queries.h"
#include "fiscal/query_call.h"
#include "fiscal/record_answers.h"

namespace quelfi::fiscal {

using core::state;

namespace {

// Where a name and its 14-digit value sit in one kind of record list.
struct RecordList {
    Query lister;
    std::size_t stride;  // record and separator
    std::size_t nameAt, nameWidth;
    std::size_t valueAt;  // the last 14 digits of the record's (first) value
    std::size_t searched;
};

constexpr std::size_t kValueWidth = 14;

// Records separated by ",", CR, LF; the value field is "00" and 18 digits after the description.
constexpr RecordList kPaymentFormList{.lister = Query::VerificaFormasPagamento,
                                      .stride = kPaymentFormRecord + 3,
                                      .nameAt = 0,
                                      .nameWidth = kPaymentFormDescription,
                                      .valueAt = kPaymentFormDescription + 20 - kValueWidth,
                                      .searched = 50};
// Records separated by ","; the count (4), the value ("00" and 18 digits), the name.
constexpr RecordList kNonFiscalTotalizers{.lister = Query::VerificaRecebimentoNaoFiscal,
                                          .stride = kNonFiscalRecord + 1,
                                          .nameAt = 4 + 20,
                                          .nameWidth = kNonFiscalName,
                                          .valueAt = 4 + 20 - kValueWidth,
                                          .searched = kNonFiscalReceipts};

struct Refusals {
    std::string_view invalidName;  // -2 message, the name follows
    int notFound;
    std::string_view notFoundMessage;
};

int lookUp(const Road& road, Query id, const RecordList& list, const Refusals& refusals,
           const char* nameArg, char* value) {
    const QueryCall call(road, member(id));
    const std::string name = core::argText(nameArg);
    call.log().logRecord(call.log().record({name}));
    if (name.size() > list.nameWidth)
        return call.log().fail(-2, std::string(refusals.invalidName) + name);
    if (auto forwarded = call.forward(value, nullptr, {name})) return *forwarded;

    std::string records;
    const int listed = readQuery(road, list.lister, records);
    if (listed != 1 && listed != -27) return call.log().finish(listed);

    // An unprogrammed record has a blank name: a blank name is never a match.
    const std::string wanted = name + std::string(list.nameWidth - name.size(), ' ');
    if (wanted.find_first_not_of(' ') != std::string::npos) {
        for (std::size_t k = 0; k < list.searched; ++k) {
            const std::size_t at = k * list.stride;
            if (slice(records, at + list.nameAt, list.nameWidth) != wanted) continue;
            const Answer answer{slice(records, at + list.valueAt, kValueWidth), std::nullopt};
            const int delivered = call.deliver(answer, value);
            return delivered == 1 ? call.finish() : delivered;
        }
    }
    return call.log().fail(refusals.notFound, refusals.notFoundMessage);
}

}  // namespace

int paymentFormValue(const Road& road, const char* name, char* value) {
    return lookUp(
        road, Query::ValorFormaPagamento, kPaymentFormList,
        {"Parametro invalido para forma de pagto: ", -24, "Forma de pagamento nao programada"},
        name, value);
}

int nonFiscalTotalizerValue(const Road& road, const char* name, char* value) {
    return lookUp(
        road, Query::ValorTotalizadorNaoFiscal, kNonFiscalTotalizers,
        {"Parametro invalido para o totalizador: ", -25, "Totalizador n\xE3o programado "}, name,
        value);
}

}  // namespace quelfi::fiscal

// The query family on the Yanco printer: each member's answer made from the printer's registers
// ("34" and the register's number), its status and configuration answers, or the INI, in the
// width and layout of the Quelmar answer, and delivered as the member delivers it.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "adapters/yanco/yanco_answers.h"
#include "adapters/yanco/yanco_forms.h"
#include "adapters/yanco/yanco_layout.h"
#include "core/config.h"
#include "core/printer_state.h"
#include "fiscal/iss_map.h"
#include "fiscal/queries.h"
#include "fiscal/record_answers.h"

namespace quelfi::yanco {

using core::state;
using fiscal::Query;
using fiscal::QueryMember;
using protocol::Answer;

namespace {

constexpr std::size_t kAmountWidth = 14;
constexpr std::size_t kGrandTotalWidth = 18;
constexpr std::size_t kCounterWidth = 4;
constexpr std::size_t kNameWidth = 19;
constexpr std::size_t kTotalizerNameWidth = 15;

// A form's question failed: its result, with the line logged.
struct Failed {
    int result;
};

std::string digitsOnly(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9') digits += c;
    return digits;
}

// Digits right-aligned in `width`: zero-filled on the left, the lowest digits kept.
std::string fitDigits(const std::string& text, std::size_t width) {
    const std::string digits = digitsOnly(text);
    if (digits.size() >= width) return digits.substr(digits.size() - width);
    return std::string(width - digits.size(), '0') + digits;
}

// A text left-aligned in `width` blanks, cut to it.
std::string fitText(std::string text, std::size_t width) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    text.resize(width, ' ');
    return text;
}

std::uint64_t valueOf(const std::string& digits) {
    std::uint64_t value = 0;
    for (char c : digitsOnly(digits)) value = value * 10 + static_cast<std::uint64_t>(c - '0');
    return value;
}

std::string registerCommand(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "34%03d", number % 1000);
    return text;
}

// The register's value as the printer answered it. Failed when it did not answer.
std::string readRegister(const FormCall& form, std::string_view command) {
    int failure = 0;
    if (!send(form, {std::string(command), /*parseStatus=*/true, 0}, failure))
        throw Failed{failure};
    return replyData();
}

std::string readRegister(const FormCall& form, int number) {
    return readRegister(form, registerCommand(number));
}

void ask(const FormCall& form, int (*question)(const protocol::Road&)) {
    const int asked = question(form.road);
    if (asked == 1) return;
    throw Failed{asked == 0 ? form.call.fail(0, kNoAnswer) : form.call.finish(asked)};
}

std::vector<std::string> queries(std::string_view list) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = list.find(',', from);
        out.emplace_back(list.substr(from, comma == std::string_view::npos ? comma : comma - from));
        if (comma == std::string_view::npos) return out;
        from = comma + 1;
    }
}

// Two answers one after the other in the buffers, on two lines in Retorno.txt.
Answer twoParts(const std::string& first, const std::string& second) {
    return {first + second, first + ",\r\n" + second};
}

bool isOneOf(int value, const auto& values) {
    return std::find(std::begin(values), std::end(values), value) != std::end(values);
}

// The fiscal flags: coupon open (1), closing started (2), summer time (4), the reduction done
// today (8), cancellation allowed (32), fiscal memory full (128).
Answer fiscalFlags(const FormCall& form) {
    ask(form, askStatus);
    const std::vector<std::string> fields = statusFields();
    const auto field = [&](std::size_t k) { return k < fields.size() ? fields[k] : std::string(); };
    const int stateNow = stateNumber();
    const bool fiscalMemoryFull = replyAt(layout::kFiscalMemoryFullAt, 1) == "1";
    const std::string lastReduction = field(layout::kLastReductionField);
    const bool cancellable = field(layout::kLastCouponCancellable) == "1";
    const bool summerTime = field(layout::kDaylightSavingField) == "1";
    const std::string date = readRegister(form, layout::kDate);  // DD/MM/YY
    const std::string today = date.substr(0, 2) + date.substr(3, 2) + date.substr(6, 2);
    int flags = 0;
    if (isOneOf(stateNow, layout::kCouponStates)) flags |= 1 | 32;
    if (isOneOf(stateNow, layout::kClosingStates)) flags |= 2;
    if (summerTime) flags |= 4;
    if (lastReduction == today) flags |= 8;
    if (cancellable) flags |= 32;
    if (fiscalMemoryFull) flags |= 128;
    char text[8];
    std::snprintf(text, sizeof text, "%03d", flags);
    return {text, std::nullopt};
}

Answer dateAndTime(const FormCall& form) {
    const std::string date = readRegister(form, layout::kDate);
    const std::string time = readRegister(form, layout::kTime);
    const auto pairs = [](const std::string& text) {
        return fiscal::slice(text, 0, 2) + fiscal::slice(text, 3, 2) + fiscal::slice(text, 6, 2);
    };
    return twoParts(pairs(date), pairs(time));
}

Answer nonFiscalCounters(const FormCall& form) {
    std::string text;
    for (int k = 0; k < layout::kNonFiscalTotalizers; ++k)
        text += fitDigits(readRegister(form, layout::kNonFiscalCounts + k), kCounterWidth);
    return {text, std::nullopt};
}

std::string totalizerName(std::size_t index) {
    return index < std::size(layout::kFixedTotalizers)
               ? std::string(layout::kFixedTotalizers[index])
               : std::string();
}

Answer totalizerNames() {
    std::string text;
    for (int k = 0; k < layout::kNonFiscalTotalizers; ++k)
        text += fitText(totalizerName(static_cast<std::size_t>(k)), kNameWidth);
    return {text, std::nullopt};
}

// The moment of the last reduction, as the reduction recorded it.
Answer reductionMoment() {
    core::PrinterState& s = state();
    std::string moment;
    core::readIniValue("Config", "DATARED", moment);
    s.ack = 6;
    s.st1 = s.st2 = 0;
    s.lastReturnCode = 1;
    moment.resize(12, ' ');
    return twoParts(moment.substr(0, 6), moment.substr(6, 6));
}

Answer movementDate(const FormCall& form) {
    ask(form, askStatus);
    const std::vector<std::string> fields = statusFields();
    const std::string date =
        layout::kMovementDateField < fields.size() ? fields[layout::kMovementDateField] : "";
    return {fitDigits(date, 6), std::nullopt};
}

// The slots bound to the service tax, as two-digit numbers separated by commas.
Answer issIndices(const FormCall& form) {
    ask(form, askConfiguration);
    std::vector<int> slots;
    for (std::size_t k = 0; k < layout::kRates; ++k)
        if (replyAt(layout::kRatesAt + k * layout::kRateWidth + 4, 1) ==
            std::string(1, layout::kIssMark))
            slots.push_back(static_cast<int>(k) + 1);
    return {fiscal::slotList(slots), std::nullopt};
}

Answer issRates(const FormCall& form) {
    std::string indices;
    const int listed = fiscal::readQuery(form.road, Query::VerificaIndiceAliquotasIss, indices);
    if (listed != 1 && listed != -27) throw Failed{form.call.fail(0, kNoAnswer)};
    if (const int loaded = loadTaxRates(form.road); loaded != 1)
        throw Failed{loaded == 0 ? form.call.fail(0, kNoAnswer) : form.call.finish(loaded)};
    std::string rates;
    for (std::size_t at = 0; at + 2 <= indices.size(); at += 3) {
        const int slot = std::atoi(indices.substr(at, 2).c_str());
        if (slot >= 1 && slot <= static_cast<int>(layout::kRates))
            rates += state().yancoTaxRates[static_cast<std::size_t>(slot - 1)].substr(0, 4);
    }
    return {fiscal::groupRates(rates), std::nullopt};
}

// The programmed rates: their count, then 16 rates of four digits, a free slot as "0000".
Answer rateList(const FormCall& form) {
    ask(form, askConfiguration);
    int count = 0;
    std::string rates;
    for (std::size_t k = 0; k < 16; ++k) {
        const std::string entry =
            k < layout::kRates ? replyAt(layout::kRatesAt + k * layout::kRateWidth, 4) : "";
        const bool programmed =
            entry.size() == 4 && entry.find_first_not_of("0123456789") == std::string::npos;
        if (programmed) ++count;
        rates += programmed ? entry : "0000";
    }
    return {fitDigits(std::to_string(count), 2) + rates, std::nullopt};
}

// 52 records: the description (16), "00" and 18 digits of the day's amount, "00" and 18 zeros,
// the flag digit; the printer has 30 forms.
Answer paymentForms(const FormCall& form) {
    ask(form, askConfiguration);
    std::vector<std::string> names;
    for (std::size_t k = 0; k < layout::kPaymentForms; ++k)
        names.push_back(replyAt(layout::kPaymentFormsAt + k * layout::kPaymentFormWidth,
                                layout::kPaymentFormWidth));
    std::string text;
    for (std::size_t k = 0; k < fiscal::kPaymentForms; ++k) {
        const std::string name = k < names.size() ? names[k] : "";
        const bool programmed = name.find_first_not_of(' ') != std::string::npos;
        const std::string amount =
            programmed ? readRegister(form, layout::kPaymentFormTotals + static_cast<int>(k)) : "";
        if (k > 0) text += ",\r\n";
        text += fitText(name, fiscal::kPaymentFormDescription) + "00" +
                fitDigits(amount, kGrandTotalWidth) + "00" + std::string(kGrandTotalWidth, '0') +
                "0";
    }
    return {text, std::nullopt};
}

// 50 records: the count (4), "00" and 18 digits of the amount, the name (19).
Answer nonFiscalReceipts(const FormCall& form) {
    std::vector<std::string> records;
    for (std::size_t k = 0; k < fiscal::kNonFiscalReceipts; ++k) {
        std::string count, amount;
        if (k < static_cast<std::size_t>(layout::kNonFiscalTotalizers)) {
            count = readRegister(form, layout::kNonFiscalCounts + static_cast<int>(k));
            amount = readRegister(form, layout::kNonFiscalTotals + static_cast<int>(k));
        }
        records.push_back(fitDigits(count, kCounterWidth) + "00" +
                          fitDigits(amount, kGrandTotalWidth) +
                          fitText(totalizerName(k), fiscal::kNonFiscalName));
    }
    return fiscal::fieldsOnLines(records);
}

// The eight fields: the 16 rate slots (the printer has 13), substitution, exemption and
// non-incidence, the nine non-fiscal totalizers, the withdrawals, the supplies the library
// counts in the INI (the printer keeps no such total), the grand total.
Answer partialTotalizers(const FormCall& form) {
    std::string slots;
    for (std::size_t k = 0; k < 16; ++k)
        slots += k < layout::kRates
                     ? fitDigits(readRegister(form, layout::kSlotSales + static_cast<int>(k)),
                                 kAmountWidth)
                     : std::string(kAmountWidth, '0');
    std::vector<std::string> fields{slots};
    for (int k = 0; k < 3; ++k)
        fields.push_back(
            fitDigits(readRegister(form, layout::kSubstitutionSales + k), kAmountWidth));
    std::string nonFiscal;
    for (int k = 0; k < layout::kNonFiscalTotalizers; ++k)
        nonFiscal += fitDigits(readRegister(form, layout::kNonFiscalTotals + k), kAmountWidth);
    fields.push_back(nonFiscal);
    fields.push_back(fitDigits(readRegister(form, layout::kWithdrawals), kAmountWidth));
    std::string supplies = "0";
    core::readIniValue("CONFIG", "TOTSUPR", supplies);
    fields.push_back(fitDigits(supplies, kAmountWidth));
    fields.push_back(fitDigits(readRegister(form, layout::kGrandTotal), kGrandTotalWidth));
    return fiscal::fieldsOnLines(fields);
}

// The last reduction as the Yanco reduction recorded it, in the sixteen fields of the Quelmar
// record; the two the printer has no value for are zeros.
Answer lastReduction() {
    struct Field {
        const char* key;
        std::size_t width;
    };
    constexpr Field kFields[] = {
        {nullptr, 2},     {"GT", 18},       {"CANC", 14}, {"DESC", 14},
        {"ALIQ", 64},     {"TOTPARC", 266}, {"SANG", 14}, {"SUPR", 14},
        {"TOTNSUJ", 126}, {"CONTNSU", 36},  {"COO", 6},   {"CONTOPN", 6},
        {"NUMALIQ", 2},   {"DATAMOV", 6},   {"ACRE", 14}, {nullptr, 14},
    };
    std::vector<std::string> fields;
    for (const Field& f : kFields) {
        std::string value;
        if (f.key) core::readIniValue("ReducaoYanco", f.key, value, f.width);
        fields.push_back(fitDigits(value, f.width));
    }
    return fiscal::fieldsOnLines(fields);
}

Answer drawerState(const FormCall& form) {
    ask(form, askStatus);
    int open = replyAt(layout::kDrawerAt, 1) == "0" ? 1 : 0;
    if (state().drawerMode) open = 1 - open;
    return {std::to_string(open), std::nullopt};
}

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

int paymentFormValue(const FormCall& form) {
    const std::string wanted = fitText(form.parameter(0), layout::kPaymentFormWidth);
    ask(form, askConfiguration);
    for (std::size_t k = 0; k < layout::kPaymentForms; ++k) {
        if (wanted.find_first_not_of(' ') == std::string::npos) break;
        const std::string name = replyAt(layout::kPaymentFormsAt + k * layout::kPaymentFormWidth,
                                         layout::kPaymentFormWidth);
        if (!sameName(fitText(name, layout::kPaymentFormWidth), wanted)) continue;
        const std::string amount =
            readRegister(form, layout::kPaymentFormTotals + static_cast<int>(k));
        return form.deliver({fitDigits(amount, kAmountWidth), std::nullopt});
    }
    return form.call.fail(-24, "Forma de pagamento nao programada");
}

int totalizerValue(const FormCall& form) {
    const std::string wanted = fitText(form.parameter(0), kTotalizerNameWidth);
    for (std::size_t k = 0; k < std::size(layout::kFixedTotalizers); ++k) {
        if (!sameName(fitText(totalizerName(k), kTotalizerNameWidth), wanted)) continue;
        const std::string amount =
            readRegister(form, layout::kNonFiscalTotals + static_cast<int>(k));
        return form.deliver({fitDigits(amount, kAmountWidth), std::nullopt});
    }
    return form.call.fail(-25, "Totalizador n\xE3o programado ");
}

// The members whose answer takes a function of its own.
Answer ownAnswer(const FormCall& form, const QueryMember& row) {
    switch (row.id) {
        case Query::VersaoFirmware:
            ask(form, askConfiguration);
            return {replyAt(layout::kFirmwareAt, layout::kFirmwareWidth), std::nullopt};
        case Query::FlagsFiscais:
            return fiscalFlags(form);
        case Query::VerificaModoOperacao:
            ask(form, askStatus);
            return {"1", std::nullopt};
        case Query::DataHoraImpressora:
            return dateAndTime(form);
        case Query::ContadoresTotalizadoresNaoFiscais:
            return nonFiscalCounters(form);
        case Query::VerificaTotalizadoresNaoFiscais:
            return totalizerNames();
        case Query::DataHoraReducao:
            return reductionMoment();
        case Query::DataMovimento:
            return movementDate(form);
        case Query::VerificaAliquotasIss:
            return issRates(form);
        case Query::VerificaIndiceAliquotasIss:
            return issIndices(form);
        case Query::VerificaFormasPagamento:
            return paymentForms(form);
        case Query::VerificaRecebimentoNaoFiscal:
            return nonFiscalReceipts(form);
        case Query::VerificaTotalizadoresParciais:
            return partialTotalizers(form);
        case Query::RetornoAliquotas:
            return rateList(form);
        case Query::DadosUltimaReducao:
            return lastReduction();
        case Query::VerificaEstadoGaveta:
            return drawerState(form);
        default:
            return {};
    }
}

Answer tableAnswer(const FormCall& form, const QueryMember& row) {
    const fiscal::YancoQuery& yanco = row.yanco;
    const std::vector<std::string> asked = queries(yanco.query);
    switch (yanco.shape) {
        case fiscal::YancoShape::Register:
            return {fitDigits(readRegister(form, asked[0]), row.width), std::nullopt};
        case fiscal::YancoShape::RegisterSum: {
            std::uint64_t total = 0;
            for (const std::string& q : asked) total += valueOf(readRegister(form, q));
            return {fitDigits(std::to_string(total), row.width), std::nullopt};
        }
        case fiscal::YancoShape::RegisterText:
            if (asked.size() == 2) {
                const std::string first = fitText(readRegister(form, asked[0]), row.split);
                return twoParts(first,
                                fitText(readRegister(form, asked[1]), row.width - row.split));
            }
            return {fitText(readRegister(form, asked[0]), row.width), std::nullopt};
        case fiscal::YancoShape::Configuration:
            ask(form, askConfiguration);
            return {fitText(replyAt(yanco.at, yanco.length), row.width), std::nullopt};
        case fiscal::YancoShape::Fixed:
            return {std::string(yanco.query), std::nullopt};
        default:
            return ownAnswer(form, row);
    }
}

}  // namespace

int answerQuery(const FormCall& form) {
    const QueryMember* row = fiscal::findMember(form.call.name());
    if (!row) return form.call.fail(0, kNoAnswer);
    try {
        switch (row->id) {
            case Query::AcionaGaveta:
                return sendAndFinish(form, {"26", /*parseStatus=*/true, 0});
            case Query::ValorFormaPagamento:
                return paymentFormValue(form);
            case Query::ValorTotalizadorNaoFiscal:
                return totalizerValue(form);
            default:
                return form.deliver(tableAnswer(form, *row));
        }
    } catch (const Failed& failed) {
        return failed.result;
    }
}

}  // namespace quelfi::yanco

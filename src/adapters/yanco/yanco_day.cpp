// The fiscal day on the Yanco printer: its opening ("121"), the X reading ("241"), the Z reduction
// ("221") with the day's record the printer cannot give afterwards kept in the INI, the
// fiscal-memory readings ("28") and the coupon's subtotal (register 72).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "adapters/yanco/yanco_forms.h"
#include "core/config.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/nonfiscal_documents.h"
#include "fiscal/queries.h"
#include "fiscal/record_answers.h"
#include "protocol/presence.h"

namespace quelfi::yanco {

using core::state;

namespace {

constexpr std::string_view kReserved = "             ";  // 13 blanks that end a day command
constexpr int kDayBusyClass = 1;
constexpr int kReadingBusyClass = 2;
constexpr std::string_view kOpeningGrandTotal = "34002";
constexpr std::string_view kSubtotal = "34072";

bool goesOn(int result) {
    return result == 1 || result == -27;
}

// The answer of each query of the reduction's record, in the order the record takes them.
struct ReductionRecord {
    std::string coo, cancellations, surcharges, discounts, rates, partials, counters, movement;
};

// The record read with the query family's members, their answers kept out of Retorno.txt.
int readRecord(const FormCall& form, ReductionRecord& record) {
    const std::pair<fiscal::Query, std::string*> reads[] = {
        {fiscal::Query::NumeroCupom, &record.coo},
        {fiscal::Query::Cancelamentos, &record.cancellations},
        {fiscal::Query::Acrescimos, &record.surcharges},
        {fiscal::Query::Descontos, &record.discounts},
        {fiscal::Query::RetornoAliquotas, &record.rates},
        {fiscal::Query::VerificaTotalizadoresParciais, &record.partials},
        {fiscal::Query::ContadoresTotalizadoresNaoFiscais, &record.counters},
        {fiscal::Query::DataMovimento, &record.movement},
    };
    for (const auto& [query, answer] : reads) {
        const int result = fiscal::readQuery(form.road, query, *answer);
        if (!goesOn(result)) return form.call.finish(result);
    }
    return 1;
}

std::string withoutCommas(std::string text) {
    std::erase(text, ',');
    return text;
}

void writeRecord(const ReductionRecord& r) {
    // The partial totalizers' fields: the slots with F, I and N, the non-fiscal totalizers, the
    // withdrawals, the supplies, the grand total.
    const std::vector<std::string> partials =
        fiscal::cutFields(withoutCommas(r.partials), {266, 126, 14, 14, 18});
    const std::string rates = withoutCommas(r.rates);
    const std::pair<const char*, std::string> keys[] = {
        {"COO", r.coo},
        {"CANC", r.cancellations},
        {"ACRE", r.surcharges},
        {"DESC", r.discounts},
        {"ALIQ", fiscal::slice(rates, 2, 64)},
        {"NUMALIQ", fiscal::slice(rates, 0, 2)},
        {"TOTPARC", partials[0]},
        {"TOTNSUJ", partials[1]},
        {"SANG", partials[2]},
        {"SUPR", partials[3]},
        {"GT", partials[4]},
        {"CONTNSU", withoutCommas(r.counters)},
        {"DATAMOV", r.movement},
        {"CONTOPN", "000000"},
    };
    for (const auto& [key, value] : keys) core::writeIniValue("ReducaoYanco", key, value);
    core::writeIniValue("RelatorioTipo60", "GTFinal", partials[4]);
}

int reduce(const FormCall& form) {
    core::PrinterState& s = state();
    ReductionRecord record;
    if (const int read = readRecord(form, record); read != 1) return read;
    int failure = 0;
    if (!send(form, {std::string(kOpeningGrandTotal), true, kDayBusyClass}, failure))
        return failure;
    const std::string openingTotal = fiscal::zeroFill(fiscal::keepDigits(replyData()), 18);
    if (!send(form, {"221" + std::string(kReserved), true, kDayBusyClass}, failure)) return failure;
    if (s.ack != 6 || s.st2 != 0) return form.call.finish(s.lastReturnCode);

    core::writeIniValue("Config", "InicioDia", "0");
    s.dayOpenDone = false;
    writeRecord(record);
    core::writeIniValue("RelatorioTipo60", "GTInicial", openingTotal);
    core::writeIniValue("Config", "TOTSUPR", "00000000000000");
    std::vector<char> date(7, '\0'), time(7, '\0');
    const int moment = core::nested([&] {
        return fiscal::splitQuery(form.road, fiscal::Query::DataHoraImpressora, date.data(),
                                  time.data());
    });
    if (!goesOn(moment)) return moment;
    core::writeIniValue("Config", "DATARED", std::string(date.data()) + time.data());
    return form.call.finish(s.lastReturnCode);
}

// Reads the fiscal memory for twelve digits of range and the mode character, once the printer is
// known to be on.
int readFiscalMemory(const FormCall& form, const std::string& range) {
    if (core::nested([&] { return protocol::verifyPrinterOn(form.road); }) == -6)
        return form.call.communicationFailure();
    return sendAndFinish(form, {"28" + range, true, kReadingBusyClass});
}

}  // namespace

int readingXForm(const FormCall& form) {
    return sendAndFinish(form, {"241" + std::string(kReserved), true, kDayBusyClass});
}

// The record's queries answer into the library's own buffers whatever Retorno says.
int reductionZForm(const FormCall& form) {
    core::PrinterState& s = state();
    const bool answerToFile = s.answerToFile;
    s.answerToFile = false;
    const int result = core::nested([&] { return reduce(form); });
    s.answerToFile = answerToFile;
    return result;
}

int fiscalMemoryByDateForm(const FormCall& form) {
    return readFiscalMemory(form, form.parameter(0) + form.parameter(1) + "000000000");
}

// Reduction numbers travel in four digits each: "1" and "25" must not read as "125".
int fiscalMemoryByReductionForm(const FormCall& form) {
    char range[32];
    std::snprintf(range, sizeof range, "000000000000%04d%04d1",
                  std::atoi(form.parameter(0).c_str()) % 10000,
                  std::atoi(form.parameter(1).c_str()) % 10000);
    return readFiscalMemory(form, range);
}

// The printer's own opening of the day, then the opening cash as a supply.
int openDayForm(const FormCall& form) {
    int failure = 0;
    if (!send(form, {"121" + std::string(kReserved), true, kDayBusyClass}, failure)) return failure;
    const std::string digits = fiscal::keepDigits(form.parameter(0));
    if (digits.find_first_not_of('0') != std::string::npos) {
        const std::string formName = form.parameter(1);
        const int supplied = core::nested(
            [&] { return fiscal::supplyCash(form.road, digits.c_str(), formName.c_str()); });
        if (!goesOn(supplied)) return supplied;
    }
    return form.call.finish(state().lastReturnCode);
}

int subtotalForm(const FormCall& form) {
    int failure = 0;
    if (!send(form, {std::string(kSubtotal), true, 0}, failure)) return failure;
    std::string digits = fiscal::keepDigits(replyData());
    if (digits.size() > 14) digits = digits.substr(digits.size() - 14);
    return form.deliver({fiscal::zeroFill(digits, 14), std::nullopt});
}

}  // namespace quelfi::yanco

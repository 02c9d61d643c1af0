#include "mfd/computed_reports.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/config.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/queries.h"
#include "fiscal/record_answers.h"
#include "mfd/journal_queries.h"
#include "platform/platform.h"
#include "protocol/call.h"

namespace quelfi::mfd {

using core::state;
using fiscal::slice;
using Money = std::int64_t;

namespace {

constexpr std::size_t kRateSlots = 16;
constexpr std::size_t kAmountDigits = 14;

Money amount(const std::string& digits) {
    Money value = 0;
    for (char c : digits)
        if (c >= '0' && c <= '9') value = value * 10 + (c - '0');
    return value;
}

// What the reports take from the last reduction, whichever record the printer answers.
struct Figures {
    std::string coo, grandTotal, date;  // digits: 6, 18, DDMMAA
    std::array<Money, kRateSlots> rates{};
    Money icmsExempt = 0, icmsNonIncidence = 0, icmsSubstitution = 0;
    Money issExempt = 0, issNonIncidence = 0, issSubstitution = 0;
    Money icmsDiscounts = 0, issDiscounts = 0, icmsSurcharges = 0, issSurcharges = 0;
    Money icmsCancellations = 0, issCancellations = 0;

    Money cancellations() const { return icmsCancellations + issCancellations; }
    Money discounts() const { return icmsDiscounts + issDiscounts; }
    Money surcharges() const { return icmsSurcharges + issSurcharges; }
    Money exempt() const { return icmsExempt + issExempt; }
    Money nonIncidence() const { return icmsNonIncidence + issNonIncidence; }
    Money substitution() const { return icmsSubstitution + issSubstitution; }
    Money grossSales() const {
        Money sum = 0;
        for (Money r : rates) sum += r;
        return sum + exempt() + nonIncidence() + substitution() + cancellations() + discounts();
    }
};

std::vector<std::string> fieldsOf(const std::string& text) {
    std::vector<std::string> out(1);
    for (char c : text) {
        if (c == ',')
            out.emplace_back();
        else
            out.back().push_back(c);
    }
    return out;
}

Figures fromJournalRecord(const std::string& record) {
    std::vector<std::string> f = fieldsOf(record);
    f.resize(37);
    Figures g;
    g.coo = f[3];
    g.grandTotal = f[15];
    for (std::size_t i = 0; i < kRateSlots; ++i)
        g.rates[i] = amount(slice(f[16], i * kAmountDigits, kAmountDigits));
    Money* const totals[] = {&g.icmsExempt,    &g.icmsNonIncidence,  &g.icmsSubstitution,
                             &g.issExempt,     &g.issNonIncidence,   &g.issSubstitution,
                             &g.icmsDiscounts, &g.issDiscounts,      &g.icmsSurcharges,
                             &g.issSurcharges, &g.icmsCancellations, &g.issCancellations};
    for (std::size_t i = 0; i < std::size(totals); ++i) *totals[i] = amount(f[17 + i]);
    g.date = f[36];
    return g;
}

// The older record: 2, 18 grand total, 14 cancellations, 14 discounts, 64 rates, 266 (16 rate
// totals, exemption, non-incidence, substitution), ..., 6 COO at field 10, 6 the movement date
// at field 13, 14 surcharges at field 14. Its amounts are not split by tax.
Figures fromOlderRecord(const std::string& record) {
    std::vector<std::string> f = fieldsOf(record);
    f.resize(16);
    Figures g;
    g.coo = f[10];
    g.grandTotal = f[1];
    g.date = f[13];
    for (std::size_t i = 0; i < kRateSlots; ++i)
        g.rates[i] = amount(slice(f[5], i * kAmountDigits, kAmountDigits));
    g.icmsExempt = amount(slice(f[5], 224, kAmountDigits));
    g.icmsNonIncidence = amount(slice(f[5], 238, kAmountDigits));
    g.icmsSubstitution = amount(slice(f[5], 252, kAmountDigits));
    g.icmsCancellations = amount(f[2]);
    g.icmsDiscounts = amount(f[3]);
    g.icmsSurcharges = amount(f[14]);
    return g;
}

// The programmed rates (four digits each) and which of them are service-tax rates.
struct Rates {
    std::vector<std::string> codes;
    std::vector<bool> iss;
};

Rates ratesOf(const std::string& list, const std::string& issIndices) {
    Rates r;
    // A count past the 16 slots reads no further than them.
    const std::size_t count =
        std::min<std::size_t>(static_cast<std::size_t>(amount(slice(list, 0, 2))), kRateSlots);
    for (std::size_t i = 0; i < count; ++i) r.codes.push_back(slice(list, 2 + i * 4, 4));
    r.iss.assign(count, false);
    for (const std::string& index : fieldsOf(issIndices)) {
        const auto n = static_cast<std::size_t>(amount(index));
        if (!index.empty() && n >= 1 && n <= count) r.iss[n - 1] = true;
    }
    return r;
}

Money issSum(const Figures& g, const Rates& r) {
    Money sum = 0;
    for (std::size_t i = 0; i < r.codes.size(); ++i)
        if (r.iss[i]) sum += g.rates[i];
    return sum;
}

// The last digits of a number that outgrew its column, or the number zero-filled to it.
std::string column(const std::string& digits, std::size_t width) {
    if (digits.size() >= width) return digits.substr(digits.size() - width);
    return std::string(width - digits.size(), '0') + digits;
}

std::string printed(const char* format, const std::string& a, const std::string& b = {}) {
    std::vector<char> text(a.size() + b.size() + 256);
    std::snprintf(text.data(), text.size(), format, a.c_str(), b.c_str());
    return text.data();
}

std::string money(Money cents) {
    return moneyNotation(cents);
}

// "w" text files: every line end reaches the disk as CR LF.
std::string textMode(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

bool goesOn(int result) {
    return result == 1 || result == -27;
}

const char* exportName(Report report) {
    switch (report) {
        case Report::SummaryMapJournal:
            return "Quelmar_FI_MapaResumoMFD";
        case Report::SummaryMap:
            return "Quelmar_FI_MapaResumo";
        case Report::Register60Master:
            return "Quelmar_FI_RelatorioTipo60Mestre";
        case Report::Register60Analytic:
            return "Quelmar_FI_RelatorioTipo60Analitico";
        case Report::Register60AnalyticJournal:
            return "Quelmar_FI_RelatorioTipo60AnaliticoMFD";
        case Report::Registers60:
            return "Quelmar_FI_RegistrosTipo60";
    }
    return "";
}

class ReportRun {
  public:
    ReportRun(const Road& road, Report report)
        : road_(road), report_(report), call_(road, *protocol::findExportRow(exportName(report))) {}

    const protocol::Call& call() const { return call_; }

    // Each query nested, its answer never to Retorno.txt; false ends the report with `failure`.
    bool read(fiscal::Query id, std::string& text, int& failure) const {
        const bool journal =
            id == fiscal::Query::DadosUltimaReducaoMFD || id == fiscal::Query::NumeroSerieMFD;
        const int result =
            journal ? readJournalText(road_, id, text) : fiscal::readQuery(road_, id, text);
        if (goesOn(result)) return true;
        failure = result;
        return false;
    }

    bool figures(Figures& g, int& failure) const {
        std::string record;
        if (state().printerType != 0) {
            if (!read(fiscal::Query::DadosUltimaReducaoMFD, record, failure)) return false;
            g = fromJournalRecord(record);
        } else {
            if (!read(fiscal::Query::DadosUltimaReducao, record, failure)) return false;
            g = fromOlderRecord(record);
        }
        return true;
    }

    bool rates(Rates& r, int& failure) const {
        std::string list, iss;
        if (!read(fiscal::Query::RetornoAliquotas, list, failure) ||
            !read(fiscal::Query::VerificaIndiceAliquotasIss, iss, failure))
            return false;
        r = ratesOf(list, iss);
        return true;
    }

    bool serial(std::string& text, int& failure) const {
        return read(
            state().printerType != 0 ? fiscal::Query::NumeroSerieMFD : fiscal::Query::NumeroSerie,
            text, failure);
    }

    // Replaces Retorno.txt with the text written so far.
    bool write(const std::string& text) const {
        return platform::replaceFile(state().answerFilePath, textMode(text));
    }

    int fileFailure() const {
        const std::string owner = report_ == Report::Register60Master ||
                                          report_ == Report::Register60Analytic ||
                                          report_ == Report::Register60AnalyticJournal
                                      ? "Retorno Quelmar_FI_RelatorioTipo60Mestre: "
                                      : "Retorno: ";
        return call_.failLine(-8, owner + "-8 - Erro na abertura do arquivo retorno.txt");
    }

    // The text so far stays in the file; the query's result is the report's.
    int stop(const std::string& text, int failure) const {
        write(text);
        return call_.finish(failure);
    }

  private:
    const Road& road_;
    Report report_;
    protocol::Call call_;
};

int summaryMap(const ReportRun& run, bool journal) {
    Figures g;
    Rates r;
    std::string reductions;
    int failure = 0;
    if (!run.figures(g, failure) || !run.read(fiscal::Query::NumeroReducoes, reductions, failure) ||
        !run.rates(r, failure))
        return run.call().finish(failure);
    const Money iss = issSum(g, r);
    const Money gross = g.grossSales();
    const Money net = gross - iss - g.issExempt - g.issNonIncidence - g.issSubstitution -
                      g.cancellations() - g.discounts();
    std::string rateLines;
    for (std::size_t i = 0; i < r.codes.size(); ++i)
        if (!r.iss[i])
            rateLines += printed(journal ? "%s............................: %15s\n"
                                         : "%s...................: %15s\n",
                                 r.codes[i], money(g.rates[i]));
    std::string text;
    const auto line = [&](const char* label, Money value) {
        text += printed("\n%s%15s", label, money(value));
    };
    if (journal) {
        text += printed("Contador de Redu\xE7\xE3o Z...........: %15s", reductions);
        text += printed("\nCOO.............................: %15s", g.coo);
        text += printed("\nVenda Bruta.....................: %15s", money(gross));
        text += printed("\nVenda L\xEDquida...................: %15s", money(net));
        line("Cancelamentos de ICMS...........: ", g.icmsCancellations);
        line("Cancelamentos de ISSQN..........: ", g.issCancellations);
        line("Acr\xE9scimos de ICMS..............: ", g.icmsSurcharges);
        line("Acr\xE9scimos de ISSQN.............: ", g.issSurcharges);
        line("Descontos de ICMS...............: ", g.icmsDiscounts);
        line("Descontos de ISSQN..............: ", g.issDiscounts);
        line("ISS.............................: ", iss);
        line("Isen\xE7\xE3o de ICMS.................: ", g.icmsExempt);
        line("Isen\xE7\xE3o de ISSQN................: ", g.issExempt);
        line("N\xE3o Incid\xEAncia de ICMS..........: ", g.icmsNonIncidence);
        line("N\xE3o Incid\xEAncia de ISSQN.........: ", g.issNonIncidence);
        line("Substitui\xE7\xE3o Tribut\xE1ria de ICMS.: ", g.icmsSubstitution);
        line("Substitui\xE7\xE3o Tribut\xE1ria de ISSQN: ", g.issSubstitution);
    } else {
        text += printed("%s%15s\n", "Contador de Redu\xE7\xE3o Z..: ", reductions);
        text += printed("%s%15s", "COO....................: ", g.coo);
        text += printed("\nVenda Bruta............: %15s", money(gross));
        text += printed("\nVenda L\xEDquida..........: %15s", money(net));
        line("Cancelamentos..........: ", g.cancellations());
        line("Acr\xE9scimos.............: ", g.surcharges());
        line("Descontos..............: ", g.discounts());
        line("ISS....................: ", iss);
        line("Isen\xE7\xE3o................: ", g.exempt());
        line("N\xE3o Incid\xEAncia.........: ", g.nonIncidence());
        line("Substitui\xE7\xE3o Tribut\xE1ria: ", g.substitution());
    }
    text += printed("\n%s", rateLines);
    if (!run.write(text)) return run.fileFailure();
    return run.call().finish(state().lastReturnCode);
}

std::string dateWithSlashes(const std::string& ddmmyy) {
    return slice(ddmmyy, 0, 2) + "/" + slice(ddmmyy, 2, 2) + "/" + slice(ddmmyy, 4, 2);
}

std::string labelled(const char* label, const std::string& value) {
    return printed("%s%24s\r\n", label, value);
}

int register60Text(const ReportRun& run, bool master) {
    if (!run.write("")) return run.fileFailure();
    std::string text;
    Figures g;
    std::string serial;
    int failure = 0;
    if (!run.figures(g, failure)) return run.stop(text, failure);
    text += labelled("Tipo do relat\xF3rio.........: ", "60");
    text += labelled("Subtipo...................: ", master ? "M" : "A");
    text += labelled("Data de emiss\xE3o...........: ", dateWithSlashes(g.date));
    if (!run.serial(serial, failure)) return run.stop(text, failure);
    text += labelled("N\xFAmero de s\xE9rie...........: ", serial);
    if (master) {
        std::string registerNumber, reductions, restarts;
        if (!run.read(fiscal::Query::NumeroCaixa, registerNumber, failure))
            return run.stop(text, failure);
        text += labelled("N\xFAmero do equipamento.....: ", registerNumber);
        text += labelled("Modelo do documento fiscal: ", "2D");
        text += labelled("COO inicial...............: ",
                         core::readIniText("RelatorioTipo60", "COOInicial"));
        text += labelled("COO final.................: ",
                         core::readIniText("RelatorioTipo60", "COOFinal"));
        if (!run.read(fiscal::Query::NumeroReducoes, reductions, failure))
            return run.stop(text, failure);
        text += labelled("Contador de redu\xE7\xF5\x65s......: ", reductions);
        if (!run.read(fiscal::Query::NumeroIntervencoes, restarts, failure))
            return run.stop(text, failure);
        text += labelled("Reinicio de Opera\xE7\xE3o......: ", restarts);
        text += labelled("Venda Bruta...............: ", money(g.grossSales()));
        text += labelled("Totalizador geral.........: ", money(amount(g.grandTotal)));
        core::writeIniValue("RelatorioTipo60", "GTFinal", column(g.grandTotal, 18));
    } else {
        Rates r;
        if (!run.rates(r, failure)) return run.stop(text, failure);
        text += labelled("Cancelamentos.............: ", money(g.cancellations()));
        text += labelled("Descontos.................: ", money(g.discounts()));
        text += labelled("F.........................: ", money(g.substitution()));
        text += labelled("I.........................: ", money(g.exempt()));
        text += labelled("N.........................: ", money(g.nonIncidence()));
        for (std::size_t i = 0; i < r.codes.size(); ++i)
            if (!r.iss[i])
                text +=
                    labelled((r.codes[i] + "......................: ").c_str(), money(g.rates[i]));
        text += labelled("ISS.......................: ", money(issSum(g, r)));
    }
    if (!run.write(text)) return run.fileFailure();
    return run.call().finish(state().lastReturnCode);
}

std::string padRight(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

int registers60(const ReportRun& run) {
    Figures g;
    Rates r;
    std::string serial, registerNumber, reductions, restarts;
    int failure = 0;
    if (!run.figures(g, failure) || !run.serial(serial, failure) ||
        !run.read(fiscal::Query::NumeroCaixa, registerNumber, failure) ||
        !run.read(fiscal::Query::NumeroReducoes, reductions, failure) ||
        !run.read(fiscal::Query::NumeroIntervencoes, restarts, failure) || !run.rates(r, failure))
        return run.call().finish(failure);
    const std::string date = "20" + slice(g.date, 4, 2) + slice(g.date, 2, 2) + slice(g.date, 0, 2);
    const std::string head = date + padRight(serial, 20);
    std::string text = "60M" + head + column(registerNumber, 3) + "2D" +
                       column(core::readIniText("RelatorioTipo60", "COOInicial"), 6) +
                       column(core::readIniText("RelatorioTipo60", "COOFinal"), 6) +
                       column(reductions, 6) + column(restarts, 3) +
                       column(std::to_string(g.grossSales()), 16) + column(g.grandTotal, 16) +
                       std::string(37, ' ') + "\n";
    const auto analytic = [&](const std::string& code, Money value) {
        if (value == 0) return;
        text += "60A" + head + padRight(code, 4) + column(std::to_string(value), 12) +
                std::string(79, ' ') + "\n";
    };
    for (std::size_t i = 0; i < r.codes.size(); ++i)
        if (!r.iss[i]) analytic(r.codes[i], g.rates[i]);
    analytic("ISS", issSum(g, r));
    analytic("CANC", g.cancellations());
    analytic("DESC", g.discounts());
    analytic("F", g.substitution());
    analytic("I", g.exempt());
    analytic("N", g.nonIncidence());
    if (!run.write(text)) return run.fileFailure();
    return run.call().finish(state().lastReturnCode);
}

}  // namespace

std::string moneyNotation(long long cents) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%03lld", cents < 0 ? -cents : cents);
    const std::string all = digits;
    const std::string whole = all.substr(0, all.size() - 2);
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) grouped += '.';
        grouped += whole[i];
    }
    return (cents < 0 ? "-" : "") + grouped + "," + all.substr(all.size() - 2);
}

int computedReport(const Road& road, Report report) {
    const ReportRun run(road, report);
    if (auto forwarded = run.call().handOver()) return *forwarded;
    switch (report) {
        case Report::SummaryMapJournal:
            return summaryMap(run, true);
        case Report::SummaryMap:
            return summaryMap(run, false);
        case Report::Register60Master:
            return register60Text(run, true);
        case Report::Register60Analytic:
        case Report::Register60AnalyticJournal:
            return register60Text(run, false);
        case Report::Registers60:
            return registers60(run);
    }
    return -1;
}

}  // namespace quelfi::mfd

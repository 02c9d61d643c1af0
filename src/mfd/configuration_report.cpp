// The configuration report reads each setting with its own query and prints the lines through
// the management report, at most 610 characters a call, like the departments report.
#include "mfd/configuration_report.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "core/call_log.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/queries.h"
#include "mfd/journal_queries.h"
#include "mfd/report_printing.h"
#include "protocol/call.h"

namespace quelfi::mfd {

namespace {

constexpr char kEsc = 0x1B;
constexpr char kExpandedOn = 0x0E;
constexpr char kExpandedOff = 0x14;
constexpr std::size_t kDateTimeWidth = 6;
constexpr int kFlagDaylightSaving = 4;
constexpr int kFlagReductionDone = 8;
constexpr int kFlagFiscalMemoryFull = 128;
constexpr int kNotOnYanco = -30;
constexpr std::string_view kExpandedHeading =
    "    CONFIGURA\xC7\xD5"
    "ES";
// The Yanco printer has no expanded print: its heading is spaced out instead.
constexpr std::string_view kSpacedHeading = "        C O N F I G U R A \xC7 \xD5 E S         ";
// The closing log line carries this name, not the export's.
constexpr const char* kClosingLine =
    "Retorno Quelmar_ImprimeConfigura\xE7\xF5"
    "esImpressora: ";

bool goesOn(int result) {
    return result == 1 || result == -27;
}

std::string formatted(const char* format, const std::string& label, const std::string& value) {
    const int size = std::snprintf(nullptr, 0, format, label.c_str(), value.c_str());
    std::string out(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, label.c_str(), value.c_str());
    out.resize(static_cast<std::size_t>(size));
    return out;
}

std::string line(const std::string& label, const std::string& value) {
    return formatted("\r\n%s%21s", label, value);
}

std::string slashed(const std::string& digits, char mark) {
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && i % 2 == 0) out += mark;
        out += digits[i];
    }
    return out;
}

std::string dotted(const std::string& digits) {
    std::string out;
    for (const char c : digits) {
        if (!out.empty()) out += '.';
        out += c;
    }
    return out;
}

// The paper monitor answers its two bytes as three digits each, high byte first.
int linesAfterPaperLow(const std::string& answer) {
    if (answer.size() < 6) return 0;
    return std::atoi(answer.substr(0, 3).c_str()) * 256 + std::atoi(answer.substr(3, 3).c_str());
}

// The printer's type is 1 to 8: fiscal or passenger ticket, drawer or presenter, authentication
// or cutter, in that order of weight.
std::vector<std::string> typePieces(int type) {
    switch (type) {
        case 1:
            return {"fiscal  +  gaveta +", "autentica\xE7\xE3o"};
        case 2:
            return {"fiscal  +  gaveta +", "cutter"};
        case 3:
            return {"fiscal +  presenter", "+ autentica\xE7\xE3o"};
        case 4:
            return {"fiscal +  presenter", "cutter"};
        case 5:
            return {"bilhete de passagem", "+ gaveta +  autenti", "ca\xE7\xE3o"};
        case 6:
            return {"bilhete de passagem", "+ gaveta + cutter"};
        case 7:
            return {"bilhete de passagem", "+ presenter + auten", "tica\xE7\xE3o"};
        case 8:
            return {"bilhete de passagem", "presenter + cutter"};
        default:
            return {""};
    }
}

class Reader {
  public:
    explicit Reader(const Road& road) : road_(road) {}

    bool text(fiscal::Query id, std::string& out) {
        const bool journal =
            id == fiscal::Query::NumeroSerieMFD || id == fiscal::Query::VersaoFirmwareMFD;
        return keep(id,
                    journal ? readJournalText(road_, id, out) : fiscal::readQuery(road_, id, out));
    }

    bool dateTime(std::string& date, std::string& time) {
        char first[kDateTimeWidth + 1] = {};
        char second[kDateTimeWidth + 1] = {};
        const int result = core::nested([&] {
            return fiscal::splitQuery(road_, fiscal::Query::DataHoraImpressora, first, second,
                                      {.quietly = true});
        });
        date = first;
        time = second;
        return keep(fiscal::Query::DataHoraImpressora, result);
    }

    bool integer(fiscal::Query id, int& out) {
        std::optional<int> value;
        const int result =
            core::nested([&] { return fiscal::integerQuery(road_, id, value, {.quietly = true}); });
        out = value.value_or(0);
        return keep(id, result);
    }

    int failure() const { return failure_; }
    bool yanco() const { return road_.yancoPrinter(); }
    // Whether the printer answered the query: the Yanco printer lacks some.
    bool has(fiscal::Query id) const {
        return std::find(absent_.begin(), absent_.end(), id) == absent_.end();
    }

  private:
    bool keep(fiscal::Query id, int result) {
        if (goesOn(result)) return true;
        // A setting the Yanco printer does not have leaves its line out, not the whole report.
        if (result == kNotOnYanco && yanco()) {
            absent_.push_back(id);
            return true;
        }
        failure_ = result;
        return false;
    }

    const Road& road_;
    int failure_ = 0;
    std::vector<fiscal::Query> absent_;
};

// The report's text, or nothing when a query failed (its result is then the reader's).
std::optional<std::string> configurationText(Reader& read) {
    // The Yanco printer has no electronic-journal queries, whatever the INI's printer type.
    const bool journal = core::state().printerType != 0 && !read.yanco();
    std::string date, time, firmware, serial, store, till, symbol, truncation;
    int flags = 0, type = 0;
    std::string paper;
    if (!read.dateTime(date, time) ||
        !read.text(journal ? fiscal::Query::VersaoFirmwareMFD : fiscal::Query::VersaoFirmware,
                   firmware) ||
        !read.text(journal ? fiscal::Query::NumeroSerieMFD : fiscal::Query::NumeroSerie, serial) ||
        !read.text(fiscal::Query::NumeroLoja, store) ||
        !read.text(fiscal::Query::NumeroCaixa, till) ||
        !read.text(fiscal::Query::SimboloMoeda, symbol) ||
        !read.text(fiscal::Query::VerificaTruncamento, truncation) ||
        !read.integer(fiscal::Query::FlagsFiscais, flags) ||
        !read.text(fiscal::Query::MonitoramentoPapel, paper) ||
        !read.integer(fiscal::Query::VerificaTipoImpressora, type))
        return std::nullopt;
    char version[16] = {};
    fiscal::dllVersion(version);
    const auto yesNo = [&](int flag) { return std::string(flags & flag ? "Sim" : "N\xE3o"); };

    std::string text = std::string("\n") +
                       (read.yanco() ? std::string(kSpacedHeading)
                                     : kEsc + std::string(1, kExpandedOn) +
                                           std::string(kExpandedHeading) + kEsc + kExpandedOff) +
                       "\r\n\n";
    using Q = fiscal::Query;
    const Q firmwareQuery = journal ? Q::VersaoFirmwareMFD : Q::VersaoFirmware;
    const Q serialQuery = journal ? Q::NumeroSerieMFD : Q::NumeroSerie;
    // The Yanco printer answers the symbol with its "$" ("R$"): the line adds it once.
    std::string symbolText = symbol;
    if (symbolText.ends_with('$')) symbolText.pop_back();
    const bool truncates = std::strtol(truncation.c_str(), nullptr, 16) != 0;
    // The serial number is blank-filled on the right; the column aligns its characters.
    const std::pair<Q, std::string> lines[] = {
        {Q::DataHoraImpressora, line("Data da impressora ", slashed(date, '/'))},
        {Q::DataHoraImpressora, line("Hora da impressora ", slashed(time, ':'))},
        {firmwareQuery, line("Vers\xE3o do firmware ", dotted(firmware))},
        {serialQuery,
         line("N\xFAmero de s\xE9rie    ", serial.substr(0, serial.find_last_not_of(' ') + 1))},
        {Q::NumeroLoja, line("N\xFAmero da loja     ", store)},
        {Q::NumeroCaixa, line("N\xFAmero do caixa    ", till)},
        {Q::SimboloMoeda, formatted("\r\n%s%20s$", "S\xEDmbolo da moeda   ", symbolText)},
        {Q::VerificaTruncamento,
         line("Modo de opera\xE7\xE3o   ", truncates ? "Truncamento" : "Arredondamento")},
        {Q::FlagsFiscais, line("Hor\xE1rio de ver\xE3o   ", yesNo(kFlagDaylightSaving))},
        {Q::FlagsFiscais, line("J\xE1 houve redu\xE7\xE3o Z ", yesNo(kFlagReductionDone))},
        {Q::FlagsFiscais, line("Mem\xF3ria fiscal     ",
                               flags & kFlagFiscalMemoryFull ? "Sem espa\xE7o" : "Com espa\xE7o")},
    };
    for (const auto& [query, piece] : lines)
        if (read.has(query)) text += piece;
    text += line("Vers\xE3o da dll      ", version);
    text += line("Log da dll         ", core::state().logEnabled ? "Habilitado" : "Desabilitado");
    if (read.has(fiscal::Query::MonitoramentoPapel)) {
        char count[32];
        std::snprintf(count, sizeof count, "%13d", linesAfterPaperLow(paper));
        text += "\r\nLin. imp. ap\xF3s pouco papel " + std::string(count);
    }
    if (read.has(fiscal::Query::VerificaTipoImpressora)) {
        const std::vector<std::string> pieces = typePieces(type);
        text += "\r\nTipo impressora      " + pieces.front();
        for (std::size_t i = 1; i < pieces.size(); ++i)
            text += formatted("\r\n%21s%s", "", pieces[i]);
    }
    return text;
}

}  // namespace

int printConfiguration(const Road& road) {
    const protocol::Call call(road,
                              protocol::exportRow("Quelmar_FI_ImprimeConfiguracoesImpressora"));
    if (auto refused = call.refusedOnYanco()) return *refused;
    if (auto forwarded = call.handOver()) return *forwarded;
    Reader read(road);
    const std::optional<std::string> text = configurationText(read);
    if (!text) return call.finish(read.failure());
    if (auto failed = printOnManagementReport(road, *text)) return call.finish(*failed);
    const int code = core::state().lastReturnCode;
    core::logLine(kClosingLine, code, "");
    return code;
}

}  // namespace quelfi::mfd

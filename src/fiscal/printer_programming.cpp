// The programming family as data: each member's checks and messages, request record, command and
// way on the Yanco printer are one row of the table below, and one runner takes every member
// through the same steps. What a single member does differently is a small function of its row.
#include "fiscal/printer_programming.h"

#include <string>
#include <vector>

#include "adapters/yanco/yanco_forms.h"
#include "adapters/yanco/yanco_layout.h"
#include "adapters/yanco/yanco_text.h"
#include "core/call_log.h"
#include "core/config.h"
#include "fiscal/argument_format.h"
#include "fiscal/programming_fields.h"
#include "protocol/call.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

namespace {

constexpr char kProgramRate = 0x07;
constexpr char kNameTotalizer = '(';
constexpr char kNameDepartment = 'A';
constexpr char kCurrencySymbol = 0x01;
constexpr char kCurrencySingular = ':';
constexpr char kCurrencyPlural = ';';
constexpr char kRoundingMode = '\'';
constexpr char kRound = 0x01;
constexpr char kTruncate = 0x02;
constexpr char kDaylightSaving = 0x12;
constexpr char kLinesAfterDocument = '=';
constexpr char kLineSpacing = '<';
constexpr char kReset = 'F';

// The arguments a member takes, in their order.
enum class Takes { Nothing, Text, Number, TextThenNumber, NumberThenText };

struct TextRule {
    std::size_t longest = 0;
    bool digitsOnly = false;        // filtered to its digits before its length is counted
    const char* missing = nullptr;  // the refusal of a missing or empty text, after "-2 - "
    const char* tooLong = nullptr;  // the refusal of a longer one
};

struct NumberRule {
    int lowest = 0;
    int highest = 0;
    const char* refusal = nullptr;  // after "-2 - ", followed by the value
};

// What the member does on the Yanco printer when its row routes it there (the others are refused
// there by their row).
enum class OnYanco {
    None,
    CurrencyName,      // the name kept in the INI for the Yanco cheque
    TotalizerCommand,  // the adapter's totalizer command, indices 5 to 8 only
    DaylightCommands,  // the adapter's state read, then the switch
};

// The checked arguments: the text as the printer takes it (the digits of a rate), the number.
struct Checked {
    std::string text;
    int number = 0;
};

using CommandBuilder = std::string (*)(const Checked& arguments);

// A member: its row of the export table (name, record, Yanco route), its checks, its command.
struct Member {
    Programming which;
    const protocol::ExportRow* row;
    Takes takes;
    TextRule text;
    NumberRule number;
    CommandBuilder command;  // the bytes after the prefix
    OnYanco onYanco = OnYanco::None;
    const char* yancoKey = nullptr;       // the "Config" key of a currency name
    const char* clientClosing = nullptr;  // the client's closing line when not the usual one
};

std::string printerText(const std::string& text, std::size_t width) {
    return blankFill(protocol::inPrinterCodePage(text), width);
}

std::string twoDigitIndex(int index) {
    return zeroFill(std::to_string(index), 2);
}

std::string one(char byte) {
    return std::string(1, byte);
}

// clang-format off
const Member kMembers[] = {
    {Programming::TaxRate, &protocol::exportRow("Quelmar_FI_ProgramaAliquota"), Takes::TextThenNumber,
     {4, true, "Parametro invalido para aliquota", "Parametro invalido para aliquota"},
     {0, 1, "Parametro invalido para vinculacao da aliquota"},
     [](const Checked& a) { return kProgramRate + programmedRate(a.text) + std::to_string(a.number); }},
    {Programming::TotalizerName, &protocol::exportRow("Quelmar_FI_NomeiaTotalizadorNaoSujeitoIcms"), Takes::NumberThenText,
     {19, false, "Parametro invalido para totalizador", "Parametro invalido para totalizador"},
     {1, 50, "Parametro invalido para o indice"},
     [](const Checked& a) { return kNameTotalizer + twoDigitIndex(a.number) + printerText(a.text, 19); },
     OnYanco::TotalizerCommand},
    {Programming::DepartmentName, &protocol::exportRow("Quelmar_FI_NomeiaDepartamento"), Takes::NumberThenText,
     {10, false, "Parametro invalido para o departamento", "Parametro invalido para o departamento"},
     {1, 20, "Parametro invalido para o indice"},
     [](const Checked& a) { return kNameDepartment + twoDigitIndex(a.number) + printerText(a.text, 10); }},
    {Programming::CurrencySymbol, &protocol::exportRow("Quelmar_FI_AlteraSimboloMoeda"), Takes::Text,
     {2, false, "Parametro invalido para simbolo da moeda", "Parametro invalido para simbolo da moeda"},
     {},
     [](const Checked& a) { return kCurrencySymbol + blankFill(a.text, 2); }},
    {Programming::CurrencySingular, &protocol::exportRow("Quelmar_FI_ProgramaMoedaSingular"), Takes::Text,
     {19, false, "Parametro invalido para moeda no singular", "Parametro invalido para moeda no singular"},
     {},
     [](const Checked& a) { return kCurrencySingular + printerText(a.text, 19); },
     OnYanco::CurrencyName, "MoedaSing"},
    {Programming::CurrencyPlural, &protocol::exportRow("Quelmar_FI_ProgramaMoedaPlural"), Takes::Text,
     {19, false, "Parametro invalido para moeda no plural", "Parametro invalido para moeda plural"},
     {},
     [](const Checked& a) { return kCurrencyPlural + printerText(a.text, 22); },
     OnYanco::CurrencyName, "MoedaPlu"},
    {Programming::Rounding, &protocol::exportRow("Quelmar_FI_ProgramaArredondamento"), Takes::Nothing, {}, {},
     [](const Checked&) { return std::string{kRoundingMode, kRound}; }},
    {Programming::Truncation, &protocol::exportRow("Quelmar_FI_ProgramaTruncamento"), Takes::Nothing, {}, {},
     [](const Checked&) { return std::string{kRoundingMode, kTruncate}; }},
    {Programming::DaylightSaving, &protocol::exportRow("Quelmar_FI_ProgramaHorarioVerao"), Takes::Nothing, {}, {},
     [](const Checked&) { return one(kDaylightSaving); },
     OnYanco::DaylightCommands, nullptr,
     // Its client's line has always lacked the colon.
     "Retorno Quelmar_FI_ProgramaHorarioVerao "},
    {Programming::LinesAfterDocument, &protocol::exportRow("Quelmar_FI_LinhasEntreCupons"), Takes::Number, {},
     {1, 255, "Parametro invalido para o numero de linhas"},
     [](const Checked& a) { return kLinesAfterDocument + one(static_cast<char>(a.number)); }},
    {Programming::LineSpacing, &protocol::exportRow("Quelmar_FI_EspacoEntreLinhas"), Takes::Number, {},
     {0, 255, "Parametro invalido para espacamento entre as linhas"},
     [](const Checked& a) { return kLineSpacing + one(static_cast<char>(a.number)); }},
    {Programming::Reset, &protocol::exportRow("Quelmar_FI_ResetaImpressora"), Takes::Nothing, {}, {},
     [](const Checked&) { return one(kReset); }},
};
// clang-format on

const Member& memberOf(Programming which) {
    for (const Member& m : kMembers)
        if (m.which == which) return m;
    return kMembers[0];
}

bool takesText(Takes t) {
    return t == Takes::Text || t == Takes::TextThenNumber || t == Takes::NumberThenText;
}

// The Yanco printer names only its totalizers 5 to 8.
constexpr int kFirstYancoTotalizer = 5;
constexpr int kLastYancoTotalizer = 8;

// The member's checks in its argument order; the refusal's code (its line logged), or nothing.
std::optional<int> check(const protocol::Call& call, const Member& m, const char* text, int number,
                         Checked& out) {
    const std::string refusal = "Retorno " + call.name() + ": -2 - ";
    auto checkNumber = [&]() -> std::optional<int> {
        if (m.onYanco == OnYanco::TotalizerCommand && call.road().yancoPrinter()) {
            if (number < kFirstYancoTotalizer || number > kLastYancoTotalizer)
                return call.failLine(
                    -2, refusal +
                            "Parametro inv\xE1lido para o \xEDndice do totalizador. Na impressora "
                            "yanco o \xEDndice deve estar entre 5 e 8");
        } else if (number < m.number.lowest || number > m.number.highest) {
            core::logLine(refusal + m.number.refusal, number, "");
            return -2;
        }
        out.number = number;
        return std::nullopt;
    };
    auto checkText = [&]() -> std::optional<int> {
        const std::string given = core::argText(text);
        if (given.empty()) return call.failLine(-2, refusal + m.text.missing);
        out.text = m.text.digitsOnly ? keepDigits(given) : given;
        if (out.text.size() > m.text.longest) return call.failLine(-2, refusal + m.text.tooLong);
        return std::nullopt;
    };
    if (m.takes == Takes::NumberThenText || m.takes == Takes::Number)
        if (auto refused = checkNumber()) return refused;
    if (takesText(m.takes))
        if (auto refused = checkText()) return refused;
    if (m.takes == Takes::TextThenNumber)
        if (auto refused = checkNumber()) return refused;
    return std::nullopt;
}

// The request record's parameters, in the member's argument order.
protocol::Parameters parameters(const Member& m, const Checked& a) {
    const std::string number = std::to_string(a.number);
    switch (m.takes) {
        case Takes::Nothing:
            return {};
        case Takes::Text:
            return {a.text};
        case Takes::Number:
            return {number};
        case Takes::TextThenNumber:
            return {a.text, number};
        case Takes::NumberThenText:
            return {number, a.text};
    }
    return {};
}

std::string joined(const std::vector<std::string>& values, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < values.size(); ++i) out += (i ? separator : "") + values[i];
    return out;
}

// The totalizer's name as the Yanco printer takes it: plain letters, in 15.
std::string yancoTotalizerName(std::string name) {
    yanco::stripAccents(name, /*keepLineBreaks=*/false);
    name.resize(15, ' ');
    return name;
}

// Daylight saving switches to the other state: "080" ends it when the printer's mark says it is
// on, "081" starts it.
int switchDaylightSaving(const protocol::Call& call) {
    int failure = 0;
    if (!yanco::send(call.road(), call, {"2E", /*parseStatus=*/false, 0}, failure)) return failure;
    const std::string mark = yanco::replyAt(yanco::layout::kDaylightSavingAt, 1);
    const bool on = mark == "v" || mark == "V";
    return yanco::sendAndFinish(call.road(), call, {on ? "080" : "081", true, 0});
}

// What the member does on the Yanco printer.
int onYanco(const protocol::Call& call, const Member& m, const Checked& a) {
    switch (m.onYanco) {
        case OnYanco::CurrencyName:
            core::writeIniValue("Config", m.yancoKey, a.text);
            return call.fail(1, "Ok");
        case OnYanco::TotalizerCommand:
            return yanco::sendAndFinish(
                call.road(), call,
                {"10" + std::to_string(a.number) + yancoTotalizerName(a.text), true, 0},
                "Erro de comunicacao");
        case OnYanco::DaylightCommands:
            return switchDaylightSaving(call);
        case OnYanco::None:
            break;
    }
    return call.fail(0, "Erro de comunica\xE7\xE3o");
}

}  // namespace

int programPrinter(const Road& road, Programming which, const char* text, int number) {
    const Member& m = memberOf(which);
    const protocol::Call call(road, *m.row, core::Header::Always);
    if (auto refused = call.refusedOnYanco()) return *refused;
    Checked arguments;
    if (auto refused = check(call, m, text, number, arguments)) return *refused;
    const protocol::Parameters values = parameters(m, arguments);
    if (!values.empty()) call.logRecord(joined(values, "|"));
    const protocol::RecordRequest record{
        [&](int&) { return std::optional<protocol::Parameters>(values); },
        protocol::RecordLine::None,
        m.clientClosing ? std::string_view(m.clientClosing) : std::string_view(),
        {}};
    if (auto forwarded = call.handOver(record)) return *forwarded;
    if (auto done = call.yancoForm([&] { return onYanco(call, m, arguments); })) return *done;

    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(m.command(arguments));
    // A count or spacing byte may be 0: the command goes with the length it was built with.
    spec.explicitLength = static_cast<int>(spec.command.size());
    return call.run(spec);
}

}  // namespace quelfi::fiscal

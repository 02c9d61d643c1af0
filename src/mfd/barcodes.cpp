// The barcode exports: their checks, their lines, the network step in the journal documents'
// record form, and the command "C" (or the end of closing) carrying the mechanism's sequences.
#include "mfd/barcodes.h"

#include <optional>
#include <string>

#include "core/call_log.h"
#include "core/printer_state.h"
#include "mfd/barcode_sequences.h"
#include "mfd/document_call.h"
#include "protocol/code_page.h"

namespace quelfi::mfd {

using core::argText;
using core::state;
using protocol::exportRow;
using std::to_string;

namespace {

constexpr char kPassToMechanism = 'C';
constexpr char kEndClosing = '"';
constexpr std::size_t kMessageMax = 490;

// The lines of the closing's and the configuration's range checks (Windows-1252).
#define QF_PARAMETRO "Par\xE2metro inv\xE1lido para "
constexpr std::string_view kHeightRange = QF_PARAMETRO "a altura (1-255): ";
constexpr std::string_view kWidthRange = QF_PARAMETRO "a largura (0-2): ";
constexpr std::string_view kPdf417WidthRange = QF_PARAMETRO "a largura (1-8): ";
constexpr std::string_view kPositionRange = QF_PARAMETRO "a posi\xE7\xE3o dos caracteres (0-3): ";
constexpr std::string_view kFontRange = QF_PARAMETRO "a fonte (0-1): ";
constexpr std::string_view kMarginRange = QF_PARAMETRO "a margem (0-575): ";
constexpr std::string_view kUnknownType = QF_PARAMETRO
    "o tipo de c\xF3"
    "digo ";
#undef QF_PARAMETRO

struct Range {
    int value;
    int low;
    int high;
    std::string_view message;
};

// The first value out of its range refused with its message and the value; nothing when all fit.
std::optional<int> refusedRange(const DocumentCall& call, std::initializer_list<Range> ranges) {
    for (const Range& r : ranges)
        if (r.value < r.low || r.value > r.high)
            return call.fail(-2, std::string(r.message) + to_string(r.value));
    return std::nullopt;
}

// A code refused by the column's limit or the symbology's characters.
std::optional<int> refusedCode(const DocumentCall& call, const BarcodeLimit& limit,
                               BarcodeCharacters characters, const std::string& code) {
    if (code.empty()) return call.fail(-2, limit.absent);
    if (code.size() > limit.maxLength) return call.fail(-2, limit.tooLong);
    if (!takesCharacters(characters, code)) {
        std::string line(limit.badCharacter);
        if (line.ends_with(' ')) line += code;
        return call.fail(-2, line);
    }
    return std::nullopt;
}

// The barcode sequence of a symbology that takes no shape of its own.
std::string barcodeSequence(const Symbology& s, const std::string& code, int height, int widthCode,
                            int position) {
    switch (s.form) {
        case BarcodeForm::Ean13:
            return ean13Barcode(height, widthCode, position, code);
        case BarcodeForm::Counted:
            return countedBarcode(s.code, code) + '\0';
        case BarcodeForm::Terminated:
        case BarcodeForm::Pdf417:
            break;
    }
    return terminatedBarcode(s.code, code);
}

int run(const DocumentCall& call, const std::string& body, int length = 0) {
    protocol::CommandSpec spec = documentCommand(kPassToMechanism, body);
    spec.explicitLength = length != 0 ? length : static_cast<int>(spec.command.size());
    return call.run(spec);
}

}  // namespace

int printBarcode(const Road& road, const Symbology& symbology, const char* code) {
    const DocumentCall call(road, *symbology.row, Lines::Named);
    const std::string text = argText(code);
    if (auto refused = refusedCode(call, symbology.alone, symbology.characters, text))
        return *refused;
    call.logRecord(text);
    if (auto forwarded = call.handOverJoined({text})) return *forwarded;
    const core::PrinterState& s = state();
    // EAN-13 carries its whole look; the others only the text position, the rest as configured.
    const std::string position =
        symbology.form == BarcodeForm::Ean13 ? "" : textPositionSequence(s.barcodeTextPosition);
    return run(call,
               position + barcodeSequence(symbology, text, s.barcodeHeight, s.barcodeWidth,
                                          s.barcodeTextPosition),
               symbology.fixedLength);
}

int printPdf417(const Road& road, int errorCorrection, int height, int width, int columns,
                const char* code) {
    const Symbology& pdf417 = symbologyOf("Quelmar_FI_CodigoBarrasPDF417MFD");
    const DocumentCall call(road, *pdf417.row, Lines::Named);
    if (auto refused = refusedRange(
            call, {{errorCorrection, 0, 8, "Valor invalido para o parametro CorrecaoErros: "},
                   {height, 1, 8, "Valor invalido para o parametro Altura: "},
                   {width, 1, 4, "Valor invalido para o parametro Largura: "},
                   {columns, 0, 30, "Valor invalido para o parametro Colunas: "}}))
        return *refused;
    const std::string text = argText(code);
    if (auto refused = refusedCode(call, pdf417.alone, pdf417.characters, text)) return *refused;
    const std::string shape = to_string(errorCorrection) + "|" + to_string(height) + "|" +
                              to_string(width) + "|" + to_string(columns) + "|";
    call.logRecord(shape);
    core::logText(text);
    if (auto forwarded = call.handOverJoined({to_string(errorCorrection), to_string(height),
                                              to_string(width), to_string(columns), text}))
        return *forwarded;
    return run(call, pdf417Barcode({errorCorrection, height, width, columns}, text));
}

int configureBarcodes(const Road& road, int height, int width, int position, int font, int margin) {
    const DocumentCall call(road, exportRow("Quelmar_FI_ConfiguraCodigoBarrasMFD"), Lines::Named);
    if (auto refused = refusedRange(call, {{height, 1, 255, kHeightRange},
                                           {width, 0, 2, kWidthRange},
                                           {position, 0, 3, kPositionRange},
                                           {font, 0, 1, kFontRange},
                                           {margin, 0, 575, kMarginRange}}))
        return *refused;
    const BarcodeLook look{height, barcodeWidthCode(width), position, font, margin};
    const protocol::Parameters values{to_string(look.height), to_string(look.widthCode),
                                      to_string(position), to_string(font), to_string(margin)};
    call.logRecord(values[0] + "|" + values[1] + "|" + values[2] + "|" + values[3] + "|" +
                   values[4]);
    if (auto forwarded = call.handOverJoined(values)) return *forwarded;
    // Remembered before sending: the printer may have taken the look even when its reply is lost.
    core::PrinterState& s = state();
    s.barcodeHeight = look.height;
    s.barcodeWidth = look.widthCode;
    s.barcodeTextPosition = look.textPosition;
    return run(call, lookSequence(look));
}

int finishClosingWithBarcode(const Road& road, const BarcodeClosing& c) {
    const DocumentCall call(road, exportRow("Quelmar_FI_TerminaFechamentoCupomCodigoBarrasMFD"),
                            Lines::Named);
    const std::string message = argText(c.message);
    const std::string type = argText(c.type);
    const std::string code = argText(c.code);
    std::string body;
    if (!message.empty()) {
        if (message.size() > kMessageMax)
            return call.fail(-2, "A mensagem promocional \xE9 maior que 490 caracteres ");
        body += protocol::inPrinterCodePage(message) + "\r\n";
    }
    call.logRecord(message.empty() ? " " : message);

    if (!type.empty()) {
        const Symbology* symbology = findSymbology(type);
        const bool pdf417 = symbology && symbology->form == BarcodeForm::Pdf417;
        if (code.empty()) return call.fail(-2, "O codigo n\xE3o foi informado");
        if (auto refused = refusedRange(call, {{c.height, 1, 255, kHeightRange},
                                               pdf417 ? Range{c.width, 1, 8, kPdf417WidthRange}
                                                      : Range{c.width, 0, 2, kWidthRange},
                                               {c.position, 0, 3, kPositionRange},
                                               {c.font, 0, 1, kFontRange},
                                               {c.margin, 0, 575, kMarginRange}}))
            return *refused;
        if (!symbology) return call.fail(-2, std::string(kUnknownType) + type);
        if (auto refused = refusedCode(call, symbology->closing, symbology->characters, code))
            return *refused;
        const BarcodeLook look{c.height, barcodeWidthCode(c.width), c.position, c.font, c.margin};
        if (symbology->form != BarcodeForm::Ean13) body += lookSequence(look);
        if (pdf417) {
            if (auto refused = refusedRange(
                    call, {{c.errorCorrection, 0, 8,
                            "Valor inv\xE1lido para corre\xE7\xE3o de erros (0-8): "},
                           {c.columns, 0, 30, "Valor inv\xE1lido para colunas (0-30): "}}))
                return *refused;
            body += pdf417Barcode({c.errorCorrection, c.height, c.width, c.columns}, code);
        } else {
            body +=
                barcodeSequence(*symbology, code, look.height, look.widthCode, look.textPosition);
        }
    }

    const protocol::Parameters numbers{
        to_string(c.height), to_string(c.width),           to_string(c.position), to_string(c.font),
        to_string(c.margin), to_string(c.errorCorrection), to_string(c.columns)};
    std::string values = "|" + type + "|" + code;
    for (const std::string& n : numbers) values += "|" + n;
    core::logText(values);
    protocol::Parameters record{message, type, code};
    record.insert(record.end(), numbers.begin(), numbers.end());
    if (auto forwarded = call.handOverJoined(record)) return *forwarded;

    protocol::CommandSpec spec = documentCommand(kEndClosing, body);
    spec.explicitLength = static_cast<int>(spec.command.size());
    int failure = 0;
    if (!call.sendPlain(spec, failure)) return failure;
    core::PrinterState& s = state();
    if (s.ack == 6 && s.st2 == 0) s.couponOpen = false;
    return call.end(s.lastReturnCode);
}

}  // namespace quelfi::mfd

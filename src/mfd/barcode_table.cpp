#include "mfd/barcode_table.h"

#include <algorithm>

namespace quelfi::mfd {

namespace {

using protocol::exportRow;
using F = BarcodeForm;
using C = BarcodeCharacters;

// The messages' recurring words, as the log writes them (Windows-1252).
#define QF_CODIGO \
    "c\xF3"       \
    "digo"
#define QF_NAO_INFORMADO "n\xE3o foi informado"
#define QF_MAIOR " \xE9 maior que "
#define QF_INVALIDO "Caracter inv\xE1lido no " QF_CODIGO " "
#define QF_NAO_NUMERICOS "O " QF_CODIGO " cont\xE9m caracteres n\xE3o num\xE9ricos "
#define QF_POSSUI "O " QF_CODIGO " possui caracteres n\xE3o num\xE9ricos "
#define QF_INVALIDOS "O " QF_CODIGO " cont\xE9m caracteres inv\xE1lidos "

constexpr std::string_view kAbsentAccented = "O " QF_CODIGO " " QF_NAO_INFORMADO;
constexpr std::string_view kAbsentPlain = "O codigo " QF_NAO_INFORMADO;

}  // namespace

const Symbology kSymbologies[13] = {
    {"EAN13",
     &exportRow("Quelmar_FI_CodigoBarrasEAN13MFD"),
     F::Ean13,
     0,
     C::Digits,
     21,
     {12, kAbsentAccented, "O " QF_CODIGO QF_MAIOR "12 caracteres ", QF_NAO_NUMERICOS},
     {12, kAbsentPlain, "O codigo" QF_MAIOR "12 caracteres", QF_POSSUI}},
    // A character other than a digit is refused standalone with the other digit-only exports'
    // message: the export has none of its own, and a refusal always says why.
    {"EAN8",
     &exportRow("Quelmar_FI_CodigoBarrasEAN8MFD"),
     F::Terminated,
     3,
     C::Digits,
     16,
     {7, kAbsentAccented, "O " QF_CODIGO QF_MAIOR "7 caracteres ", QF_NAO_NUMERICOS},
     {8, kAbsentPlain, "O codigo" QF_MAIOR "8 caracteres", QF_POSSUI}},
    {"CODABAR",
     &exportRow("Quelmar_FI_CodigoBarrasCODABARMFD"),
     F::Terminated,
     6,
     C::Codabar,
     0,
     {40, kAbsentPlain, "O codigo" QF_MAIOR "40 caracteres", QF_INVALIDO},
     {40, kAbsentPlain, "O codigo" QF_MAIOR "40 caracteres", QF_INVALIDO}},
    {"ITF",
     &exportRow("Quelmar_FI_CodigoBarrasITFMFD"),
     F::Terminated,
     5,
     C::Digits,
     0,
     {60, kAbsentAccented, "O " QF_CODIGO QF_MAIOR "60 caracteres ", QF_NAO_NUMERICOS},
     {30, kAbsentPlain, "O codigo" QF_MAIOR "30 caracteres", QF_NAO_NUMERICOS}},
    {"ISBN",
     &exportRow("Quelmar_FI_CodigoBarrasISBNMFD"),
     F::Terminated,
     21,
     C::Isbn,
     0,
     {19, kAbsentAccented, "O " QF_CODIGO QF_MAIOR "19 caracteres ", QF_INVALIDOS},
     {19, kAbsentPlain, "O codigo" QF_MAIOR "19 caracteres", QF_INVALIDOS}},
    {"UPCA",
     &exportRow("Quelmar_FI_CodigoBarrasUPCAMFD"),
     F::Terminated,
     0,
     C::Digits,
     20,
     {11, kAbsentAccented, "O " QF_CODIGO QF_MAIOR "11 caracteres ", QF_NAO_NUMERICOS},
     {11, kAbsentPlain, "O codigo" QF_MAIOR "11 caracteres", QF_NAO_NUMERICOS}},
    {"UPCE",
     &exportRow("Quelmar_FI_CodigoBarrasUPCEMFD"),
     F::Terminated,
     1,
     C::Digits,
     15,
     {6, kAbsentAccented, "O " QF_CODIGO QF_MAIOR "6 caracteres",
      "O " QF_CODIGO " cont\xE9m caracteres n\xE3o num\xE9ricos"},
     {6, kAbsentPlain, "O codigo" QF_MAIOR "6 caracteres", QF_NAO_NUMERICOS}},
    {"MSI",
     &exportRow("Quelmar_FI_CodigoBarrasMSIMFD"),
     F::Terminated,
     22,
     C::Digits,
     0,
     {32, kAbsentAccented, "O " QF_CODIGO QF_MAIOR "32 caracteres ", QF_INVALIDO},
     {32, kAbsentPlain, "O codigo" QF_MAIOR "32 caracteres",
      "O " QF_CODIGO " possui caracter n\xE3o num\xE9rico "}},
    {"PLESSEY",
     &exportRow("Quelmar_FI_CodigoBarrasPLESSEYMFD"),
     F::Terminated,
     23,
     C::Plessey,
     0,
     {26, kAbsentAccented, "O " QF_CODIGO QF_MAIOR "26 caracteres ", QF_NAO_NUMERICOS},
     {26, kAbsentPlain, "O codigo" QF_MAIOR "26 caracteres ", QF_INVALIDOS}},
    {"CODE39",
     &exportRow("Quelmar_FI_CodigoBarrasCODE39MFD"),
     F::Terminated,
     4,
     C::Code39,
     0,
     {30, kAbsentAccented, "O " QF_CODIGO QF_MAIOR "30 caracteres ", QF_INVALIDO},
     {30, kAbsentPlain, "O codigo" QF_MAIOR "30 caracteres ", QF_INVALIDO}},
    {"CODE93",
     &exportRow("Quelmar_FI_CodigoBarrasCODE93MFD"),
     F::Counted,
     'H',
     C::Ascii,
     0,
     {30, kAbsentAccented, "O " QF_CODIGO QF_MAIOR "30 caracteres ", QF_INVALIDO},
     {30, kAbsentPlain, "O codigo" QF_MAIOR "30 caracteres ", QF_INVALIDO}},
    {"CODE128",
     &exportRow("Quelmar_FI_CodigoBarrasCODE128MFD"),
     F::Counted,
     'I',
     C::Ascii,
     0,
     {84, kAbsentAccented, "O " QF_CODIGO QF_MAIOR "84 caracteres: ", QF_INVALIDO},
     {84, kAbsentPlain, "O codigo" QF_MAIOR "84 caracteres ", QF_INVALIDO}},
    {"PDF417",
     &exportRow("Quelmar_FI_CodigoBarrasPDF417MFD"),
     F::Pdf417,
     0,
     C::Any,
     0,
     {1024, kAbsentAccented, "O " QF_CODIGO QF_MAIOR "1024 caracteres", {}},
     {1024, kAbsentPlain, "O " QF_CODIGO QF_MAIOR "1024 caracteres", {}}},
};

#undef QF_CODIGO
#undef QF_NAO_INFORMADO
#undef QF_MAIOR
#undef QF_INVALIDO
#undef QF_NAO_NUMERICOS
#undef QF_POSSUI
#undef QF_INVALIDOS

const Symbology* findSymbology(std::string_view type) {
    const auto same = [&](const Symbology& s) {
        return std::ranges::equal(s.type, type, [](char a, char b) {
            const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; };
            return upper(a) == upper(b);
        });
    };
    const auto found = std::ranges::find_if(kSymbologies, same);
    return found == std::end(kSymbologies) ? nullptr : found;
}

const Symbology& symbologyOf(std::string_view exportName) {
    return *std::ranges::find_if(kSymbologies,
                                 [&](const Symbology& s) { return s.row->name == exportName; });
}

bool takesCharacters(BarcodeCharacters set, std::string_view data) {
    const auto in = [](std::string_view chars, char c) {
        return chars.find(c) != std::string_view::npos;
    };
    return std::ranges::all_of(data, [&](char c) {
        const auto byte = static_cast<unsigned char>(c);
        const bool digit = byte >= '0' && byte <= '9';
        const bool letter = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
        switch (set) {
            case C::Any:
                return true;
            case C::Ascii:
                return byte < 128;
            case C::Digits:
                return digit;
            case C::Codabar:
                return digit || in("ABCDabcd$+-./:", c);
            case C::Code39:
                return digit || letter || in(" $%+-./", c);
            case C::Plessey:
                return digit || in("ABCDEFabcdef", c);
            case C::Isbn:
                return digit || in("-X ", c);
        }
        return false;
    });
}

}  // namespace quelfi::mfd

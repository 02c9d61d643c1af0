// What a journal download carries once decoded, as the virtual printer writes it and the formatter
// module reads it: the fiscal memory's phase, then the journal's, each a sequence of records of one
// line ("tag|field|field...", CR LF at the end). Texts are in the printer's code page 850; amounts
// are centavos, dates DDMMAAAA, times HHMMSS. The library itself never reads them.
//
//   fiscal memory   P|serial|CNPJ|IE|owner|store|register       the printer and its owner, once
//                   Z|CRZ|first COO|last COO|CRO|movement date|grand total|gross|cancellations|
//                     discounts|exempt|non-incidence|substitution|code=amount;code=amount...
//                                                                a reduction; codes are the rates'
//                                                                four digits (1800) with T (ICMS)
//                                                                or S (ISS) before them
//   journal         D|COO|kind|date|time|lines                  a document, its lines after it
//                   L|text                                       one printed line
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quelmfd::layout {

inline constexpr char kPrinter = 'P';
inline constexpr char kReduction = 'Z';
inline constexpr char kDocument = 'D';
inline constexpr char kLine = 'L';
inline constexpr char kSeparator = '|';
inline constexpr std::string_view kLineEnd = "\r\n";

// The kinds of document, as the D record names them.
inline constexpr std::string_view kKinds[] = {
    "CUPOM",     "CANC-CUPOM", "CUPOM-ADIC",  "CNF",       "CANC-CNF",  "RG",  "CCD",
    "REIMP-CCD", "2VIA-CCD",   "ESTORNO-CCD", "LEITURA-X", "REDUCAO-Z", "LMF", "OUTRO"};

// One record: the tag and the fields, separated, with the line end.
inline std::string record(char tag, const std::vector<std::string>& fields) {
    std::string out(1, tag);
    for (const std::string& field : fields) out += kSeparator + field;
    out += kLineEnd;
    return out;
}

// A record's fields, the tag first; a line text's own '|' stays in its last field.
inline std::vector<std::string> fields(std::string_view line, std::size_t most = 64) {
    std::vector<std::string> out;
    while (out.size() + 1 < most) {
        const std::size_t bar = line.find(kSeparator);
        if (bar == std::string_view::npos) break;
        out.emplace_back(line.substr(0, bar));
        line.remove_prefix(bar + 1);
    }
    out.emplace_back(line);
    return out;
}

}  // namespace quelmfd::layout

#include "sim/quelmar/amount_words.h"

#include <array>
#include <vector>

namespace quelfi::sim {
namespace {

constexpr const char* kUnits[] = {"",      "UM",   "DOIS", "TR\xC3\x8AS", "QUATRO",
                                  "CINCO", "SEIS", "SETE", "OITO",        "NOVE"};
constexpr const char* kTeens[] = {"DEZ",    "ONZE",      "DOZE",      "TREZE",   "QUATORZE",
                                  "QUINZE", "DEZESSEIS", "DEZESSETE", "DEZOITO", "DEZENOVE"};
constexpr const char* kTens[] = {"",          "",         "VINTE",   "TRINTA",  "QUARENTA",
                                 "CINQUENTA", "SESSENTA", "SETENTA", "OITENTA", "NOVENTA"};
constexpr const char* kHundreds[] = {
    "",           "CENTO",      "DUZENTOS",   "TREZENTOS",  "QUATROCENTOS",
    "QUINHENTOS", "SEISCENTOS", "SETECENTOS", "OITOCENTOS", "NOVECENTOS"};

// 1 to 999.
std::string belowThousand(int n) {
    if (n == 100) return "CEM";
    std::vector<std::string> parts;
    if (n >= 100) parts.push_back(kHundreds[n / 100]);
    const int rest = n % 100;
    if (rest >= 10 && rest < 20) {
        parts.push_back(kTeens[rest - 10]);
    } else {
        if (rest >= 20) parts.push_back(kTens[rest / 10]);
        if (rest % 10) parts.push_back(kUnits[rest % 10]);
    }
    std::string out;
    for (const auto& part : parts) out += (out.empty() ? "" : " E ") + part;
    return out;
}

struct Scale {
    std::int64_t size;
    const char* one;
    const char* many;
};

// 1 or more: the groups of thousands joined the Portuguese way, with "E" before a last group
// below one hundred or a round number of hundreds ("MIL E DUZENTOS", "MIL DUZENTOS E UM").
std::string wholeNumber(std::int64_t n) {
    static constexpr std::array<Scale, 4> kScales = {{{1000000000, "BILH\xC3\x83O",
                                                       "BILH\xC3\x95"
                                                       "ES"},
                                                      {1000000, "MILH\xC3\x83O",
                                                       "MILH\xC3\x95"
                                                       "ES"},
                                                      {1000, "MIL", "MIL"},
                                                      {1, "", ""}}};
    std::vector<std::pair<int, std::string>> groups;  // the group's value and its words
    for (const Scale& scale : kScales) {
        const int group = static_cast<int>(n / scale.size % 1000);
        if (group == 0) continue;
        std::string words;
        if (scale.size == 1000 && group == 1) {
            words = "MIL";
        } else {
            words = belowThousand(group);
            if (*scale.one) words += std::string(" ") + (group == 1 ? scale.one : scale.many);
        }
        groups.emplace_back(group, words);
    }
    std::string out;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (i > 0) {
            const int group = groups[i].first;
            const bool last = i + 1 == groups.size();
            out += last && (group < 100 || group % 100 == 0) ? " E " : " ";
        }
        out += groups[i].second;
    }
    return out;
}

}  // namespace

std::string amountInWords(std::int64_t centavos, std::string_view singular,
                          std::string_view plural) {
    if (centavos < 0) centavos = -centavos;
    const std::int64_t whole = centavos / 100;
    const int cents = static_cast<int>(centavos % 100);
    std::string out;
    if (whole > 0 || cents == 0) {
        out = whole == 0 ? "ZERO" : wholeNumber(whole);
        // A round number of millions or billions takes "DE": "UM MILHÃO DE REAIS".
        if (whole >= 1000000 && whole % 1000000 == 0) out += " DE";
        out += " " + upperCase(whole == 1 ? singular : plural);
    }
    if (cents > 0) {
        if (!out.empty()) out += " E ";
        out += belowThousand(cents) + (cents == 1 ? " CENTAVO" : " CENTAVOS");
    }
    return out;
}

std::string upperCase(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 'a' && c <= 'z') {
            out += static_cast<char>(c - 'a' + 'A');
        } else if (c == 0xC3 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) >= 0xA0 &&
                   static_cast<unsigned char>(utf8[i + 1]) <= 0xBE &&
                   static_cast<unsigned char>(utf8[i + 1]) != 0xB7) {
            // Latin-1 letters à to þ: the capital is 32 code points lower (÷ has none).
            out += static_cast<char>(c);
            out += static_cast<char>(static_cast<unsigned char>(utf8[++i]) - 0x20);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace quelfi::sim

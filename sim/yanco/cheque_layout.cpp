#include "sim/yanco/cheque_layout.h"

#include "sim/yanco/paper_layout.h"

namespace quelfi::sim::yanco::layout {
namespace {

constexpr const char* kUnits[] = {"",       "um",        "dois",      "tres",    "quatro",
                                  "cinco",  "seis",      "sete",      "oito",    "nove",
                                  "dez",    "onze",      "doze",      "treze",   "quatorze",
                                  "quinze", "dezesseis", "dezessete", "dezoito", "dezenove"};
constexpr const char* kTens[] = {"",          "",         "vinte",   "trinta",  "quarenta",
                                 "cinquenta", "sessenta", "setenta", "oitenta", "noventa"};
constexpr const char* kHundreds[] = {
    "",           "cento",      "duzentos",   "trezentos",  "quatrocentos",
    "quinhentos", "seiscentos", "setecentos", "oitocentos", "novecentos"};
constexpr const char* kMonths[] = {"janeiro",  "fevereiro", "marco",    "abril",
                                   "maio",     "junho",     "julho",    "agosto",
                                   "setembro", "outubro",   "novembro", "dezembro"};

// 1-999 in words.
std::string below1000(int n) {
    if (n == 100) return "cem";
    std::string out = kHundreds[n / 100];
    const int rest = n % 100;
    if (rest == 0) return out;
    if (!out.empty()) out += " e ";
    if (rest < 20) return out + kUnits[rest];
    out += kTens[rest / 10];
    if (rest % 10 != 0) out += std::string(" e ") + kUnits[rest % 10];
    return out;
}

std::string wholeInWords(std::int64_t n) {
    const int millions = static_cast<int>(n / 1000000 % 1000);
    const int thousands = static_cast<int>(n / 1000 % 1000);
    const int units = static_cast<int>(n % 1000);
    std::string out;
    // A group after another is joined by "e" when it is below a hundred or whole hundreds.
    auto join = [&out](int group, const std::string& words) {
        if (!out.empty()) out += group < 100 || group % 100 == 0 ? " e " : " ";
        out += words;
    };
    if (millions > 0)
        join(millions, below1000(millions) + (millions == 1 ? " milhao" : " milhoes"));
    if (thousands > 0) join(thousands, thousands == 1 ? "mil" : below1000(thousands) + " mil");
    if (units > 0) join(units, below1000(units));
    return out;
}

std::vector<std::string> wrapped(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(at, end - at);
        if (!line.empty() && line.size() + 1 + word.size() > kColumns) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        at = end + 1;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

std::string amountInWords(Money amount, std::string_view singular, std::string_view plural) {
    const std::int64_t whole = amount / 100;
    const int cents = static_cast<int>(amount % 100);
    std::string out;
    if (whole > 0) {
        out = wholeInWords(whole);
        // "um milhao de reais": a round million takes "de".
        if (whole % 1000000 == 0) out += " de";
        out += " " + std::string(whole == 1 ? singular : plural);
    }
    if (cents > 0) {
        if (!out.empty()) out += " e ";
        out += below1000(cents) + (cents == 1 ? " centavo" : " centavos");
    }
    return out;
}

std::vector<std::string> cheque(const Cheque& c) {
    std::vector<std::string> lines{headed("[ CHEQUE ]"), spread("", "R$ " + amount(c.amount))};
    for (const std::string& line :
         wrapped(printable(amountInWords(c.amount, c.singular, c.plural))))
        lines.push_back(line);
    lines.push_back(printable("PAGUE A " + c.payee));
    lines.push_back(printable(c.city + ", " + std::to_string(c.date.day) + " de " +
                              kMonths[c.date.month - 1] + " de " + std::to_string(c.date.year)));
    lines.push_back(rule());
    return lines;
}

}  // namespace quelfi::sim::yanco::layout

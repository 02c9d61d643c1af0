#include "sim/quelmar/print_mechanism.h"

#include <algorithm>

#include "sim/quelmar/codes.h"

namespace quelfi::sim::mechanism {

namespace {

namespace mc = codes::mechanism;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allOf(std::string_view data, bool (*takes)(char)) {
    return std::ranges::all_of(data, takes);
}

bool inSet(std::string_view set, char c) {
    return set.find(c) != std::string_view::npos;
}

// UPC-E's six digits as the UPC-A number they stand for (number system 0), without its check.
std::string expandUpcE(std::string_view d) {
    const std::string s(d);
    switch (d[5]) {
        case '0':
        case '1':
        case '2':
            return "0" + s.substr(0, 2) + s[5] + "0000" + s.substr(2, 3);
        case '3':
            return "0" + s.substr(0, 3) + "00000" + s.substr(3, 2);
        case '4':
            return "0" + s.substr(0, 4) + "00000" + s[4];
        default:
            return "0" + s.substr(0, 5) + "0000" + s[5];
    }
}

// Digits of a symbology with a check digit: exactly `length`, or one more that must be the right
// check digit. The digit the mechanism prints, or nothing when it cannot take the data.
std::optional<std::string> checked(std::string_view data, std::size_t length,
                                   std::string (*number)(std::string_view)) {
    if (!allOf(data, isDigit) || (data.size() != length && data.size() != length + 1))
        return std::nullopt;
    const char check = eanCheckDigit(number(data.substr(0, length)));
    if (data.size() == length + 1 && data[length] != check) return std::nullopt;
    return std::string(1, check);
}

std::string asIs(std::string_view d) {
    return std::string(d);
}

// A zero-terminated symbology: its name, whether it takes the data, and its check digit.
struct Symbology {
    std::uint8_t code;
    std::string_view name;
    std::optional<std::string> (*take)(std::string_view data);
};

std::optional<std::string> none(bool ok) {
    return ok ? std::optional<std::string>("") : std::nullopt;
}

const Symbology kTerminated[] = {
    {mc::kUpcA, "UPC-A", [](std::string_view d) { return checked(d, 11, asIs); }},
    {mc::kUpcE, "UPC-E", [](std::string_view d) { return checked(d, 6, expandUpcE); }},
    {mc::kEan8, "EAN-8", [](std::string_view d) { return checked(d, 7, asIs); }},
    {mc::kCode39, "CODE39",
     [](std::string_view d) {
         return none(std::ranges::all_of(d, [](char c) {
             return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                    inSet(" $%+-./", c);
         }));
     }},
    {mc::kItf, "ITF", [](std::string_view d) { return none(allOf(d, isDigit)); }},
    {mc::kCodabar, "CODABAR",
     [](std::string_view d) {
         return none(std::ranges::all_of(
             d, [](char c) { return isDigit(c) || inSet("ABCDabcd$+-./:", c); }));
     }},
    {mc::kIsbn, "ISBN",
     [](std::string_view d) {
         return none(std::ranges::all_of(d, [](char c) { return isDigit(c) || inSet("-X ", c); }));
     }},
    {mc::kMsi, "MSI", [](std::string_view d) { return none(allOf(d, isDigit)); }},
    {mc::kPlessey, "PLESSEY",
     [](std::string_view d) {
         return none(
             std::ranges::all_of(d, [](char c) { return isDigit(c) || inSet("ABCDEFabcdef", c); }));
     }},
};

class Reader {
  public:
    Reader(std::string_view bytes, const MechanismLook& look) : bytes_(bytes) {
        reading_.look = look;
    }

    std::optional<Reading> run() {
        while (at_ < bytes_.size()) {
            const auto byte = static_cast<std::uint8_t>(bytes_[at_]);
            bool ok = true;
            if (byte == mc::kGs)
                ok = gs();
            else if (byte == mc::kEsc && ahead(1) == mc::kEan13First &&
                     ahead(2) == mc::kEan13Second)
                ok = ean13();
            else
                text(bytes_[at_++]);
            if (!ok) return std::nullopt;
        }
        return reading_;
    }

  private:
    int ahead(std::size_t n) const {
        return at_ + n < bytes_.size() ? static_cast<std::uint8_t>(bytes_[at_ + n]) : -1;
    }

    void text(char c) {
        if (c == '\0') return;  // the fill after fixed-length data prints nothing
        if (reading_.pieces.empty() || reading_.pieces.back().barcode)
            reading_.pieces.push_back({});
        reading_.pieces.back().text += c;
        if (c != '\r' && c != '\n') reading_.hasText = true;
    }

    void barcode(Barcode b) {
        reading_.hasBarcode = true;
        reading_.pieces.push_back({{}, std::move(b)});
    }

    // A setting's value in its range, stored; false when out of range or missing.
    bool setting(int& field, int low, int high) {
        const int value = ahead(2);
        if (value < low || value > high) return false;
        field = value;
        at_ += 3;
        return true;
    }

    bool gs() {
        MechanismLook& look = reading_.look;
        switch (ahead(1)) {
            case mc::kBarHeight:
                return setting(look.height, 1, 255);
            case mc::kModuleWidth:
                return setting(look.width, 2, 4);
            case mc::kTextPosition:
                return setting(look.position, 0, 3);
            case mc::kTextFont:
                return setting(look.font, 0, 1);
            case mc::kPrintBarcode:
                break;
            default:
                return false;
        }
        const int symbology = ahead(2);
        at_ += 3;
        if (symbology == mc::kLeftMargin) return margin();
        if (symbology == mc::kPdf417) return pdf417();
        if (symbology == mc::kCode93 || symbology == mc::kCode128) return counted(symbology);
        return terminated(symbology);
    }

    bool margin() {
        if (at_ + 2 > bytes_.size()) return false;
        const int value = ahead(0) + 256 * ahead(1);
        if (value > 575) return false;
        reading_.look.margin = value;
        at_ += 2;
        return true;
    }

    // The data up to its zero byte; nothing without one.
    std::optional<std::string> untilZero() {
        const std::size_t end = bytes_.find('\0', at_);
        if (end == std::string_view::npos || end == at_) return std::nullopt;
        std::string data(bytes_.substr(at_, end - at_));
        at_ = end + 1;
        return data;
    }

    bool terminated(int code) {
        const auto* s =
            std::ranges::find_if(kTerminated, [&](const Symbology& t) { return t.code == code; });
        if (s == std::end(kTerminated)) return false;
        const auto data = untilZero();
        if (!data) return false;
        const auto check = s->take(*data);
        if (!check) return false;
        barcode({std::string(s->name), *data, *check, reading_.look, {}});
        return true;
    }

    // The length byte must match data of 7-bit bytes that ends where the zero byte follows.
    bool counted(int code) {
        const int length = ahead(0);
        if (length <= 0 || at_ + 1 + static_cast<std::size_t>(length) > bytes_.size()) return false;
        const std::string_view data = bytes_.substr(at_ + 1, static_cast<std::size_t>(length));
        const std::size_t next = at_ + 1 + data.size();
        if (std::ranges::any_of(
                data, [](char c) { return c == '\0' || static_cast<std::uint8_t>(c) >= 128; }))
            return false;
        if (next < bytes_.size() && bytes_[next] != '\0') return false;
        at_ = next + (next < bytes_.size() ? 1 : 0);
        barcode(
            {code == mc::kCode93 ? "CODE93" : "CODE128", std::string(data), {}, reading_.look, {}});
        return true;
    }

    bool pdf417() {
        if (at_ + 6 > bytes_.size()) return false;
        const int correction = ahead(0), height = ahead(1), width = ahead(2), columns = ahead(3);
        const std::size_t length = static_cast<std::size_t>(ahead(4) + 256 * ahead(5));
        if (correction > 8 || height < 1 || width < 1 || width > 8 || columns > 30 || length == 0 ||
            length > 1024 || at_ + 6 + length > bytes_.size())
            return false;
        const std::string data(bytes_.substr(at_ + 6, length));
        at_ += 6 + length;
        barcode({"PDF417",
                 data,
                 {},
                 reading_.look,
                 "ECC " + std::to_string(correction) + ", MODULO " + std::to_string(height) + "x" +
                     std::to_string(width) + ", COLUNAS " + std::to_string(columns)});
        return true;
    }

    // EAN-13 carries its own look, which does not stay.
    bool ean13() {
        const int height = ahead(3), width = ahead(4) - '0', position = ahead(5) - '0';
        if (height < 1 || width < 2 || width > 4 || position < 0 || position > 3) return false;
        at_ += 6;
        const auto data = untilZero();
        if (!data) return false;
        const auto check = checked(*data, 12, asIs);
        if (!check) return false;
        MechanismLook look = reading_.look;
        look.height = height;
        look.width = width;
        look.position = position;
        barcode({"EAN-13", *data, *check, look, {}});
        return true;
    }

    std::string_view bytes_;
    std::size_t at_ = 0;
    Reading reading_;
};

}  // namespace

std::optional<Reading> read(std::string_view bytes, const MechanismLook& look) {
    return Reader(bytes, look).run();
}

char eanCheckDigit(std::string_view digits) {
    int sum = 0;
    int weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += (*it - '0') * weight;
        weight = 4 - weight;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

}  // namespace quelfi::sim::mechanism

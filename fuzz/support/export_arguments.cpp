#include "support/export_arguments.h"

#include <climits>
#include <cstring>

namespace quelfi::fuzz {

namespace {

// Values the exports take when used as meant, so that a run also goes past the argument checks.
// clang-format off
const char* const kPlausible[] = {
    "1", "0", "2", "10", "100", "1000", "0,50", "1,00", "10,00", "1,5", "12,345", "999999,99", "I",
    "F", "i", "f", "$", "%", "A", "D", "a", "d", "X", "T01", "T1", "01", "1800", "18,00", "FF",
    "II", "NN", "I1", "F1", "N1", "S1", "Dinheiro", "Cheque", "Cartao", "UN", "KG", "12345678901",
    "11222333000181", "01/01/2024", "31/12/2099", "010124", "123456", "Obrigado, volte sempre",
    "COCA-COLA 2L", "7891234567890"};
// clang-format on

std::string repeated(FuzzInput& in, std::size_t count) {
    char c = static_cast<char>(in.byte());
    if (c == 0) c = '9';
    return std::string(count, c);
}

std::string digits(FuzzInput& in) {
    std::string out;
    for (std::size_t n = 1 + in.byte() % 20; n > 0; --n)
        out += static_cast<char>('0' + in.byte() % 10);
    return out;
}

// Letters, blanks and accented letters of Windows-1252.
std::string accented(FuzzInput& in) {
    static const char kLetters[] =
        "aeiouAEIOU "
        "\xE1\xE9\xED\xF3\xFA\xE3\xF5\xE7\xC1\xC9\xCD\xD3\xDA\xC3\xD5\xC7\xEA\xF4\xE0\xFC\xAA\xBA";
    std::string out;
    for (std::size_t n = 1 + in.byte() % 40; n > 0; --n)
        out += kLetters[in.byte() % (sizeof kLetters - 1)];
    return out;
}

std::string withControls(FuzzInput& in) {
    static const char kControls[] = "\x01\x02\x03\x06\x0A\x0D\x15\x17\x1B\x1C|;=[]\x7F\xFF";
    std::string out = kPlausible[in.below(std::size(kPlausible))];
    for (std::size_t n = 1 + in.byte() % 6; n > 0; --n)
        out.insert(in.below(out.size() + 1), 1, kControls[in.byte() % (sizeof kControls - 1)]);
    return out;
}

// clang-format off
const char* const kExtremeNumbers[] = {
    "-1", "-0", "+1", "-2147483648", "2147483647", "2147483648", "99999999999999999999", "1e9",
    "0x10", " 1", "1 ", "1,", ",5", "1,2,3", "00000000000000000001", "-99,99"};
// clang-format on

}  // namespace

const char* ArgumentStore::text() {
    const std::uint8_t kind = in_.byte() % 16;
    if (kind == 0) return nullptr;
    std::string value;
    if (kind == 2) value = repeated(in_, 10000);
    if (kind == 3) value = repeated(in_, 1 + in_.byte());
    if (kind == 4) value = digits(in_);
    if (kind == 5) value = accented(in_);
    if (kind == 6) value = withControls(in_);
    if (kind == 7) value = kExtremeNumbers[in_.below(std::size(kExtremeNumbers))];
    if (kind == 8) value = in_.text(300);
    if (kind > 8) value = kPlausible[in_.below(std::size(kPlausible))];
    texts_.push_back(std::make_unique<std::string>(std::move(value)));
    return texts_.back()->c_str();
}

int ArgumentStore::integer() {
    static const int kIntegers[] = {0,   1,   2,     3,     4,  8,  9,       10,      100,
                                    255, 256, 32767, 32768, -1, -2, INT_MAX, INT_MIN, INT_MIN + 1};
    if (in_.flag()) return static_cast<int>(in_.number());
    return kIntegers[in_.below(std::size(kIntegers))];
}

char* ArgumentStore::answerBuffer() {
    if (in_.byte() % 8 == 0) return nullptr;
    buffers_.push_back(std::make_unique<std::vector<char>>(kAnswerBuffer, '\0'));
    return buffers_.back()->data();
}

short* ArgumentStore::numberAnswer() {
    if (in_.byte() % 8 == 0) return nullptr;
    numbers_.push_back(std::make_unique<short>(0));
    return numbers_.back().get();
}

}  // namespace quelfi::fuzz

#include "fiscal/record_answers.h"

namespace quelfi::fiscal {

namespace {

constexpr const char* kLineSeparator = ",\r\n";

std::string join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += separator;
        out += parts[i];
    }
    return out;
}

// A value field of the records: a fixed lead of zeros and the first digits of the printer's
// wider value.
std::string value(const std::string& lead, const std::string& digits, std::size_t kept) {
    return lead + slice(digits, 0, kept);
}

}  // namespace

std::string slice(const std::string& text, std::size_t position, std::size_t length) {
    return position < text.size() ? text.substr(position, length) : std::string();
}

std::vector<std::string> cutFields(const std::string& text,
                                   std::initializer_list<std::size_t> widths) {
    std::vector<std::string> fields;
    std::size_t position = 0;
    for (std::size_t width : widths) {
        fields.push_back(slice(text, position, width));
        position += width;
    }
    return fields;
}

Answer fieldsOnLines(const std::vector<std::string>& fields) {
    return {join(fields, ","), join(fields, kLineSeparator)};
}

Answer paymentFormRecords(const std::string& reply) {
    // One leading character, then column by column: descriptions, first values, second values,
    // flags.
    constexpr std::size_t descriptions = 1;
    constexpr std::size_t firstValues = descriptions + kPaymentForms * kPaymentFormDescription;
    constexpr std::size_t secondValues = firstValues + kPaymentForms * 20;
    constexpr std::size_t flags = secondValues + kPaymentForms * 20;
    std::vector<std::string> records;
    for (std::size_t k = 0; k < kPaymentForms; ++k) {
        records.push_back(
            slice(reply, descriptions + k * kPaymentFormDescription, kPaymentFormDescription) +
            value("00", slice(reply, firstValues + k * 20, 20), 18) +
            value("00", slice(reply, secondValues + k * 20, 20), 18) + slice(reply, flags + k, 1));
    }
    const std::string text = join(records, kLineSeparator);
    return {text, std::nullopt};
}

Answer nonFiscalReceiptRecords(const std::string& reply) {
    constexpr std::size_t decoded = 4 + 20 + kNonFiscalName;
    std::vector<std::string> records;
    for (std::size_t k = 0; k < kNonFiscalReceipts; ++k) {
        const std::string r = slice(reply, k * decoded, decoded);
        records.push_back(slice(r, 0, 4) + value("00", slice(r, 4, 20), 18) +
                          slice(r, 24, kNonFiscalName));
    }
    return fieldsOnLines(records);
}

Answer departmentRecords(const std::string& reply) {
    constexpr std::size_t departments = 20;
    constexpr std::size_t decoded = 40 + 10;
    std::vector<std::string> records;
    for (std::size_t k = 0; k < departments; ++k) {
        const std::string r = slice(reply, k * decoded, decoded);
        records.push_back(value("00", slice(r, 0, 20), 18) + value("0", slice(r, 20, 20), 19) +
                          slice(r, 40, 10));
    }
    return fieldsOnLines(records);
}

Answer lastReductionFields(const std::string& reply) {
    return fieldsOnLines(
        cutFields(reply, {2, 18, 14, 14, 64, 266, 14, 14, 126, 36, 6, 6, 2, 6, 14, 14}));
}

Answer partialTotalizerFields(const std::string& reply) {
    return fieldsOnLines(cutFields(reply, {224, 14, 14, 14, 126, 14, 14, 18}));
}

}  // namespace quelfi::fiscal

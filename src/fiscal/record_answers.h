// The table answers rebuilt into the record layouts that applications read: payment forms,
// non-fiscal receipts, departments, the last Z reduction and the partial totalizers. Each takes
// the decoded reply text and gives the caller's text and the Retorno.txt text.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "fiscal/query_call.h"

namespace quelfi::fiscal {

// Payment forms: 52 records of description (16), "00" + 18 digits of the first value, "00" + 18
// digits of the second value, the flag digit; separated by ",", CR, LF in both places.
inline constexpr std::size_t kPaymentForms = 52;
inline constexpr std::size_t kPaymentFormRecord = 57;
inline constexpr std::size_t kPaymentFormDescription = 16;
Answer paymentFormRecords(const std::string& reply);

// Non-fiscal receipts: 50 records of the count (4), "00" + 18 digits of the value, the name (19);
// separated by "," in the buffer and by ",", CR, LF in the file.
inline constexpr std::size_t kNonFiscalReceipts = 50;
inline constexpr std::size_t kNonFiscalRecord = 43;
inline constexpr std::size_t kNonFiscalName = 19;
Answer nonFiscalReceiptRecords(const std::string& reply);

// Departments: 20 records of "00" + 18 digits, "0" + 19 digits and the name (10).
Answer departmentRecords(const std::string& reply);

// The last Z reduction's 616 digits in their 16 fields.
Answer lastReductionFields(const std::string& reply);

// The partial totalizers' 438 digits in their eight fields.
Answer partialTotalizerFields(const std::string& reply);

// `length` characters of `text` from `position`; shorter (or empty) past the text's end.
std::string slice(const std::string& text, std::size_t position, std::size_t length);

// `text` cut into consecutive fields of the given widths.
std::vector<std::string> cutFields(const std::string& text,
                                   std::initializer_list<std::size_t> widths);

// The fields joined by "," for the buffer and by ",", CR, LF for the file.
Answer fieldsOnLines(const std::vector<std::string>& fields);

}  // namespace quelfi::fiscal

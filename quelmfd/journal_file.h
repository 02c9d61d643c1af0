// A downloaded file as the formatter module reads it: the printer, its reductions and the
// journal's documents, texts turned to Windows-1252.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quelmfd {

struct Printer {
    std::string serial, cnpj, stateRegistration, owner, store, register_;
};

struct RateTotal {
    std::string code;  // T1800, S0500
    long long amount = 0;
};

struct ReductionRecord {
    int crz = 0, firstCoo = 0, lastCoo = 0, cro = 0;
    std::string date;  // DDMMAAAA
    long long grandTotal = 0, gross = 0, cancellations = 0, discounts = 0;
    long long exempt = 0, nonIncidence = 0, substitution = 0;
    std::vector<RateTotal> rates;
};

struct Document {
    int coo = 0;
    std::string kind;
    std::string date;  // DDMMAAAA
    std::string time;  // HHMMSS
    std::vector<std::string> lines;
};

struct JournalFile {
    Printer printer;
    std::vector<ReductionRecord> reductions;
    std::vector<Document> documents;
};

// The file's records; nothing when it cannot be read.
std::optional<JournalFile> readJournalFile(const std::string& path);

// DDMMAAAA as AAAAMMDD, for comparing days.
std::string sortableDate(const std::string& date);

}  // namespace quelmfd

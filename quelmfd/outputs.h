// What the formatter module writes: the text report, the same in RTF, the database, and the
// Sintegra registers. Each returns true when the destination was written whole.
#pragma once

#include <string>
#include <vector>

#include "quelmfd/journal_file.h"

namespace quelmfd {

// The report's lines: the fiscal memory's records, then each document as printed.
std::vector<std::string> reportLines(const JournalFile& file);

bool writeText(const std::string& path, const std::vector<std::string>& lines);
bool writeRtf(const std::string& path, const std::vector<std::string>& lines);
// Tables documents, lines and reductions.
bool writeDatabase(const std::string& path, const JournalFile& file);

struct Company {
    std::string name, address, complement, district, cep, city, telephone, fax, contact;
    int number = 0;
};

// Registers 10, 11, 60M, 60A and 90 for the month's days; `purpose` is the 10 register's
// finality code (1 normal, 2 total rectification, 3 additive rectification, 5 undoing).
bool writeSintegra(const std::string& path, const JournalFile& file, int year, int month,
                   const Company& company, int purpose);

}  // namespace quelmfd

#include "quelmfd/outputs.h"

#include <sqlite3.h>

#include <cstdio>
#include <fstream>

#include "quelmfd/database_name.h"

namespace quelmfd {
namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr std::size_t kRegisterWidth = 126;

std::string money(long long centavos) {
    char out[32];
    std::snprintf(out, sizeof out, "%lld,%02lld", centavos / 100, centavos % 100);
    return out;
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

// Left-aligned text cut or padded with blanks; numbers right-aligned with zeros.
std::string text(const std::string& value, std::size_t width) {
    std::string out = value.substr(0, width);
    out.resize(width, ' ');
    return out;
}

std::string number(long long value, std::size_t width) {
    std::string digits = std::to_string(value < 0 ? 0 : value);
    if (digits.size() > width) digits = digits.substr(digits.size() - width);
    return std::string(width - digits.size(), '0') + digits;
}

std::string digitsOf(const std::string& value) {
    std::string out;
    for (const char c : value)
        if (c >= '0' && c <= '9') out += c;
    return out;
}

std::string digitField(const std::string& value, std::size_t width) {
    const std::string d = digitsOf(value);
    return d.size() >= width ? d.substr(d.size() - width) : std::string(width - d.size(), '0') + d;
}

}  // namespace

std::vector<std::string> reportLines(const JournalFile& file) {
    std::vector<std::string> out;
    out.push_back("MEMORIA FISCAL - ECF " + file.printer.serial);
    out.push_back("CNPJ " + file.printer.cnpj + "  IE " + file.printer.stateRegistration);
    out.push_back(file.printer.owner);
    for (const ReductionRecord& z : file.reductions)
        out.push_back("CRZ " + number(z.crz, 4) + "  " + z.date + "  COO " + number(z.firstCoo, 6) +
                      "-" + number(z.lastCoo, 6) + "  VB " + money(z.gross) + "  GT " +
                      money(z.grandTotal));
    for (const Document& d : file.documents) {
        out.push_back(std::string(48, '='));
        out.push_back("COO " + number(d.coo, 6) + "  " + d.kind + "  " + d.date + " " + d.time);
        out.insert(out.end(), d.lines.begin(), d.lines.end());
    }
    return out;
}

bool writeText(const std::string& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + kLineEnd;
    return writeFile(path, bytes);
}

bool writeRtf(const std::string& path, const std::vector<std::string>& lines) {
    std::string bytes =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\\f0\\fs18\r\n";
    for (const std::string& line : lines) {
        for (const char c : line) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '{' || c == '}' || c == '\\') {
                bytes += '\\';
                bytes += c;
            } else if (u >= 0x80) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\'%02x", u);
                bytes += escaped;
            } else {
                bytes += c;
            }
        }
        bytes += "\\par\r\n";
    }
    return writeFile(path, bytes + "}\r\n");
}

bool writeDatabase(const std::string& path, const JournalFile& file) {
    const std::optional<std::string> name = databaseName(path);
    if (!name) return false;
    std::remove(path.c_str());
    sqlite3* db = nullptr;
    if (sqlite3_open(name->c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    bool ok = sqlite3_exec(db,
                           "BEGIN;"
                           "CREATE TABLE documents(coo INTEGER, kind TEXT, date TEXT, time TEXT);"
                           "CREATE TABLE lines(coo INTEGER, number INTEGER, text TEXT);"
                           "CREATE TABLE reductions(crz INTEGER, date TEXT, first_coo INTEGER,"
                           " last_coo INTEGER, gross INTEGER, grand_total INTEGER);",
                           nullptr, nullptr, nullptr) == SQLITE_OK;
    const auto run = [&](const char* sql, const auto& bind) {
        sqlite3_stmt* statement = nullptr;
        if (!ok || sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
            ok = false;
            return;
        }
        bind(statement);
        ok = sqlite3_step(statement) == SQLITE_DONE;
        sqlite3_finalize(statement);
    };
    for (const Document& d : file.documents) {
        run("INSERT INTO documents VALUES(?,?,?,?)", [&](sqlite3_stmt* s) {
            sqlite3_bind_int(s, 1, d.coo);
            sqlite3_bind_text(s, 2, d.kind.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(s, 3, sortableDate(d.date).c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(s, 4, d.time.c_str(), -1, SQLITE_TRANSIENT);
        });
        for (std::size_t i = 0; i < d.lines.size(); ++i)
            run("INSERT INTO lines VALUES(?,?,?)", [&](sqlite3_stmt* s) {
                sqlite3_bind_int(s, 1, d.coo);
                sqlite3_bind_int(s, 2, static_cast<int>(i + 1));
                // Stored as the bytes printed (Windows-1252), so nothing is lost in a conversion.
                sqlite3_bind_blob(s, 3, d.lines[i].data(), static_cast<int>(d.lines[i].size()),
                                  SQLITE_TRANSIENT);
            });
    }
    for (const ReductionRecord& z : file.reductions)
        run("INSERT INTO reductions VALUES(?,?,?,?,?,?)", [&](sqlite3_stmt* s) {
            sqlite3_bind_int(s, 1, z.crz);
            sqlite3_bind_text(s, 2, sortableDate(z.date).c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(s, 3, z.firstCoo);
            sqlite3_bind_int(s, 4, z.lastCoo);
            sqlite3_bind_int64(s, 5, z.gross);
            sqlite3_bind_int64(s, 6, z.grandTotal);
        });
    ok = ok && sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr) == SQLITE_OK;
    return sqlite3_close(db) == SQLITE_OK && ok;
}

bool writeSintegra(const std::string& path, const JournalFile& file, int year, int month,
                   const Company& c, int purpose) {
    const std::string first = number(year, 4) + number(month, 2) + "01";
    const std::string last = number(year, 4) + number(month, 2) + "31";
    const Printer& p = file.printer;
    std::vector<std::string> registers;
    registers.push_back("10" + digitField(p.cnpj, 14) + text(digitsOf(p.stateRegistration), 14) +
                        text(c.name, 35) + text(c.city, 30) + "  " + digitField(c.fax, 10) + first +
                        last + "3" + "3" + number(purpose, 1));
    registers.push_back("11" + text(c.address, 34) + number(c.number, 5) + text(c.complement, 22) +
                        text(c.district, 15) + digitField(c.cep, 8) + text(c.contact, 28) +
                        digitField(c.telephone, 12));
    int count60 = 0;
    for (const ReductionRecord& z : file.reductions) {
        const std::string day = sortableDate(z.date);
        if (day < first || day > last) continue;
        const std::string head = "60M" + day + text(p.serial, 20);
        registers.push_back(head + number(1, 3) + "2D" + number(z.firstCoo, 6) +
                            number(z.lastCoo, 6) + number(z.crz, 6) + number(z.cro, 3) +
                            number(z.gross, 16) + number(z.grandTotal, 16) + std::string(37, ' '));
        ++count60;
        std::vector<RateTotal> totals = z.rates;
        totals.push_back({"F", z.substitution});
        totals.push_back({"I", z.exempt});
        totals.push_back({"N", z.nonIncidence});
        totals.push_back({"CANC", z.cancellations});
        totals.push_back({"DESC", z.discounts});
        for (const RateTotal& t : totals) {
            // A rate is named by its four digits; ISS rates are not ICMS registers.
            if (t.code.size() == 5 && t.code[0] == 'S') continue;
            const std::string code = t.code.size() == 5 ? t.code.substr(1) : t.code;
            registers.push_back("60A" + day + text(p.serial, 20) + text(code, 4) +
                                number(t.amount, 12) + std::string(79, ' '));
            ++count60;
        }
    }
    const std::size_t total = registers.size() + 1;
    registers.push_back("90" + digitField(p.cnpj, 14) + text(digitsOf(p.stateRegistration), 14) +
                        "60" + number(count60, 8) + "99" +
                        number(static_cast<long long>(total), 8) + std::string(75, ' ') + "1");
    std::string bytes;
    for (const std::string& r : registers) bytes += text(r, kRegisterWidth) + kLineEnd;
    return writeFile(path, bytes);
}

}  // namespace quelmfd

// The formatter module's entry points, as the library looks them up by name. Results: 0 done,
// 4 the source unreadable, 5 the destination unwritable, 6 an argument missing or malformed,
// 7 a source without any record of a download.
//
// The Sintegra selector (the caller's report number) picks the file's purpose: 0 or 1 normal,
// 2 total rectification, 3 additive rectification, 5 undoing; anything else is refused (6).
#include <exception>
#include <functional>

#include "quelmfd/outputs.h"

#if defined(_WIN32)
#define QUELMFD_API extern "C" __declspec(dllexport)
#define QUELMFD_CALL __stdcall
#else
#define QUELMFD_API extern "C" __attribute__((visibility("default")))
#define QUELMFD_CALL
#endif

namespace quelmfd {
namespace {

constexpr int kDone = 0;
constexpr int kSourceUnreadable = 4;
constexpr int kDestinationUnwritable = 5;
constexpr int kBadArgument = 6;
constexpr int kBadInput = 7;

enum class Format { Text, Rtf, Database };

using Filter = std::function<bool(const Document&)>;

int format(const char* source, const char* destination, Format kind, const Filter& keep) noexcept {
    try {
        if (!source || !destination || !*source || !*destination) return kBadArgument;
        std::optional<JournalFile> file = readJournalFile(source);
        if (!file) return kSourceUnreadable;
        if (file->printer.serial.empty() && file->documents.empty()) return kBadInput;
        std::erase_if(file->documents, [&](const Document& d) { return !keep(d); });
        bool written = false;
        if (kind == Format::Database) {
            written = writeDatabase(destination, *file);
        } else {
            const std::vector<std::string> lines = reportLines(*file);
            written =
                kind == Format::Text ? writeText(destination, lines) : writeRtf(destination, lines);
        }
        return written ? kDone : kDestinationUnwritable;
    } catch (...) {
        return kBadInput;
    }
}

bool validDate(const char* date) {
    if (!date) return false;
    const std::string d(date);
    return d.size() == 6 && d.find_first_not_of("0123456789") == std::string::npos;
}

// DDMMAA as AAAAMMDD, in the 2000s as the printer counts them.
std::string fullDate(const char* date) {
    const std::string d(date);
    return "20" + d.substr(4, 2) + d.substr(2, 2) + d.substr(0, 2);
}

int byDate(const char* source, const char* destination, const char* first, const char* last,
           Format kind) noexcept {
    if (!validDate(first) || !validDate(last)) return kBadArgument;
    const std::string from = fullDate(first), to = fullDate(last);
    return format(source, destination, kind, [&](const Document& d) {
        const std::string day = sortableDate(d.date);
        return day >= from && day <= to;
    });
}

int byCoo(const char* source, const char* destination, int first, int last, Format kind) noexcept {
    if (first < 0 || last < first) return kBadArgument;
    return format(source, destination, kind,
                  [&](const Document& d) { return d.coo >= first && d.coo <= last; });
}

bool all(const Document&) {
    return true;
}

}  // namespace
}  // namespace quelmfd

using quelmfd::Format;

QUELMFD_API int QUELMFD_CALL QuelGeraTxtTotal(const char* s, const char* d) {
    return quelmfd::format(s, d, Format::Text, quelmfd::all);
}
QUELMFD_API int QUELMFD_CALL QuelGeraRtfTotal(const char* s, const char* d) {
    return quelmfd::format(s, d, Format::Rtf, quelmfd::all);
}
QUELMFD_API int QUELMFD_CALL QuelGeraMdbTotal(const char* s, const char* d) {
    return quelmfd::format(s, d, Format::Database, quelmfd::all);
}
QUELMFD_API int QUELMFD_CALL QuelGeraTxtPorData(const char* s, const char* d, const char* a,
                                                const char* b) {
    return quelmfd::byDate(s, d, a, b, Format::Text);
}
QUELMFD_API int QUELMFD_CALL QuelGeraRtfPorData(const char* s, const char* d, const char* a,
                                                const char* b) {
    return quelmfd::byDate(s, d, a, b, Format::Rtf);
}
QUELMFD_API int QUELMFD_CALL QuelGeraMdbPorData(const char* s, const char* d, const char* a,
                                                const char* b) {
    return quelmfd::byDate(s, d, a, b, Format::Database);
}
// The user number names whose documents they are; a download by COO holds only that user's.
QUELMFD_API int QUELMFD_CALL QuelGeraTxtPorCOO(const char* s, const char* d, int, int a, int b) {
    return quelmfd::byCoo(s, d, a, b, Format::Text);
}
QUELMFD_API int QUELMFD_CALL QuelGeraRtfPorCOO(const char* s, const char* d, int, int a, int b) {
    return quelmfd::byCoo(s, d, a, b, Format::Rtf);
}
QUELMFD_API int QUELMFD_CALL QuelGeraMdbPorCOO(const char* s, const char* d, int, int a, int b) {
    return quelmfd::byCoo(s, d, a, b, Format::Database);
}

QUELMFD_API int QUELMFD_CALL QuelGeraSintegra(const char* source, const char* destination, int year,
                                              int month, const char* name, const char* address,
                                              int number, const char* complement,
                                              const char* district, const char* cep,
                                              const char* city, const char* telephone,
                                              const char* fax, const char* contact, int selector) {
    try {
        const auto text = [](const char* t) { return t ? std::string(t) : std::string(); };
        const int purposes[] = {1, 1, 2, 3, -1, 5};
        if (!source || !destination || !*source || !*destination || month < 1 || month > 12 ||
            selector < 0 || selector > 5 || purposes[selector] < 0)
            return quelmfd::kBadArgument;
        const std::optional<quelmfd::JournalFile> file = quelmfd::readJournalFile(source);
        if (!file) return quelmfd::kSourceUnreadable;
        if (file->printer.serial.empty()) return quelmfd::kBadInput;
        const quelmfd::Company company{
            text(name), text(address),   text(complement), text(district), text(cep),
            text(city), text(telephone), text(fax),        text(contact),  number};
        return quelmfd::writeSintegra(destination, *file, year, month, company, purposes[selector])
                   ? quelmfd::kDone
                   : quelmfd::kDestinationUnwritable;
    } catch (...) {
        return quelmfd::kBadInput;
    }
}

#include "quelmfd/journal_file.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "protocol/code_page.h"
#include "quelmfd/download_layout.h"

namespace quelmfd {
namespace {

int integer(const std::string& text) {
    return std::atoi(text.c_str());
}

long long amount(const std::string& text) {
    return std::atoll(text.c_str());
}

std::string windowsText(std::string text) {
    quelfi::protocol::fromPrinterCodePage(text);
    return text;
}

std::vector<RateTotal> rates(const std::string& text) {
    std::vector<RateTotal> out;
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ';')) {
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos) continue;
        out.push_back({item.substr(0, equals), amount(item.substr(equals + 1))});
    }
    return out;
}

}  // namespace

std::string sortableDate(const std::string& date) {
    if (date.size() != 8) return date;
    return date.substr(4, 4) + date.substr(2, 2) + date.substr(0, 2);
}

std::optional<JournalFile> readJournalFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    JournalFile file;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() < 2 || line[1] != layout::kSeparator) continue;
        const char tag = line[0];
        if (tag == layout::kLine) {
            if (!file.documents.empty())
                file.documents.back().lines.push_back(windowsText(line.substr(2)));
            continue;
        }
        std::vector<std::string> f = layout::fields(line);
        f.resize(16);
        if (tag == layout::kPrinter) {
            file.printer = {f[1], f[2], f[3], windowsText(f[4]), f[5], f[6]};
        } else if (tag == layout::kReduction) {
            file.reductions.push_back({integer(f[1]), integer(f[2]), integer(f[3]), integer(f[4]),
                                       f[5], amount(f[6]), amount(f[7]), amount(f[8]), amount(f[9]),
                                       amount(f[10]), amount(f[11]), amount(f[12]), rates(f[13])});
        } else if (tag == layout::kDocument) {
            file.documents.push_back({integer(f[1]), f[2], f[3], f[4], {}});
        }
    }
    return file;
}

}  // namespace quelmfd

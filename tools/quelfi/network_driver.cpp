#include "quelfi/network_driver.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <vector>

#include "exports/boundary.h"
#include "exports/host.h"

namespace quelfi::tool {

namespace fs = std::filesystem;

namespace {

constexpr char kEtb = 0x17;
const char* const kNothingRun = "0,0,0";

struct Record {
    int number = 0;
    std::vector<std::string> parameters;
};

// "NNN|" followed by each parameter and "|"; the last parameter's "|" may be missing.
std::optional<Record> parseRecord(const std::string& text) {
    if (text.size() < 4 || text[3] != '|') return std::nullopt;
    Record record;
    for (int i = 0; i < 3; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        record.number = record.number * 10 + (text[i] - '0');
    }
    for (std::size_t from = 4; from < text.size();) {
        const std::size_t bar = text.find('|', from);
        const std::size_t end = bar == std::string::npos ? text.size() : bar;
        record.parameters.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    return record;
}

std::string statusText() {
    const exports::host::LastReply r = exports::host::lastReply();
    return std::to_string(r.ack) + "," + std::to_string(r.st1) + "," + std::to_string(r.st2);
}

std::optional<std::string> readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A client polling for the file sees it whole or not at all.
void replaceWhole(const fs::path& file, const std::string& bytes) {
    fs::path part = file;
    part += ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::error_code ignored;
    fs::rename(part, file, ignored);
}

}  // namespace

void enterDriverMode() {
    exports::libraryLoad();
    // The client gets each data answer from Retorno.txt in the shared directory, which the driver
    // writes from the export's buffer.
    exports::host::serveAsNetworkDriver();
}

DriverAnswer runRequest(const CallTable& table, const std::string& request) {
    // A request that sends nothing must not report the reply of the one before.
    exports::host::forgetLastReply();
    if (const std::optional<Record> record = parseRecord(request)) {
        const CallEntry* entry = table.findRecord(record->number);
        if (!entry) return {kNothingRun, std::nullopt};
        // Records that put no "|" after their last parameter leave no trace of an empty one
        // at the end (the journal printer's documents).
        std::vector<std::string> arguments = record->parameters;
        if (arguments.size() < entry->argumentCount()) arguments.resize(entry->argumentCount());
        const CallOutcome outcome = entry->call(arguments);
        if (!outcome.called) return {kNothingRun, std::nullopt};
        DriverAnswer answer{statusText(), std::nullopt};
        for (const Answer& a : outcome.answers) {
            if (a.kind == ParameterKind::TextAnswer) {
                answer.data = a.text;
                break;
            }
        }
        return answer;
    }
    if (request.find(kEtb) != std::string::npos) {
        Quelmar_FI_ComandoDriverRede(request.c_str());
        DriverAnswer answer{statusText(), std::nullopt};
        if (const std::string data = exports::host::lastReply().data; !data.empty())
            answer.data = data;
        return answer;
    }
    return {kNothingRun, std::nullopt};
}

NetworkDriver::NetworkDriver(fs::path directory, const CallTable& table)
    : directory_(std::move(directory)), table_(table) {}

std::optional<NetworkDriver::Served> NetworkDriver::serveOnce() {
    const fs::path commandFile = directory_ / "Quelfi32.cmd";
    std::optional<std::string> text = readAll(commandFile);
    // An empty file is one the client has created and not yet written.
    if (!text || text->empty() || text != seen_) {
        seen_ = std::move(text);
        return std::nullopt;
    }
    seen_.reset();
    std::error_code ignored;
    fs::remove(commandFile, ignored);
    Served served{*text, runRequest(table_, *text)};
    if (served.answer.data) replaceWhole(directory_ / "Retorno.txt", *served.answer.data);
    replaceWhole(directory_ / "Status.txt", served.answer.status);
    return served;
}

}  // namespace quelfi::tool

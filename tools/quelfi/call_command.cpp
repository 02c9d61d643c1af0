// "quelfi call [--port DEVICE] EXPORT [ARGUMENT...]": calls one export of the library by its name,
// as a point-of-sale program would, and shows its answers and result. "quelfi exports" lists what
// can be called.
#include <cstdio>
#include <iostream>

#include "exports/boundary.h"
#include "exports/host.h"
#include "exports/surface.h"
#include "platform/platform.h"
#include "quelfi/call_table.h"
#include "quelfi/commands.h"
#include "quelfi/export_signature.h"
#include "quelfi/progress_line.h"
#include "quelfi/terminal.h"
#include "quelfi/text_encoding.h"

namespace quelfi::tool {

namespace {

const char* const kCallUsage = "usage: quelfi call [--port DEVICE] EXPORT [ARGUMENT...]\n";

std::string usageOf(const CallEntry& entry) {
    const std::string arguments = argumentsText(parametersOf(entry));
    return "usage: quelfi call " + std::string(entry.name()) +
           (arguments.empty() ? "" : " " + arguments) + "\n";
}

}  // namespace

int callCommand(const std::vector<std::string>& args) {
    std::size_t next = 0;
    std::string port;
    while (next < args.size() && args[next].rfind("--", 0) == 0) {
        const std::string option = args[next++];
        if (option == "--") break;
        if (option == "--port") {
            if (next == args.size()) {
                std::cerr << "quelfi: --port needs a DEVICE\n" << kCallUsage;
                return 2;
            }
            port = args[next++];
        } else {
            std::cerr << "quelfi: unknown option " << option << " for call\n" << kCallUsage;
            return 2;
        }
    }
    if (next == args.size()) {
        std::cerr << kCallUsage;
        return 2;
    }
    const std::string& name = args[next++];
    const std::vector<std::string> given(args.begin() + static_cast<std::ptrdiff_t>(next),
                                         args.end());
    const CallEntry* entry = libraryCallTable().find(name);
    if (!entry) {
        std::cerr << "quelfi: no export named " << name << " (quelfi exports lists them)\n";
        return 2;
    }
    if (given.size() != entry->argumentCount()) {
        std::cerr << "quelfi: " << name << " takes " << entry->argumentCount()
                  << " argument(s), not " << given.size() << '\n'
                  << usageOf(*entry);
        return 2;
    }
    // What a person types is UTF-8; the library takes Windows-1252 texts.
    std::vector<std::string> arguments;
    for (const std::string& text : given) arguments.push_back(windows1252FromUtf8(text));

    exports::libraryLoad();
    if (!port.empty()) exports::host::usePort(port);
    const Styler style = Styler::forStandardOutput();
    CallOutcome outcome;
    {
        const ProgressLine progress(style.interactive(), std::string(entry->name()));
        outcome = entry->call(arguments);
    }
    const exports::host::LastReply reply = exports::host::lastReply();
    const int ack = reply.ack, st1 = reply.st1, st2 = reply.st2;
    // With "Retorno=1" the library leaves data answers in its answer file, not in the buffers.
    const exports::host::Configuration configuration = exports::host::configuration();
    const std::string answerFile =
        configuration.answersToFile ? platform::nativePath(configuration.answerFile) : "";
    exports::libraryUnload();
    if (!outcome.called) {
        std::cerr << "quelfi: " << outcome.refusal << '\n' << usageOf(*entry);
        return 2;
    }

    std::vector<std::vector<std::string>> rows;
    std::size_t answer = 0;
    for (const ParameterInfo& p : parametersOf(*entry)) {
        if (p.kind == ParameterKind::TextAnswer || p.kind == ParameterKind::NumberAnswer)
            rows.push_back({p.name, utf8FromWindows1252(outcome.answers[answer++].text)});
    }
    if (!answerFile.empty() && answer > 0) rows.push_back({"answer file", answerFile});
    if (ack != 0)
        rows.push_back({"printer", "ACK " + std::to_string(ack) + ", ST1 " + std::to_string(st1) +
                                       ", ST2 " + std::to_string(st2)});
    if (!outcome.hasResult) {
        rows.push_back({"result", "none (the export returns nothing)"});
        for (const std::string& line : alignColumns(rows)) std::cout << line << '\n';
        return 0;
    }
    const std::string_view meaning = exports::host::returnCodeMeaning(outcome.code);
    const std::string result =
        std::to_string(outcome.code) + "  " +
        (meaning.empty() ? "not a code of the library" : std::string(meaning));
    rows.push_back(
        {"result", style.paint(outcome.code == 1 ? Colour::Green : Colour::Red, result)});
    for (const std::string& line : alignColumns(rows)) std::cout << line << '\n';
    return outcome.code == 1 ? 0 : 1;
}

namespace {

// The export an alias names or a forwarder calls; "" for the others.
std::string targetOf(const CallEntry& entry) {
    for (const exports::ExportInfo& info : exports::kSurface)
        if (info.name == entry.name())
            return std::string(info.target.empty() ? info.forwardsTo : info.target);
    return {};
}

}  // namespace

int exportsCommand(const std::vector<std::string>& args) {
    if (!args.empty()) {
        std::cerr << "usage: quelfi exports\n";
        return 2;
    }
    std::vector<std::vector<std::string>> rows{
        {"record", "export", "arguments", "answers", "target"}};
    for (const CallEntry& entry : libraryCallTable().entries()) {
        char record[16] = "-";
        if (entry.record() != 0) std::snprintf(record, sizeof record, "%03d", entry.record());
        const std::vector<ParameterInfo> parameters = parametersOf(entry);
        rows.push_back({record, std::string(entry.name()), argumentsText(parameters),
                        answersText(parameters), targetOf(entry)});
    }
    const Styler style = Styler::forStandardOutput();
    const std::vector<std::string> lines = alignColumns(rows);
    for (std::size_t i = 0; i < lines.size(); ++i)
        std::cout << (i == 0 ? style.paint(Colour::Bold, lines[i]) : lines[i]) << '\n';
    return 0;
}

}  // namespace quelfi::tool

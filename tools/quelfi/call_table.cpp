#include "quelfi/call_table.h"

#include <algorithm>
#include <charconv>

namespace quelfi::tool {

namespace {

bool parseInteger(const std::string& text, int& value) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last && first != last;
}

}  // namespace

CallEntry::CallEntry(std::string_view name, int record, std::vector<ParameterKind> parameters,
                     bool returnsNothing, Invoker invoke)
    : name_(name),
      record_(record),
      parameters_(std::move(parameters)),
      returnsNothing_(returnsNothing),
      invoke_(std::move(invoke)) {}

std::size_t CallEntry::argumentCount() const {
    std::size_t n = 0;
    for (const ParameterKind kind : parameters_)
        if (kind == ParameterKind::Text || kind == ParameterKind::Integer) ++n;
    return n;
}

CallOutcome CallEntry::call(const std::vector<std::string>& arguments) const {
    CallOutcome outcome;
    if (arguments.size() != argumentCount()) {
        outcome.refusal = std::string(name_) + " takes " + std::to_string(argumentCount()) +
                          " argument(s), not " + std::to_string(arguments.size());
        return outcome;
    }
    std::vector<detail::Argument> storage(parameters_.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < parameters_.size(); ++i) {
        detail::Argument& a = storage[i];
        switch (parameters_[i]) {
            case ParameterKind::Text:
                a.text = arguments[next++];
                break;
            case ParameterKind::Integer:
                if (!parseInteger(arguments[next], a.number)) {
                    outcome.refusal = "argument " + std::to_string(next + 1) + " of " +
                                      std::string(name_) + " is not a whole number: '" +
                                      arguments[next] + "'";
                    return outcome;
                }
                ++next;
                break;
            case ParameterKind::TextAnswer:
                a.buffer.assign(kAnswerBufferSize, '\0');
                break;
            case ParameterKind::NumberAnswer:
                break;
        }
    }
    outcome.code = invoke_(storage);
    outcome.called = true;
    outcome.hasResult = !returnsNothing_;
    for (std::size_t i = 0; i < parameters_.size(); ++i) {
        const detail::Argument& a = storage[i];
        if (parameters_[i] == ParameterKind::TextAnswer)
            outcome.answers.push_back(
                {parameters_[i],
                 std::string(a.buffer.begin(), std::find(a.buffer.begin(), a.buffer.end(), '\0'))});
        else if (parameters_[i] == ParameterKind::NumberAnswer)
            outcome.answers.push_back({parameters_[i], std::to_string(a.value)});
    }
    return outcome;
}

const CallEntry* CallTable::find(std::string_view name) const {
    for (const CallEntry& e : entries_)
        if (e.name() == name) return &e;
    return nullptr;
}

const CallEntry* CallTable::findRecord(int record) const {
    if (record == 0) return nullptr;
    for (const CallEntry& e : entries_)
        if (e.record() == record) return &e;
    return nullptr;
}

CallOutcome CallTable::call(std::string_view name,
                            const std::vector<std::string>& arguments) const {
    if (const CallEntry* entry = find(name)) return entry->call(arguments);
    CallOutcome outcome;
    outcome.refusal = "no export named " + std::string(name);
    return outcome;
}

const CallTable& libraryCallTable() {
    static const CallTable table({
#define QF_EXPORT(record, yanco, result, name, parameters) callEntry(#name, record, &::name),
#define QF_EXPORT_DECORATED(record, yanco, result, name, parameters) \
    callEntry(#name, record, &::name),
#define QF_ALIAS(alias, target) callEntry(#alias, 0, &::target),
#define QF_ALIAS_DECORATED(alias, target) QF_ALIAS(alias, target)
#define QF_FORWARDER(name, target, parameters, arguments) callEntry(#name, 0, &::name),
#include "exports/surface.inc"
#undef QF_EXPORT
#undef QF_EXPORT_DECORATED
#undef QF_ALIAS
#undef QF_ALIAS_DECORATED
#undef QF_FORWARDER
    });
    return table;
}

}  // namespace quelfi::tool

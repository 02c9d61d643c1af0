// Every export of the library as something a program can call by name, or by its request-record
// number, with text arguments: the network driver runs client requests through it, and the
// command line calls exports by name. Each entry's parameter kinds and invoker are deduced from
// the export's C type, so the table follows the export table without being written by hand.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "quelfi32.h"

namespace quelfi::tool {

// How one C parameter of an export travels.
enum class ParameterKind {
    Text,          // const char*: a text argument
    Integer,       // int: a number argument, in decimal
    TextAnswer,    // char*: a buffer the export writes its answer into
    NumberAnswer,  // short*: an integer the export answers
};

// The size of each answer buffer handed to an export: far more than any printer answer.
inline constexpr std::size_t kAnswerBufferSize = 8192;

struct Answer {
    ParameterKind kind;
    std::string text;  // the buffer up to its first NUL, or the number in decimal

    bool operator==(const Answer&) const = default;
};

struct CallOutcome {
    bool called = false;  // false: refused before the call, `refusal` says why
    std::string refusal;
    bool hasResult = true;        // false for an export that returns nothing
    int code = 0;                 // the export's result (1 for one that returns nothing)
    std::vector<Answer> answers;  // one per answer parameter, in parameter order
};

namespace detail {

// The storage behind one C argument for the length of a call.
struct Argument {
    std::string text;
    int number = 0;
    std::vector<char> buffer;
    short value = 0;
};

template <typename T>
constexpr ParameterKind kindOf() {
    if constexpr (std::is_same_v<T, const char*>)
        return ParameterKind::Text;
    else if constexpr (std::is_same_v<T, int>)
        return ParameterKind::Integer;
    else if constexpr (std::is_same_v<T, char*>)
        return ParameterKind::TextAnswer;
    else if constexpr (std::is_same_v<T, short*>)
        return ParameterKind::NumberAnswer;
    else
        static_assert(sizeof(T) == 0, "an export parameter type the call table does not know");
}

template <typename T>
T pass(Argument& argument) {
    if constexpr (std::is_same_v<T, const char*>)
        return argument.text.c_str();
    else if constexpr (std::is_same_v<T, int>)
        return argument.number;
    else if constexpr (std::is_same_v<T, char*>)
        return argument.buffer.data();
    else
        return &argument.value;
}

}  // namespace detail

class CallEntry {
  public:
    using Invoker = std::function<int(std::vector<detail::Argument>&)>;

    CallEntry(std::string_view name, int record, std::vector<ParameterKind> parameters,
              bool returnsNothing, Invoker invoke);

    std::string_view name() const { return name_; }
    // The request-record number of the network mode; 0 when the export has none.
    int record() const { return record_; }
    const std::vector<ParameterKind>& parameters() const { return parameters_; }
    // Whether the export's C result is void.
    bool returnsNothing() const { return returnsNothing_; }
    // How many arguments a caller gives: the Text and Integer parameters.
    std::size_t argumentCount() const;

    // Calls the export with `arguments` for its Text and Integer parameters, in order, and fresh
    // zeroed storage for its answers. Refused when the count is wrong or an Integer argument is
    // not a whole number.
    CallOutcome call(const std::vector<std::string>& arguments) const;

  private:
    std::string name_;
    int record_;
    std::vector<ParameterKind> parameters_;
    bool returnsNothing_;
    Invoker invoke_;
};

namespace detail {

// Calls the export; one that returns nothing counts as done.
template <typename R, typename... Args, std::size_t... I>
int invoke(R(QUELFI_CALL* function)(Args...), std::vector<Argument>& arguments,
           std::index_sequence<I...>) {
    if constexpr (std::is_void_v<R>) {
        function(pass<Args>(arguments[I])...);
        return 1;
    } else {
        return function(pass<Args>(arguments[I])...);
    }
}

}  // namespace detail

// The entry for an export, from its C function.
template <typename R, typename... Args>
CallEntry callEntry(std::string_view name, int record, R(QUELFI_CALL* function)(Args...)) {
    static_assert(std::is_same_v<R, int> || std::is_void_v<R>,
                  "an export returns an int code, or nothing");
    return CallEntry(name, record, {detail::kindOf<Args>()...}, std::is_void_v<R>,
                     [function](std::vector<detail::Argument>& arguments) {
                         return detail::invoke(function, arguments,
                                               std::index_sequence_for<Args...>{});
                     });
}

class CallTable {
  public:
    explicit CallTable(std::vector<CallEntry> entries) : entries_(std::move(entries)) {}

    const std::vector<CallEntry>& entries() const { return entries_; }
    // The export of that name (exact spelling), or null. Every name a person gives (quelfi call,
    // the demonstration) is resolved here, so alias names are taught to the tool in this one place.
    const CallEntry* find(std::string_view name) const;
    // The export with that request-record number, or null; 0 names no export.
    const CallEntry* findRecord(int record) const;
    // Calls the export of that name; an unknown name is refused.
    CallOutcome call(std::string_view name, const std::vector<std::string>& arguments) const;

  private:
    std::vector<CallEntry> entries_;
};

// Every export of the library.
const CallTable& libraryCallTable();

}  // namespace quelfi::tool

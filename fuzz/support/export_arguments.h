// Arguments for any export, made from fuzz input: texts that are null, empty, 10 000 characters
// long, digits, non-digits, accented (Windows-1252), with control bytes or record separators;
// extreme integers; answer buffers that are null or generously sized. The kind of each argument
// comes from the export's C type, so every export of the export table is covered as it is added.
#pragma once

#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "quelfi32.h"
#include "support/fuzz_input.h"

namespace quelfi::fuzz {

// An answer buffer: the largest answer is about 3200 bytes.
inline constexpr std::size_t kAnswerBuffer = 8192;

// The storage of one call's arguments; it outlives the call.
class ArgumentStore {
  public:
    explicit ArgumentStore(FuzzInput& in) : in_(in) {}

    const char* text();
    int integer();
    char* answerBuffer();
    short* numberAnswer();

    // The answer buffers handed out, for the checks after the call.
    const std::vector<std::unique_ptr<std::vector<char>>>& buffers() const { return buffers_; }

  private:
    FuzzInput& in_;
    std::vector<std::unique_ptr<std::string>> texts_;
    std::vector<std::unique_ptr<std::vector<char>>> buffers_;
    std::vector<std::unique_ptr<short>> numbers_;
};

template <typename T>
T argument(ArgumentStore& store) {
    if constexpr (std::is_same_v<T, const char*>)
        return store.text();
    else if constexpr (std::is_same_v<T, int>)
        return store.integer();
    else if constexpr (std::is_same_v<T, char*>)
        return store.answerBuffer();
    else if constexpr (std::is_same_v<T, short*>)
        return store.numberAnswer();
    else
        static_assert(sizeof(T) == 0, "an export parameter type the harness does not know");
}

// Calls `function` with arguments made from the store. Arguments are made left to right. An export
// that returns nothing counts as done.
template <typename R, typename... Args>
int callWith(R(QUELFI_CALL* function)(Args...), ArgumentStore& store) {
    std::tuple<Args...> arguments{argument<Args>(store)...};  // braces: left to right
    if constexpr (std::is_void_v<R>) {
        std::apply(function, arguments);
        return 1;
    } else {
        return std::apply(function, arguments);
    }
}

}  // namespace quelfi::fuzz

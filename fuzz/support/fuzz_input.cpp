#include "support/fuzz_input.h"

#include <cstdio>
#include <cstdlib>

namespace quelfi::fuzz {

void violated(const char* what, const std::string& detail) {
    std::fprintf(stderr, "fuzz check failed: %s %s\n", what, detail.c_str());
    std::abort();
}

}  // namespace quelfi::fuzz

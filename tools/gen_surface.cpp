// Writes the files derived from the export table: the public C header.
#include <fstream>
#include <iostream>
#include <string>

#include "exports/surface.h"

namespace {

const char* const kHeaderTop = R"(/* QuelFI32: driver library for Quelmar fiscal printers (ECF).
 *
 * Every function returns an integer code: 1 done, 0 communication failure, negative codes for
 * the conditions listed in the documentation. Texts are NUL-terminated Windows-1252 strings; data
 * answers go to the caller's buffer (width + 1 bytes) or to Retorno.txt.
 *
 * Generated from the library's export table; do not edit.
 */
#ifndef QUELFI32_H
#define QUELFI32_H

#if defined(_WIN32)
#define QUELFI_CALL __stdcall
#define QUELFI_API
#else
#define QUELFI_CALL
#define QUELFI_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

)";

const char* const kHeaderBottom = R"(
#ifdef __cplusplus
}
#endif

#endif /* QUELFI32_H */
)";

int writeHeader(const std::string& file) {
    std::ofstream out(file, std::ios::binary);
    out << kHeaderTop;
    for (const auto& e : quelfi::exports::kSurface)
        out << "QUELFI_API " << e.result << " QUELFI_CALL " << e.name << e.parameters << ";\n";
    out << kHeaderBottom;
    return out ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "header") return writeHeader(argv[2]);
    std::cerr << "usage: quelfi_gensurface header FILE\n";
    return 2;
}

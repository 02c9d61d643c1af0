// Writes the files derived from the export table: the public C header, the Windows module
// definitions of the DLL and of its import libraries, the shared library's alias symbols, a C file
// that takes the address of every export (linking it against the import library proves each name
// imports), and the declarations for Pascal, C# and Visual Basic.
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "exports/module_definition.h"
#include "exports/surface.h"
#include "surface/declarations.h"
#include "surface/microsoft_import_library.h"

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

int writeText(const std::string& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
    return out ? 0 : 1;
}

std::string importCheck() {
    std::string out =
        "/* Generated from the library's export table; do not edit. */\n"
        "#include \"quelfi32.h\"\n\n"
        "typedef void (*AnyFunction)(void);\n"
        "/* External, so that no optimisation drops a reference the linker must resolve. */\n"
        "const AnyFunction everyExport[] = {\n";
    for (const auto& e : quelfi::exports::kSurface)
        out += "    (AnyFunction)&" + std::string(e.name) + ",\n";
    out +=
        "    0};\n\nint main(int argc, char** argv) {\n"
        "    (void)argv;\n"
        "    return everyExport[argc - 1] == 0;\n"
        "}\n";
    return out;
}

// The linker script that gives the shared library its alias names: each one more symbol of its
// target's function, so the names of a row share one address.
std::string linkerAliases() {
    std::string out = "/* Generated from the library's export table; do not edit. */\n";
    for (const auto& e : quelfi::exports::kSurface)
        if (!e.target.empty()) out += std::string(e.name) + " = " + std::string(e.target) + ";\n";
    return out;
}

// The Pascal unit, the C# class and the Visual Basic module, into `directory`.
int writeDeclarations(const std::string& directory) {
    try {
        const auto declared = quelfi::surface::declaredExports(quelfi::exports::kSurface);
        return writeText(directory + "/QuelFI32.pas", quelfi::surface::pascalUnit(declared)) |
               writeText(directory + "/QuelFI32.cs", quelfi::surface::csharpClass(declared)) |
               writeText(directory + "/QuelFI32.bas", quelfi::surface::basicModule(declared));
    } catch (const std::runtime_error& refused) {
        std::cerr << "quelfi_gensurface: " << refused.what() << '\n';
        return 1;
    }
}

// Made by llvm-dlltool, the import library for Microsoft's linker gets its decorated names back.
int fixMicrosoftImportLibrary(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto decorated = quelfi::surface::decoratedSymbols(quelfi::exports::kSurface);
    const int changed = quelfi::surface::keepDecoratedNames(bytes, decorated);
    if (changed != static_cast<int>(decorated.size())) {
        std::cerr << "quelfi_gensurface: " << file << ": " << changed << " of " << decorated.size()
                  << " decorated imports found\n";
        return 1;
    }
    return writeText(file, bytes);
}

}  // namespace

int main(int argc, char** argv) {
    using quelfi::exports::WindowsTarget;
    const std::string command = argc > 1 ? argv[1] : "";
    if (argc == 3 && command == "header") return writeHeader(argv[2]);
    if (argc == 3 && command == "importcheck") return writeText(argv[2], importCheck());
    if (argc == 3 && command == "linkeraliases") return writeText(argv[2], linkerAliases());
    if (argc == 3 && command == "declarations") return writeDeclarations(argv[2]);
    if (argc == 3 && command == "msvcdef")
        return writeText(argv[2],
                         quelfi::surface::microsoftImportDefinition(quelfi::exports::kSurface));
    if (argc == 3 && command == "msvcnames") return fixMicrosoftImportLibrary(argv[2]);
    if (argc == 4 && (command == "def" || command == "importdef")) {
        const std::string arch = argv[2];
        if (arch == "i686" || arch == "x86_64") {
            const auto target = arch == "i686" ? WindowsTarget::X86 : WindowsTarget::X64;
            const auto text =
                command == "def"
                    ? quelfi::exports::moduleDefinition(quelfi::exports::kSurface, target)
                    : quelfi::exports::importDefinition(quelfi::exports::kSurface, target);
            return writeText(argv[3], text);
        }
    }
    std::cerr << "usage: quelfi_gensurface header FILE\n"
                 "       quelfi_gensurface def|importdef i686|x86_64 FILE\n"
                 "       quelfi_gensurface importcheck FILE | linkeraliases FILE\n"
                 "       quelfi_gensurface declarations DIRECTORY\n"
                 "       quelfi_gensurface msvcdef FILE | msvcnames LIBRARY\n";
    return 2;
}

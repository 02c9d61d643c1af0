#include "surface/microsoft_import_library.h"

#include <cstdint>
#include <cstdlib>

#include "exports/module_definition.h"

namespace quelfi::surface {

namespace {

constexpr std::size_t kArchiveMagic = 8;  // "!<arch>\n"
constexpr std::size_t kMemberHeader = 60;
constexpr std::size_t kSizeField = 48;  // ten decimal digits
constexpr std::size_t kImportHeader = 20;
constexpr std::size_t kTypeField = 18;  // bits 0-1 the import type, bits 2-4 the name type
constexpr unsigned kNameTypeMask = 7u << 2;
constexpr unsigned kNameAsSymbol = 1u << 2;  // IMPORT_OBJECT_NAME

bool isShortImport(const std::string& bytes, std::size_t at, std::size_t size) {
    return size > kImportHeader && bytes.compare(at, 4, std::string("\0\0\xFF\xFF", 4)) == 0;
}

}  // namespace

std::string microsoftImportDefinition(std::span<const exports::ExportInfo> table) {
    std::string out =
        "; Generated from the library's export table; do not edit.\n"
        "LIBRARY QuelFI32.dll\nEXPORTS\n";
    for (const exports::ExportInfo& e : table)
        out += exports::detail::compiledName(e, e.name, exports::WindowsTarget::X86) + "\n";
    return out;
}

std::set<std::string> decoratedSymbols(std::span<const exports::ExportInfo> table) {
    std::set<std::string> out;
    for (const exports::ExportInfo& e : table)
        if (e.decorated) out.insert(exports::windowsName(e));
    return out;
}

int keepDecoratedNames(std::string& library, const std::set<std::string>& decorated) {
    if (library.compare(0, kArchiveMagic, "!<arch>\n") != 0) return -1;
    int changed = 0;
    std::size_t at = kArchiveMagic;
    while (at + kMemberHeader <= library.size()) {
        char* end = nullptr;
        const std::string sizeText = library.substr(at + kSizeField, 10);
        const unsigned long size = std::strtoul(sizeText.c_str(), &end, 10);
        const std::size_t data = at + kMemberHeader;
        if (end == sizeText.c_str() || size > library.size() - data) return -1;
        if (isShortImport(library, data, size)) {
            const std::size_t nameAt = data + kImportHeader;
            const std::size_t nameEnd = library.find('\0', nameAt);
            if (nameEnd < data + size &&
                decorated.contains(library.substr(nameAt, nameEnd - nameAt))) {
                auto* type = reinterpret_cast<unsigned char*>(&library[data + kTypeField]);
                *type = static_cast<unsigned char>((*type & ~kNameTypeMask) | kNameAsSymbol);
                ++changed;
            }
        }
        at = data + size + (size % 2);  // members start on even offsets
    }
    return changed;
}

}  // namespace quelfi::surface

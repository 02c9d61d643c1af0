// The import library for Microsoft's linker in the Windows kit. Debian's llvm-dlltool makes it
// from the module definition written here, with the "@N" of the standard call killed from the
// imported names; an export whose DLL name keeps its decoration ("_Name@N") is then set back to
// be imported by its name exactly as the caller's symbol spells it.
#pragma once

#include <set>
#include <span>
#include <string>

#include "exports/surface.h"

namespace quelfi::surface {

// Each export under the symbol a 32-bit caller compiled with quelfi32.h references, "Name@N".
std::string microsoftImportDefinition(std::span<const exports::ExportInfo> table);

// Sets the import-name type of the library's members for `decorated` symbols ("_Name@N") to
// "the symbol's own name". Returns how many members it changed, or -1 when `library` is not an
// archive this can read.
int keepDecoratedNames(std::string& library, const std::set<std::string>& decorated);

// The symbols of the table's decorated exports.
std::set<std::string> decoratedSymbols(std::span<const exports::ExportInfo> table);

}  // namespace quelfi::surface

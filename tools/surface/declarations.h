// The declarations of every export for the languages point-of-sale programs are written in, each
// one file generated from the export table: a Pascal unit for Delphi and Free Pascal, a C# class
// of platform-invoke methods, a Visual Basic 6 module of Declare lines. Windows line ends (CR LF)
// throughout, as the Windows tools of those languages expect.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "surface/declared_export.h"

namespace quelfi::surface {

std::string pascalUnit(const std::vector<DeclaredExport>& exports);   // QuelFI32.pas
std::string csharpClass(const std::vector<DeclaredExport>& exports);  // QuelFI32.cs
std::string basicModule(const std::vector<DeclaredExport>& exports);  // QuelFI32.bas

// The text with every line ended by CR LF.
std::string windowsLines(const std::string& text);

// `name` unless a language keeps it as a word of its own (one of the blank-separated `keywords`,
// compared without regard to case when `anyCase`): then `prefix`, `name` and `suffix`.
std::string identifier(const std::string& name, std::string_view keywords, bool anyCase,
                       const std::string& prefix, const std::string& suffix);

}  // namespace quelfi::surface

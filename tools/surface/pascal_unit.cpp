// The Pascal unit: one external function per export, for Delphi (Windows) and Free Pascal
// (Windows and Linux). Standard call on Windows, the C convention of the shared library on Linux;
// a decorated export is bound to its DLL name on Windows.
#include "surface/declarations.h"

namespace quelfi::surface {

namespace {

const char* const kTop = R"({ QuelFI32: the library's functions for Delphi and Free Pascal.

  Add this unit to the program's uses clause. The program finds the library as QuelFI32.dll
  (beside the program or in the Windows system directory) or, on Linux, libquelfi32.so.

  Every function returns the library's result code: 1 done, 0 communication failure, a negative
  number for the other conditions. Texts are zero-terminated Windows-1252 strings (PAnsiChar).
  An answer comes back in a buffer the program provides, of the size the comment before the
  function gives (an array of AnsiChar, passed as PAnsiChar), or in a SmallInt variable.

  Generated from the library's export table; do not edit. }
unit QuelFI32;

{$IFDEF FPC}
{$MODE DELPHI}
{$ENDIF}

interface

const
{$IFDEF MSWINDOWS}
  QuelFI32Library = 'QuelFI32.dll';
{$ELSE}
  QuelFI32Library = 'libquelfi32.so';
{$ENDIF}

)";

const char* const kBottom = R"(
implementation

end.
)";

// Words Delphi and Free Pascal keep for themselves, and Result, which every function declares.
const char* const kKeywords =
    "absolute and array as asm begin case class const constructor destructor dispinterface "
    "div do downto else end except exports file finalization finally for function goto if "
    "implementation in inherited initialization inline interface is label library mod nil "
    "not object of on operator or out packed procedure program property raise record repeat "
    "resourcestring result self set shl shr string then threadvar to try type unit until "
    "uses var while with xor";

std::string parameter(const DeclaredParameter& p) {
    const std::string name = identifier(p.name, kKeywords, true, "", "_");
    switch (p.kind) {
        case Kind::Text:
        case Kind::Answer:
            return name + ": PAnsiChar";
        case Kind::NumberAnswer:
            return "var " + name + ": SmallInt";
        case Kind::Number:
            return name + ": Integer";
    }
    return name;
}

std::string declaration(const DeclaredExport& e) {
    std::string out;
    for (const DeclaredParameter& p : e.parameters) {
        if (p.kind != Kind::Answer) continue;
        out += "{ " +
               widthNote(
                   p, [](int bytes) { return "a buffer of " + std::to_string(bytes) + " bytes"; },
                   "a buffer filled with zeros, longer than the file") +
               ". }\n";
    }
    out += (e.returnsCode ? "function " : "procedure ") + e.name;
    if (!e.parameters.empty()) {
        out += "(";
        for (std::size_t i = 0; i < e.parameters.size(); ++i)
            out += (i ? "; " : "") + parameter(e.parameters[i]);
        out += ")";
    }
    if (e.returnsCode) out += ": Integer";
    out += ";\n  {$IFDEF MSWINDOWS}stdcall{$ELSE}cdecl{$ENDIF}; external QuelFI32Library";
    if (e.decorated) out += " {$IFDEF MSWINDOWS}name '" + e.windowsName + "'{$ENDIF}";
    out += ";\n";
    return out;
}

}  // namespace

std::string pascalUnit(const std::vector<DeclaredExport>& exports) {
    std::string out = kTop;
    for (const DeclaredExport& e : exports) out += declaration(e) + "\n";
    out += kBottom;
    return windowsLines(out);
}

}  // namespace quelfi::surface

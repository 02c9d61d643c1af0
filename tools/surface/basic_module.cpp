// The Visual Basic 6 module: one Declare line per export. Visual Basic calls a DLL with the
// standard call and hands its Strings over as ANSI texts; a decorated export is bound to its DLL
// name with Alias.
#include "surface/declarations.h"

namespace quelfi::surface {

namespace {

const char* const kTop = R"(Attribute VB_Name = "QuelFI32"
' QuelFI32: the library's functions for Visual Basic 6 and VBA (32-bit).
'
' Add this module to the project and put QuelFI32.dll beside the program or in the Windows
' system directory.
'
' Every function returns the library's result code: 1 done, 0 communication failure, a negative
' number for the other conditions. An answer comes back in a String the program fills first with
' as many characters as the comment before the function gives (Space$(n)), the text ending at its
' first Chr$(0), or in an Integer variable.
'
' Generated from the library's export table; do not edit.
Option Explicit

)";

const char* const kKeywords =
    "Alias And As Boolean ByRef Byte ByVal Call Case Const Currency Date Declare Dim Do "
    "Double Each Else ElseIf End Enum Erase Error Event Exit False For Friend Function Get "
    "Global GoSub GoTo If Implements In Integer Is Let Lib Like Long Loop Me Mod New Next "
    "Not Nothing Null Object On Option Optional Or ParamArray Preserve Private Property "
    "Public ReDim Resume Return Select Set Single Static Step Stop String Sub Then To True "
    "Type TypeOf Until Variant Wend While With Xor";

std::string parameter(const DeclaredParameter& p) {
    const std::string name = identifier(p.name, kKeywords, true, "", "_");
    switch (p.kind) {
        case Kind::Text:
        case Kind::Answer:
            return "ByVal " + name + " As String";
        case Kind::NumberAnswer:
            return "ByRef " + name + " As Integer";
        case Kind::Number:
            return "ByVal " + name + " As Long";
    }
    return name;
}

std::string declaration(const DeclaredExport& e) {
    std::string out;
    for (const DeclaredParameter& p : e.parameters) {
        if (p.kind != Kind::Answer) continue;
        out +=
            "' " +
            widthNote(
                p, [](int bytes) { return "a String of " + std::to_string(bytes) + " characters"; },
                "a String of Chr$(0) characters, longer than the file") +
            ".\n";
    }
    out += std::string("Public Declare ") + (e.returnsCode ? "Function " : "Sub ") + e.name +
           " Lib \"QuelFI32.dll\"";
    if (e.decorated) out += " Alias \"" + e.windowsName + "\"";
    out += " (";
    for (std::size_t i = 0; i < e.parameters.size(); ++i)
        out += (i ? ", " : "") + parameter(e.parameters[i]);
    out += e.returnsCode ? ") As Long\n" : ")\n";
    return out;
}

}  // namespace

std::string basicModule(const std::vector<DeclaredExport>& exports) {
    std::string out = kTop;
    for (const DeclaredExport& e : exports) out += declaration(e);
    return windowsLines(out);
}

}  // namespace quelfi::surface

// The C# class: one platform-invoke method per export, with standard call and ANSI texts.
#include "surface/declarations.h"

namespace quelfi::surface {

namespace {

const char* const kTop =
    R"(// QuelFI32: the library's functions for C# (.NET Framework, .NET and Mono).
//
// Add this file to the project and call QuelFI32.Quelmar_FI_...(...). The program finds the
// library as QuelFI32.dll (beside the program or in the Windows system directory) or, on Linux,
// libquelfi32.so.
//
// Every method returns the library's result code: 1 done, 0 communication failure, a negative
// number for the other conditions. Texts travel as Windows-1252. An answer comes back in a
// StringBuilder of the capacity the comment before the method gives, or in a short passed by ref.
//
// Generated from the library's export table; do not edit.
using System.Runtime.InteropServices;
using System.Text;

public static class QuelFI32
{
    // Without an extension the name fits both systems: Windows loads quelfi32.dll (its file
    // names ignore case), Mono and .NET on Linux load libquelfi32.so. The few functions the DLL
    // exports under a decorated name ("_Name@N") are found by their plain name, as the runtime
    // looks for the decorated form of a standard-call function on 32-bit Windows.
    public const string Library = "quelfi32";
)";

const char* const kBottom = "}\n";

const char* const kKeywords =
    "abstract as base bool break byte case catch char checked class const continue decimal "
    "default delegate do double else enum event explicit extern false finally fixed float "
    "for foreach goto if implicit in int interface internal is lock long namespace new null "
    "object operator out override params private protected public readonly ref return sbyte "
    "sealed short sizeof stackalloc static string struct switch this throw true try typeof "
    "uint ulong unchecked unsafe ushort using virtual void volatile while";

std::string parameter(const DeclaredParameter& p) {
    const std::string name = identifier(p.name, kKeywords, false, "@", "");
    switch (p.kind) {
        case Kind::Text:
            return "string " + name;
        case Kind::Answer:
            return "StringBuilder " + name;
        case Kind::NumberAnswer:
            return "ref short " + name;
        case Kind::Number:
            return "int " + name;
    }
    return name;
}

std::string declaration(const DeclaredExport& e) {
    std::string out = "\n";
    for (const DeclaredParameter& p : e.parameters) {
        if (p.kind != Kind::Answer) continue;
        out +=
            "    // " +
            widthNote(
                p, [](int bytes) { return "a StringBuilder of capacity " + std::to_string(bytes); },
                "a StringBuilder filled with '\\0', longer than the file") +
            ".\n";
    }
    if (e.decorated) out += "    // In the Windows DLL: " + e.windowsName + ".\n";
    out +=
        "    [DllImport(Library, CallingConvention = CallingConvention.StdCall, "
        "CharSet = CharSet.Ansi)]\n";
    out += std::string("    public static extern ") + (e.returnsCode ? "int " : "void ") + e.name +
           "(";
    for (std::size_t i = 0; i < e.parameters.size(); ++i)
        out += (i ? ", " : "") + parameter(e.parameters[i]);
    out += ");\n";
    return out;
}

}  // namespace

std::string csharpClass(const std::vector<DeclaredExport>& exports) {
    std::string out = kTop;
    for (const DeclaredExport& e : exports) out += declaration(e);
    out += kBottom;
    return windowsLines(out);
}

}  // namespace quelfi::surface

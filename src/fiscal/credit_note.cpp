#include "fiscal/credit_note.h"

#include <string>

#include "core/export_call.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "protocol/call.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

namespace {

constexpr char kOpenCreditNote = 'Y';

struct FieldLayout {
    std::size_t width;
    const char* fill;
    char side;  // 'E': filled on the left; otherwise on the right
};

constexpr FieldLayout kLayout[kCreditNoteFields] = {
    {41, " ", 'D'}, {15, "0", 'D'}, {18, "0", 'D'}, {2, "0", 'D'}, {2, "0", 'D'},
    {2, "0", 'D'},  {2, "0", 'D'},  {2, "0", 'D'},  {2, "0", 'D'}, {6, "0", 'E'},
};

}  // namespace

int openCreditNote(const Road& road, const std::array<const char*, kCreditNoteFields>& fields) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_AbreNotaDeCredito"));
    // A Quelmar command with no Yanco counterpart.
    if (auto refused = call.refusedOnYanco()) return *refused;
    // The note is ESC on every model, whatever prefix the printer's other commands take.
    std::string command{protocol::kEsc, kOpenCreditNote};
    for (std::size_t i = 0; i < kCreditNoteFields; ++i) {
        const std::string text = core::argText(fields[i]);
        // A longer field would shift every field after it: refused before anything is sent.
        if (text.size() > kLayout[i].width)
            return call.failWith(-2,
                                 "Parametro invalido para o campo " + std::to_string(i + 1) +
                                     " da nota de credito: ",
                                 fields[i]);
        command += padText(text, kLayout[i].width, kLayout[i].fill, kLayout[i].side);
    }
    if (core::state().portOpen == 0) {
        const int opened = core::nested([&] { return road.openPort(); });
        if (opened != 1) return call.finish(0);
    }
    protocol::CommandSpec spec;
    spec.command = command;
    spec.journal = false;
    return call.run(spec);
}

}  // namespace quelfi::fiscal

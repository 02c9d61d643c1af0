// The Yanco printer's cheque command, "36": the bank's layout from section "FormatoYanco", the
// amount, payee, city and date, and the currency's names the INI keeps for it.
#pragma once

#include <optional>
#include <string>

namespace quelfi::yanco {

struct YancoCheque {
    std::string layout;  // the bank's "FormatoYanco" entry
    std::string amount;  // centavos, digits only
    std::string payee;
    std::string city;
    std::string date;  // DDMMAAAA
};

// The command; nothing when the amount does not fit its field. Texts lose their accents and are
// cut to their fields, so that no argument moves the fields after it.
std::optional<std::string> chequeCommand(const YancoCheque& cheque);

}  // namespace quelfi::yanco

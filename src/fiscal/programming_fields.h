// The fields of the printer's programming commands that need more than padding: the rate
// programmed and the authentication character.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quelfi::fiscal {

// A rate's digits as the four the printer takes: a single digit gets a leading "0", then zeros
// fill it on the right (5 gives 0500, 18 gives 1800, 175 gives 1750, none gives 0000).
std::string programmedRate(std::string_view digits);

// The authentication character's 18 bytes from its text "n,n,...,n": exactly 17 commas, each
// followed directly by a digit; each number's low byte. Nothing when the text is not of that form.
std::optional<std::string> authenticationCharacter(std::string_view text);

}  // namespace quelfi::fiscal

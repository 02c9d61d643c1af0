// What the restaurant exports share: their call lines (the separator always), sending a command
// with a communication line of the export's own, and the checks of their arguments.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/call.h"

namespace quelfi::restaurant {

// Opens the export's lines: the separator, also when nested, then the name.
protocol::Call restaurantCall(const protocol::Road& road, const protocol::ExportRow& row);

// Sends the command. True when a reply was read; otherwise `failure` holds the result, its line
// logged: `communicationLine` whole when given, else "Retorno N: 0 - Erro de comunicacao".
bool sendOperation(const protocol::Call& call, const protocol::CommandSpec& spec, int& failure,
                   std::string_view communicationLine = {});

bool present(const char* text);

// A table number: 1 to 4 characters.
bool isTable(const char* text);

// The digits of an amount or quantity, when they fit in `width`; a missing text has none.
std::optional<std::string> digitsWithin(const char* text, std::size_t width);

// A surcharge/discount flag, 'A' or 'D' in either case, as the command sends it (upper case);
// nothing for anything else.
std::optional<std::string> adjustmentFlag(const char* flag);

// The entries of a list argument, separated by ';'. A ';' that ends the text adds no empty entry;
// a missing or empty text has none.
std::vector<std::string> listEntries(const char* text);

}  // namespace quelfi::restaurant

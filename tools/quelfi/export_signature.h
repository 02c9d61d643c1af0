// An export's parameters as a person reads them: the names the export table gives them, beside
// the kinds the call table deduced from their C types. `quelfi exports` lists them and
// `quelfi call` labels its usage line and answers with them.
#pragma once

#include <string>
#include <vector>

#include "quelfi/call_table.h"

namespace quelfi::tool {

struct ParameterInfo {
    ParameterKind kind;
    std::string name;
};

// Every parameter of the entry, in order; a parameter the table does not name is "argN".
std::vector<ParameterInfo> parametersOf(const CallEntry& entry);

// What a caller types after the name: "codigo descricao casasDecimais=N".
std::string argumentsText(const std::vector<ParameterInfo>& parameters);
// What the call answers: "numeroCupom" or "ack st1 st2".
std::string answersText(const std::vector<ParameterInfo>& parameters);

}  // namespace quelfi::tool

// The departments report: the printer's 20 departments with their amounts, the count and the
// total, printed on a management report.
#pragma once

#include <string>

#include "protocol/road.h"

namespace quelfi::mfd {

using protocol::Road;

// ImprimeDepartamentos.
int printDepartments(const Road& road);

// The report's text from the department query's answer (20 records of 51 characters).
std::string departmentsText(const std::string& answer);

}  // namespace quelfi::mfd

// DadosSintegra: the fiscal memory's reading for a range of dates, streamed into Retorno.txt,
// turned into the SINTEGRA registers 60M and 60A of each reduction it lists.
#pragma once

#include "protocol/road.h"

namespace quelfi::mfd {

using protocol::Road;

// With both dates given the reading is taken first; with neither, the reading already in
// Retorno.txt is used.
int sintegraData(const Road& road, const char* firstDate, const char* lastDate);

}  // namespace quelfi::mfd

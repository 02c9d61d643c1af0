// The answer files: Retorno.txt for data answers and Status.txt for the status of a reply.
#pragma once

#include <string>

namespace quelfi::core {

// Opens (creating when missing) the answer file for writing at its end. 1, or -8.
int openAnswerFile(const std::string& name);
// Writes text to the open answer file, wrapped first when wrapAnswerText is set. 1, or -8.
int writeAnswerFile(const std::string& text);
void closeAnswerFile();

// Replaces Retorno.txt / Status.txt with text. 1, or 0 when the file cannot be created.
int writeAnswerText(const std::string& text);
int writeStatusFile(const std::string& text);

// Breaks text into lines of 61 characters, each but the last ending in ",", CR, LF; no break is
// made past the 1100th character.
std::string wrapAnswer(const std::string& text);

}  // namespace quelfi::core

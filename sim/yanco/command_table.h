// The Yanco printer's command table. A command is registered under the text it starts with (its
// two-character code, or the code and its selector) with the lengths it may have; the printer's
// dispatch only looks commands up here, so a new command is a new handler in its subject's file.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sim/paper_roll.h"
#include "sim/yanco/model.h"

namespace quelfi::sim::yanco {

// What a command answers.
struct Answer {
    int status = 0;
    // "25" and "2E" answer their data from position 8, without a status.
    bool withoutStatus = false;
    std::string data;
    // An answer in several frames, one line each ("2F", "2D0"); `linesAfterStatus` puts the
    // status before each line.
    std::vector<std::string> lines;
    bool linesAfterStatus = false;
};

// Whether a command starts a document (a new COO) or goes on with one: a printer whose paper is
// near its end finishes the document in progress but starts no other.
enum class Printing { Continues, Starts };

struct CommandContext {
    Model& model;
    PaperRoll& paper;
    std::string_view command;
    Answer& answer;

    void refuse(int status) { answer.status = status; }
    // The mechanism and the paper allow printing; else refuses and returns false.
    bool canPrint(Printing printing);
    // The day is open, not past its date, and no document is in progress; else refuses with
    // "out of order" and returns false.
    bool idle();
    // Prints the lines on the roll.
    void print(const std::vector<std::string>& lines);
    // Starts a document: the next COO and the heading with its title. Returns the COO.
    int startDocument(std::string_view title);
};

using CommandHandler = std::function<void(CommandContext&)>;

struct CommandDefinition {
    std::string start;                 // "14", "121": what the command starts with
    std::vector<std::size_t> lengths;  // the whole command's possible lengths
    CommandHandler handler;
};

class CommandTable {
  public:
    // Adds a command, replacing any earlier one with the same start.
    void add(CommandDefinition definition);

    enum class Lookup { Found, Unknown, WrongLength };
    // The definition that takes `command`: the longest start it begins with.
    Lookup find(std::string_view command, const CommandDefinition*& definition) const;

  private:
    std::map<std::string, CommandDefinition, std::less<>> commands_;
};

// The command groups, one file each.
void registerAllCommands(CommandTable& table);
void registerSaleCommands(CommandTable& table);
void registerClosingCommands(CommandTable& table);
void registerDocumentCommands(CommandTable& table);
void registerDayCommands(CommandTable& table);
void registerQueryCommands(CommandTable& table);

}  // namespace quelfi::sim::yanco

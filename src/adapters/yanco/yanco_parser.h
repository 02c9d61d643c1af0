// Cuts a free text into the fixed-width lines the Yanco printer takes one per command: pieces
// between separators, each cut into lines of the width and the last one filled with blanks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quelfi::yanco {

class YancoParser {
  public:
    explicit YancoParser(std::string_view text) : source_(text) {}
    virtual ~YancoParser() = default;

    // 1 to 254; any other width leaves the width as it is.
    void setWidth(int width);
    // Removes from the text the character at every place where `pattern` starts.
    void removeAll(std::string_view pattern);
    // An empty separator leaves the separator as it is.
    void setSeparator(std::string_view separator);

    // Builds the lines; true when there is at least one. An empty text or no separator gives none.
    bool parse();

    // The next line, until there are no more.
    std::optional<std::string_view> nextLine();

  private:
    void addPiece(std::string_view piece);

    std::uint16_t width_ = 42;
    std::vector<std::string> lines_;
    std::string separator_;
    std::string source_;
    std::size_t cursor_ = 0;
};

}  // namespace quelfi::yanco

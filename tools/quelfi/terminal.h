// How the tool writes for a person: colours only on a terminal, columns aligned by what a
// terminal shows (UTF-8 characters, not bytes), printed documents framed like the receipt they
// are, amounts as a shop reads them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quelfi::tool {

enum class Colour { Green, Red, Yellow, Dim, Bold };

class Styler {
  public:
    explicit Styler(bool colour, bool interactive = false)
        : colour_(colour), interactive_(interactive) {}
    // Interactive when standard output is a terminal that is not "dumb"; colours then too,
    // unless NO_COLOR is set.
    static Styler forStandardOutput();

    bool colour() const { return colour_; }
    // A person watches: a line may be redrawn in place (the progress line).
    bool interactive() const { return interactive_; }
    // The text in that colour, or unchanged without colours.
    std::string paint(Colour colour, std::string_view text) const;

  private:
    bool colour_;
    bool interactive_;
};

// The text followed by blanks up to `width` columns; a longer text is not cut.
std::string padRight(std::string_view text, std::size_t width);
// Blanks, then the text, up to `width` columns.
std::string padLeft(std::string_view text, std::size_t width);

// Rows of cells as lines of aligned columns, two blanks apart; the last cell of a row is not
// padded.
std::vector<std::string> alignColumns(const std::vector<std::vector<std::string>>& rows);

// The lines inside a frame, one blank of margin on each side.
std::vector<std::string> framed(const std::vector<std::string>& lines);

// An amount in centavos given as digits ("00000000012345") as "R$ 123,45"; anything that is
// not digits comes back as it is.
std::string moneyText(std::string_view digits);

}  // namespace quelfi::tool

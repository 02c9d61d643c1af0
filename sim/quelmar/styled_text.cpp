#include "sim/quelmar/styled_text.h"

#include "sim/quelmar/code_page.h"
#include "sim/quelmar/receipt_layout.h"

namespace quelfi::sim::layout {

namespace {

constexpr char kEsc = 0x1B;
constexpr char kBoldOn = 'E';
constexpr char kBoldOff = 'F';
constexpr char kDoubleWidth = 0x0E;
constexpr char kBoldMark = '*';

// Lays the characters out on lines. Blanks are held back until something follows them, so that
// they never end a line and a bold mark closes right after the last bold letter.
class Typesetter {
  public:
    void character(char c) {
        const std::size_t width = wide_ ? 2 : 1;
        if (columns_ + width > kColumns) put();  // a full line goes on on the next, same style
        columns_ += width;
        if (c == ' ') {
            blanks_ += width;
            return;
        }
        if (marked_ != bold_) {
            if (marked_) line_ += kBoldMark;
            line_ += std::string(blanks_, ' ');
            if (bold_) line_ += kBoldMark;
            marked_ = bold_;
        } else {
            line_ += std::string(blanks_, ' ');
        }
        blanks_ = wide_ ? 1 : 0;
        line_ += printerToUtf8(std::string_view(&c, 1));
    }
    void bold(bool on) { bold_ = on; }
    void doubleWidth() { wide_ = true; }
    // The end of a line of the text.
    void lineEnd() {
        put();
        wide_ = false;
    }
    std::vector<std::string> finish() {
        if (columns_ > 0) put();
        return std::move(lines_);
    }

  private:
    void put() {
        if (marked_) line_ += kBoldMark;
        lines_.push_back(std::move(line_));
        line_.clear();
        columns_ = blanks_ = 0;
        marked_ = false;
    }

    std::vector<std::string> lines_;
    std::string line_;
    std::size_t columns_ = 0;
    std::size_t blanks_ = 0;
    bool bold_ = false;
    bool wide_ = false;
    bool marked_ = false;  // a bold mark is open on the line
};

}  // namespace

std::vector<std::string> styledLines(std::string_view text) {
    Typesetter paper;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            paper.lineEnd();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == kEsc) {
            // A sequence the printer does not know is ignored, its ESC dropped.
            const char next = i + 1 < text.size() ? text[i + 1] : '\0';
            if (next == kBoldOn || next == kBoldOff || next == kDoubleWidth) ++i;
            if (next == kBoldOn) paper.bold(true);
            if (next == kBoldOff) paper.bold(false);
            if (next == kDoubleWidth) paper.doubleWidth();
        } else {
            paper.character(c);
        }
    }
    return paper.finish();
}

}  // namespace quelfi::sim::layout

#include "adapters/yanco/yanco_parser.h"

namespace quelfi::yanco {

namespace {
constexpr int kWidestLine = 254;
}  // namespace

void YancoParser::setWidth(int width) {
    if (width >= 1 && width <= kWidestLine) width_ = static_cast<std::uint16_t>(width);
}

void YancoParser::removeAll(std::string_view pattern) {
    if (pattern.empty()) return;
    for (std::size_t at = source_.find(pattern); at != std::string::npos;
         at = source_.find(pattern, at))
        source_.erase(at, 1);
}

void YancoParser::setSeparator(std::string_view separator) {
    if (!separator.empty()) separator_ = separator;
}

void YancoParser::addPiece(std::string_view piece) {
    while (piece.size() > width_) {
        lines_.emplace_back(piece.substr(0, width_));
        piece.remove_prefix(width_);
    }
    std::string last(piece);
    last.resize(width_, ' ');
    lines_.push_back(std::move(last));
}

bool YancoParser::parse() {
    lines_.clear();
    cursor_ = 0;
    if (source_.empty() || separator_.empty()) return false;
    const std::string_view text = source_;
    std::size_t from = 0;
    for (std::size_t at = text.find(separator_); at != std::string_view::npos;
         at = text.find(separator_, from)) {
        addPiece(text.substr(from, at - from));
        from = at + separator_.size();
    }
    if (from < text.size()) addPiece(text.substr(from));
    return !lines_.empty();
}

std::optional<std::string_view> YancoParser::nextLine() {
    if (cursor_ >= lines_.size()) return std::nullopt;
    return lines_[cursor_++];
}

}  // namespace quelfi::yanco

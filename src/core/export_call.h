// The lines and steps every export shares: its header in the call log, its parameter line,
// argument refusals, the delivery of a data answer, and its closing "Retorno" line. Exports state
// only what differs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quelfi::core {

// The lines that open an export's part of the call log.
enum class Header {
    UnlessNested,  // the separator unless nested, then the name
    Always,        // the separator also when nested, then the name
    None,          // nothing: the export writes only its closing line
};

class ExportCall {
  public:
    explicit ExportCall(std::string name, Header header = Header::UnlessNested);

    const std::string& name() const { return name_; }

    // "Parâmetros: " followed by the request record.
    void logRecord(const std::string& record) const;
    // "Parâmetro: " followed by the argument.
    void logParameter(std::string_view value) const;

    // "Retorno N: code" and the code.
    int finish(int code) const;
    // "Retorno N: code - message" and the code: an argument refused, a file not written.
    int fail(int code, std::string_view message) const;
    // A refusal whose line does not follow the usual shape: the line exactly as given.
    int failLine(int code, std::string_view line) const;
    // "Retorno N: code - message" followed by the caller's argument, or a blank when it is
    // missing or empty.
    int failWith(int code, std::string_view message, const char* argument) const;

    // "Retorno N: 0 - Erro de comunicacao" and 0.
    int communicationFailure() const;

    // Hands a data answer to the caller: to Retorno.txt when the INI asks for it (the caller's
    // buffer untouched), else into `buffer`, cleared over `width` and terminated. Logs
    // "Retorno impressora: " with the answer. 1, or -8 when the answer file failed.
    int deliver(const std::string& answer, char* buffer, std::size_t width) const;

    // The two halves of a delivery, for answers whose file text differs from the buffer text or
    // that fill several buffers: replaces Retorno.txt with `text` (1, or -8 with its line), and
    // logs "Retorno impressora: " with the answer.
    int writeAnswer(const std::string& text) const;
    void logAnswer(const std::string& answer) const;

  private:
    std::string name_;
};

// Clears `width` bytes of a caller's buffer and copies at most `width` characters of `text` into
// it, terminated: the caller provides width + 1 bytes. A null buffer is left alone.
void copyToBuffer(char* buffer, std::size_t width, const std::string& text);

// The text of a caller's argument: a null pointer reads as an empty text.
inline std::string argText(const char* text) {
    return text ? std::string(text) : std::string();
}

}  // namespace quelfi::core

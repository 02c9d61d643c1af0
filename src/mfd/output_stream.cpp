#include "mfd/output_stream.h"

#include "platform/platform.h"

namespace quelfi::mfd {

CWinOutputStream::~CWinOutputStream() {
    close();
}

bool CWinOutputStream::open() {
    close();
    file_ = platform::openFile(fileName(), "wb+");
    return file_ != nullptr;
}

bool CWinOutputStream::close() {
    if (!file_) return true;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed;
}

bool CWinOutputStream::write(const std::uint8_t* bytes, std::size_t count) {
    if (!file_) return false;
    if (count == 0) return true;
    if (!bytes) return false;
    return std::fwrite(bytes, count, 1, file_) == 1 && std::fflush(file_) == 0;
}

}  // namespace quelfi::mfd

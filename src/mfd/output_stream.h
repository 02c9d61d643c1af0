// The file a journal download writes its bytes into, exactly as they come.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace quelfi::mfd {

class COutputStream {
  public:
    explicit COutputStream(std::string fileName) : fileName_(std::move(fileName)) {}
    virtual ~COutputStream() = default;
    COutputStream(const COutputStream&) = delete;
    COutputStream& operator=(const COutputStream&) = delete;

    // True when the file is open.
    virtual bool open() = 0;
    // True when everything written reached the file.
    virtual bool close() = 0;
    // True when all `count` bytes were written.
    virtual bool write(const std::uint8_t* bytes, std::size_t count) = 0;

    const std::string& fileName() const { return fileName_; }

  private:
    std::string fileName_;
};

class CWinOutputStream final : public COutputStream {
  public:
    explicit CWinOutputStream(std::string fileName) : COutputStream(std::move(fileName)) {}
    ~CWinOutputStream() override;

    // Creates the file, or cuts it to nothing (a library path: '\' separators, drive letters).
    bool open() override;
    bool close() override;
    // Each write is handed to the system at once, so a full disk shows here and not later.
    bool write(const std::uint8_t* bytes, std::size_t count) override;

  private:
    std::FILE* file_ = nullptr;
};

}  // namespace quelfi::mfd

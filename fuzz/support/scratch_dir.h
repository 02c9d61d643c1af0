// The harnesses' own directory tree for the files the library reads and writes: the system
// directory with QuelFI32.ini, the port and drive-C directories, and the working (current)
// directory where the log and the answer files go. Made once per process, removed at exit.
// Each input runs inside the working directory and comes back out (`InWorkDir`): the fuzzer
// reads its corpus by paths relative to the directory it was started in.
#pragma once

#include <filesystem>
#include <string>

namespace quelfi::fuzz {

class ScratchDir {
  public:
    // The process's tree; the environment points the library at it and the current directory is
    // its working directory.
    static ScratchDir& get();

    const std::string& root() const { return root_; }
    std::string systemDir() const { return root_ + "/system"; }
    std::string workDir() const { return root_ + "/work"; }

    // Writes QuelFI32.ini in the system directory.
    void writeIni(const std::string& text) const;

  private:
    ScratchDir();
    ~ScratchDir();
    std::string root_;
};

// For the length of one input: the working directory emptied and made the current directory;
// the previous current directory is restored at the end.
class InWorkDir {
  public:
    InWorkDir();
    ~InWorkDir();
    InWorkDir(const InWorkDir&) = delete;
    InWorkDir& operator=(const InWorkDir&) = delete;

  private:
    std::filesystem::path previous_;
};

// Writes a whole file; false when it could not be written.
bool writeWholeFile(const std::string& path, const std::string& bytes);

}  // namespace quelfi::fuzz

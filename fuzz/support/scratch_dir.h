// The harnesses' own directory tree for the files the library reads and writes: the system
// directory with QuelFI32.ini, the port and drive-C directories, and the working (current)
// directory where the log and the answer files go. Made once per process, removed at exit.
#pragma once

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
    // Removes every file of the working directory (log, answer files, command file).
    void clearWork() const;

  private:
    ScratchDir();
    std::string root_;
};

// Writes a whole file; false when it could not be written.
bool writeWholeFile(const std::string& path, const std::string& bytes);

}  // namespace quelfi::fuzz

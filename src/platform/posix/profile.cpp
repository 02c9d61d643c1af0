// Profile (INI) files on POSIX: read whole, edited as text, written to a temporary file that is
// renamed over the old one, so a crash or a full disk never leaves a half-written file.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "platform/platform.h"
#include "platform/profile_file.h"

namespace quelfi::platform {

std::optional<std::string> readProfileString(const std::string& file, const std::string& section,
                                             const std::string& key) {
    auto text = readWholeFile(file);
    if (!text) return std::nullopt;
    return findProfileValue(*text, section, key);
}

bool writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    std::string text = readWholeFile(file).value_or(std::string());
    std::string updated = setProfileValue(text, section, key, value);

    const std::string target = nativePath(file);
    const std::string temporary = target + ".tmp" + std::to_string(::getpid());
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    std::size_t done = 0;
    bool ok = true;
    while (done < updated.size()) {
        ssize_t n = ::write(fd, updated.data() + done, updated.size() - done);
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temporary.c_str());
    return ok;
}

}  // namespace quelfi::platform

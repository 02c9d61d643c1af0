#include "sim/quelmar/emulator_server.h"

#include <fcntl.h>
#include <semaphore.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

#include "platform/platform.h"
#include "sim/quelmar/frame_reader.h"

namespace quelfi::sim {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kPollInterval = std::chrono::milliseconds(2);
// A frame that stays unfinished this long will not be finished: the host is waiting for a reply.
constexpr auto kQuiet = std::chrono::milliseconds(100);

std::string readAll(const std::string& path) {
    std::string out;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return out;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        out.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    return out;
}

// Replaces the file's content, keeping the file itself (the host may hold it open). When this
// fails for the reply, the host finds no answer and reports a communication failure.
bool replaceContent(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    const bool written = bytes.empty() || ::pwrite(fd, bytes.data(), bytes.size(), 0) ==
                                              static_cast<ssize_t>(bytes.size());
    const bool cut = ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
    ::close(fd);
    return written && cut;
}

}  // namespace

EmulatorServer::EmulatorServer(QuelmarPrinter& printer, std::string presenceName)
    : printer_(printer),
      presenceName_(std::move(presenceName)),
      commandFile_(platform::nativePath("c:\\comando.dat")),
      replyFile_(platform::nativePath("c:\\retorno.dat")) {
    if (!replaceContent(commandFile_, "") || !replaceContent(replyFile_, ""))
        throw std::runtime_error("cannot create " + commandFile_ + " and " + replyFile_);
    sem_t* semaphore = ::sem_open(presenceName_.c_str(), O_CREAT, 0644, 0);
    if (semaphore == SEM_FAILED) throw std::runtime_error("cannot create " + presenceName_);
    semaphore_ = semaphore;
    thread_ = std::thread([this] { serve(); });
}

EmulatorServer::~EmulatorServer() {
    stop();
}

void EmulatorServer::stop() {
    if (!thread_.joinable()) return;
    stopping_ = true;
    thread_.join();
    ::sem_close(static_cast<sem_t*>(semaphore_));
    ::sem_unlink(presenceName_.c_str());
}

void EmulatorServer::serve() {
    std::string seen;
    Clock::time_point changed = Clock::now();
    while (!stopping_) {
        std::this_thread::sleep_for(kPollInterval);
        const std::string content = readAll(commandFile_);
        if (content != seen) {
            seen = content;
            changed = Clock::now();
        }
        if (content.empty()) continue;
        FrameReader reader;
        std::optional<FrameEvent> event;
        for (std::size_t i = 0; i < content.size() && !event; ++i)
            event = reader.push(static_cast<std::uint8_t>(content[i]));
        const bool quiet = Clock::now() - changed >= kQuiet;
        if (!event && quiet) event = reader.idle();
        if (event) {
            answer(event->accepted ? printer_.execute(event->command) : QuelmarPrinter::nak());
            seen.clear();
        } else if (quiet) {
            replaceContent(commandFile_, "");  // only line noise: nothing to answer
        }
    }
}

void EmulatorServer::answer(const std::string& reply) {
    // The command file is emptied first: the host sends its next command only after reading
    // this reply, and must find the file empty then.
    replaceContent(commandFile_, "");
    if (!reply.empty()) replaceContent(replyFile_, reply);
}

}  // namespace quelfi::sim

#include "saver/posix/form_marks.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

namespace velmoran {

namespace {

// A mark's name is <title>.<process>.<serial>; the serial tells apart the
// marks of one process and steps past a file an ended process of the same
// number left. Titles longer than this make no mark (a name has 255 bytes).
constexpr std::size_t kLongestSafeTitle = 200;
constexpr int kSerialTries = 64;

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

// Letters, digits, '_' and '-' as they are, every other byte as %XX: no
// '/', no '.', nothing a shell or a listing would misread.
std::string SafeName(std::string_view text) {
    std::string safe;
    for (const unsigned char c : text) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '_' || c == '-';
        if (plain) {
            safe += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            safe += escaped;
        }
    }
    return safe;
}

bool Trusted(const struct stat& status, mode_t kind) {
    return (status.st_mode & S_IFMT) == kind && status.st_uid == geteuid() && (status.st_mode & 077) == 0;
}

// The folder itself, never through a link, when it is the user's own and
// closed to others.
Descriptor OpenTrustedFolder(const std::string& folder, bool make) {
    if (folder.empty()) return Descriptor();
    if (make && mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return Descriptor();
    Descriptor fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat status;
    if (!fd.valid() || fstat(fd.get(), &status) != 0 || !Trusted(status, S_IFDIR)) return Descriptor();
    return fd;
}

// The new file is locked under a name no reader looks at, then linked to its
// mark's name: a reader never sees a mark before its lock.
Descriptor CreateLockedFile(int folder, const std::string& name) {
    constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    Descriptor fd(openat(folder, name.c_str(), kFlags, 0600));
    if (!fd.valid() && errno == EEXIST) {
        // The name holds this process's number: the file is an ended one's.
        unlinkat(folder, name.c_str(), 0);
        fd = Descriptor(openat(folder, name.c_str(), kFlags, 0600));
    }
    if (fd.valid() && flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        unlinkat(folder, name.c_str(), 0);
        return Descriptor();
    }
    return fd;
}

class Mark {
public:
    Mark(Descriptor folder, Descriptor file, std::string name)
        : folder_(std::move(folder)), file_(std::move(file)), name_(std::move(name)) {}
    ~Mark() { unlinkat(folder_.get(), name_.c_str(), 0); }
    Mark(const Mark&) = delete;
    Mark& operator=(const Mark&) = delete;

private:
    Descriptor folder_;
    Descriptor file_;  // closed after the name has gone, releasing the lock
    std::string name_;
};

unsigned NextSerial() {
    static std::atomic<unsigned> serial{0};
    return serial++;
}

// The process of a mark's name past its title: digits, '.', digits.
std::optional<ProcessId> ProcessOfName(std::string_view rest) {
    const std::size_t dot = rest.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == rest.size()) return std::nullopt;
    const auto digits = [](std::string_view part) {
        return part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!digits(rest.substr(0, dot)) || !digits(rest.substr(dot + 1))) return std::nullopt;
    ProcessId process = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + dot, process);
    if (error != std::errc() || end != rest.data() + dot || process == 0) return std::nullopt;
    return process;
}

// Whether a live process holds the mark's lock. A trusted file whose lock can
// be taken is an ended process's and goes, unless a reader before took it
// away already (no links left).
bool HeldMark(int folder, const char* name) {
    Descriptor fd(openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status;
    if (!fd.valid() || fstat(fd.get(), &status) != 0 || !Trusted(status, S_IFREG)) return false;
    if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return errno == EWOULDBLOCK;
    if (fstat(fd.get(), &status) == 0 && status.st_nlink > 0) unlinkat(folder, name, 0);
    return false;
}

struct CloseListing {
    void operator()(DIR* listing) const { closedir(listing); }
};

}  // namespace

std::string FormMarksFolder(const std::string& runtimeFolder, const std::string& session) {
    if (runtimeFolder.empty() || runtimeFolder.front() != '/' || session.empty()) return {};
    return runtimeFolder + "/velmoran-" + SafeName(session);
}

std::shared_ptr<void> HoldFormMark(const std::string& folder, const std::string& title) {
    const std::string safeTitle = SafeName(title);
    if (safeTitle.size() > kLongestSafeTitle) return nullptr;
    Descriptor dir = OpenTrustedFolder(folder, true);
    if (!dir.valid()) return nullptr;
    const std::string stem = safeTitle + "." + std::to_string(getpid()) + ".";
    const unsigned serial = NextSerial();
    const std::string fresh = stem + std::to_string(serial) + ".new";
    Descriptor file = CreateLockedFile(dir.get(), fresh);
    if (!file.valid()) return nullptr;
    std::string name;
    for (int i = 0; i < kSerialTries && name.empty(); ++i) {
        const std::string candidate = stem + std::to_string(i == 0 ? serial : NextSerial());
        if (linkat(dir.get(), fresh.c_str(), dir.get(), candidate.c_str(), 0) == 0) name = candidate;
        else if (errno != EEXIST) break;
    }
    unlinkat(dir.get(), fresh.c_str(), 0);
    if (name.empty()) return nullptr;
    return std::make_shared<Mark>(std::move(dir), std::move(file), std::move(name));
}

std::vector<ProcessId> ProcessesMarked(const std::string& folder, const std::string& title) {
    std::vector<ProcessId> processes;
    const Descriptor dir = OpenTrustedFolder(folder, false);
    if (!dir.valid()) return processes;
    const int listed = fcntl(dir.get(), F_DUPFD_CLOEXEC, 0);
    if (listed < 0) return processes;
    const std::unique_ptr<DIR, CloseListing> listing(fdopendir(listed));
    if (!listing) {
        close(listed);
        return processes;
    }
    const std::string prefix = SafeName(title) + ".";
    while (const dirent* entry = readdir(listing.get())) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix)) continue;
        const std::optional<ProcessId> process = ProcessOfName(name.substr(prefix.size()));
        if (process && HeldMark(dir.get(), entry->d_name)) processes.push_back(*process);
    }
    return processes;
}

}  // namespace velmoran

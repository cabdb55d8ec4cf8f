#include "saver/settings/file_replacement.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <random>

#include "common/safe_files.h"

namespace velmoran {

namespace fs = std::filesystem;

namespace {

constexpr int kLinkLimit = 40;
constexpr int kNameTries = 100;

#ifndef O_BINARY
constexpr int O_BINARY = 0;
#endif
#ifndef O_CLOEXEC
constexpr int O_CLOEXEC = 0;
#endif
#ifndef O_NOFOLLOW
constexpr int O_NOFOLLOW = 0;
#endif

std::string RandomSuffix() {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string suffix;
    for (int i = 0; i < 8; ++i) suffix += kLetters[pick(generator)];
    return suffix;
}

bool WriteAll(int descriptor, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto written = ::write(descriptor, bytes.data() + done, static_cast<unsigned>(bytes.size() - done));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// A new file beside `target` holding the bytes, under a name that nothing had:
// created exclusively, so that no file or link already there is opened.
std::optional<fs::path> WriteNewFileBeside(const fs::path& target, const std::string& bytes) {
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        fs::path temporary = target;
        temporary += ".tmp-" + RandomSuffix();
        const int descriptor = ::open(temporary.string().c_str(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_BINARY, 0666);
        if (descriptor < 0) {
            if (errno == EEXIST) continue;
            return std::nullopt;
        }
        const bool written = WriteAll(descriptor, bytes);
        const bool closed = ::close(descriptor) == 0;
        if (written && closed) return temporary;
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return std::nullopt;
    }
    return std::nullopt;
}

bool OpensForWriting(const fs::path& file) {
    const int descriptor = ::open(file.string().c_str(), O_WRONLY | O_CLOEXEC | O_BINARY);
    if (descriptor < 0) return false;
    ::close(descriptor);
    return true;
}

// Where a write of `file` lands: the file itself, or the file a link (or a
// chain of them) leads to; at most 40 links are followed, as the system does.
fs::path WriteTarget(const fs::path& file) {
    fs::path target = file;
    std::error_code error;
    for (int hop = 0; hop < kLinkLimit && fs::is_symlink(target, error); ++hop) {
        const fs::path leadsTo = fs::read_symlink(target, error);
        if (error) break;
        target = leadsTo.is_absolute() ? leadsTo : target.parent_path() / leadsTo;
    }
    return target;
}

// Whether the file may be given new contents; true for one not there yet.
bool MayRewrite(const fs::path& file) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (status.type() == fs::file_type::not_found) return true;
    if (error || status.type() != fs::file_type::regular) return false;
    // The mark of a read-only file, which even an administrator's save leaves alone.
    constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((status.permissions() & kAnyWrite) == fs::perms::none) return false;
    return OpensForWriting(file);
}

}  // namespace

bool ReplaceFileContents(const fs::path& file, const std::string& bytes) {
    const fs::path target = WriteTarget(file);
    if (!MayRewrite(target) || !CreatePrivateFolders(target.parent_path())) return false;
    const std::optional<fs::path> temporary = WriteNewFileBeside(target, bytes);
    if (!temporary) return false;
    std::error_code error;
    const fs::file_status old = fs::status(target, error);
    if (fs::exists(old)) fs::permissions(*temporary, old.permissions(), error);
    fs::rename(*temporary, target, error);
    if (!error) return true;
    fs::remove(*temporary, error);
    return false;
}

}  // namespace velmoran

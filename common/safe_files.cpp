#include "common/safe_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <system_error>

namespace velmoran {

#ifdef _WIN32

// Opening a pipe's name does not wait on Windows; what opened is asked after.
File OpenRegularFile(const std::string& path) {
    File file(std::fopen(path.c_str(), "rb"));
    struct _stat64 status;
    if (file && (_fstat64(_fileno(file.get()), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG))
        file.reset();
    return file;
}

File CreatePrivateFile(const std::filesystem::path& path) {
    const int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) return {};
    File file(_fdopen(fd, "wb"));
    if (!file) _close(fd);
    return file;
}

namespace {

bool MakeFolder(const std::filesystem::path& folder) { return _wmkdir(folder.c_str()) == 0; }

}  // namespace

#else

// Without O_NONBLOCK, opening a named pipe waits for a writer.
File OpenRegularFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {};
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        return {};
    }
    File file(fdopen(fd, "rb"));
    if (!file) close(fd);
    return file;
}

File CreatePrivateFile(const std::filesystem::path& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) return {};
    File file(fdopen(fd, "wb"));
    if (!file) close(fd);
    return file;
}

namespace {

bool MakeFolder(const std::filesystem::path& folder) { return mkdir(folder.c_str(), S_IRWXU) == 0; }

}  // namespace

#endif

bool CreatePrivateFolders(const std::filesystem::path& folder) {
    std::error_code ec;
    if (folder.empty() || std::filesystem::is_directory(folder, ec)) return true;
    if (folder.has_parent_path() && folder.parent_path() != folder && !CreatePrivateFolders(folder.parent_path()))
        return false;
    // Another writer may have made it meanwhile.
    return MakeFolder(folder) || std::filesystem::is_directory(folder, ec);
}

}  // namespace velmoran

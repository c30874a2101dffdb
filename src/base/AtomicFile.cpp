#include "base/AtomicFile.h"

#include <cerrno>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace splot {

namespace {

// Writes all of bytes to fd, retrying short writes and interruptions.
bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

namespace {

// The work of both writers: the temporary file beside the target, then
// either a rename over the target or a rename that refuses an existing name.
// Returns 0 or the errno of the step that failed; nothing is left behind on
// failure.
int writeAtomically(const std::string& path, std::string_view bytes, bool replace) {
    namespace fs = std::filesystem;
    if (path.empty())
        return ENOENT;

    // A symbolic link stays a link: the file it points to is the one replaced.
    std::error_code ec;
    fs::path target(path);
    if (replace && fs::is_symlink(target, ec)) {
        target = fs::weakly_canonical(target, ec);
        if (ec)
            return ec.value() ? ec.value() : EIO;
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !replace)
        return EEXIST;
    if (exists && !S_ISREG(old.st_mode))
        return EISDIR;

    // A fresh name beside the target; O_EXCL never reuses someone else's file.
    // Mode 0666 under the umask, as for any new file; an existing file's mode
    // is copied below.
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = target.string() + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return errno;
    }
    if (fd < 0)
        return EEXIST;

    int error = writeAll(fd, bytes) ? 0 : (errno ? errno : EIO);
    if (!error && exists && ::fchmod(fd, old.st_mode & 07777) != 0)
        error = errno;
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error) {
        if (replace) {
            if (::rename(temporary.c_str(), target.c_str()) != 0)
                error = errno;
        } else if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) !=
                   0) {
            error = errno;
            // File systems without the no-replace rename: a hard link also
            // refuses an existing name.
            if ((error == EINVAL || error == ENOSYS) && ::link(temporary.c_str(), target.c_str()) == 0)
                error = 0;
            else if (error == EINVAL || error == ENOSYS)
                error = errno;
            ::unlink(temporary.c_str());
        }
    }
    if (error) {
        ::unlink(temporary.c_str());
        return error;
    }
    // Make the rename itself durable; a failure here loses nothing that was
    // not already at risk, so it is not reported.
    const int dir = ::open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
}

} // namespace

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
    const int error = writeAtomically(path, bytes, true);
    if (error != 0)
        errno = error;
    return error == 0;
}

int writeNewFileAtomically(const std::string& path, std::string_view bytes) {
    return writeAtomically(path, bytes, false);
}

} // namespace splot

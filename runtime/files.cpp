#include "runtime/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "runtime/huge_pages.h"

namespace pexor {
namespace {

constexpr const char* kDosAttributeName = "user.DOSATTRIB";

bool writeAll(int fd, const ByteBuffer& bytes) {
    const std::uint8_t* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

std::string runDirectory() {
    static const std::string dir = [] {
        char buf[PATH_MAX];
        const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
        if (n <= 0) return std::string(".");
        return folderOf(std::string(buf, static_cast<std::size_t>(n)));
    }();
    return dir;
}

void enterRunDirectory() {
    if (::chdir(runDirectory().c_str()) != 0) {
        // Not fatal: every file the program writes is named from the run
        // directory, never from the current one.
    }
}

ByteBuffer readWholeFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return {};
    }
    // A regular file is read straight into a buffer of its size; anything
    // else (a pipe, a file that grows meanwhile) in chunks until its end.
    std::vector<std::uint8_t> bytes;
    if (S_ISREG(st.st_mode)) {
        const auto size = static_cast<std::size_t>(st.st_size);
        bytes.reserve(size);
        adviseHugePages(bytes.data(), size);
        bytes.resize(size);
    }
    std::size_t filled = 0;
    std::uint8_t chunk[1 << 16];
    for (;;) {
        const bool room = filled < bytes.size();
        std::uint8_t* into = room ? bytes.data() + filled : chunk;
        const std::size_t want = room ? bytes.size() - filled : sizeof chunk;
        const ssize_t n = ::read(fd, into, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return {};
        }
        if (n == 0) break;
        if (!room) bytes.insert(bytes.end(), chunk, chunk + n);
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(filled);
    return ByteBuffer(std::move(bytes));
}

bool writeWholeFile(const std::string& path, std::initializer_list<const ByteBuffer*> buffers) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = true;
    for (const ByteBuffer* b : buffers) ok = ok && writeAll(fd, *b);
    return (::close(fd) == 0) && ok;
}

bool writeWholeFile(const std::string& path, const ByteBuffer& bytes) {
    return writeWholeFile(path, {&bytes});
}

bool replaceFileAtomically(const std::string& path, const ByteBuffer& bytes) {
    std::string target = path;
    mode_t mode = 0;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        // A device or pipe can't be replaced by renaming: write to it.
        if (!S_ISREG(st.st_mode)) return writeWholeFile(path, bytes);
        // A file the user may not write stays as it is.
        if (::access(path.c_str(), W_OK) != 0) return false;
        // Replace what a link points at, not the link.
        char real[PATH_MAX];
        if (::realpath(path.c_str(), real) != nullptr) target = real;
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    std::string temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    ::fchmod(fd, mode);  // mkstemp creates 0600
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(temp.c_str(), target.c_str()) == 0) return true;
    ::unlink(temp.c_str());
    return false;
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool setFileAttributes(const std::string& path, int attributes) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    mode_t mode = st.st_mode & 07777;
    if (attributes & kAttributeReadOnly)
        mode &= ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        mode |= S_IWUSR;
    const bool ok = ::chmod(path.c_str(), mode) == 0;
    const int dosBits = attributes & (kAttributeHidden | kAttributeSystem | kAttributeArchive);
    char value[16];
    const int len = std::snprintf(value, sizeof value, "0x%x", dosBits);
    ::setxattr(path.c_str(), kDosAttributeName, value, static_cast<std::size_t>(len), 0);
    return ok;
}

int fileAttributes(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return -1;
    int attributes = (st.st_mode & S_IWUSR) ? 0 : kAttributeReadOnly;
    char value[32] = {};
    const ssize_t n = ::getxattr(path.c_str(), kDosAttributeName, value, sizeof value - 1);
    if (n > 0) attributes |= static_cast<int>(std::strtol(value, nullptr, 16));
    return attributes;
}

}  // namespace pexor

#include "world/file_access.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr int OPEN_READ = _O_RDONLY | _O_BINARY;
constexpr int OPEN_NEW = _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY;
constexpr int NEW_MODE = _S_IREAD | _S_IWRITE;
int OpenFile(const char* path, int flags, int mode = 0) { return _open(path, flags, mode); }
long ReadSome(int fd, char* buf, size_t n) { return _read(fd, buf, static_cast<unsigned>(n)); }
long WriteSome(int fd, const char* buf, size_t n) { return _write(fd, buf, static_cast<unsigned>(n)); }
int SyncFile(int fd) { return _commit(fd); }
int CloseFile(int fd) { return _close(fd); }
bool IsRegular(int fd) {
    struct _stat64 st;
    return _fstat64(fd, &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFREG;
}
int ProcessId() { return _getpid(); }
#else
// Non-blocking: opening a pipe for reading would otherwise wait for a writer.
constexpr int OPEN_READ = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
// O_EXCL with O_CREAT fails on any existing name, a dangling link included.
constexpr int OPEN_NEW = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;
constexpr int NEW_MODE = 0666;   // narrowed by the player's umask
int OpenFile(const char* path, int flags, int mode = 0) { return ::open(path, flags, mode); }
long ReadSome(int fd, char* buf, size_t n) { return static_cast<long>(::read(fd, buf, n)); }
long WriteSome(int fd, const char* buf, size_t n) { return static_cast<long>(::write(fd, buf, n)); }
int SyncFile(int fd) { return ::fsync(fd); }
int CloseFile(int fd) { return ::close(fd); }
bool IsRegular(int fd) {
    struct stat st;
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}
int ProcessId() { return static_cast<int>(::getpid()); }
#endif

}  // namespace

PathKind KindOfPath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::file_status st = std::filesystem::symlink_status(path, ec);
    switch (st.type()) {
        case std::filesystem::file_type::not_found:
        case std::filesystem::file_type::none: return PathKind::NONE;
        case std::filesystem::file_type::regular: return PathKind::REGULAR;
        case std::filesystem::file_type::symlink: return PathKind::LINK;
        default: return ec ? PathKind::NONE : PathKind::OTHER;
    }
}

FileRead ReadRegularFile(const std::string& path, size_t maxBytes, std::string& bytes) {
    bytes.clear();
    // Looked at before opening: opening some devices already does something.
    std::error_code ec;
    const std::filesystem::file_status st = std::filesystem::status(path, ec);
    if (st.type() == std::filesystem::file_type::not_found) return FileRead::MISSING;
    if (ec && st.type() == std::filesystem::file_type::none) return FileRead::UNREADABLE;
    if (st.type() != std::filesystem::file_type::regular) return FileRead::NOT_REGULAR;
    const int fd = OpenFile(path.c_str(), OPEN_READ);
    if (fd < 0) return errno == ENOENT ? FileRead::MISSING : FileRead::UNREADABLE;
    // Checked again on what was opened, in case the name changed hands.
    FileRead result = IsRegular(fd) ? FileRead::OK : FileRead::NOT_REGULAR;
    char buf[8192];
    while (result == FileRead::OK) {
        const long n = ReadSome(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) result = FileRead::UNREADABLE;
        if (n <= 0) break;
        if (bytes.size() + static_cast<size_t>(n) > maxBytes) result = FileRead::TOO_LARGE;
        bytes.append(buf, static_cast<size_t>(n));
    }
    CloseFile(fd);
    if (result != FileRead::OK) bytes.clear();
    return result;
}

bool ReplaceFile(const std::string& path, const std::string& data) {
    // A name of our own beside the target, so that the rename stays on one
    // file system; a name that is taken (a leftover, a link) is passed over.
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        char suffix[48];
        std::snprintf(suffix, sizeof suffix, ".%d-%d.tmp", ProcessId(), attempt);
        temp = path + suffix;
        fd = OpenFile(temp.c_str(), OPEN_NEW, NEW_MODE);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok = true;
    for (size_t done = 0; ok && done < data.size();) {
        const long n = WriteSome(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<size_t>(n);
    }
    ok = SyncFile(fd) == 0 && ok;
    ok = CloseFile(fd) == 0 && ok;
    std::error_code ec;
    // Replaces a file or a link of that name atomically; a directory is refused.
    if (ok) std::filesystem::rename(temp, path, ec);
    if (!ok || ec) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

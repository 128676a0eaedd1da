// Saving a file without ever leaving it half-written, and without changing what the file is:
// links are followed, owner, group, permissions and hard links are kept.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "core/text_file.h"

namespace kravelo {
namespace {

SaveFaultFn g_fault = nullptr;

int Fault(std::string_view step) {
    return g_fault ? g_fault(step) : 0;
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path names once symbolic links are followed, also when the last link points to a
// file that does not exist yet (saving creates it there).
bool ResolveLinks(const std::string& path, std::string& target, std::string& error) {
    target = path;
    std::vector<char> buf(4096);
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        ssize_t n = ::readlink(target.c_str(), buf.data(), buf.size());
        if (n < 0 || static_cast<std::size_t>(n) >= buf.size()) {
            error = path + ": " + std::strerror(n < 0 ? errno : ENAMETOOLONG);
            return false;
        }
        std::string next(buf.data(), static_cast<std::size_t>(n));
        if (next.empty() || next[0] != '/') next = FolderOf(target) + "/" + next;
        target = std::move(next);
    }
    error = path + ": " + std::strerror(ELOOP);
    return false;
}

int WriteAll(int fd, std::string_view bytes, off_t offset) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t w = ::pwrite(fd, p, left, offset);
        if (w < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        p += w;
        offset += w;
        left -= static_cast<std::size_t>(w);
    }
    return 0;
}

int Sync(int fd) {
    if (int e = Fault("sync")) return e;
    return ::fsync(fd) == 0 ? 0 : errno;
}

// Copies the complete temporary file into the file's own inode, so every hard link and the
// owner stay.
bool RewriteInPlace(const std::string& target, const std::string& tmp) {
    int in = ::open(tmp.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    int out = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (out < 0) {
        ::close(in);
        return false;
    }
    std::vector<char> buf(1 << 20);
    off_t at = 0;
    bool ok = true;
    while (ok) {
        ssize_t n = ::read(in, buf.data(), buf.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        ok = WriteAll(out, std::string_view(buf.data(), static_cast<std::size_t>(n)), at) == 0;
        at += n;
    }
    ok = ok && ::ftruncate(out, at) == 0 && Sync(out) == 0;
    ::close(in);
    return ::close(out) == 0 && ok;
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // the rename reaches the disk; a failure here loses nothing already written
    ::close(fd);
}

}  // namespace

void SetSaveFaultForTests(SaveFaultFn fault) {
    g_fault = fault;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string& error) {
    return WriteFileAtomic(path, [&](const ChunkWriter& write) { return write(bytes); }, error);
}

bool WriteFileAtomic(const std::string& path, const ChunkProducer& produce, std::string& error) {
    auto fail = [&](int err) {
        error = path + ": " + std::strerror(err);
        return false;
    };
    std::string target;
    if (!ResolveLinks(path, target, error)) return false;
    const std::string folder = FolderOf(target);

    struct stat folderStat {};
    if (::stat(folder.c_str(), &folderStat) == 0 && (folderStat.st_mode & 0222) == 0) {
        error = path + ": the folder is write-protected";
        return false;
    }
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists) {
        if (!S_ISREG(st.st_mode)) {
            error = path + ": is not a regular file";
            return false;
        }
        if ((st.st_mode & 0222) == 0) {
            error = path + ": the file is write-protected";
            return false;
        }
        if (::access(target.c_str(), W_OK) != 0) return fail(errno);
    }

    // A short fixed prefix: the temporary name fits wherever the target's name fits.
    std::string tmpl = (folder == "/" ? std::string() : folder) + "/.kravelo-XXXXXX";
    if (int e = Fault("create")) return fail(e);
    int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (fd < 0) return fail(errno);
    const std::string tmp = tmpl;
    auto discard = [&](int err) {
        if (fd >= 0) ::close(fd);
        ::unlink(tmp.c_str());
        return fail(err);
    };
    off_t offset = 0;
    const ChunkWriter write = [&](std::string_view chunk) {
        if (int e = Fault("write")) return e;
        int e = WriteAll(fd, chunk, offset);
        offset += static_cast<off_t>(chunk.size());
        return e;
    };
    if (int e = produce(write)) return discard(e);
    if (int e = Sync(fd)) return discard(e);

    mode_t mode;
    bool inPlace = false;
    if (exists) {
        mode = st.st_mode & 07777;
        // Another name for the same file, or an owner the process cannot give a new file to:
        // replacing the file would change what it is, so its own inode is written instead.
        inPlace = st.st_nlink > 1 || ::fchown(fd, st.st_uid, st.st_gid) != 0;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) return discard(errno);
    int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return discard(errno);

    if (inPlace && RewriteInPlace(target, tmp)) {
        ::unlink(tmp.c_str());
        return true;
    }
    // (When writing in place failed the file may be cut short: the complete copy replaces it.)
    if (int e = Fault("rename")) return discard(e);
    if (::rename(tmp.c_str(), target.c_str()) != 0) return discard(errno);
    SyncFolder(folder);
    return true;
}

}  // namespace kravelo

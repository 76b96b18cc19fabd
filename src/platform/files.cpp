// The library's file system calls: the only code of the library that calls getcwd, realpath,
// open, fstat, fchown, fchmod, fsync and rename. It also holds the working-directory seam, which a
// test may set while other threads read the working directory.
#include "platform/files.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "core/seams.hpp"

namespace {

// Attempts at a free name for the new file of a replacement.
constexpr int kTempAttempts = 100;
// Links followed to a target that does not exist yet, at most (as the system follows at most 40).
constexpr int kLinkHops = 40;
// The seam's substitute keeps at most this many characters.
constexpr std::size_t kSubstituteMax = 259;

std::mutex g_substitute_lock;  // guards the two that follow
bool g_substituted = false;
char g_substitute[kSubstituteMax + 1] = "";
std::atomic<bool> g_working_dir_fails{false};

// The seam's substitute into `out` of `size` bytes: 1 when copied, 0 when none is set, -1 when it
// does not fit.
int copy_substitute(char* out, std::size_t size)
{
    const std::lock_guard<std::mutex> hold(g_substitute_lock);
    if (!g_substituted) return 0;
    if (std::strlen(g_substitute) >= size) return -1;
    std::strcpy(out, g_substitute);
    return 1;
}

}  // namespace

namespace rk::seam {

void substitute_working_dir(const char* path)
{
    const std::lock_guard<std::mutex> hold(g_substitute_lock);
    g_substituted = path != nullptr;
    if (path) {
        std::strncpy(g_substitute, path, kSubstituteMax);
        g_substitute[kSubstituteMax] = '\0';
    }
}

void fail_working_dir(bool fail) { g_working_dir_fails.store(fail, std::memory_order_relaxed); }

}  // namespace rk::seam

namespace rk::os {

bool working_dir(char* out, std::size_t size)
{
    if (g_working_dir_fails.load(std::memory_order_relaxed)) return false;
    const int substituted = copy_substitute(out, size);
    if (substituted != 0) return substituted > 0;
    if (!getcwd(out, size)) return false;
    for (char* c = out; *c; ++c)
        if (*c == '/') *c = '\\';
    return true;
}

std::FILE* open_for_reading(const char* file)
{
    std::FILE* fp = std::fopen(file, "r");
    if (!fp) return nullptr;
    struct stat info;
    if (fstat(fileno(fp), &info) == 0 && !S_ISDIR(info.st_mode)) return fp;
    std::fclose(fp);
    errno = EISDIR;
    return nullptr;
}

Replacement::~Replacement()
{
    if (out_) {
        std::fclose(out_);
        std::remove(temp_);
    }
}

bool Replacement::resolve(const char* file)
{
    if (realpath(file, path_)) return true;
    if (std::strlen(file) >= sizeof path_) return false;
    std::strcpy(path_, file);
    // A link whose target does not exist yet: the target is created, so the link stays a link.
    for (int hop = 0; hop < kLinkHops; ++hop) {
        struct stat info;
        char target[PATH_MAX];
        if (lstat(path_, &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        const ssize_t length = readlink(path_, target, sizeof target - 1);
        if (length < 0) return true;
        target[length] = '\0';
        const char* slash = std::strrchr(path_, '/');
        const std::size_t dir = target[0] == '/' || !slash ? 0 : static_cast<std::size_t>(slash - path_) + 1;
        if (dir + static_cast<std::size_t>(length) >= sizeof path_) return false;
        std::memcpy(path_ + dir, target, static_cast<std::size_t>(length) + 1);
    }
    return true;
}

std::FILE* Replacement::open_original(bool* missing)
{
    *missing = false;
    std::FILE* fp = open_for_reading(path_);
    if (!fp) {
        *missing = is_new_ = errno == ENOENT;
        return nullptr;
    }
    if (fstat(fileno(fp), &original_) == 0 && S_ISREG(original_.st_mode)) return fp;
    std::fclose(fp);
    return nullptr;
}

bool Replacement::open_new()
{
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < kTempAttempts; ++attempt) {
        std::snprintf(temp_, sizeof temp_, "%s.%ld-%d.tmp", path_, static_cast<long>(getpid()), attempt);
        fd = open(temp_, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    out_ = fdopen(fd, "w");
    if (!out_) {
        close(fd);
        std::remove(temp_);
        return false;
    }
    if (is_new_) return true;
    // Root may give the file back to its owner; anyone else may keep at least a group of theirs.
    static_cast<void>(fchown(fd, original_.st_uid, original_.st_gid) == 0 ||
                      fchown(fd, static_cast<uid_t>(-1), original_.st_gid) == 0);
    return fchmod(fd, original_.st_mode & 07777) == 0;
}

bool Replacement::commit()
{
    const bool written = !std::ferror(out_) && std::fflush(out_) == 0 && fsync(fileno(out_)) == 0;
    const bool closed = std::fclose(out_) == 0;
    out_ = nullptr;
    if (written && closed && std::rename(temp_, path_) == 0) return true;
    std::remove(temp_);
    return false;
}

}  // namespace rk::os

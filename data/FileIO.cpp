#include "data/FileIO.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx4 {
namespace fs = std::filesystem;

namespace {

std::string SysError() { return std::strerror(errno); }

// "Cannot <verb> "<file>": <why>.", as the messages of the file layer read.
IoResult Cannot(std::string_view verb, const fs::path& file, const std::string& why)
{
    return IoResult::Fail("Cannot " + std::string(verb) + " " + Quoted(file) + ": " + why + ".");
}

std::string NotRegular(const fs::path& file, const struct stat& st)
{
    return Quoted(file) + (S_ISDIR(st.st_mode) ? " is a folder." : " is not a regular file.");
}

// Reads the start of the open `file` into `buffer`: `got` bytes, fewer for a file that shrank
// meanwhile.
IoResult ReadStart(const fs::path& file, int fd, std::span<std::uint8_t> buffer, std::size_t& got)
{
    const std::ptrdiff_t n = ReadFullAt(fd, buffer, 0);
    if (n < 0)
        return Cannot("read", file, SysError());
    got = static_cast<std::size_t>(n);
    return IoResult::Ok();
}

// Why the last write stopped short: errno, or a write that moved nothing.
std::string WriteError() { return errno != 0 ? SysError() : std::string("nothing could be written"); }

} // namespace

void UniqueFd::reset(int fd)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
}

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

std::string Quoted(const fs::path& file) { return "\"" + file.string() + "\""; }

std::ptrdiff_t ReadFullAt(int fd, std::span<std::uint8_t> buffer, std::uint64_t offset)
{
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t n = ::pread(fd, buffer.data() + done, buffer.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::ptrdiff_t>(done);
}

std::size_t WriteFullAt(int fd, std::span<const std::uint8_t> bytes, std::uint64_t offset)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = 0;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

IoResult OpenRegularFile(const fs::path& file, int flags, int& fd, std::uintmax_t* size)
{
    fd = -1;
    // Look before opening: opening a FIFO waits for a writer, and opening a device may act on it.
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return IoResult::Fail(NotRegular(file, st));
    } else if (errno != ENOENT || (flags & O_CREAT) == 0) {
        return Cannot("open", file, SysError());
    }
    // The path may name something else by now: O_NONBLOCK keeps the open from waiting, fstat tells.
    int opened;
    do {
        opened = ::open(file.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    } while (opened < 0 && errno == EINTR);
    if (opened < 0)
        return Cannot("open", file, SysError());
    UniqueFd guard(opened);
    if (::fstat(opened, &st) != 0)
        return Cannot("open", file, SysError());
    if (!S_ISREG(st.st_mode))
        return IoResult::Fail(NotRegular(file, st));
    if (size)
        *size = static_cast<std::uintmax_t>(st.st_size);
    fd = guard.release();
    return IoResult::Ok();
}

IoResult ReadFileStart(const fs::path& file, std::span<std::uint8_t> buffer, std::size_t& got, std::uintmax_t& fileSize)
{
    got = 0;
    int opened = -1;
    if (IoResult r = OpenRegularFile(file, O_RDONLY, opened, &fileSize); !r)
        return r;
    const UniqueFd fd(opened);
    return ReadStart(file, fd.get(), buffer.first(static_cast<std::size_t>(std::min<std::uintmax_t>(fileSize, buffer.size()))), got);
}

IoResult MakeFolder(const fs::path& dir)
{
    std::error_code ec;
    if (fs::is_directory(dir, ec))
        return IoResult::Ok();
    fs::create_directories(dir, ec);
    if (ec)
        return IoResult::Fail("Cannot create the folder " + Quoted(dir) + ": " + ec.message() + ".");
    return IoResult::Ok();
}

IoResult ReadWholeFile(const fs::path& file, std::vector<std::uint8_t>& out, std::uintmax_t maxBytes)
{
    int opened = -1;
    std::uintmax_t size = 0;
    if (IoResult r = OpenRegularFile(file, O_RDONLY, opened, &size); !r)
        return r;
    const UniqueFd fd(opened);
    if (size > maxBytes)
        return IoResult::Fail(Quoted(file) + " is too large.");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::size_t got = 0;
    if (IoResult r = ReadStart(file, fd.get(), bytes, got); !r)
        return r;
    bytes.resize(got);
    out = std::move(bytes);
    return IoResult::Ok();
}

namespace {

// The temporary name for a write of the file `name`: a fixed short form that fits any file
// system's name limit, and by which a leftover is known.
std::string SaveTempLeaf(const std::string& name)
{
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (const unsigned char c : name) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char leaf[40];
    std::snprintf(leaf, sizeof leaf, ".kx4-save-%016llx.tmp", static_cast<unsigned long long>(hash));
    return leaf;
}

} // namespace

fs::path SaveTempName(const fs::path& target) { return target.parent_path() / SaveTempLeaf(target.filename().string()); }

namespace {

// Follows symbolic links from `path` to the file a write must replace; that file may not exist yet.
std::string FinalTarget(const fs::path& path, fs::path& out)
{
    fs::path p = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return SysError();
            out = p; // a new file, or the missing end of a link: made by the write
            return {};
        }
        if (!S_ISLNK(st.st_mode)) {
            out = p;
            return {};
        }
        std::array<char, PATH_MAX> link{};
        const ssize_t n = ::readlink(p.c_str(), link.data(), link.size());
        if (n < 0)
            return SysError();
        if (static_cast<std::size_t>(n) >= link.size())
            return std::strerror(ENAMETOOLONG);
        const fs::path next(std::string(link.data(), static_cast<std::size_t>(n)));
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return std::strerror(ELOOP);
}

// Where a write puts its file: the entry `name` of the open folder `dir`; `shown` names it in messages.
struct WriteSpot {
    int dir = -1;
    std::string name;
    std::string temp; // the name of the temporary file beside it
    fs::path shown;
};

// Why a write refuses a symbolic link in its way, after "Cannot write <file>" and the like.
constexpr const char* kLinkNotFollowed = ": it is a symbolic link, which is not followed here. Remove the link and start again.";

// Whether the running user may change the file. Root may write anything, so for root a file
// without any write permission bit counts as meant to stay as it is.
bool MayWrite(const WriteSpot& at, const struct stat& st)
{
    if (::geteuid() == 0)
        return (st.st_mode & 0222) != 0;
    return ::faccessat(at.dir, at.name.c_str(), W_OK, AT_EACCESS) == 0;
}

constexpr const char* kSaveUnderWay = "another save of this file is under way; start again when it has finished";

// Clears the way for the temporary file of a write: removes what a killed write of the same target
// left behind, and nothing else. A write under way holds a lock on its temporary file, which keeps
// it. Returns why the way is not clear, empty when it is.
std::string ClearTemp(const WriteSpot& at)
{
    struct stat st {};
    if (::fstatat(at.dir, at.temp.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? std::string() : SysError();
    if (S_ISREG(st.st_mode)) {
        const UniqueFd fd(::openat(at.dir, at.temp.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        // A leftover this user may not read cannot be asked for its lock; it is left by a killed
        // write all the same.
        if (fd.get() >= 0 && ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
            return kSaveUnderWay;
    } else if (!S_ISLNK(st.st_mode)) {
        errno = EEXIST;
        return Quoted(at.shown.parent_path() / at.temp) + " stands in the way of the save; remove it and start again";
    }
    if (::unlinkat(at.dir, at.temp.c_str(), 0) != 0 && errno != ENOENT)
        return SysError();
    return {};
}

// Takes the lock by which other writes know a temporary file in use, on the file `fd` that was
// just created as `at.temp` (named) or is yet to be named; false when another write took it first.
bool LockTemp(int fd, const WriteSpot& at, bool named)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return errno != EWOULDBLOCK; // a file system without locks: nothing to hold
    if (!named)
        return true;
    // Between its creation and the lock, another write may have taken the file for a leftover.
    struct stat mine {}, there {};
    return ::fstat(fd, &mine) == 0 && ::fstatat(at.dir, at.temp.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 &&
           mine.st_dev == there.st_dev && mine.st_ino == there.st_ino;
}

// An unnamed file needs /proc to be given a name without privileges.
bool CanNameUnnamedFiles() { return ::geteuid() == 0 || ::access("/proc/self/fd", X_OK) == 0; }

bool NoUnnamedFiles(int err) { return err == EOPNOTSUPP || err == EISDIR || err == EINVAL; }

// A folder the user may not add files to; a full disk is no reason to risk the old file in place.
bool FolderRefusesNewFile(int err) { return err == EACCES || err == EPERM; }

// The temporary file of a write, created with `mode` (less the umask); `named` tells whether it
// has the name `at.temp`.
int OpenTemp(const WriteSpot& at, mode_t mode, const WriteOptions& options, bool& named, std::string& why)
{
    if (options.unnamedTemp && CanNameUnnamedFiles()) {
        const int fd = ::openat(at.dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (fd >= 0 || !NoUnnamedFiles(errno)) {
            named = false;
            if (fd >= 0)
                LockTemp(fd, at, false);
            else
                why = SysError();
            return fd;
        }
    }
    named = true;
    for (int attempt = 0; attempt < 3; ++attempt) {
        UniqueFd fd(::openat(at.dir, at.temp.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, mode));
        if (fd.get() >= 0) {
            if (LockTemp(fd.get(), at, true))
                return fd.release();
            continue; // taken for a leftover between its creation and the lock: it is going
        }
        if (errno != EEXIST) {
            why = SysError();
            return -1;
        }
        // Left by a write killed just now.
        if (why = ClearTemp(at); !why.empty())
            return -1;
    }
    errno = EEXIST;
    why = kSaveUnderWay;
    return -1;
}

// Gives an unnamed temporary file the name `at.temp`.
bool NameTemp(int fd, const WriteSpot& at)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), at.dir, at.temp.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    return ::linkat(fd, "", at.dir, at.temp.c_str(), AT_EMPTY_PATH) == 0;
}

// Gives the new file the old one's owner and group, where the user may, and its mode.
std::string KeepOwnerAndMode(int fd, const struct stat& old)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return SysError();
    if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
        // Only root may give a file away; others may still keep the group when they belong to it.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            if (errno != EPERM && errno != EINVAL)
                return SysError();
            if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0 && errno != EPERM && errno != EINVAL)
                return SysError();
        }
        if (::fstat(fd, &now) != 0) // a change of owner clears the set-id bits
            return SysError();
    }
    // Skipped when equal: file systems with one mode for all files (FAT) refuse any change.
    if ((now.st_mode & 07777) != (old.st_mode & 07777) && ::fchmod(fd, old.st_mode & 07777) != 0)
        return SysError();
    return {};
}

std::string FlushFolder(int dir)
{
    const UniqueFd fd(::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0)
        return SysError();
    // EINVAL: the file system has no way to flush a folder, and nothing to flush.
    if (::fsync(fd.get()) != 0 && errno != EINVAL)
        return SysError();
    return {};
}

// Rewrites the file in place, for a folder that cannot take a temporary file.
IoResult WriteInPlace(const WriteSpot& at, const FileWriter& write)
{
    const auto fail = [&](const std::string& why, bool touched) {
        return IoResult::Fail("Cannot write " + Quoted(at.shown) + ": " + why +
                              (touched ? ". The file may now be incomplete." : "."));
    };
    UniqueFd fd(::openat(at.dir, at.name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        return fail(SysError(), false);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return fail(SysError(), false);
    if (!S_ISREG(st.st_mode))
        return IoResult::Fail(NotRegular(at.shown, st));
    std::uint64_t size = 0;
    if (std::string error = write(fd.get(), size); !error.empty())
        return fail(error, true);
    if (::ftruncate(fd.get(), static_cast<off_t>(size)) != 0 || ::fsync(fd.get()) != 0)
        return fail(SysError(), true);
    if (::close(fd.release()) != 0)
        return fail(SysError(), true);
    return IoResult::Ok();
}

// The safe write of the file at `at`: a symbolic link there is refused (callers that follow links
// have resolved them already).
IoResult WriteAt(const WriteSpot& at, const FileWriter& write, const WriteOptions& options)
{
    const auto fail = [&](const std::string& why) { return Cannot("write", at.shown, why); };
    struct stat old {};
    const bool exists = ::fstatat(at.dir, at.name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT)
        return fail(SysError());
    if (exists && S_ISLNK(old.st_mode))
        return IoResult::Fail("Cannot write " + Quoted(at.shown) + kLinkNotFollowed);
    if (exists && !S_ISREG(old.st_mode))
        return IoResult::Fail(NotRegular(at.shown, old));
    if (exists && !MayWrite(at, old))
        return fail("the file is read-only");

    std::string why = ClearTemp(at);
    if (!why.empty()) {
        if (exists && FolderRefusesNewFile(errno))
            return WriteInPlace(at, write); // a leftover this user may not remove
        return fail(why);
    }
    bool named = false;
    // Until it has the old file's mode, the new one is not readable by more users than the old.
    UniqueFd fd(OpenTemp(at, exists ? (old.st_mode & 0666) : 0666, options, named, why));
    if (fd.get() < 0) {
        if (exists && FolderRefusesNewFile(errno))
            return WriteInPlace(at, write);
        return fail(why);
    }
    const auto discard = [&](const std::string& why) {
        fd.reset();
        if (named)
            ::unlinkat(at.dir, at.temp.c_str(), 0);
        return fail(why);
    };

    std::uint64_t size = 0;
    if (std::string error = write(fd.get(), size); !error.empty())
        return discard(error);
    if (exists) {
        if (std::string error = KeepOwnerAndMode(fd.get(), old); !error.empty())
            return discard(error);
    }
    if (options.flush && ::fsync(fd.get()) != 0)
        return discard(SysError());
    // The lock stays held through the rename, so that no other write takes the file for a leftover.
    const UniqueFd lock(::fcntl(fd.get(), F_DUPFD_CLOEXEC, 0));
    if (named) {
        if (::close(fd.release()) != 0)
            return discard(SysError());
    } else {
        // Named only for the moment before the rename: a write killed in between leaves it.
        if (!NameTemp(fd.get(), at))
            return discard(SysError());
        named = true;
    }
    if (::renameat(at.dir, at.temp.c_str(), at.dir, at.name.c_str()) != 0)
        return discard(SysError());

    // The new file is in place; what fails now leaves its contents perhaps not on the device.
    std::string late;
    if (fd.get() >= 0 && ::close(fd.release()) != 0)
        late = SysError();
    if (late.empty() && options.flush)
        late = FlushFolder(at.dir); // makes the rename itself durable
    if (!late.empty())
        return IoResult::Fail(Quoted(at.shown) + " was written, but could not be flushed to the device (" + late +
                              "): its new contents may not be durable.");
    return IoResult::Ok();
}

// A folder opened only to be named in further calls: that needs no permission to list it.
int OpenDirectory(int at, const char* name, int extra = 0)
{
    int fd;
    do {
        fd = ::openat(at, name, O_PATH | O_DIRECTORY | O_CLOEXEC | extra);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// One part of a path opened beneath the folder `base`, never through a symbolic link nor onto
// another file system.
int OpenPartBeneath(int base, const std::string& part)
{
    open_how how{};
    how.flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_XDEV;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const long fd = ::syscall(SYS_openat2, base, part.c_str(), &how, sizeof how);
        if (fd >= 0)
            return static_cast<int>(fd);
        if (errno == ENOSYS)
            break;
        if (errno != EINTR && errno != EAGAIN) // EAGAIN: a rename elsewhere raced the lookup
            return -1;
    }
    if (errno != ENOSYS)
        return -1;
    // A kernel without openat2: the part itself is not followed, and its file system is compared.
    const int fd = OpenDirectory(base, part.c_str(), O_NOFOLLOW);
    if (fd < 0)
        return fd;
    struct stat outer {}, inner {};
    if (::fstat(base, &outer) != 0 || ::fstat(fd, &inner) != 0 || outer.st_dev != inner.st_dev) {
        ::close(fd);
        errno = EXDEV;
        return -1;
    }
    return fd;
}

} // namespace

namespace {

// Why the folder `part` of `at` could not be opened, `err` the failure; `shown` names it.
IoResult FolderRefused(int at, const std::string& part, const fs::path& shown, int err)
{
    struct stat st {};
    const bool found = ::fstatat(at, part.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (found && S_ISLNK(st.st_mode))
        return IoResult::Fail("Cannot open the folder " + Quoted(shown) + kLinkNotFollowed);
    if (found && !S_ISDIR(st.st_mode))
        return IoResult::Fail("Cannot open the folder " + Quoted(shown) + ": a file of that name is in the way.");
    if (err == EXDEV)
        return Cannot("open the folder", shown, "another file system is mounted there");
    return Cannot("open the folder", shown, std::strerror(err));
}

} // namespace

IoResult HoldFolder(const fs::path& dir, FolderHandle& out)
{
    const int fd = OpenDirectory(AT_FDCWD, dir.c_str(), O_NOFOLLOW);
    if (fd < 0)
        return FolderRefused(AT_FDCWD, dir.string(), dir, errno);
    out.fd.reset(fd);
    out.path = dir;
    return IoResult::Ok();
}

IoResult OpenFolderBeneath(const FolderHandle& base, const fs::path& relative, bool create, FolderHandle& out)
{
    FolderHandle at;
    at.fd.reset(::fcntl(base.fd.get(), F_DUPFD_CLOEXEC, 0));
    at.path = base.path;
    if (at.fd.get() < 0)
        return Cannot("open the folder", base.path, SysError());
    for (const fs::path& p : relative) {
        const std::string part = p.string();
        const fs::path shown = at.path / p;
        if (part.empty() || part == "." || part == ".." || part == "/")
            return Cannot("open the folder", base.path / relative, "it does not lie inside " + Quoted(base.path));
        if (create && ::mkdirat(at.fd.get(), part.c_str(), 0777) != 0 && errno != EEXIST)
            return IoResult::Fail("Cannot create the folder " + Quoted(shown) + ": " + SysError() + ".");
        const int fd = OpenPartBeneath(at.fd.get(), part);
        if (fd < 0)
            return FolderRefused(at.fd.get(), part, shown, errno);
        at.fd.reset(fd);
        at.path = shown;
    }
    out = std::move(at);
    return IoResult::Ok();
}

IoResult WriteFileThrough(const fs::path& target, const FileWriter& write, WriteOptions options)
{
    fs::path file;
    if (std::string why = FinalTarget(target, file); !why.empty())
        return Cannot("write", target, why);
    const fs::path dir = file.has_parent_path() ? file.parent_path() : fs::path(".");
    const UniqueFd folder(OpenDirectory(AT_FDCWD, dir.c_str()));
    if (folder.get() < 0)
        return Cannot("write", target, SysError());
    const std::string name = file.filename().string();
    return WriteAt({folder.get(), name, SaveTempLeaf(name), target}, write, options);
}

IoResult WriteFileInFolder(const FolderHandle& dir, const std::string& name, const FileWriter& write, WriteOptions options)
{
    return WriteAt({dir.fd.get(), name, SaveTempLeaf(name), dir.path / name}, write, options);
}

FileWriter WriterOf(std::span<const std::uint8_t> bytes)
{
    return [bytes](int fd, std::uint64_t& size) -> std::string {
        size = bytes.size();
        return WriteFullAt(fd, bytes, 0) == bytes.size() ? std::string() : WriteError();
    };
}

IoResult WriteFileAtomic(const fs::path& target, std::span<const std::uint8_t> bytes, WriteOptions options)
{
    return WriteFileThrough(target, WriterOf(bytes), options);
}

std::uint64_t CopyFileBytes(int in, int out, std::uint64_t count)
{
    constexpr std::uint64_t kKernelChunk = 1u << 30;
    constexpr std::size_t kBufferChunk = 1u << 20;
    std::uint64_t done = 0;
    bool kernel = true;
    std::vector<std::uint8_t> buffer;
    while (done < count) {
        if (kernel) {
            loff_t from = static_cast<loff_t>(done);
            loff_t to = static_cast<loff_t>(done);
            const ssize_t n = ::copy_file_range(in, &from, out, &to, static_cast<std::size_t>(std::min(count - done, kKernelChunk)), 0);
            if (n > 0) {
                done += static_cast<std::uint64_t>(n);
                continue;
            }
            if (n == 0) {
                errno = 0;
                return done;
            }
            if (errno == EINTR)
                continue;
            // Not offered by this kernel or between these files: reads and writes do the rest,
            // and report any real fault themselves.
            if (errno != ENOSYS && errno != EXDEV && errno != EOPNOTSUPP && errno != EINVAL && errno != EBADF)
                return done;
            kernel = false;
        }
        buffer.resize(kBufferChunk);
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(count - done, kBufferChunk));
        const std::ptrdiff_t got = ReadFullAt(in, std::span(buffer).first(want), done);
        if (got <= 0) {
            if (got == 0)
                errno = 0;
            return done;
        }
        const std::size_t put = WriteFullAt(out, std::span(buffer).first(static_cast<std::size_t>(got)), done);
        done += put;
        if (put < static_cast<std::size_t>(got)) {
            if (errno == 0)
                errno = EIO; // a write that moved nothing
            return done;
        }
    }
    errno = 0;
    return done;
}

std::string CopyAllBytes(int in, int out, std::uint64_t size, const fs::path& source)
{
    if (CopyFileBytes(in, out, size) == size)
        return {};
    return errno != 0 ? SysError() : Quoted(source) + " became shorter while it was copied";
}

} // namespace kx4

// The shared file layer: what it refuses to open, and how a save replaces the user's file.
#include "data/FileIO.h"

#include "FileSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

using namespace kx4;
using namespace kx4::test;
namespace fs = std::filesystem;

namespace {

const std::vector<std::uint8_t> kOld{1, 2, 3, 4, 5, 6, 7, 8};
const std::vector<std::uint8_t> kNew{9, 8, 7};

struct stat Stat(const fs::path& p)
{
    struct stat st {};
    EXPECT_EQ(::lstat(p.c_str(), &st), 0) << p;
    return st;
}

WriteOptions Named()
{
    WriteOptions o;
    o.unnamedTemp = false;
    return o;
}

void MakeSocket(const fs::path& p)
{
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    ASSERT_LT(p.string().size(), sizeof addr.sun_path);
    std::strcpy(addr.sun_path, p.c_str());
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(s);
}

} // namespace

TEST(RegularFiles, FifosSocketsAndFoldersAreRefusedWithoutWaitingOrChange)
{
    TempDir dir;
    const fs::path fifo = dir / "pipe.KQC";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    MakeSocket(dir / "sock.KQC");
    fs::create_directory(dir / "folder.KQC");
    fs::create_symlink(fifo, dir / "link.KQC");
    FifoRescue rescue(fifo);

    for (const std::string name : {"pipe.KQC", "sock.KQC", "link.KQC", "folder.KQC"}) {
        const fs::path p = dir / name;
        const std::string why = Quoted(p) + (name == "folder.KQC" ? " is a folder." : " is not a regular file.");
        std::vector<std::uint8_t> bytes;
        EXPECT_EQ(ReadWholeFile(p, bytes).message, why);
        std::array<std::uint8_t, 16> start{};
        std::size_t got = 1;
        std::uintmax_t size = 0;
        EXPECT_EQ(ReadFileStart(p, start, got, size).message, why);
        EXPECT_EQ(got, 0u);
        int fd = 0;
        EXPECT_EQ(OpenRegularFile(p, O_WRONLY | O_CREAT, fd).message, why);
        EXPECT_EQ(fd, -1);
        for (const WriteOptions& o : {WriteOptions(), Named()})
            EXPECT_EQ(WriteFileAtomic(p, kNew, o).message, why);
    }
    EXPECT_FALSE(rescue.Rescued()) << "an open waited for a writer";
    EXPECT_TRUE(S_ISFIFO(Stat(fifo).st_mode));
    EXPECT_TRUE(S_ISSOCK(Stat(dir / "sock.KQC").st_mode));
    EXPECT_TRUE(S_ISLNK(Stat(dir / "link.KQC").st_mode));
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"folder.KQC", "link.KQC", "pipe.KQC", "sock.KQC"}));

    // A missing file is named as such; with O_CREAT it is made.
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ReadWholeFile(dir / "gone", bytes).message, "Cannot open " + Quoted(dir / "gone") + ": No such file or directory.");
    int fd = -1;
    ASSERT_TRUE(OpenRegularFile(dir / "new", O_WRONLY | O_CREAT, fd));
    EXPECT_GE(fd, 0);
    ::close(fd);
}

TEST(SafeWrite, ASymbolicLinkIsFollowedToTheFileItNames)
{
    for (const WriteOptions& o : {WriteOptions(), Named()}) {
        TempDir dir;
        fs::create_directory(dir / "real");
        WriteBytes(dir / "real" / "Panel.KQC", kOld);
        fs::create_symlink("real/Panel.KQC", dir / "near.KQC");   // relative to its folder
        fs::create_symlink(dir / "near.KQC", dir / "far.KQC");     // a link to a link
        ASSERT_TRUE(WriteFileAtomic(dir / "far.KQC", kNew, o));
        EXPECT_EQ(ReadBytes(dir / "real" / "Panel.KQC"), kNew);
        EXPECT_TRUE(fs::is_symlink(dir / "near.KQC"));
        EXPECT_TRUE(fs::is_symlink(dir / "far.KQC"));

        // A link to a file not made yet makes that file.
        fs::create_symlink("real/Later.KQC", dir / "later.KQC");
        ASSERT_TRUE(WriteFileAtomic(dir / "later.KQC", kOld, o));
        EXPECT_EQ(ReadBytes(dir / "real" / "Later.KQC"), kOld);
        EXPECT_TRUE(fs::is_symlink(dir / "later.KQC"));
        EXPECT_EQ(Entries(dir / "real"), (std::vector<std::string>{"Later.KQC", "Panel.KQC"}));
        EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"far.KQC", "later.KQC", "near.KQC", "real"}));

        fs::create_symlink("loop2", dir / "loop1");
        fs::create_symlink("loop1", dir / "loop2");
        EXPECT_EQ(WriteFileAtomic(dir / "loop1", kNew, o).message,
                  "Cannot write " + Quoted(dir / "loop1") + ": Too many levels of symbolic links.");
    }
}

TEST(SafeWrite, TheOldFileKeepsItsModeAndOwnerAndItsOtherNamesTheOldBytes)
{
    for (const WriteOptions& o : {WriteOptions(), Named()}) {
        TempDir dir;
        const fs::path file = dir / "Panel.KQC";
        WriteBytes(file, kOld);
        ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
        ASSERT_EQ(::link(file.c_str(), (dir / "other-name").c_str()), 0);
        ASSERT_TRUE(WriteFileAtomic(file, kNew, o));
        EXPECT_EQ(ReadBytes(file), kNew);
        EXPECT_EQ(Stat(file).st_mode & 07777, 0640u);
        EXPECT_EQ(Stat(file).st_uid, ::geteuid());
        EXPECT_EQ(ReadBytes(dir / "other-name"), kOld) << "a hard link keeps the old bytes";

        // A new file gets the usual permissions.
        const mode_t mask = ::umask(022);
        ASSERT_TRUE(WriteFileAtomic(dir / "New.KQC", kNew, o));
        EXPECT_EQ(Stat(dir / "New.KQC").st_mode & 07777, 0644u);
        ::umask(mask);

        if (RunningAsRoot()) { // root saving another user's private file leaves it theirs
            ASSERT_EQ(::chown(file.c_str(), 12345, 23456), 0);
            ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
            ASSERT_TRUE(WriteFileAtomic(file, kOld, o));
            EXPECT_EQ(ReadBytes(file), kOld);
            EXPECT_EQ(Stat(file).st_uid, 12345u);
            EXPECT_EQ(Stat(file).st_gid, 23456u);
            EXPECT_EQ(Stat(file).st_mode & 07777, 0600u);
        }
    }
}

TEST(SafeWrite, AFileItsUserCannotWriteIsRefusedUnchanged)
{
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const fs::path file = dir / "Panel.KQC";
    WriteBytes(file, kOld);
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    const std::string refused = "Cannot write " + Quoted(file) + ": the file is read-only.";
    for (const WriteOptions& o : {WriteOptions(), Named()})
        EXPECT_EQ(WriteFileAtomic(file, kNew, o).message, refused);
    EXPECT_EQ(ReadBytes(file), kOld);
    EXPECT_EQ(Stat(file).st_mode & 07777, 0444u);

    // Writable by its owner only, and saved by someone else from a folder open to all.
    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
    if (!RunningAsRoot()) {
        ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    }
    const int status = RunUnprivileged([&] {
        const IoResult r = WriteFileAtomic(file, kNew);
        return r ? 1 : r.message == refused ? 0 : 2;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadBytes(file), kOld);
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"Panel.KQC"});
}

TEST(SafeWrite, AFolderThatTakesNoNewFileGetsTheFileWrittenInPlace)
{
    for (const WriteOptions& o : {WriteOptions(), Named()}) {
        TempDir dir;
        ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
        const fs::path file = dir / "Panel.KQC";
        WriteBytes(file, kOld);
        // Root may add files anywhere: the file is given to the user the save runs as.
        if (RunningAsRoot()) {
            ASSERT_EQ(::chown(file.c_str(), kOtherUser, kOtherUser), 0);
        } else {
            ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
        }
        const ino_t inode = Stat(file).st_ino;

        const int status = RunUnprivileged([&] {
            if (!WriteFileAtomic(file, kNew, o))
                return 1;
            return WriteFileAtomic(dir / "New.KQC", kNew, o).message ==
                           "Cannot write " + Quoted(dir / "New.KQC") + ": Permission denied."
                       ? 0 : 2;
        });
        ::chmod(dir.path().c_str(), 0755);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(ReadBytes(file), kNew) << "written and cut to the new length";
        EXPECT_EQ(Stat(file).st_ino, inode);
        EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"Panel.KQC"});
    }
}

TEST(SafeWrite, LongNamesSaveAndOnlyTheTargetsOwnLeftoverIsRemoved)
{
    for (const WriteOptions& o : {WriteOptions(), Named()}) {
        TempDir dir;
        for (const std::size_t length : {250u, 255u}) {
            const fs::path file = dir / (std::string(length - 4, 'n') + ".KQC");
            ASSERT_TRUE(WriteFileAtomic(file, kNew, o)) << length;
            EXPECT_EQ(ReadBytes(file), kNew);
        }
        EXPECT_EQ(Entries(dir.path()).size(), 2u);

        // What a killed write of each of two files left; and files of the user that look alike.
        const fs::path file = dir / "Panel.KQC";
        WriteBytes(file, kOld);
        WriteBytes(SaveTempName(file), kOld);
        WriteBytes(SaveTempName(dir / "Other.KQC"), kOld);
        WriteBytes(dir / ".Panel.KQC.tmp", kOld);
        ASSERT_TRUE(WriteFileAtomic(file, kNew, o));
        EXPECT_FALSE(fs::exists(SaveTempName(file)));
        EXPECT_TRUE(fs::exists(SaveTempName(dir / "Other.KQC")));
        EXPECT_TRUE(fs::exists(dir / ".Panel.KQC.tmp"));
        EXPECT_EQ(Entries(dir.path()).size(), 5u);

        // A save of the same file under way in another program holds its temporary file; a folder
        // at that name is no leftover either. Both stay, and so does the file.
        const fs::path temp = SaveTempName(file);
        WriteBytes(temp, kOld);
        {
            const UniqueFd other(::open(temp.c_str(), O_RDONLY | O_CLOEXEC));
            ASSERT_EQ(::flock(other.get(), LOCK_EX), 0);
            EXPECT_EQ(WriteFileAtomic(file, kOld, o).message,
                      "Cannot write " + Quoted(file) + ": another save of this file is under way; start again when it has finished.");
        }
        EXPECT_EQ(ReadBytes(temp), kOld);
        fs::remove(temp);
        fs::create_directory(temp);
        EXPECT_EQ(WriteFileAtomic(file, kOld, o).message,
                  "Cannot write " + Quoted(file) + ": " + Quoted(temp) + " stands in the way of the save; remove it and start again.");
        EXPECT_EQ(ReadBytes(file), kNew);
        fs::remove(temp);
    }
}

TEST(SafeWrite, AWritePastTheFileSizeLimitFailsWithAMessageInsteadOfEndingTheProgram)
{
    TempDir dir;
    const fs::path file = dir / "Big.KQC";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) { // the limit and the signal stay in this process
        IgnoreFileSizeSignal();
        rlimit small{};
        ::getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &small);
        const IoResult r = WriteFileAtomic(file, std::vector<std::uint8_t>(8192, 1));
        ::_exit(!r && r.message == "Cannot write " + Quoted(file) + ": File too large." ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the message names the file and the reason";
    EXPECT_FALSE(fs::exists(file));
}

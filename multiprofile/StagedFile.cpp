#include "multiprofile/StagedFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx4 {
namespace fs = std::filesystem;

StagedFile::~StagedFile() { Discard(); }

void StagedFile::Discard()
{
    if (temp_.empty())
        return;
    (void)sink_.Close();
    std::error_code ec;
    fs::remove(temp_, ec);
    temp_.clear();
}

IoResult StagedFile::Create(const fs::path& target)
{
    Discard();
    target_ = target;
    std::string name = (target.parent_path() / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return IoResult::Fail("Cannot write " + Quoted(target) + ": " + std::strerror(errno) + ".");
    ::close(fd);
    temp_ = name;
    if (IoResult r = sink_.Open(temp_); !r) {
        Discard();
        return r;
    }
    return IoResult::Ok();
}

IoResult StagedFile::Commit()
{
    const auto fail = [&](const std::string& why) {
        Discard();
        return IoResult::Fail("Cannot write " + Quoted(target_) + ": " + why + ".");
    };
    if (IoResult r = sink_.Flush(); !r) {
        Discard();
        return r;
    }
    if (IoResult r = sink_.Close(); !r) {
        Discard();
        return r;
    }
    // mkstemp made it private; the image file is an ordinary file of its user.
    mode_t mode = 0666;
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::chmod(temp_.c_str(), mode) != 0 || ::rename(temp_.c_str(), target_.c_str()) != 0)
        return fail(std::strerror(errno));
    temp_.clear();
    const int dir = ::open(target_.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) { // the rename itself made durable
        ::fsync(dir);
        ::close(dir);
    }
    return IoResult::Ok();
}

} // namespace kx4

#include "base/regularfile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFile::~RegularFile() {
    Close();
}

bool RegularFile::Fail(Failure failure, int error) {
    failure_ = failure;
    error_ = error;
    Close();
    return false;
}

bool RegularFile::Open(const QString& path, qint64 maxBytes) {
    Close();
    failure_ = Failure::None;
    error_ = 0;
    size_ = 0;
    total_ = 0;
    maxBytes_ = maxBytes;
    const QFileInfo info(path);
    if (!info.exists()) return Fail(Failure::Missing);
    if (!info.isFile()) return Fail(Failure::NotRegular);
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) return Fail(errno == ENOENT ? Failure::Missing : Failure::NotOpened, errno);
    // What was opened may not be what was looked at a moment before.
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return Fail(Failure::NotRegular);
    size_ = static_cast<qint64>(st.st_size);
    return true;
}

qint64 RegularFile::Read(char* buffer, qint64 capacity) {
    if (fd_ < 0) return -1;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, static_cast<size_t>(capacity));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            Fail(Failure::NotRead, errno);
            return -1;
        }
        // A file that grew since it was opened is refused too.
        total_ += got;
        if (total_ > maxBytes_) {
            Fail(Failure::TooLarge);
            return -1;
        }
        return static_cast<qint64>(got);
    }
}

void RegularFile::Close() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

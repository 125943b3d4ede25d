#pragma once

#include <QString>
#include <QtGlobal>

// A file read only when it is a regular file (a folder, a pipe or a device of that name, or a link to
// one, is refused before a byte is read), opened without waiting, so that a pipe put there in the
// meantime cannot hold the program up, and read to at most a given number of bytes. It says what went
// wrong and leaves the reporting to its caller.
class RegularFile {
  public:
    enum class Failure {
        None,
        Missing,    // nothing stands at that name
        NotRegular, // something that is not a regular file
        NotOpened,  // the system refused to open it (System_Error says why)
        TooLarge,   // more bytes than the bound
        NotRead,    // a read failed (System_Error says why)
    };

    RegularFile() = default;
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // Opens the file for reads of at most maxBytes in all; false when it cannot be (Why() says why).
    bool Open(const QString& path, qint64 maxBytes);
    // The size the file had when it was opened.
    qint64 Size() const { return size_; }
    // The next bytes into the buffer: their count, 0 at the end, or -1 when the read failed or the
    // file holds more than the bound (Why() says which).
    qint64 Read(char* buffer, qint64 capacity);
    void Close();

    Failure Why() const { return failure_; }
    int System_Error() const { return error_; }

  private:
    int fd_ = -1;
    qint64 size_ = 0;
    qint64 maxBytes_ = 0;
    qint64 total_ = 0;
    Failure failure_ = Failure::None;
    int error_ = 0;

    bool Fail(Failure failure, int error = 0);
};

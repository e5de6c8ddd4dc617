// An open file of the system, closed when it goes: a failure or an exception
// between opening and closing leaves nothing open.
#pragma once

#include <cerrno>
#include <unistd.h>

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool opened() const { return fd_ >= 0; }
    int get() const { return fd_; }
    // Closes it now; the close's errno (0 when it went well, or it was not open).
    int close() {
        if (fd_ < 0) return 0;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

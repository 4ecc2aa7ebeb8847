#include "_Library/File_locks.hpp"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "_Library/Text_files.hpp"

int Exclusive_lock::acquire(const std::string& name) {
  release();
  const int descriptor = ::open(native_path(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (descriptor < 0) return errno;
  if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno == EAGAIN ? EWOULDBLOCK : errno;
    ::close(descriptor);
    return error;
  }
  descriptor_ = descriptor;
  return status_ok;
}

void Exclusive_lock::release() {
  if (descriptor_ < 0) return;
  ::close(descriptor_);   // closing the descriptor releases the lock
  descriptor_ = -1;
}

int rename_without_replacing(const std::string& from, const std::string& to) {
  const std::string source = native_path(from), target = native_path(to);
  // A hard link is made only when the name is free: the atomic test and claim in one step.
  if (::link(source.c_str(), target.c_str()) == 0) {
    ::unlink(source.c_str());
    return status_ok;
  }
  if (errno == EEXIST) return EEXIST;
  // A file system without hard links: test, then rename.
  if (file_exists(target)) return EEXIST;
  return std::rename(source.c_str(), target.c_str()) == 0 ? status_ok : errno;
}

long this_process_id() { return static_cast<long>(::getpid()); }

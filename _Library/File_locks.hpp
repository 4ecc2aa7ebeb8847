// Files that only one process may hold or put in place at a time: an exclusive lock on a lock
// file, which the system releases when its holder ends in any way (a killed process leaves no
// stale lock), and a rename that never replaces a file already there.
#pragma once

#include <string>

class Exclusive_lock {
 public:
  Exclusive_lock() = default;
  ~Exclusive_lock() { release(); }
  Exclusive_lock(const Exclusive_lock&) = delete;
  Exclusive_lock& operator=(const Exclusive_lock&) = delete;

  // Creates the lock file name when absent and takes its lock without waiting. status_ok, EWOULDBLOCK
  // when another process holds it, else errno of the failure.
  [[nodiscard]] int acquire(const std::string& name);
  void release();
  bool held() const { return descriptor_ >= 0; }

 private:
  int descriptor_ = -1;
};

// Renames from to to when no file is named to: status_ok, EEXIST when one is (from is left
// as it is), else errno of the failure.
[[nodiscard]] int rename_without_replacing(const std::string& from, const std::string& to);

// The id of this process, for names that no other running process uses.
long this_process_id();

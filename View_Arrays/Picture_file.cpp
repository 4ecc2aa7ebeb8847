#include "View_Arrays/Picture_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

std::string write_picture_file(const std::string& path, std::string_view content) {
  const std::string part = path + ".part";
  std::FILE* file = std::fopen(part.c_str(), "wb");
  if (file == nullptr) return "cannot write " + path + ": " + std::strerror(errno);
  const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  const int write_error = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    const int error = !written ? write_error : errno;
    std::remove(part.c_str());
    return "cannot write " + path + ": " + std::strerror(error);
  }
  if (std::rename(part.c_str(), path.c_str()) != 0) {
    const int error = errno;
    std::remove(part.c_str());
    return "cannot write " + path + ": " + std::strerror(error);
  }
  return {};
}

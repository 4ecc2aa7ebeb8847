#include "View_Arrays/Picture_file.hpp"

#include "_Library/Text_files.hpp"

std::string write_picture_file(const std::string& path, std::string_view content) {
  Staged_file file(path);
  file.write(content);
  const std::string failure = file.commit();
  return failure.empty() ? failure : "cannot write " + failure;
}

std::string svg_text(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      // As in the PNG captions, a byte outside printable ASCII shows as "?", which keeps the
      // file valid XML whatever bytes a file name holds.
      default: escaped += (c < 32 || c > 126) ? '?' : c;
    }
  }
  return escaped;
}

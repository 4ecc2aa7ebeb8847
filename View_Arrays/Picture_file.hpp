// Pictures are written whole or not at all: the bytes go to the name followed by ".part", which
// is renamed to the name once complete, so a failed write never leaves half a picture.
#pragma once

#include <string>
#include <string_view>

// Writes content to path; empty, or one line that says what failed ("cannot write x.svg: ...").
std::string write_picture_file(const std::string& path, std::string_view content);

// Writing pictures: a picture is written whole or not at all (through its name followed by
// ".part", renamed once complete), and text in an SVG picture is escaped one way.
#pragma once

#include <string>
#include <string_view>

// Writes content to path; empty, or one line that says what failed ("cannot write x.svg: ...").
std::string write_picture_file(const std::string& path, std::string_view content);

// Text for an SVG text element: "&", "<" and ">" escaped, and a byte outside printable ASCII
// shown as "?".
std::string svg_text(std::string_view text);

// Texts for the status codes of failed file operations.
#pragma once

#include <string>

// The 62-character blank-padded text of a status code (the iostat message): operating-system
// error numbers -2..31, statement errors 200..217, file-library errors 10000..10069, and
// "IO Error" with the code for any other. Callers print it without its trailing blanks.
std::string iostat_text(int code);
// The same, without trailing blanks: what callers print after their own words.
std::string iostat_message(int code);

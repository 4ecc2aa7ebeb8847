// Shared by the fuzz targets: a private working folder for the whole fuzzing process.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Creates (once) a fresh temporary folder, makes it the working folder and returns it.
const std::filesystem::path& fuzz_working_dir();
// Replaces the contents of a file in the working folder.
void fuzz_write_file(const std::filesystem::path& file, std::string_view contents);

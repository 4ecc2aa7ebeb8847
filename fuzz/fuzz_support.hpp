// Shared by the fuzz targets: a private working folder for the whole fuzzing process.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "tests/support/Test_database.hpp"   // write_text, read_text, folder_contents

// Creates (once) a fresh temporary folder, makes it the working folder and returns it.
const std::filesystem::path& fuzz_working_dir();

// The path prompts of the options menu: the database folder, checked by opening the essential-set
// file of order 2 of the generated database under it, and the output pathname, completed by
// fixed rules to a file name.
#include "Read_Database/Vellumcairn_Path_prompts.hpp"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

#include "_Library/Console_io.hpp"
#include "_Library/Database_format.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"
#include "Read_Database/Vellumcairn_User_Interface.hpp"
#include "_Library/iostat_table.hpp"

namespace {

constexpr std::size_t path_length = 132;
const std::string example_indent(10, ' ');

void show_lines(Console& console, std::initializer_list<std::string_view> lines) {
  for (std::string_view line : lines) console.line(line);
}

}  // namespace

void show_database_examples(Console& console, bool unix_style) {
  console.line("Input the pathname of the database folder.  Examples:");
  if (unix_style) {
    console.line("For a CD-ROM or DVD with name \"Costas Arrays\" (the default), use:");
    console.line(example_indent + "/media/Costas Arrays/");
    console.line("For folder Vellumcairn in your home folder, use:");
    console.line(example_indent + "./Vellumcairn ");
    console.line("For a folder on your desktop, use:");
    console.line(example_indent + "./desktop/Vellumcairn");
  } else {
    console.line("For a CD-ROM mapped as drive D: in My Computer, use:");
    console.line(example_indent + "D:\\");
    console.line("For folder Vellumcairn in your My Documents folder, use:");
    console.line(example_indent +
                 "C:\\Documents and Settings\\<username>\\My Documents\\Vellumcairn ");
    console.line("For a folder on your C: drive sumply enter the path:");
    console.line(example_indent + "C:\\Vellumcairn");
  }
}

void show_output_examples(Console& console, bool unix_style) {
  show_lines(console,
             {"", "Please provide a path or pathname for \"Output.txt\".", "Examples are:"});
  if (unix_style) {
    show_lines(console, {"   /home/<username>/Vellumcairn_Outputs",
                         "   ./desktop/         [file will be Output.txt on desktop]",
                         "   .                  [file will be ./Output.txt]",
                         "   .\\out1.txt         [file will be ./out1.txt]",
                         "Paths should end in \"/\" and a default file name of"});
  } else {
    show_lines(console, {"   C:\\Documents and Settings\\<username>\\My Documents",
                         "   C:\\                [file will be C:\\Output.txt]",
                         "   C:\\mydata\\         [file will be C:\\mydata\\Output.txt]",
                         "   C:\\mydata\\out1.txt [file will be C:\\mydata\\out1.txt]",
                         "Paths should end in \"\\\" and a default file name of"});
  }
  show_lines(console, {"Output.txt will be used.", "",
                       "Please note that if this file exists it will be overwritten",
                       "unless you use the APPEND option.", ""});
}

namespace {

// 1-based position of the last c in text, 0 when there is none.
std::size_t last_position(std::string_view text, char c) {
  const std::size_t at = text.rfind(c);
  return at == std::string_view::npos ? 0 : at + 1;
}

}  // namespace

// The Windows style ends the folder in "\\"; the Unix style in "/", unless it already ends in
// either separator (a "\\" is taken as "/" when the files are opened).
std::string complete_database_path(std::string_view answer, bool unix_style) {
  std::string path(trim(answer.substr(0, std::min(answer.size(), path_length))));
  if (!path.empty() && path.back() != '\\' && !(unix_style && path.back() == '/')) {
    path += unix_style ? '/' : '\\';
  }
  return path.substr(0, std::min(path.size(), path_length));
}

// A drive ("D:") gets "\", a folder ending in "\" or "/" gets "Output.txt", a lone "." gets
// "\Output.txt", and a name without an ending of up to three characters gets ".txt".
std::string complete_output_pathname(std::string_view answer) {
  std::string name(trim(answer.substr(0, std::min(answer.size(), path_length))));
  if (last_position(name, ':') == name.size()) name += '\\';
  // A folder gets the default file name, whichever separator ends it: the example screens
  // promise Output.txt for a path ending in "/" as well.
  if (!name.empty() && (name.back() == '\\' || name.back() == '/')) name += "Output.txt";
  if (name == ".") name += "\\Output.txt";
  if (last_position(name, '.') + 3 < name.size()) name += ".txt";
  return name.substr(0, std::min(name.size(), path_length));
}

void ask_database_path(Options& options, Console& console) {
  for (;;) {
    show_database_examples(console, unix_paths);
    options.database_path = complete_database_path(console.read_line(), unix_paths);
    // The order-2 essential-set file of the generated database shows that the path is right.
    const std::string check_file = database_file_name(
        options.database_path + std::string(generated_folder) + "/", essential_kind, 2);
    Text_input check;
    const int status = check.open(check_file);
    if (status == status_ok) return;
    console.line("###The path" + options.database_path +
                 " has read error: " + iostat_message(status));
    console.line("Please make sure that you have the path correct and try again.");
  }
}

void ask_output_pathname(Options& options, Console& console) {
  show_output_examples(console, unix_paths);
  options.output_pathname = complete_output_pathname(console.read_line());
}

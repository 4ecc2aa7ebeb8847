// The help screens: a numbered menu with one fixed text per option, and a reset of all options
// to the program defaults.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "_Library/Console_io.hpp"
#include "_Library/Integer_input.hpp"
#include "Read_Database/Vellumcairn_Globals.hpp"
#include "_Library/Text_layout.hpp"
#include "Read_Database/Vellumcairn_Method_list.hpp"
#include "Read_Database/Vellumcairn_User_Interface.hpp"

namespace {

using Lines = std::initializer_list<std::string_view>;

void show_lines(Console& console, Lines lines) {
  for (std::string_view line : lines) console.line(line);
}

// Shown after the texts of the longer items: a single blank as the prompt, the answer unused.
void wait_for_enter(Console& console) {
  console.line(" ");
  console.read_line();
}

void show_introduction(Console& console) {
  // The console texts are fixed, misspellings included: "arrrays" stays as users have always seen it.
  show_lines(console, {"The user interface screen contains a table to help the",
                       "user select the order for Costas arrays.  This table is above the",
                       "menu and has rows of asterisks above and below it.  Shown are the",
                       "number of all, essential, symmetrical, and G-symmetrical Costas",
                       "arrrays for the current selection of order.  A search is made over",
                       "orders lower and higher than the order selected to find orders in",
                       "which a nonzero number of each type is found.", ""});
}

// The help's list is fixed as users know it: it says order 26 for the searched database, and
// its items 8 to 10 (database path, polynomials, field order) are the menu's 10, 8 and 9.
void show_help_menu(Console& console) {
  show_lines(console, {"Select option for help on that item:",
                       "0, EXIT HELP and go back to options menu"});
  console.line("1, T => all CAs to order 26; F => generated CAs to order" +
               fixed_int(MAX_GENERATED_ORDER, 4));
  show_lines(console, {"2, Order of CAs for output",
                       "3, T => filter by generator method; F => output all",
                       "4, If previous option is T, filter by generator method 1 to 19",
                       "5, 1 => All, 2 => Essential, 3 => Symmetrical, 4 => G-Symmetrical",
                       "6, 0 => Output CAs are row indices from 0 to N-1, 1 => from 1 to N",
                       "7, APPEND => append to existing output files; REWIND => overwrite",
                       "8, Path for database top-level folder",
                       "9, Toggle option to find generator polynomial in Galois field",
                       "10, Order of Galois field",
                       "11, Pathname for output text",
                       "12, SPECIAL:  set user options to program defaults and try again.", ""});
}

void show_database_item(Console& console) {
  console.line("This is the database used in output.  Costas array full searches");
  console.line("are available for orders 3 through" + fixed_int(MAX_SEARCH_ORDER, 3) +
               ".  Generated Costas arrays are");
  console.line("available up to order" + fixed_int(MAX_GENERATED_ORDER, 4) +
               ".  Note that the generated Costas arrays include");
  console.line("all known Costas arrays of order above" + fixed_int(MAX_SEARCH_ORDER, 3) +
               ".  Generator methods are not");
  console.line("available for the searched data base, so use the generated data base for");
  console.line("orders below" + fixed_int(MAX_SEARCH_ORDER, 3) + ".");
  console.line("");
}

// Fixed text: it names 26 as the searched database's last order, as the help always has.
void show_order_item(Console& console) {
  console.line("This is the order of the Costas arrays that you select for output.");
  console.line("When you use the Searched database, this must be between 3 and" +
               fixed_int(26, 3) + ".  For the");
  console.line("database of generated Costas arrays, this must be between 2 and" +
               fixed_int(MAX_GENERATED_ORDER, 4) + ".");
  console.line("");
}

void show_method_item(Console& console) {
  show_lines(console, {"This is the generator method.  Only Costas arrays produced by the",
                       "selected method will be output.  Selections are:"});
  for (std::string_view line : method_list) console.line(line);
  console.line("");
  wait_for_enter(console);
}

void show_symmetry_item(Console& console) {
  show_lines(console,
             {"This selects the Costas array database to be used.  They are:",
              "  All, for all Costas arrays of this order.",
              "  Essential, for only the essential set of Costas arrays.",
              "  Symmetrical, for only Costas arrays that are symmetrical.",
              "  G-symmetrical, for only G-symmetrical Costas arrays", "",
              "The essential set of Costas arrays includes only one of each set of 4 or 8",
              "Costas arrays that are formed by transposing and rotating a given Costas",
              "array.  Note:",
              "  Rotating a Costas array 90 degrees clockwise == rows reversed, transposed",
              "  Rotating a Costas array 180 degrees clockwise == rows and columns reversed",
              "  Rotating a Costas array 270 degrees clockwise == cols reversed, transposed", "",
              "Symmetry is symmetry about the main diagonal.", "",
              "G-symmetry is glide symmetry, meaning that the",
              "right half of a permutation matrix is the same as the left half with the",
              "rows reversed; the right half is the left half, upside down.  Odd order",
              "Costas arrays can only be G-symmetric if the middle index is (N-1)/2.", ""});
  wait_for_enter(console);
}

void show_short_item(Console& console, std::int32_t item) {
  switch (item) {
    case 3:
      show_lines(console,
                 {"Selecting this option will toggle between T (true) and F (false).",
                  "When you select T, you should specify a generator method to filter the output",
                  "with the next option", ""});
      break;
    case 6:
      show_lines(console, {"This option toggles the starting index of output Costas arrays.",
                           "  0 here means output Costas arrays are indexed from 0 to N-1.",
                           "  1 here means output Costas arrays are indexed from 1 to N.", ""});
      break;
    case 7:
      show_lines(console, {"This option toggles whether output files are appended with new",
                           "runs or whether new runs overwrite any existing output files.", ""});
      break;
    case 9:
      show_lines(console,
                 {"Selecting this option toggles the option for finding generator",
                  "polynomials in a Galois field.  Leave as F unless you are interested in",
                  "this output."});
      break;
    default:
      break;
  }
}

void show_path_item(Console& console) {
  show_lines(console,
             {"This is the path to the database folder.  It must be correct for",
              "the program to run.  A check is made to see if the files are there when",
              "this option is changed.  If the files are on a CD-ROM that your system,",
              "as shown in the \"My Computer\" folder, maps to drive letter D, this",
              "path is \"D:\\\".  If you have the database files on your computer, this",
              "is the path to the folder that contains the database folders \"Generated\"",
              "and \"Searches\".  As a special feature, if you input simply \".\" the",
              "output pathname will be set to \"./Output.txt\" which will write",
              "Output.txt to the same folder as this program, along with the two",
              "files Output.csv and Output_methods.csv.", ""});
}

void show_field_order_item(Console& console) {
  // The console texts are fixed, misspellings included: "coeffieicients" stays as users have
  // always seen it.
  show_lines(
      console,
      {"If the option for finding generator polynomials in a Galois",
       "field is T, this will be done and the coeffieicients will be given below the",
       "row indices for the Costas array.  The output will be given as the powers",
       "of the primitive element x that give the coefficients of the polynomial,",
       "beginning with the x^0 coefficient.  A \"-99\" indicates a zero.  The default",
       "for this option is the lowest feasible order q of a Galois field",
       "(Costas order + 2 or higher, q=p&k, p a prime).  If you enter a number",
       " here, the Galois field will be at that order or, if it is not a power of a prime",
       " or is too low, the next highest feasible order."});
}

void show_output_item(Console& console) {
  show_lines(console,
             {"This is the path to the output files, including the name of the",
              "output text file.  Two other files will be written, one with the same name",
              "as the output text file but with the extent \".csv\" and the other with",
              "\"_methods\" added to the name and also with the extent \".csv\" so that",
              "the output Costas arrays and the method text can be easily read by",
              "Microsoft (R) Excel (T), Matlab (R), and other utilities.", ""});
}

void show_item(Console& console, std::int32_t item) {
  switch (item) {
    case 1: show_database_item(console); break;
    case 2: show_order_item(console); break;
    case 4: show_method_item(console); break;
    case 5: show_symmetry_item(console); break;
    case 8: show_path_item(console); break;
    case 10: show_field_order_item(console); break;
    case 11: show_output_item(console); break;
    default: show_short_item(console, item); break;
  }
}

}  // namespace

void show_help(Options& options, const Dialogue& dialogue, Number_Theory_M& number_theory) {
  Console& console = dialogue.console;
  show_introduction(console);
  for (;;) {
    show_help_menu(console);
    const std::optional<std::int32_t> item = read_integer_answer(console);
    if (!item) {
      console.line("###The answer was not a whole number; please enter an item from 0 to 12.");
      continue;
    }
    if (*item == 0) return;
    if (*item == 12) {
      // The defaults reach the options file only when the user leaves the menu with choice 0.
      set_default_options(options, number_theory);
      choose_database(options, dialogue.status, false);
      return;
    }
    if (*item >= 1 && *item <= 11) {
      show_item(console, *item);
    } else {
      console.line(free_form("###Help item", *item, "is not on the list; please enter 0 to 12."));
    }
  }
}

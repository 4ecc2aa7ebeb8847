// Everything the program keeps for the whole process: its owner hands each unit the parts it uses.
#pragma once

#include "_Library/Console_io.hpp"
#include "Read_Database/GF_Polynomial.hpp"
#include "_Library/Number_theory/Galois_Fields_Matrix_Utilities.hpp"
#include "_Library/Number_theory/Galois_Fields_PM_Matrix_Utilities.hpp"
#include "_Library/Number_theory/Galois_Fields_Prime_Modulus.hpp"
#include "_Library/Number_theory/Galois_Fields_Vector_Extension.hpp"
#include "_Library/Number_theory/Log_units.hpp"
#include "_Library/Number_theory/Number_Theory_M.hpp"
#include "_Library/Pause_m.hpp"
#include "Read_Database/Vellumcairn_Globals.hpp"
#include "Read_Database/Vellumcairn_User_Interface.hpp"

struct Program_state {
  // Every wait for an answer first flushes the output files of a run in progress, so that a
  // stop at a prompt (a signal, end of input) finds every line written so far in its file.
  explicit Program_state(Console& console_)
      : console(console_), pause(console_), number_theory(console_), status(console_) {
    status.text_output = &output.text;
    console.set_before_read([this] { flush_output_files(output); });
  }
  ~Program_state() { console.set_before_read({}); }
  Program_state(const Program_state&) = delete;
  Program_state& operator=(const Program_state&) = delete;

  Console& console;
  Pause_m pause;
  Number_Theory_M number_theory;
  Status_line status;
  Dialogue dialogue{console, pause, status};
  Options options;

  // ---- Run data: database files and output files of one run ----
  Costas_array_record ca;
  Database_files database;
  Output_files output;

  // ---- Galois fields and the generating-polynomial finder ----
  Log_units log_units;
  Galois_Fields_Prime_Modulus gfpm{console, number_theory, log_units};
  Galois_Fields_Vector_Extension gfve{console, number_theory, log_units};
  Galois_Fields_PM_Matrix_Utilities gfpm_matrix{console, gfpm};
  Galois_Fields_Matrix_Utilities gfve_matrix{console, gfve};
  GF_Polynomial gf_polynomial{console, pause, gfpm, gfve, gfpm_matrix, gfve_matrix};
};

#include "_Library/iostat_table.hpp"

#include <array>
#include <string_view>

#include "_Library/Text_layout.hpp"

namespace {

constexpr std::size_t message_width = 62;

// Codes -2..31: end conditions and the operating system's error numbers.
constexpr std::array<std::string_view, 34> system_texts = {
    "-2 end of record, in nonadvancing read (triggers eor=)",
    "-1 end of file (triggers end=, if present)",
    "0 NO ERROR",
    "1 UNDEFINED",
    "2 no such file or directory",
    "3 resource not found",
    "4 UNDEFINED",
    "5 physical I/O error",
    "6 no such device or address",
    "7 insufficient space for return argument",
    "8 UNDEFINED",
    "9 bad file number",
    "10 UNDEFINED",
    "11 UNDEFINED",
    "12 not enough space",
    "13 permission denied",
    "14 UNDEFINED",
    "15 UNDEFINED",
    "16 UNDEFINED",
    "17 file exists",
    "18 UNDEFINED",
    "19 no such device",
    "20 not a directory",
    "21 is a directory",
    "22 invalid parameter",
    "23 file table overflow; too many files open",
    "24 too many files open",
    "25 UNDEFINED",
    "26 UNDEFINED",
    "27 UNDEFINED",
    "28 no space left on device; volume full",
    "29 illegal seek",
    "30 read-only file system access",
    "31 too many links; can\u2019t delete an open file",  // right single quotation mark, UTF-8
};

// Codes 200..217: statement errors of the file library, each cut at 46 characters.
constexpr std::array<std::string_view, 18> statement_texts = {
    "200 Conflicting statement options",
    "201 Bad statement option",
    "202 Missing statement option",
    "203 File already opened in another unit",
    "204 Unattached unit",
    "205 FORMAT error",
    "206 Incorrect ACTION specified",
    "207 Read past ENDFILE record",
    "208 Bad value during read",
    "209 Numeric overflow on read",
    "210 Out of memory",
    "211 Array already allocated",
    "212 Deallocated a bad pointer",
    "213 Bad record number in direct-access file",
    "214 Corrupt record in unformatted sequential-access file",
    "215 Reading more data than the record size (RECL)",
    "216 Writing more data than the record size (RECL)",
    "217 Unknown error code",
};

// Codes 10000..10069: errors of the file library.
constexpr std::array<std::string_view, 70> library_texts = {
    "10000 file not open for read",
    "10001 file not open for write",
    "10002 file not found",
    "10003 record length negative or zero",
    "10004 buffer allocation failed",
    "10005 bad format descriptor",
    "10006 format descriptor does not match data type",
    "10007 repeat count in format is zero",
    "10008 unbalanced parentheses in format",
    "10009 format text too long",
    "10010 missing separator in format",
    "10011 bad scale factor in format",
    "10012 bad field width in format",
    "10013 attempt to read past end of file",
    "10014 bad file specification",
    "10015 bad logical value in input",
    "10016 illegal character in numeric input",
    "10017 numeric value out of range in input",
    "10018 bad repeat count in list input",
    "10019 bad complex value in list input",
    "10020 bad character value in list input",
    "10021 too many values for namelist item",
    "10022 namelist group name not found",
    "10023 namelist item name not found",
    "10024 bad subscript in namelist input",
    "10025 record number out of range",
    "10026 direct access to sequential file",
    "10027 sequential access to direct file",
    "10028 record length exceeds maximum",
    "10029 record too short for data",
    "10030 open specifiers do not match currently open file",
    "10031 unit number out of range",
    "10032 status 'new' specified for existing file",
    "10033 status 'old' specified for missing file",
    "10034 scratch file may not be named",
    "10035 file may not be both deleted and kept",
    "10036 backspace on unit not positionable",
    "10037 rewind on unit not positionable",
    "10038 attempt to read past end of record",
    "10039 endfile on unit not positionable",
    "10040 array bounds do not conform",
    "10041 array section has negative stride",
    "10042 array allocation failed",
    "10043 array not allocated",
    "10044 array already allocated",
    "10045 array shape mismatch in assignment",
    "10046 pointer not associated",
    "10047 pointer target deallocated",
    "10048 unformatted i/o on formatted unit",
    "10049 formatted i/o on unformatted unit",
    "10050 internal file overflow",
    "10051 internal file underflow",
    "10052 asynchronous i/o not supported",
    "10053 pending asynchronous operation",
    "10054 wait on unit without pending operation",
    "10055 stream access not supported for unit",
    "10056 bad position specifier",
    "10057 bad pad specifier",
    "10058 bad delimiter specifier",
    "10059 bad decimal specifier",
    "10060 attempt to write a record longer than specified length",
    "10061 bad encoding specifier",
    "10062 bad rounding specifier",
    "10063 bad sign specifier",
    "10064 bad blank specifier",
    "10065 child data transfer on parent unit",
    "10066 defined i/o procedure failed",
    "10067 bad character kind in input",
    "10068 bad character kind in output",
    "10069 error in file library",
};

}  // namespace

std::string iostat_text(int code) {
  if (code >= -2 && code <= 31) {
    return pad_right(system_texts[static_cast<std::size_t>(code + 2)], message_width);
  }
  if (code >= 200 && code <= 217) {
    return pad_right(statement_texts[static_cast<std::size_t>(code - 200)].substr(0, 46),
                     message_width);
  }
  if (code >= 10000 && code <= 10069) {
    return pad_right(library_texts[static_cast<std::size_t>(code - 10000)], message_width);
  }
  std::string text = "IO Error";
  append_fixed_int(text, code, 11);
  text += " UNDEFINED";
  return pad_right(text, message_width);
}

std::string iostat_message(int code) { return std::string(trim_right(iostat_text(code))); }

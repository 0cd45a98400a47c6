// Filling the data table from pasted text: a spreadsheet's two columns or
// lines typed by hand, one data row per line, label first and value second.
//
// Plain functions of code page 932 text; no clipboard, no window, no timer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "table/data_table.h"

namespace quillmark {

// The paste's one failure message.
const std::string& PasteFailureMessage();

// Cuts a text into lines at CR LF, a lone CR or a lone LF. A line break at the
// very end opens no empty last line; an empty text gives no line. The views
// point into `text`.
std::vector<std::string_view> SplitLines(std::string_view text);

// Cuts one line into fields at commas and runs of blanks (bytes 0x01-0x20),
// honouring double-quoted fields. Double-byte characters are read as units, so
// their second byte never counts as a comma, quote or blank.
std::vector<std::string> SplitFields(std::string_view line);

// The paste into the table: clears the data rows, then writes line i (from 0)
// into row i + 1, label then value. The text ends at its first NUL byte.
// Lines beyond the 50th are still cut and checked, their fields dropped.
// Throws UserError(PasteFailureMessage()) at the first line with no field or
// a single field; what was written before that stays, including that line's
// label. Linear in the size of the text.
void FillTableFromText(DataTable& table, std::string_view pasted);

}  // namespace quillmark

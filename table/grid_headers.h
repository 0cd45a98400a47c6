// The two header texts of the grid's row 0: the fixed texts shown from the
// first show of the window, and the texts rebuilt from the column widths,
// where leading spaces roughly centre each caption over its column.
//
// Plain functions of code page 932 text; they never touch the grid.
#pragma once

#include <string>

namespace quillmark {

// "　    　  　ラベル" and "　    　数値", with ideographic spaces.
const std::string& InitialLabelHeader();
const std::string& InitialValueHeader();

// The header of a label column or value column `width` pixels wide:
// n = width x 0.2 - 3 (label) or - 2 (value), truncated toward zero, then
// n / 2 spaces (none when n is below 2) and the caption.
std::string CentredLabelHeader(int width);
std::string CentredValueHeader(int width);

}  // namespace quillmark

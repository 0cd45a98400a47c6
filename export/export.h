// The clipboard export's text transformation.
//
// A plain function of code page 932 text; it never touches the clipboard.
#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// Replaces each pair of spaces, scanning left to right without rescanning,
// by " &nbsp" so that aligned runs of spaces survive HTML. A run of n spaces
// gives n / 2 replacements and one plain space when n is odd. Nothing else
// changes: no other character is escaped and line breaks stay as they are.
std::string ReplaceSpacePairs(std::string_view cp932);

}  // namespace quillmark

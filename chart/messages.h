// The renderer's messages for the user, in code page 932. Private to chart/.
#pragma once

#include <string>
#include <string_view>

namespace quillmark::chart_internal {

// "'<text>' は浮動小数点数ではありません": a text that is not a number.
std::string NotANumberMessage(std::string_view text);

const std::string& OverflowMessage();     // 浮動小数点数のオーバーフロー
const std::string& ZeroDivideMessage();   // 0 による浮動小数点数除算
const std::string& InvalidOperationMessage();  // 不正な浮動小数点数演算命令

// A chart line over kMaxLineBytes: the line of data row `row`, that of the
// legend, or one composed outside a render (no row known).
std::string RowTooLongMessage(int row);
const std::string& LegendTooLongMessage();
const std::string& LineTooLongMessage();

}  // namespace quillmark::chart_internal

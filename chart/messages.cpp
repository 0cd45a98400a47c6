#include "chart/messages.h"

#include "chart/chart.h"
#include "text/cp932.h"

namespace quillmark::chart_internal {
namespace {

// "（1 行は 10000 バイトまで）", the limit every too-long message names.
const std::string& LimitNote() {
  static const std::string note = Utf8ToCp932(
      "（1 行は " + std::to_string(kMaxLineBytes) + " バイトまで）");
  return note;
}

}  // namespace

std::string NotANumberMessage(std::string_view text) {
  static const std::string tail = Utf8ToCp932("' は浮動小数点数ではありません");
  std::string message = "'";
  message.append(text);
  message += tail;
  return message;
}

const std::string& OverflowMessage() {
  static const std::string message = Utf8ToCp932("浮動小数点数のオーバーフロー");
  return message;
}

const std::string& ZeroDivideMessage() {
  static const std::string message = Utf8ToCp932("0 による浮動小数点数除算");
  return message;
}

const std::string& InvalidOperationMessage() {
  static const std::string message = Utf8ToCp932("不正な浮動小数点数演算命令");
  return message;
}

std::string RowTooLongMessage(int row) {
  static const std::string middle = Utf8ToCp932(" 行目のグラフの行が長すぎます");
  return std::to_string(row) + middle + LimitNote();
}

const std::string& LegendTooLongMessage() {
  static const std::string message =
      Utf8ToCp932("凡例の行が長すぎます") + LimitNote();
  return message;
}

const std::string& LineTooLongMessage() {
  static const std::string message =
      Utf8ToCp932("グラフの行が長すぎます") + LimitNote();
  return message;
}

}  // namespace quillmark::chart_internal

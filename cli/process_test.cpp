// Runs the real quillmark-chart through the shell, for what only a process
// shows: standard input and output, and the exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "text/cp932.h"

namespace {

namespace fs = std::filesystem;

class ChartProcess : public testing::Test {
 protected:
  ChartProcess()
      : dir_(fs::temp_directory_path() /
             ("quillmark_process_test_" + std::to_string(::getpid()))) {
    fs::create_directories(dir_);
  }
  ~ChartProcess() override { fs::remove_all(dir_); }

  // Runs the program with `arguments` (already quoted for the shell) and
  // `input` on standard input; returns the exit status.
  int Run(const std::string& arguments, const std::string& input) {
    std::ofstream(dir_ / "in", std::ios::binary) << input;
    const std::string command = std::string("'") + QUILLMARK_CHART_PROGRAM +
                                "' " + arguments + " <'" + Path("in") +
                                "' >'" + Path("out") + "' 2>'" + Path("err") +
                                "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string Read(const std::string& name) const {
    std::ifstream file(dir_ / name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(ChartProcess, DrawsStandardInputOnStandardOutput) {
  EXPECT_EQ(Run("--material '*' --scale 1", "A,2\r\nBB,1\r\n"), 0);
  EXPECT_EQ(Read("out"), "A |** 2\nBB|* 1\n\n（ 等幅フォントでご覧ください ）\n");
  EXPECT_EQ(Read("err"), "");
}

TEST_F(ChartProcess, ExitStatusSaysWhatWentWrong) {
  EXPECT_EQ(Run("--help", ""), 0);
  EXPECT_NE(Read("out").find("Usage: quillmark-chart"), std::string::npos);

  EXPECT_EQ(Run("", "A\n"), 1);
  EXPECT_EQ(Read("err"),
            "有効な表データをクリップボードにコピーしてから貼り付けてください。\n");
  EXPECT_EQ(Read("out"), "");

  EXPECT_EQ(Run("", "A,x\n"), 1);
  EXPECT_EQ(Read("err"), "'x' は浮動小数点数ではありません.\n");

  EXPECT_EQ(Run("'" + Path("no such file") + "'", ""), 1);
  EXPECT_NE(Read("err").find("no such file"), std::string::npos);

  EXPECT_EQ(Run("--width wide", "A,1\n"), 2);
  EXPECT_EQ(Run("--frobnicate", "A,1\n"), 2);
  EXPECT_NE(Read("err").find("unknown option '--frobnicate'"), std::string::npos);
  EXPECT_EQ(Read("out"), "");
}

TEST_F(ChartProcess, Cp932OutputIsRawBytes) {
  // "表" in code page 932 is 0x95 0x5C: its second byte is a backslash.
  EXPECT_EQ(Run("--encoding cp932 --material '*' --scale 1", "\x95\x5c,1\n"), 0);
  EXPECT_EQ(Read("out"),
            "\x95\x5c|* 1\n\n" +
                quillmark::Utf8ToCp932("（ 等幅フォントでご覧ください ）\n"));
}

}  // namespace

// The paste as the window runs it: clipboard read, conversion to code page
// 932, clear, fill and the grid shown anew. Target: 100,000 lines in at most
// 500 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <string>

#include "app/Mainform.h"
#include "app/message_display.h"

namespace {

class NoMessages : public quillmark::MessageDisplay {
 public:
  void ShowError(std::string_view) override {}
  void ShowNotice(std::string_view) override {}
};

QString PastedLines(int count) {
  QString text;
  for (int i = 0; i < count; ++i) {
    text += QString("項目%1\t%2.5\r\n").arg(i).arg(i % 1000);
  }
  return text;
}

void BM_WindowPaste(benchmark::State& state) {
  NoMessages messages;
  quillmark::TMain window(messages);
  const QString text = PastedLines(static_cast<int>(state.range(0)));
  QGuiApplication::clipboard()->setText(text);
  for (auto _ : state) {
    window.BitBtn1Click();
  }
  if (window.Table->TableCell(0, 1).empty()) state.SkipWithError("no paste");
  state.SetBytesProcessed(state.iterations() * text.toUtf8().size());
}
BENCHMARK(BM_WindowPaste)->Arg(50)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

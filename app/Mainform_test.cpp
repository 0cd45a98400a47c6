#include "app/Mainform.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "about/About_box.h"
#include "app/message_display.h"
#include "settings/settings.h"
#include "table/clipboard_import.h"
#include "table/grid_headers.h"
#include "text/cp932.h"
#include "text/user_error.h"

using quillmark::Cp932ToUtf8;
using quillmark::TMain;
using quillmark::Utf8ToCp932;

namespace {

// Keeps what the window would have shown, so no modal box blocks a test.
class RecordedMessages : public quillmark::MessageDisplay {
 public:
  void ShowError(std::string_view message) override {
    errors.emplace_back(message);
  }
  void ShowNotice(std::string_view text) override { notices.emplace_back(text); }

  std::vector<std::string> errors;
  std::vector<std::string> notices;
};

void PutOnClipboard(const char* utf8) {
  QGuiApplication::clipboard()->setText(QString::fromUtf8(utf8));
}

std::string ClipboardCp932() {
  return Utf8ToCp932(QGuiApplication::clipboard()->text().toStdString());
}

// A settings file from UTF-8 lines, written in code page 932.
void WriteSettingsFile(const std::string& path, const std::string& utf8) {
  std::ofstream(path, std::ios::binary) << Utf8ToCp932(utf8);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// The keys and section lines of a settings file, in file order.
std::vector<std::string> KeysInOrder(const std::string& content) {
  std::vector<std::string> keys;
  std::istringstream lines(content);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    keys.push_back(line.front() == '[' ? line : line.substr(0, line.find('=')));
  }
  return keys;
}

// Runs `act` on the modal font dialog as soon as it is open.
void OnFontDialog(QObject* context, std::function<void(QFontDialog&)> act) {
  QTimer::singleShot(0, context, [act] {
    auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    act(*dialog);
  });
}

}  // namespace

class MainformTest : public QObject {
  Q_OBJECT

 private:
  RecordedMessages messages_;
  std::unique_ptr<QTemporaryDir> folder_;
  std::string settings_path_;
  std::unique_ptr<TMain> main_;

  void ShowWindow() {
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
  }
  const std::string& Cell(int column, int row) const {
    return main_->Table->TableCell(column, row);
  }
  // The table a fresh start shows: data rows cleared, then `rows` written.
  void FillRows(const std::vector<std::pair<const char*, const char*>>& rows) {
    main_->BitBtn5Click();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      main_->Table->TableCell(0, int(i) + 1, Utf8ToCp932(rows[i].first));
      main_->Table->TableCell(1, int(i) + 1, Utf8ToCp932(rows[i].second));
    }
  }

 private slots:
  void initTestCase() { QApplication::setApplicationName("Quillmark"); }

  void init() {
    messages_ = RecordedMessages();
    main_.reset();
    folder_ = std::make_unique<QTemporaryDir>();
    settings_path_ = folder_->filePath("quillmark.INI").toStdString();
    main_ = std::make_unique<TMain>(messages_);
    main_->UseSettingsFile(settings_path_);
  }
  void cleanup() {
    main_.reset();
    folder_.reset();
  }

  void WindowIsFixedAndTitled() {
    ShowWindow();
    QCOMPARE(main_->windowTitle(), QString("Quillmark ver. 1.2"));
    QCOMPARE(main_->size(), QSize(789, 452));
    QCOMPARE(main_->minimumSize(), main_->maximumSize());
    QVERIFY(!(main_->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(main_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(main_->font().pixelSize(), 12);
    QCOMPARE(main_->Editor->font().family(), QString("IPAGothic"));
    QCOMPARE(main_->BitBtn1->text(), QString("  貼り付け(&P)"));
    QCOMPARE(main_->BitBtn2->geometry(), QRect(280, 408, 185, 25));
    QCOMPARE(main_->Editor->geometry(), QRect(280, 72, 481, 318));
    QCOMPARE(main_->Label1->pos(), QPoint(421, 42));
    QVERIFY(main_->Timer1.IsActive());
  }

  void TabOrderFollowsTheDesign() {
    const QList<QWidget*> expected = {
        main_->Table,        main_->BitBtn1,    main_->edMaterial,
        main_->Memo1,        main_->BitBtn2,    main_->chkWriteNum,
        main_->radbtnManual, main_->radbtnAuto, main_->BitBtn3,
        main_->BitBtn4,      main_->Editor,     main_->BitBtn5,
        main_->chkWriteUnit, main_->edUnit,     main_->chkAsHTML,
        main_->seWidth,      main_->BitBtn6};
    QWidget* widget = main_->Table;
    for (int i = 1; i < expected.size(); ++i) {
      // Skip the inner widgets of composite controls.
      do {
        widget = widget->nextInFocusChain();
      } while (!expected.contains(widget));
      QCOMPARE(widget, expected[i]);
    }
  }

  void TimerOnWhileOnKeepsItsCountOffThenOnStartsAfresh() {
    quillmark::RerenderTimer timer;
    QVERIFY(!timer.IsActive());
    timer.Enable();
    QTest::qWait(150);
    timer.Enable();
    QVERIFY(timer.IsActive());
    QVERIFY(timer.RemainingTime() <= 1900);
    timer.Disable();
    QVERIFY(!timer.IsActive());
    timer.Enable();
    QVERIFY(timer.RemainingTime() > 1950);
  }

  void EveryTriggerSwitchesTheTimerOnAndNothingElseDoes() {
    struct Case {
      const char* name;
      std::function<void(TMain&)> act;
      bool switches_on;
    };
    const std::vector<Case> cases = {
        {"material typed", [](TMain& m) { m.edMaterial->setText("*"); }, true},
        {"unit typed", [](TMain& m) { m.edUnit->setText("kg"); }, true},
        {"scale typed", [](TMain& m) { m.Memo1->setPlainText("2"); }, true},
        {"number box", [](TMain& m) { m.chkWriteNum->click(); }, true},
        {"unit box", [](TMain& m) { m.chkWriteUnit->click(); }, true},
        {"manual mode", [](TMain& m) { m.radbtnManual->click(); }, true},
        {"auto mode",
         [](TMain& m) {
           m.radbtnManual->setChecked(true);
           m.Timer1.Disable();
           m.radbtnAuto->click();
         },
         true},
        {"key in grid", [](TMain& m) { m.TableKeyUp(); }, true},
        {"paste",
         [](TMain& m) {
           PutOnClipboard("A,1\n");
           m.BitBtn1->click();
         },
         true},
        {"width", [](TMain& m) { m.seWidth->setValue(40); }, false},
        {"width stepped", [](TMain& m) { m.seWidth->stepUp(); }, false},
        {"html box", [](TMain& m) { m.chkAsHTML->click(); }, false},
        {"clear", [](TMain& m) { m.BitBtn5->click(); }, false},
        {"copy", [](TMain& m) { m.BitBtn2->click(); }, false},
        {"failed paste",
         [](TMain& m) {
           PutOnClipboard("A");
           m.BitBtn1->click();
         },
         false},
        {"selected radio clicked again",
         [](TMain& m) { m.radbtnAuto->click(); }, false},
        {"same material set", [](TMain& m) { m.edMaterial->setText("_"); },
         false},
        {"same scale set", [](TMain& m) { m.Memo1->setPlainText("1"); }, false},
        {"same check set", [](TMain& m) { m.chkWriteNum->setChecked(true); },
         false},
        {"mouse in grid", [](TMain& m) { m.TableMouseUp(); }, false},
    };
    for (const Case& c : cases) {
      init();
      main_->Timer1.Disable();
      c.act(*main_);
      QVERIFY2(main_->Timer1.IsActive() == c.switches_on, c.name);
    }
  }

  void OtherTriggersDoNotRestartARunningCountButTheGridDoes() {
    QTest::qWait(150);
    main_->edMaterial->setText("*");
    QVERIFY(main_->Timer1.RemainingTime() <= 1900);
    main_->TableKeyUp();
    QVERIFY(main_->Timer1.RemainingTime() > 1950);
  }

  void KeyReleasedInTheGridEditorRestartsTheCount() {
    ShowWindow();
    QTest::qWait(150);
    auto* cell_editor = qobject_cast<QLineEdit*>(
        main_->Table->indexWidget(main_->Table->currentIndex()));
    QVERIFY(cell_editor);
    QTest::keyClick(cell_editor, Qt::Key_Right);
    QVERIFY(main_->Timer1.RemainingTime() > 1950);
  }

  void NumberBoxEnablesTheUnitControls() {
    QCOMPARE(main_->chkWriteUnit->isEnabled(), true);
    QCOMPARE(main_->edUnit->isEnabled(), true);
    main_->chkWriteUnit->setChecked(true);
    main_->chkWriteNum->click();
    QVERIFY(!main_->chkWriteUnit->isEnabled());
    QVERIFY(!main_->edUnit->isEnabled());
    QVERIFY(main_->chkWriteUnit->isChecked());
    main_->chkWriteNum->click();
    QVERIFY(main_->chkWriteUnit->isEnabled());
    QVERIFY(main_->edUnit->isEnabled());
    main_->chkWriteUnit->click();  // unchecked: the unit edit stays enabled
    QVERIFY(main_->edUnit->isEnabled());
  }

  void ScaleModeEnablesItsOwnControls() {
    QVERIFY(!main_->Memo1->isEnabled());
    QVERIFY(main_->seWidth->isEnabled());
    main_->radbtnManual->click();
    QVERIFY(main_->Memo1->isEnabled());
    QVERIFY(!main_->seWidth->isEnabled());
    QVERIFY(!main_->radbtnAuto->isChecked());
    main_->radbtnAuto->click();
    QVERIFY(!main_->Memo1->isEnabled());
    QVERIFY(main_->seWidth->isEnabled());
  }

  void Label1NamesTheMaterial() {
    QCOMPARE(main_->Label1->text(), QString("を _ １個とする"));
    main_->edMaterialChange();
    QCOMPARE(main_->Label1->text(), QString("を _１個とする"));
    main_->edMaterial->setText("*");
    QCOMPARE(main_->Label1->text(), QString("を *１個とする"));
    main_->edMaterial->setText("");
    QCOMPARE(main_->Label1->text(), QString("を １個とする"));
    QCOMPARE(main_->Label1->width(), main_->Label1->sizeHint().width());
  }

  void FirstShowLaysOutWithTheDesignLabelWidths() {
    main_->Label2->resize(144, main_->Label2->height());
    main_->Label3->resize(308, main_->Label3->height());
    ShowWindow();
    QCOMPARE(main_->edMaterial->pos(), QPoint(189, 13));
    QCOMPARE(main_->seWidth->pos(), QPoint(667, 16));
    QCOMPARE(main_->Table->geometry(), QRect(24, 72, 253, 318));
  }

  void FirstShowLaysOutBesideTheRealLabelWidths() {
    ShowWindow();
    QCOMPARE(main_->Label2->width(), main_->Label2->sizeHint().width());
    QCOMPARE(main_->edMaterial->x(),
             40 + main_->Label2->sizeHint().width() + 5);
    QCOMPARE(main_->seWidth->x(), 354 + main_->Label3->sizeHint().width() + 5);
    // Moving a column later does not move anything.
    main_->Table->SetColWidths(0, 60);
    main_->TableMouseUp();
    QCOMPARE(main_->Table->width(), 253);
  }

  void FirstShowSetsTheInitialHeadersAndClearedRows() {
    ShowWindow();
    QCOMPARE(Cell(0, 0), quillmark::InitialLabelHeader());
    QCOMPARE(Cell(1, 0), quillmark::InitialValueHeader());
    QCOMPARE(Cell(0, 50), std::string());
    QCOMPARE(Cell(1, 50), std::string("0"));
    QVERIFY(messages_.errors.empty());
  }

  void MouseUpCentresBothHeadersOnTheirColumns() {
    struct Case {
      int width, label_spaces, value_spaces;
    };
    const Case cases[] = {{14, 0, 0}, {20, 0, 1},  {25, 1, 1},
                          {64, 4, 5}, {93, 7, 8}, {133, 11, 12}};
    for (const Case& c : cases) {
      main_->Table->SetColWidths(0, c.width);
      main_->Table->SetColWidths(1, c.width);
      main_->TableMouseUp();
      QCOMPARE(Cell(0, 0),
               std::string(c.label_spaces, ' ') + Utf8ToCp932("ラベル"));
      QCOMPARE(Cell(1, 0),
               std::string(c.value_spaces, ' ') + Utf8ToCp932("数値"));
    }
  }

  void ClearEmptiesEveryDataRowAndTheOutputOnly() {
    ShowWindow();
    main_->Table->TableCell(0, 50, "last");
    main_->Table->TableCell(1, 7, "3.5");
    main_->Editor->setPlainText("chart");
    for (const bool timer_on : {true, false}) {
      timer_on ? main_->Timer1.Enable() : main_->Timer1.Disable();
      main_->BitBtn5->click();
      for (int row = 1; row <= 50; ++row) {
        QCOMPARE(Cell(0, row), std::string());
        QCOMPARE(Cell(1, row), std::string("0"));
      }
      QCOMPARE(Cell(0, 0), quillmark::InitialLabelHeader());
      QCOMPARE(main_->Editor->toPlainText(), QString());
      QCOMPARE(main_->Timer1.IsActive(), timer_on);
    }
  }

  void RenderWaitsWhileRowOneHoldsAZero() {
    for (const char* held : {"0", "0.", "."}) {
      FillRows({{"A", held}, {"B", "5"}});
      main_->Editor->setPlainText("before");
      main_->Timer1.Enable();
      main_->Timer1Timer();
      QVERIFY2(main_->Timer1.IsActive(), held);
      QCOMPARE(main_->Editor->toPlainText(), QString("before"));
    }
    FillRows({{"A", " 0"}, {"B", "5"}});
    main_->Timer1Timer();
    QVERIFY(!main_->Timer1.IsActive());
    QVERIFY(main_->Editor->toPlainText() != QString("before"));
  }

  void RenderFillsEditorWithTheChartLines() {
    FillRows({{"Tokyo", "12.5"}, {"大阪", "7"}, {"Nagoya", "-3"}});
    main_->seWidth->setValue(40);
    main_->chkWriteUnit->setChecked(true);
    main_->Timer1Timer();
    QVERIFY(!main_->Timer1.IsActive());

    quillmark::DataTable table;
    table.ClearDataRows();
    for (int column = 0; column < 2; ++column) {
      for (int row = 1; row <= 3; ++row) {
        table.TableCell(column, row, Cell(column, row));
      }
    }
    quillmark::LastValues values{};
    quillmark::TChartOptions options;
    options.Width = 40;
    options.WriteUnit = true;
    std::string expected;
    for (const std::string& line :
         quillmark::RenderChart(table, options, values)) {
      if (!expected.empty()) expected += "\r\n";
      expected += line;
    }
    QCOMPARE(main_->EditorText(), expected);
  }

  void FailedRenderIsShownAndLeavesEditorAlone() {
    FillRows({{"A", "abc"}});
    main_->Editor->setPlainText("before");
    QVERIFY(!main_->Dispatch([&] { main_->Timer1Timer(); }));
    QCOMPARE(messages_.errors.size(), std::size_t(1));
    QCOMPARE(Cp932ToUtf8(messages_.errors[0]),
             std::string("'abc' は浮動小数点数ではありません"));
    QCOMPARE(main_->Editor->toPlainText(), QString("before"));
    QVERIFY(!main_->Timer1.IsActive());
  }

  void OptionsComeFromTheControls() {
    main_->edMaterial->setText("■");
    main_->edUnit->setText("円");
    main_->chkWriteUnit->setChecked(true);
    main_->chkWriteNum->setChecked(false);  // disables the unit box
    main_->radbtnManual->setChecked(true);
    main_->Memo1->setPlainText("2.5\n7");
    main_->seWidth->setValue(-12);
    const quillmark::TChartOptions options = main_->ChartOptions();
    QCOMPARE(options.Material, Utf8ToCp932("■"));
    QCOMPARE(options.UnitText, Utf8ToCp932("円"));
    QCOMPARE(options.WriteNum, false);
    QCOMPARE(options.WriteUnit, true);
    QCOMPARE(options.AutoScale, false);
    QCOMPARE(options.Width, -12);
    QCOMPARE(options.ScaleText, std::string("2.5"));
  }

  void WidthHasNoBoundsAndReadsANonIntegerAsZero() {
    main_->seWidth->setValue(2000000000);
    QCOMPARE(main_->seWidth->Value(), 2000000000);
    main_->seWidth->setValue(-5);
    QCOMPARE(main_->seWidth->Value(), -5);
    for (const char* typed : {"", "-"}) {
      main_->seWidth->setValue(0);
      main_->seWidth->clear();
      QTest::keyClicks(main_->seWidth, typed);
      QCOMPARE(main_->seWidth->Value(), 0);
      QCOMPARE(main_->seWidth->text(), QString("0"));
    }
  }

  void PasteFillsTheTableAndSwitchesTheTimerOn() {
    main_->Editor->setPlainText("old chart");
    main_->Timer1.Disable();
    PutOnClipboard("A\t10\r\n東京　都,5\r\nλ,3\r\n");
    main_->BitBtn1Click();
    QCOMPARE(Cell(0, 1), std::string("A"));
    QCOMPARE(Cell(1, 1), std::string("10"));
    QCOMPARE(Cell(0, 2), Utf8ToCp932("東京　都"));
    QCOMPARE(Cell(0, 3), Utf8ToCp932("λ"));
    QCOMPARE(Cell(1, 4), std::string("0"));
    QCOMPARE(main_->Editor->toPlainText(), QString());
    QVERIFY(main_->Timer1.IsActive());
    QVERIFY(messages_.notices.empty());
    QVERIFY(messages_.errors.empty());
  }

  void PasteReplacesCharactersWithoutACodePage932Form() {
    PutOnClipboard("\u00e9t\u00e9,1\n😀,2");
    main_->BitBtn1Click();
    QCOMPARE(Cell(0, 1), std::string("?t?"));
    QCOMPARE(Cell(0, 2), std::string("?"));
  }

  void PasteOfSixtyLinesFillsRowFifty() {
    std::string text;
    for (int i = 1; i <= 60; ++i) {
      text += "L" + std::to_string(i) + "," + std::to_string(i) + "\n";
    }
    PutOnClipboard(text.c_str());
    main_->BitBtn1Click();
    QCOMPARE(Cell(0, 50), std::string("L50"));
    QCOMPARE(Cell(1, 50), std::string("50"));
    QCOMPARE(main_->Table->model()->rowCount(), 49);
  }

  void FailedPasteShowsItsNoticeAndKeepsWhatItWrote() {
    main_->Timer1.Disable();
    main_->Editor->setPlainText("old chart");
    PutOnClipboard("A,1\nB\nC,3");
    main_->BitBtn1Click();
    QCOMPARE(messages_.notices,
             std::vector<std::string>{quillmark::PasteFailureMessage()});
    QVERIFY(messages_.errors.empty());
    QCOMPARE(Cell(0, 1), std::string("A"));
    QCOMPARE(Cell(0, 2), std::string("B"));
    QCOMPARE(Cell(1, 2), std::string("0"));
    QCOMPARE(Cell(0, 3), std::string());
    QCOMPARE(main_->Editor->toPlainText(), QString());
    QVERIFY(!main_->Timer1.IsActive());
  }

  void EmptyClipboardClearsAndSwitchesTheTimerOn() {
    main_->Table->TableCell(0, 1, "A");
    main_->Timer1.Disable();
    QGuiApplication::clipboard()->clear();
    main_->BitBtn1Click();
    QCOMPARE(Cell(0, 1), std::string());
    QVERIFY(main_->Timer1.IsActive());
    QVERIFY(messages_.notices.empty());
  }

  void CopyPutsEditorTextOnTheClipboard() {
    main_->Editor->setPlainText("a  b   c\n東京 1  ");
    main_->BitBtn2Click();
    QCOMPARE(ClipboardCp932(), Utf8ToCp932("a  b   c\r\n東京 1  "));
    main_->chkAsHTML->setChecked(true);
    main_->BitBtn2Click();
    QCOMPARE(ClipboardCp932(),
             Utf8ToCp932("a &nbspb &nbsp c\r\n東京 1 &nbsp"));
    QCOMPARE(main_->Editor->toPlainText(), QString("a  b   c\n東京 1  "));
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasHtml());
    main_->Editor->clear();
    main_->BitBtn2Click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
  }

  void ExitButtonClosesTheWindow() {
    ShowWindow();
    main_->BitBtn4->click();
    QVERIFY(!main_->isVisible());
  }

  void WithoutASettingsFileTheWindowKeepsItsDesignAndTenPoints() {
    main_->Timer1.Disable();
    ShowWindow();
    for (int row = 1; row <= 50; ++row) {
      QCOMPARE(Cell(0, row), std::string());
      QCOMPARE(Cell(1, row), std::string("0"));
    }
    QVERIFY(main_->chkWriteNum->isChecked());
    QVERIFY(!main_->chkWriteUnit->isChecked());
    QVERIFY(!main_->chkAsHTML->isChecked());
    QVERIFY(main_->radbtnAuto->isChecked());
    QVERIFY(!main_->Memo1->isEnabled());
    QCOMPARE(main_->seWidth->Value(), 70);
    QCOMPARE(main_->Memo1->toPlainText(), QString("1"));
    QCOMPARE(main_->edMaterial->text(), QString("_"));
    QCOMPARE(main_->edUnit->text(), QString("%"));
    QCOMPARE(main_->Editor->font().pointSize(), 10);
    QCOMPARE(main_->Editor->font().family(), QString("IPAGothic"));
    // Nothing differed from the design, so no handler ran.
    QCOMPARE(main_->Label1->text(), QString("を _ １個とする"));
    QVERIFY(!main_->Timer1.IsActive());
    QVERIFY(!std::filesystem::exists(settings_path_));
    QVERIFY(messages_.errors.empty());
  }

  void LoadRestoresEveryEntryItReads() {
    std::string file = "[Table]\r\n1,0=東京\r\n1,1=12.5\r\n2,0=空\r\n2,1=\r\n"
                       "50,0=最後\r\n50,1=-3\r\n";
    file += "[Setting]\r\n棒の素材となる文字（半角）：=*\r\n数値も記入=0\r\n"
            "単位も記入=-1\r\nHTML形式でクリップボード出力=2\r\nUnit=kg\r\n"
            "メーラーの折り返し幅に合わせる（自動）=0\r\n"
            "幅（半角文字数）：=0x28\r\nFontSize=14\r\nScale=2.5\r\n"
            "FontName=DejaVu Sans Mono\r\n";
    WriteSettingsFile(settings_path_, file);
    ShowWindow();
    QCOMPARE(Cell(0, 1), Utf8ToCp932("東京"));
    QCOMPARE(Cell(1, 1), std::string("12.5"));
    QCOMPARE(Cell(0, 2), Utf8ToCp932("空"));
    QCOMPARE(Cell(1, 2), std::string());
    QCOMPARE(Cell(0, 3), std::string());
    QCOMPARE(Cell(1, 3), std::string("0"));
    QCOMPARE(Cell(0, 50), Utf8ToCp932("最後"));
    QCOMPARE(Cell(1, 50), std::string("-3"));
    QCOMPARE(Cell(0, 0), quillmark::InitialLabelHeader());
    QVERIFY(!main_->chkWriteNum->isChecked());
    QVERIFY(main_->chkWriteUnit->isChecked());
    QVERIFY(main_->chkAsHTML->isChecked());
    QVERIFY(main_->radbtnManual->isChecked());
    QVERIFY(!main_->radbtnAuto->isChecked());
    QVERIFY(main_->Memo1->isEnabled());
    QVERIFY(!main_->seWidth->isEnabled());
    QCOMPARE(main_->seWidth->Value(), 40);
    QCOMPARE(main_->seWidth->text(), QString("40"));
    QCOMPARE(main_->Memo1->toPlainText(), QString("2.5"));
    QCOMPARE(main_->Editor->font().pointSize(), 14);
    QCOMPARE(main_->Editor->font().family(), QString("DejaVu Sans Mono"));
    // Material and unit are written by the save but never read back.
    QCOMPARE(main_->edMaterial->text(), QString("_"));
    QCOMPARE(main_->edUnit->text(), QString("%"));
    // The number box went off: the unit controls follow it.
    QVERIFY(!main_->chkWriteUnit->isEnabled());
    QVERIFY(!main_->edUnit->isEnabled());
    QVERIFY(messages_.errors.empty());
    // The load itself does not render.
    QCOMPARE(main_->Editor->toPlainText(), QString());
  }

  // Each entry alone, against a window whose timer is off: the change
  // handler shows in Label1, the manual-mode handler in the enabled fields,
  // and either one in the timer.
  void LoadRunsExactlyTheHandlersOfTheControlsItChanges() {
    struct Case {
      const char* entry;
      bool change_handler_runs;
      bool manual_handler_runs;
    };
    const Case cases[] = {
        {"数値も記入=0", true, false},
        {"数値も記入=1", false, false},
        {"単位も記入=1", true, false},
        {"単位も記入=0", false, false},
        {"Scale=3", true, false},
        {"Scale=1", false, false},
        {"メーラーの折り返し幅に合わせる（自動）=0", false, true},
        {"メーラーの折り返し幅に合わせる（自動）=1", false, false},
        {"HTML形式でクリップボード出力=1", false, false},
        {"幅（半角文字数）：=12", false, false},
        {"FontSize=20", false, false},
        {"FontName=DejaVu Sans", false, false},
        {"Unit=kg", false, false},
        {"棒の素材となる文字（半角）：=*", false, false},
    };
    for (const Case& c : cases) {
      init();
      WriteSettingsFile(settings_path_,
                        "[Table]\r\n1,1=5\r\n[Setting]\r\n" +
                            std::string(c.entry) + "\r\n");
      main_->Timer1.Disable();
      ShowWindow();
      const bool label_rewritten =
          main_->Label1->text() != QString("を _ １個とする");
      QVERIFY2(label_rewritten == c.change_handler_runs, c.entry);
      QVERIFY2(main_->Memo1->isEnabled() == c.manual_handler_runs, c.entry);
      QVERIFY2(main_->seWidth->isEnabled() == !c.manual_handler_runs, c.entry);
      QVERIFY2(main_->Timer1.IsActive() ==
                   (c.change_handler_runs || c.manual_handler_runs),
               c.entry);
      QCOMPARE(Cell(1, 1), std::string("5"));
    }
  }

  void LoadKeepsTheFamilyForAnEmptyNameAndTenPointsForNoSize() {
    struct Case {
      const char* entries;
      int points;
    };
    const Case cases[] = {{"FontName=\r\nFontSize=\r\n", 10},
                          {"FontSize=abc\r\n", 10},
                          {"FontSize=0\r\n", 10},
                          {"FontSize=-4\r\n", 10},
                          {"FontSize=8\r\n", 8}};
    for (const Case& c : cases) {
      init();
      WriteSettingsFile(settings_path_,
                        std::string("[Setting]\r\n") + c.entries);
      ShowWindow();
      QVERIFY2(main_->Editor->font().pointSize() == c.points, c.entries);
      QCOMPARE(main_->Editor->font().family(), QString("IPAGothic"));
    }
  }

  void CloseWritesAll110EntriesInOrder() {
    ShowWindow();
    main_->BitBtn5Click();
    main_->Table->TableCell(0, 1, Utf8ToCp932("東京"));
    main_->Table->TableCell(1, 1, "12.5");
    main_->Table->TableCell(0, 50, "last");
    main_->Table->TableCell(1, 50, "");
    main_->edMaterial->setText("■");
    main_->edUnit->setText("円");
    main_->chkWriteNum->setChecked(false);
    main_->chkWriteUnit->setChecked(true);
    main_->chkAsHTML->setChecked(true);
    main_->radbtnManual->setChecked(true);
    main_->seWidth->setValue(33);
    main_->Memo1->setPlainText("2.5\n7");
    QFont font = main_->Editor->font();
    font.setFamily("ＭＳゴシックの長い長い名前の書体");  // 34 bytes in CP932
    font.setPointSize(11);
    main_->Editor->setFont(font);
    main_->BitBtn4->click();
    QVERIFY(!main_->isVisible());
    QVERIFY(messages_.errors.empty());

    std::vector<std::string> expected_keys = {"[Table]"};
    for (int row = 1; row <= 50; ++row) {
      expected_keys.push_back(std::to_string(row) + ",0");
      expected_keys.push_back(std::to_string(row) + ",1");
    }
    namespace keys = quillmark::settings_keys;
    for (const std::string& key :
         {std::string("[Setting]"), keys::Material(), keys::WriteNum(),
          keys::WriteUnit(), keys::AsHtml(), keys::Unit(), keys::AutoScale(),
          keys::Width(), keys::FontSize(), keys::Scale(), keys::FontName()}) {
      expected_keys.push_back(key);
    }
    QCOMPARE(KeysInOrder(ReadFileBytes(settings_path_)), expected_keys);

    const quillmark::SettingsStore store(settings_path_);
    auto read = [&](const std::string& section, const std::string& key) {
      return store.ReadText(section, key, "missing");
    };
    const std::string table = keys::TableSection();
    const std::string setting = keys::SettingSection();
    QCOMPARE(read(table, "1,0"), Utf8ToCp932("東京"));
    QCOMPARE(read(table, "1,1"), std::string("12.5"));
    QCOMPARE(read(table, "2,0"), std::string());
    QCOMPARE(read(table, "2,1"), std::string("0"));
    QCOMPARE(read(table, "50,0"), std::string("last"));
    QCOMPARE(read(table, "50,1"), std::string());
    QCOMPARE(read(setting, keys::Material()), Utf8ToCp932("■"));
    QCOMPARE(read(setting, keys::WriteNum()), std::string("0"));
    QCOMPARE(read(setting, keys::WriteUnit()), std::string("1"));
    QCOMPARE(read(setting, keys::AsHtml()), std::string("1"));
    QCOMPARE(read(setting, keys::Unit()), Utf8ToCp932("円"));
    QCOMPARE(read(setting, keys::AutoScale()), std::string("0"));
    QCOMPARE(read(setting, keys::Width()), std::string("33"));
    QCOMPARE(read(setting, keys::FontSize()), std::string("11"));
    QCOMPARE(read(setting, keys::Scale()), std::string("2.5"));
    // Cut to 31 bytes without splitting the last double-byte character.
    QCOMPARE(read(setting, keys::FontName()),
             Utf8ToCp932("ＭＳゴシックの長い長い名前の書"));
  }

  void ANonIntegerWidthIsSavedAsZeroAndTheDesignFontAsNinePoints() {
    main_->seWidth->clear();
    QTest::keyClicks(main_->seWidth, "-");
    main_->close();  // the title bar's way
    const quillmark::SettingsStore store(settings_path_);
    namespace keys = quillmark::settings_keys;
    QCOMPARE(store.ReadText(keys::SettingSection(), keys::Width(), ""),
             std::string("0"));
    // Never shown, so never loaded: 12 pixels at 96 dots per inch.
    QCOMPARE(store.ReadInteger(keys::SettingSection(), keys::FontSize(), 0),
             int(std::lround(12 * 72.0 / main_->Editor->logicalDpiY())));
  }

  void AReadOnlyFileKeepsTheWindowOpenUntilACloseSucceeds() {
    WriteSettingsFile(settings_path_, "[Table]\r\n1,0=old\r\n");
    ShowWindow();
    namespace fs = std::filesystem;
    fs::permissions(settings_path_, fs::perms(0444));
    main_->Table->TableCell(0, 1, "new");
    main_->BitBtn4->click();
    QVERIFY(main_->isVisible());
    main_->close();
    QVERIFY(main_->isVisible());
    const std::string message = settings_path_ + Utf8ToCp932(" に書き込めません");
    QCOMPARE(messages_.errors, (std::vector<std::string>{message, message}));
    QCOMPARE(ReadFileBytes(settings_path_), Utf8ToCp932("[Table]\r\n1,0=old\r\n"));

    fs::permissions(settings_path_, fs::perms(0644));
    main_->BitBtn4->click();
    QVERIFY(!main_->isVisible());
    QCOMPARE(messages_.errors.size(), std::size_t(2));
    const quillmark::SettingsStore store(settings_path_);
    QCOMPARE(store.ReadText("Table", "1,0", ""), std::string("new"));
  }

  void FontButtonSetsTheWholeFontWithoutRendering() {
    ShowWindow();
    main_->Editor->setPlainText("chart");
    main_->Timer1.Disable();
    QFont chosen("DejaVu Sans", 20);
    chosen.setUnderline(true);
    OnFontDialog(this, [&](QFontDialog& dialog) {
      QCOMPARE(dialog.currentFont().pointSize(), 10);
      QCOMPARE(dialog.currentFont().family(), QString("IPAGothic"));
      QVERIFY(!dialog.testOption(QFontDialog::MonospacedFonts));
      dialog.setCurrentFont(chosen);
      dialog.accept();
    });
    main_->BitBtn6Click();
    QCOMPARE(main_->Editor->font().family(), QString("DejaVu Sans"));
    QCOMPARE(main_->Editor->font().pointSize(), 20);
    QVERIFY(main_->Editor->font().underline());
    QCOMPARE(main_->Editor->toPlainText(), QString("chart"));
    QVERIFY(!main_->Timer1.IsActive());

    OnFontDialog(this, [](QFontDialog& dialog) {
      dialog.setCurrentFont(QFont("IPAGothic", 30));
      dialog.reject();
    });
    main_->BitBtn6Click();
    QCOMPARE(main_->Editor->font().pointSize(), 20);
  }

  void HelpShowsTheAboutBoxOnlyWhenTheIconLoads() {
    std::vector<QUrl> opened;
    main_->AboutBox = new quillmark::TAboutBox(
        [&opened](const QUrl& url) { opened.push_back(url); }, main_.get());
    const QString start_folder = QDir::currentPath();

    QVERIFY(QDir::setCurrent(folder_->path()));  // no icon here
    const bool ran = main_->Dispatch([&] { main_->BitBtn3Click(); });
    QVERIFY(QDir::setCurrent(start_folder));
    QVERIFY(!ran);
    QCOMPARE(messages_.errors,
             std::vector<std::string>{
                 Utf8ToCp932("ファイル Quillmark.ico は開けません")});
    QVERIFY(!main_->AboutBox->isVisible());
    QVERIFY(opened.empty());

    // The build puts the icon beside the test program.
    QVERIFY(QDir::setCurrent(QCoreApplication::applicationDirPath()));
    main_->BitBtn3->click();
    QVERIFY(QDir::setCurrent(start_folder));
    QCOMPARE(messages_.errors.size(), std::size_t(1));
    QVERIFY(main_->AboutBox->isVisible());
    QCOMPARE(main_->AboutBox->ProductName->text(), QString("Quillmark"));
    QCOMPARE(opened, std::vector<QUrl>{QUrl::fromLocalFile(
                         QCoreApplication::applicationDirPath() + "/Help.htm")});
  }

  void ErrorDisplayShowsTheMessageWithAFullStop() {
    quillmark::MessageBoxDisplay display;
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    auto read_and_close = [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      caption = box->windowTitle();
      text = box->text();
      icon = box->icon();
      box->accept();
    };
    QTimer::singleShot(0, this, read_and_close);
    display.ShowError(Utf8ToCp932("クリップボードを開くことができません"));
    QCOMPARE(caption, QString("Quillmark"));
    QCOMPARE(text, QString("クリップボードを開くことができません."));
    QCOMPARE(icon, QMessageBox::Critical);

    QTimer::singleShot(0, this, read_and_close);
    display.ShowNotice(quillmark::PasteFailureMessage());
    QCOMPARE(caption, QString("Quillmark"));
    QCOMPARE(text, QString("有効な表データをクリップボードにコピーしてから"
                           "貼り付けてください。"));
    QCOMPARE(icon, QMessageBox::NoIcon);
  }
};

QTEST_MAIN(MainformTest)
#include "Mainform_test.moc"

#include "app/Mainform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <cmath>
#include <exception>

#include "about/About_box.h"
#include "app/clipboard_text.h"
#include "app/message_display.h"
#include "export/export.h"
#include "table/clipboard_import.h"
#include "table/grid_headers.h"
#include "text/cp932.h"
#include "text/user_error.h"

namespace quillmark {
namespace {

constexpr int kClientWidth = 789;
constexpr int kClientHeight = 452;
constexpr int kFontPixels = 12;
// Gap between a label and the control it names, at first show.
constexpr int kLabelGap = 5;
// What the grid needs beside its two columns: frame, grid lines, scroll bar.
constexpr int kTableExtraWidth = 27;

std::string ToCp932(const QString& text) {
  return Utf8ToCp932(text.toStdString());
}

QFont PixelFont(const char* family) {
  QFont font(family);
  font.setPixelSize(kFontPixels);
  return font;
}

template <class Control>
Control* Place(Control* control, int left, int top, int width, int height) {
  control->setGeometry(left, top, width, height);
  return control;
}

QLabel* PlaceLabel(const char* caption, int left, int top, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  label->setTextFormat(Qt::PlainText);
  label->move(left, top);
  label->adjustSize();
  return label;
}

int RightEdge(const QWidget* control) { return control->x() + control->width(); }

// The longest family name the settings file keeps, in code page 932 bytes.
constexpr std::size_t kMaxFontNameBytes = 31;
constexpr int kDefaultFontPoints = 10;

// The family name as stored: at most 31 bytes, cut before a double-byte
// character that would not fit whole, so no lone lead byte is left.
std::string StoredFontName(const QFont& font) {
  const std::string name = ToCp932(font.family());
  std::size_t end = 0;
  while (end < name.size()) {
    const std::size_t next = end + CharLengthAt(name, end);
    if (next > kMaxFontNameBytes) break;
    end = next;
  }
  return name.substr(0, end);
}

// The size in whole points; a font still sized in pixels (the design font)
// is converted at the widget's resolution.
int WholePoints(const QFont& font, const QWidget& widget) {
  if (font.pointSize() > 0) return font.pointSize();
  return int(std::lround(font.pixelSize() * 72.0 / widget.logicalDpiY()));
}

}  // namespace

TMain::TMain(MessageDisplay& messages, QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::MSWindowsFixedSizeDialogHint |
                  Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      messages_(messages) {
  setWindowTitle("Quillmark ver. 1.2");
  setFixedSize(kClientWidth, kClientHeight);
  setFont(PixelFont("IPAPGothic"));
  CreateControls();
  BindHandlers();
  Timer1.Enable();
}

// The grid views table_, which would be gone before QWidget's destructor
// deletes the children.
TMain::~TMain() { delete Table; }

void TMain::CreateControls() {
  Table = Place(new TableGrid(table_, this), 24, 72, 241, 318);
  BitBtn1 = Place(new QPushButton("  貼り付け(&P)", this), 24, 408, 137, 25);
  edMaterial = Place(new QLineEdit("_", this), 184, 13, 14, 20);
  Memo1 = Place(new Memo("1", this), 352, 40, 65, 17);
  Memo1->setEnabled(false);
  BitBtn2 = Place(new QPushButton("クリップボードへ出力(&O)", this), 280, 408,
                  185, 25);
  chkWriteNum = Place(new QCheckBox("数値も記入", this), 40, 40, 81, 17);
  chkWriteNum->setChecked(true);
  radbtnManual = Place(new QRadioButton(this), 336, 40, 17, 17);
  radbtnAuto = Place(new QRadioButton(this), 336, 16, 17, 17);
  radbtnAuto->setChecked(true);
  BitBtn3 = Place(new QPushButton("ヘルプ(&H)", this), 573, 408, 90, 25);
  BitBtn4 = Place(new QPushButton("終了(&E)", this), 672, 408, 90, 25);
  Editor = Place(new QPlainTextEdit(this), 280, 72, 481, 318);
  Editor->setFont(PixelFont("IPAGothic"));
  Editor->setLineWrapMode(QPlainTextEdit::NoWrap);
  Editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Editor->setTabChangesFocus(true);
  BitBtn5 = Place(new QPushButton("クリア(&C)", this), 176, 408, 89, 25);
  chkWriteUnit = Place(new QCheckBox("単位も記入", this), 144, 40, 81, 17);
  edUnit = Place(new QLineEdit("%", this), 228, 39, 38, 20);
  chkAsHTML = Place(new QCheckBox("HTML形式でクリップボード出力", this), 560,
                    40, 193, 17);
  seWidth = Place(new SpinEdit(this), 664, 16, 41, 21);
  seWidth->setValue(70);
  BitBtn6 = Place(new QPushButton("フォント(&F)", this), 474, 408, 90, 25);

  Label2 = PlaceLabel("棒の素材となる文字（半角）：", 40, 16, this);
  Label3 = PlaceLabel(
      "メーラーの折り返し幅に合わせる（自動）　　幅（半角文字数）：", 354, 19,
      this);
  Label1 = PlaceLabel("を _ １個とする", 421, 42, this);

  QWidget* const tab_order[] = {
      Table,   BitBtn1, edMaterial,   Memo1,  BitBtn2,   chkWriteNum,
      radbtnManual, radbtnAuto, BitBtn3, BitBtn4, Editor, BitBtn5,
      chkWriteUnit, edUnit, chkAsHTML, seWidth, BitBtn6};
  for (std::size_t i = 1; i < std::size(tab_order); ++i) {
    setTabOrder(tab_order[i - 1], tab_order[i]);
  }
}

template <class Sender, class Signal>
void TMain::Bind(Sender* sender, Signal signal, void (TMain::*handler)()) {
  connect(sender, signal, this,
          [this, handler] { Dispatch([this, handler] { (this->*handler)(); }); });
}

// A radio button's click runs only when it becomes selected.
void TMain::BindSelected(QRadioButton* button, void (TMain::*handler)()) {
  connect(button, &QRadioButton::toggled, this, [this, handler](bool selected) {
    if (selected) Dispatch([this, handler] { (this->*handler)(); });
  });
}

// Text and check changes are bound to the signals that fire for the user's
// and the program's changes alike, and only when the value really changes.
void TMain::BindHandlers() {
  Bind(Table, &TableGrid::keyReleased, &TMain::TableKeyUp);
  Bind(Table, &TableGrid::mouseReleased, &TMain::TableMouseUp);
  connect(Table, &TableGrid::drawCell, this,
          [this](QPainter* painter, int column, int row,
                 const QStyleOptionViewItem& cell) {
            Dispatch([&] { TableDrawCell(painter, column, row, cell); });
          });
  Bind(BitBtn1, &QPushButton::clicked, &TMain::BitBtn1Click);
  Bind(edMaterial, &QLineEdit::textChanged, &TMain::edMaterialChange);
  Bind(Memo1, &Memo::changed, &TMain::edMaterialChange);
  Bind(BitBtn2, &QPushButton::clicked, &TMain::BitBtn2Click);
  Bind(chkWriteNum, &QCheckBox::toggled, &TMain::edMaterialChange);
  BindSelected(radbtnManual, &TMain::radbtnManualClick);
  BindSelected(radbtnAuto, &TMain::radbtnAutoClick);
  Bind(BitBtn3, &QPushButton::clicked, &TMain::BitBtn3Click);
  Bind(BitBtn4, &QPushButton::clicked, &TMain::BitBtn4Click);
  Bind(BitBtn5, &QPushButton::clicked, &TMain::BitBtn5Click);
  Bind(chkWriteUnit, &QCheckBox::toggled, &TMain::edMaterialChange);
  Bind(edUnit, &QLineEdit::textChanged, &TMain::edMaterialChange);
  Bind(BitBtn6, &QPushButton::clicked, &TMain::BitBtn6Click);
  Bind(&Timer1, &RerenderTimer::expired, &TMain::Timer1Timer);
}

bool TMain::Dispatch(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const std::exception& error) {
    messages_.ShowError(error.what());
    return false;
  }
}

void TMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_ || event->spontaneous()) return;
  shown_ = true;
  CentreOnScreen();
  Dispatch([this] { FormShow(); });
}

void TMain::closeEvent(QCloseEvent* event) {
  if (Dispatch([this] { FormClose(); })) {
    event->accept();
  } else {
    event->ignore();
  }
}

void TMain::CentreOnScreen() {
  const QRect screen_area = screen()->geometry();
  move(screen_area.center() - QPoint(width() / 2, height() / 2));
}

void TMain::UseSettingsFile(std::string path) {
  settings_path_ = std::move(path);
}

std::string TMain::SettingsPath() const {
  if (!settings_path_.empty()) return settings_path_;
  return SettingsPathFor(
      QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
}

void TMain::FormShow() {
  Table->TableCell(0, 0, InitialLabelHeader());
  Table->TableCell(1, 0, InitialValueHeader());
  const std::string path = SettingsPath();
  const std::string font_name = ToCp932(Editor->font().family());
  SettingsRecord record;
  Table->ChangeTable([&](DataTable& table) {
    record = LoadSettings(path, table, font_name);
  });
  ApplySettings(record, font_name);
  LayOutAtFirstShow();
}

// In the load's order. Material and unit are not read back: the window keeps
// its design texts. Setting a control to the value it holds runs nothing.
// The family changes only for a stored name other than the current one, so
// a missing entry keeps even a family with no code page 932 form.
void TMain::ApplySettings(const SettingsRecord& record,
                          const std::string& current_font_name) {
  chkWriteNum->setChecked(record.WriteNum);
  chkWriteUnit->setChecked(record.WriteUnit);
  chkAsHTML->setChecked(record.AsHtml);
  (record.AutoScale ? radbtnAuto : radbtnManual)->setChecked(true);
  seWidth->setValue(record.Width);
  Memo1->setPlainText(QString::fromStdString(Cp932ToUtf8(record.Scale)));
  QFont font = Editor->font();
  // Qt has no font of zero or fewer points.
  font.setPointSize(record.FontSize > 0 ? record.FontSize : kDefaultFontPoints);
  if (!record.FontName.empty() && record.FontName != current_font_name) {
    font.setFamily(QString::fromStdString(Cp932ToUtf8(record.FontName)));
  }
  Editor->setFont(font);
}

SettingsRecord TMain::SettingsFromControls() {
  SettingsRecord record;
  record.Material = ToCp932(edMaterial->text());
  record.WriteNum = chkWriteNum->isChecked();
  record.WriteUnit = chkWriteUnit->isChecked();
  record.AsHtml = chkAsHTML->isChecked();
  record.Unit = ToCp932(edUnit->text());
  record.AutoScale = radbtnAuto->isChecked();
  record.Width = seWidth->Value();
  record.FontSize = WholePoints(Editor->font(), *Editor);
  record.Scale = ToCp932(Memo1->toPlainText());
  record.FontName = StoredFontName(Editor->font());
  return record;
}

// The labels took their widths from their captions in the window's font, so
// the controls beside them follow whatever the font's metrics.
void TMain::LayOutAtFirstShow() {
  edMaterial->move(RightEdge(Label2) + kLabelGap, edMaterial->y());
  seWidth->move(RightEdge(Label3) + kLabelGap, seWidth->y());
  Table->resize(Table->ColWidths(0) + Table->ColWidths(1) + kTableExtraWidth,
                Table->height());
}

void TMain::FormClose() {
  SaveSettings(SettingsPath(), table_, SettingsFromControls());
}

void TMain::Timer1Timer() {
  if (DeclinesToRender(Table->TableCell(1, 1))) return;
  Timer1.Disable();
  SetEditorLines(RenderChart(table_, ChartOptions(), last_values_));
}

void TMain::edMaterialChange() {
  Label1->setText("を " + edMaterial->text() + "１個とする");
  Label1->adjustSize();
  chkWriteUnit->setEnabled(chkWriteNum->isChecked());
  edUnit->setEnabled(chkWriteUnit->isEnabled());
  Timer1.Enable();
}

void TMain::radbtnManualClick() {
  Memo1->setEnabled(true);
  seWidth->setEnabled(false);
  Timer1.Enable();
}

void TMain::radbtnAutoClick() {
  Memo1->setEnabled(false);
  seWidth->setEnabled(true);
  Timer1.Enable();
}

void TMain::BitBtn1Click() {
  BitBtn5Click();
  try {
    const std::string pasted = ReadClipboardText();
    Table->ChangeTable(
        [&pasted](DataTable& table) { FillTableFromText(table, pasted); });
  } catch (const UserError&) {
    messages_.ShowNotice(PasteFailureMessage());
    return;
  }
  Timer1.Enable();
}

void TMain::BitBtn2Click() {
  std::string text = EditorText();
  if (chkAsHTML->isChecked()) text = ReplaceSpacePairs(text);
  WriteClipboardText(text);
}

void TMain::BitBtn3Click() { ShowAboutAndHelp(*AboutBox); }

void TMain::BitBtn4Click() { close(); }

void TMain::BitBtn5Click() {
  Table->ChangeTable([](DataTable& table) { table.ClearDataRows(); });
  Editor->clear();
}

// Every font, with the effects and no size limit: the dialog's defaults.
// The chart is not rendered anew; the font reaches the file at the next close.
void TMain::BitBtn6Click() {
  QFontDialog FontDialog1(Editor->font(), this);
  if (FontDialog1.exec() == QDialog::Accepted) {
    Editor->setFont(FontDialog1.selectedFont());
  }
}

void TMain::TableKeyUp() {
  Timer1.Disable();
  Timer1.Enable();
}

void TMain::TableMouseUp() {
  Table->TableCell(0, 0, CentredLabelHeader(Table->ColWidths(0)));
  Table->TableCell(1, 0, CentredValueHeader(Table->ColWidths(1)));
}

void TMain::TableDrawCell(QPainter* painter, int column, int row,
                          const QStyleOptionViewItem& cell) {
  if (column == 1) {
    TableGrid::PaintCell(*painter, cell, Table->CellText(column, row), false);
  }
}

TChartOptions TMain::ChartOptions() {
  TChartOptions options;
  options.Material = ToCp932(edMaterial->text());
  options.UnitText = ToCp932(edUnit->text());
  options.WriteNum = chkWriteNum->isChecked();
  options.WriteUnit = chkWriteUnit->isChecked();
  options.AutoScale = radbtnAuto->isChecked();
  options.Width = seWidth->Value();
  options.ScaleText = ToCp932(Memo1->FirstLine());
  return options;
}

std::string TMain::EditorText() const {
  const std::string text = ToCp932(Editor->toPlainText());
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

void TMain::SetEditorLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines[i];
  }
  Editor->setPlainText(QString::fromStdString(Cp932ToUtf8(text)));
}

}  // namespace quillmark

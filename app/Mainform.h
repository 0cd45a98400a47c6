// The main window `Main` (class TMain): the grid, the chart options, the
// output pane and the six buttons, with the deferred re-render.
//
// The window wires controls to handlers and converts texts between the
// widgets' Unicode and code page 932; the work is the core's. Every handler
// runs through Dispatch, so an exception that leaves it is shown by the
// error display and the message loop goes on. Positions are pixels at 96
// dots per inch.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/rerender_timer.h"
#include "chart/chart.h"
#include "settings/settings.h"
#include "table/data_table.h"
#include "table/table_grid.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace quillmark {

class MessageDisplay;
class TAboutBox;

class TMain : public QWidget {
  Q_OBJECT

 public:
  // `messages` must outlive the window. Timer1 is on from here.
  explicit TMain(MessageDisplay& messages, QWidget* parent = nullptr);
  ~TMain() override;

  // Tests only: the settings file at `path` instead of the one beside the
  // executable. Without it, each load and save works the path out anew from
  // the executable's path.
  void UseSettingsFile(std::string path);

  // Handlers, each as its event runs it.
  // Header texts, the settings load applied to the controls (each value as a
  // programmatic change, so the controls' own handlers run when it differs),
  // then the layout beside the labels.
  void FormShow();
  // Saves the table and the options; throws UserError when the file cannot
  // be written, and the close is then refused.
  void FormClose();
  void Timer1Timer();
  void edMaterialChange();
  void radbtnManualClick();
  void radbtnAutoClick();
  void BitBtn1Click();  // paste
  void BitBtn2Click();  // copy to the clipboard
  void BitBtn3Click();  // help: needs AboutBox
  void BitBtn4Click();  // exit
  void BitBtn5Click();  // clear
  void BitBtn6Click();  // font of Editor, through the font dialog
  void TableKeyUp();
  void TableMouseUp();
  void TableDrawCell(QPainter* painter, int column, int row,
                     const QStyleOptionViewItem& cell);

  // Runs `handler` as the message loop runs a handler: an exception that
  // leaves it is shown by the error display. True when it ran to its end.
  bool Dispatch(const std::function<void()>& handler);

  // The options record as the controls give it now.
  TChartOptions ChartOptions();
  // The whole text of Editor in code page 932, CR LF between lines.
  std::string EditorText() const;

  // Controls, in tab order, then the labels and the timer.
  TableGrid* Table;
  QPushButton* BitBtn1;
  QLineEdit* edMaterial;
  Memo* Memo1;
  QPushButton* BitBtn2;
  QCheckBox* chkWriteNum;
  QRadioButton* radbtnManual;
  QRadioButton* radbtnAuto;
  QPushButton* BitBtn3;
  QPushButton* BitBtn4;
  QPlainTextEdit* Editor;
  QPushButton* BitBtn5;
  QCheckBox* chkWriteUnit;
  QLineEdit* edUnit;
  QCheckBox* chkAsHTML;
  SpinEdit* seWidth;
  QPushButton* BitBtn6;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  RerenderTimer Timer1;
  // The about box of the help button, set by the entry point and owned by
  // whoever created it.
  TAboutBox* AboutBox = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void BindHandlers();
  template <class Sender, class Signal>
  void Bind(Sender* sender, Signal signal, void (TMain::*handler)());
  void BindSelected(QRadioButton* button, void (TMain::*handler)());
  void CentreOnScreen();
  void LayOutAtFirstShow();
  void SetEditorLines(const std::vector<std::string>& lines);
  std::string SettingsPath() const;
  void ApplySettings(const SettingsRecord& record,
                     const std::string& current_font_name);
  SettingsRecord SettingsFromControls();

  DataTable table_;
  LastValues last_values_{};
  MessageDisplay& messages_;
  bool shown_ = false;
  std::string settings_path_;
};

}  // namespace quillmark

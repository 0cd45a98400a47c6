// The about box and the help command.
//
// TAboutBox is the small window with the program's name, version, icon,
// notice line and the project's mail and web addresses. It lives for the
// whole run: closing it (OK, Enter, Esc, the title bar) only hides it; each
// move from hidden to shown centres it on the screen and runs FormShow.
// ShowAboutAndHelp is the whole of the main window's help button.
//
// Addresses and the help page go to the user's own programs through the
// box's UrlOpener; the box never waits for them and never reports a failed
// open. The box never saves anything.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;
class QShowEvent;
class QToolButton;

namespace quillmark {

// Hands a page, web address or "mailto:" link to the user's programs. Its
// outcome is not looked at: a failed open reports nothing.
using UrlOpener = std::function<void(const QUrl&)>;

// The desktop's opener (browser, mail client), without a shell in between.
void OpenWithDesktop(const QUrl& url);

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  // Built from its design, hidden. `open_url` serves the address buttons and
  // the help page.
  explicit TAboutBox(UrlOpener open_url = OpenWithDesktop,
                     QWidget* parent = nullptr);

  // Show handler, run on each move from hidden to shown: ProductName's
  // caption goes to Shadow; OS follows 5 pixels right of ProductName, and
  // OS_Shadow 2 pixels right of OS.
  void FormShow();

  // Hides the box; it stays alive and can be shown again.
  void OKButtonClick();

  // Opens "mailto:" + MailAdress + "?subject=" + the trimmed ProductName.
  void MailAdressClick();

  // Opens the caption of URL.
  void URLClick();

  // Loads ProgramIcon from an icon file, `file_name` taken as given (a
  // relative name against the current directory). Throws UserError
  // "ファイル %s は開けません" with `file_name` when the file cannot be opened,
  // and "アイコンイメージが不正です" when it is not a readable icon; the
  // picture is then unchanged.
  void LoadProgramIcon(const QString& file_name);

  // Shows the box modeless; when it is already open, brings it to the front
  // without running FormShow again.
  void ShowOrRaise();

  // Hands `url` to the box's opener.
  void OpenUrl(const QUrl& url) const;

  // The controls, named as designed and owned by the box. Panel1 holds all
  // but OKButton; its children are stacked bottom to top: Shadow,
  // ProgramIcon, ProductName, Version, Notice, URL, MailAdress, OS_Shadow, OS.
  QFrame* Panel1;
  QLabel* Shadow;
  QLabel* ProgramIcon;
  QLabel* ProductName;
  QLabel* Version;
  QLabel* Notice;
  QToolButton* URL;
  QToolButton* MailAdress;
  QLabel* OS_Shadow;
  QLabel* OS;
  QPushButton* OKButton;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CentreOnScreen();

  UrlOpener open_url_;
};

// The help command of the main window's help button, in this order: sets
// ProductName to "Quillmark" and Version to "    Version 1.2", loads
// "Quillmark.ico" from the current directory, shows the box (or brings it to
// the front), then opens "Help.htm" beside the executable. An error of the
// icon load is thrown (UserError) and stops the command: the captions stay
// set, the box is not shown and the help page is not opened.
void ShowAboutAndHelp(TAboutBox& box);

// The help page's full path: the executable's directory and "Help.htm".
QString HelpPagePath();

}  // namespace quillmark

#include "about/About_box.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFont>
#include <QFrame>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <algorithm>
#include <utility>

#include "text/cp932.h"
#include "text/user_error.h"

namespace quillmark {
namespace {

// The window font "ＭＳ Ｐゴシック" is a Windows font; IPA's proportional
// Gothic has the same character height and covers the same characters.
constexpr char kWindowFontFamily[] = "IPAPGothic";

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kSilver(0xC0, 0xC0, 0xC0);

QFont DesignFont(const char* family, int pixels, bool bold = false) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void SetTextColour(QWidget& widget, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::WindowText, colour);
  widget.setPalette(palette);
}

void SetAutoSizedCaption(QLabel& label, const QString& caption) {
  label.setText(caption);
  label.adjustSize();
}

// A transparent label that sizes itself to its caption.
QLabel* AutoSizedLabel(QWidget* panel, const char* name, int left, int top,
                       const QFont& font, const QColor& colour) {
  auto* label = new QLabel(panel);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setFont(font);
  SetTextColour(*label, colour);
  label->move(left, top);
  return label;
}

// A label of fixed size whose text starts at its top left corner. The
// designed heights assume the Windows metrics of "Arial"; a substitute font
// with a taller line gets the height of its line, so that no text is cut.
QLabel* FixedLabel(QWidget* panel, const char* name, const QRect& box,
                   const QString& caption) {
  auto* label = new QLabel(caption, panel);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setFont(DesignFont("Arial", 12));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setGeometry(box.x(), box.y(), box.width(),
                     std::max(box.height(), label->fontMetrics().height()));
  return label;
}

// A flat button that shows its caption as text. It takes no focus, so that
// Enter always reaches the OK button.
QToolButton* AddressButton(QWidget* panel, const char* name, const QRect& box,
                           const QString& caption) {
  auto* button = new QToolButton(panel);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(caption);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setCursor(Qt::PointingHandCursor);
  button->setFont(DesignFont("Arial", 12));
  button->setGeometry(box);
  return button;
}

// Spaces and control characters have codes below 33 in code page 932 and in
// UTF-16 alike, and no other character does, so the trim can run on either.
QString TrimSubject(const QString& caption) {
  auto is_trimmed = [](QChar c) { return c.unicode() < 33; };
  qsizetype first = 0;
  qsizetype last = caption.size();
  while (first < last && is_trimmed(caption[first])) ++first;
  while (last > first && is_trimmed(caption[last - 1])) --last;
  return caption.sliced(first, last - first);
}

UserError ErrorFromUtf16(const QString& message) {
  return UserError(Utf8ToCp932(message.toStdString()));
}

}  // namespace

void OpenWithDesktop(const QUrl& url) { QDesktopServices::openUrl(url); }

TAboutBox::TAboutBox(UrlOpener open_url, QWidget* parent)
    : QDialog(parent), open_url_(std::move(open_url)) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("バージョン情報"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(298, 203);
  setFont(DesignFont(kWindowFontFamily, 12));

  // A lowered outer and a raised inner bevel, one pixel each, around a panel
  // in the window's own colour.
  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Panel1->setLineWidth(1);
  Panel1->setMidLineWidth(0);
  Panel1->setGeometry(8, 8, 281, 145);

  // Created bottom to top: each navy label covers its silver twin.
  const QFont product_font = DesignFont("Times New Roman", 19, true);
  const QFont os_font = DesignFont("Times New Roman", 13, true);
  Shadow = AutoSizedLabel(Panel1, "Shadow", 75, 15, product_font, kSilver);
  ProgramIcon = new QLabel(Panel1);
  ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
  ProgramIcon->setScaledContents(true);
  ProgramIcon->setGeometry(18, 16, 40, 40);
  ProductName =
      AutoSizedLabel(Panel1, "ProductName", 71, 13, product_font, kNavy);
  Version = FixedLabel(Panel1, "Version", QRect(96, 44, 161, 12),
                       QStringLiteral("Version"));
  Notice =
      FixedLabel(Panel1, "Notice", QRect(24, 70, 233, 17),
                 QStringLiteral("Copyright (C) 2026 Quillmark developers"));
  URL = AddressButton(Panel1, "URL", QRect(24, 116, 233, 17),
                      QStringLiteral("https://quillmark.example.org/"));
  MailAdress = AddressButton(Panel1, "MailAdress", QRect(24, 94, 233, 17),
                             QStringLiteral("quillmark@example.org"));
  OS_Shadow = AutoSizedLabel(Panel1, "OS_Shadow", 198, 20, os_font, kSilver);
  OS = AutoSizedLabel(Panel1, "OS", 194, 18, os_font, kNavy);
  SetAutoSizedCaption(*Shadow, QStringLiteral("Product Name"));
  SetAutoSizedCaption(*ProductName, QStringLiteral("Product Name"));
  SetAutoSizedCaption(*OS_Shadow, QStringLiteral("for Win"));
  SetAutoSizedCaption(*OS, QStringLiteral("for Win"));

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setGeometry(111, 164, 75, 25);
  OKButton->setDefault(true);

  connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
  connect(MailAdress, &QToolButton::clicked, this, &TAboutBox::MailAdressClick);
  connect(URL, &QToolButton::clicked, this, &TAboutBox::URLClick);
}

void TAboutBox::FormShow() {
  SetAutoSizedCaption(*Shadow, ProductName->text());
  OS->move(ProductName->x() + ProductName->width() + 5, OS->y());
  OS_Shadow->move(OS->x() + 2, OS_Shadow->y());
}

void TAboutBox::OKButtonClick() { close(); }

void TAboutBox::MailAdressClick() {
  OpenUrl(QUrl(QStringLiteral("mailto:") + MailAdress->text() +
               QStringLiteral("?subject=") + TrimSubject(ProductName->text())));
}

void TAboutBox::URLClick() { OpenUrl(QUrl(URL->text())); }

void TAboutBox::LoadProgramIcon(const QString& file_name) {
  QFile file(file_name);
  if (!file.open(QIODevice::ReadOnly)) {
    throw ErrorFromUtf16(
        QStringLiteral("ファイル %1 は開けません").arg(file_name));
  }
  static const QString kBadIcon = QStringLiteral("アイコンイメージが不正です");
  QImageReader reader(&file, "ico");
  reader.setAutoDetectImageFormat(false);
  QIcon icon;
  const int count = reader.imageCount();
  for (int index = 0; index < count; ++index) {
    const QImage image = reader.jumpToImage(index) ? reader.read() : QImage();
    if (image.isNull()) throw ErrorFromUtf16(kBadIcon);
    icon.addPixmap(QPixmap::fromImage(image));
  }
  if (icon.isNull()) throw ErrorFromUtf16(kBadIcon);
  ProgramIcon->setPixmap(icon.pixmap(ProgramIcon->size()));
}

void TAboutBox::ShowOrRaise() {
  show();
  raise();
  activateWindow();
}

void TAboutBox::OpenUrl(const QUrl& url) const { open_url_(url); }

void TAboutBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The window system's own re-show of an open box is no move from hidden.
  if (event->spontaneous()) return;
  CentreOnScreen();
  FormShow();
}

void TAboutBox::CentreOnScreen() {
  QRect frame = frameGeometry();
  frame.moveCenter(screen()->availableGeometry().center());
  move(frame.topLeft());
}

void ShowAboutAndHelp(TAboutBox& box) {
  SetAutoSizedCaption(*box.ProductName, QStringLiteral("Quillmark"));
  box.Version->setText(QStringLiteral("    Version 1.2"));
  box.LoadProgramIcon(QStringLiteral("Quillmark.ico"));
  box.ShowOrRaise();
  box.OpenUrl(QUrl::fromLocalFile(HelpPagePath()));
}

QString HelpPagePath() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/Help.htm");
}

}  // namespace quillmark

#include "about/About_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "text/cp932.h"
#include "text/user_error.h"

// Readable failure messages for the Qt values compared below.
void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
void PrintTo(const QUrl& url, std::ostream* out) {
  PrintTo(url.toString(), out);
}
void PrintTo(const QPoint& p, std::ostream* out) {
  *out << '(' << p.x() << ", " << p.y() << ')';
}
void PrintTo(const QSize& s, std::ostream* out) {
  *out << s.width() << 'x' << s.height();
}
void PrintTo(const QRect& r, std::ostream* out) {
  *out << r.width() << 'x' << r.height() << '+' << r.x() << '+' << r.y();
}

namespace quillmark {
namespace {

// One application object for the whole run, made only when tests run (not
// when they are merely listed).
class QtApplication : public testing::Environment {
 public:
  void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
  void TearDown() override { app_.reset(); }

 private:
  char name_[15] = "about_box_test";
  char* argv_[2] = {name_, nullptr};
  int argc_ = 1;
  std::unique_ptr<QApplication> app_;
};

const testing::Environment* const kQtApplication =
    testing::AddGlobalTestEnvironment(new QtApplication);

QString BuiltFile(const char* name) {
  return QCoreApplication::applicationDirPath() + '/' +
         QString::fromLatin1(name);
}

// Each test runs in an empty current directory of its own, with a box whose
// opened addresses are recorded instead of being sent to a browser.
class AboutBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(work_dir_.isValid());
    previous_dir_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(work_dir_.path()));
  }
  void TearDown() override { QDir::setCurrent(previous_dir_); }

  void PutBuiltIcon() {
    ASSERT_TRUE(QFile::copy(BuiltFile("Quillmark.ico"), "Quillmark.ico"));
  }
  void PutIconFile(const QByteArray& content) {
    QFile file("Quillmark.ico");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }

  // The user's press of the help button; a failure comes back as its message.
  std::string PressHelp() {
    try {
      ShowAboutAndHelp(box_);
      return "";
    } catch (const UserError& error) {
      return error.what();
    }
  }

  QTemporaryDir work_dir_;
  QString previous_dir_;
  std::vector<QUrl> opened_;
  TAboutBox box_{[this](const QUrl& url) { opened_.push_back(url); }};
};

TEST_F(AboutBoxTest, ControlsStandWhereDesigned) {
  EXPECT_FALSE(box_.isVisible());
  EXPECT_EQ(box_.windowTitle(), QStringLiteral("バージョン情報"));
  EXPECT_EQ(box_.size(), QSize(298, 203));
  EXPECT_EQ(box_.minimumSize(), box_.maximumSize());
  EXPECT_TRUE(box_.OKButton->isDefault());
  EXPECT_EQ(box_.OKButton->parentWidget(), &box_);

  struct Designed {
    QWidget* control;
    QRect box;
  };
  const Designed fixed[] = {
      {box_.Panel1, {8, 8, 281, 145}},  {box_.ProgramIcon, {18, 16, 40, 40}},
      {box_.Notice, {24, 70, 233, 17}}, {box_.MailAdress, {24, 94, 233, 17}},
      {box_.URL, {24, 116, 233, 17}},   {box_.OKButton, {111, 164, 75, 25}},
  };
  for (const Designed& d : fixed) {
    EXPECT_EQ(d.control->geometry(), d.box)
        << d.control->objectName().toStdString();
  }
  // Designed 12 pixels high, grown to a taller line of a substitute font.
  EXPECT_EQ(box_.Version->geometry().topLeft(), QPoint(96, 44));
  EXPECT_EQ(box_.Version->width(), 161);
  EXPECT_EQ(box_.Version->height(),
            std::max(12, box_.Version->fontMetrics().height()));
  const Designed auto_sized[] = {
      {box_.Shadow, {75, 15, 0, 0}},
      {box_.ProductName, {71, 13, 0, 0}},
      {box_.OS_Shadow, {198, 20, 0, 0}},
      {box_.OS, {194, 18, 0, 0}},
  };
  for (const Designed& d : auto_sized) {
    EXPECT_EQ(d.control->pos(), d.box.topLeft())
        << d.control->objectName().toStdString();
    EXPECT_EQ(d.control->size(), d.control->sizeHint())
        << d.control->objectName().toStdString();
  }
}

TEST_F(AboutBoxTest, NavyLabelsLieOverTheirSilverTwins) {
  std::vector<QObject*> stacked;
  for (QObject* child : box_.Panel1->children()) {
    if (child->isWidgetType()) stacked.push_back(child);
  }
  const std::vector<QObject*> bottom_to_top = {
      box_.Shadow,     box_.ProgramIcon, box_.ProductName,
      box_.Version,    box_.Notice,      box_.URL,
      box_.MailAdress, box_.OS_Shadow,   box_.OS};
  EXPECT_EQ(stacked, bottom_to_top);

  const QColor navy(0, 0, 0x80);
  const QColor silver(0xC0, 0xC0, 0xC0);
  struct Twin {
    QLabel* label;
    QColor colour;
    int pixels;
  };
  for (const Twin& t :
       {Twin{box_.ProductName, navy, 19}, Twin{box_.Shadow, silver, 19},
        Twin{box_.OS, navy, 13}, Twin{box_.OS_Shadow, silver, 13}}) {
    EXPECT_EQ(t.label->palette().color(QPalette::WindowText), t.colour);
    EXPECT_EQ(t.label->font().pixelSize(), t.pixels);
    EXPECT_TRUE(t.label->font().bold());
    EXPECT_FALSE(t.label->autoFillBackground());
  }
}

// What the box shows must not be cut off by the boxes of its design.
TEST_F(AboutBoxTest, CaptionsFitTheirBoxes) {
  PutBuiltIcon();
  ASSERT_EQ(PressHelp(), "");
  for (QLabel* label : {box_.Version, box_.Notice}) {
    const QRect text = label->fontMetrics().boundingRect(label->text());
    EXPECT_LE(text.width(), label->width())
        << label->objectName().toStdString();
    EXPECT_LE(label->fontMetrics().height(), label->height())
        << label->objectName().toStdString();
  }
  for (QToolButton* button : {box_.MailAdress, box_.URL}) {
    EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 8,
              button->width())
        << button->objectName().toStdString();
  }
  const QRect panel = box_.Panel1->contentsRect();
  for (QLabel* label :
       {box_.ProductName, box_.OS, box_.OS_Shadow, box_.Shadow}) {
    EXPECT_TRUE(panel.contains(label->geometry()))
        << label->objectName().toStdString();
  }
}

TEST_F(AboutBoxTest, HelpButtonFillsInShowsCentredBoxAndOpensHelpPage) {
  PutBuiltIcon();
  ASSERT_EQ(PressHelp(), "");

  EXPECT_TRUE(box_.isVisible());
  EXPECT_EQ(box_.ProductName->text(), QStringLiteral("Quillmark"));
  EXPECT_EQ(box_.Version->text(), QStringLiteral("    Version 1.2"));
  EXPECT_EQ(box_.Shadow->text(), QStringLiteral("Quillmark"));
  EXPECT_EQ(box_.ProductName->width(), box_.ProductName->sizeHint().width());
  EXPECT_EQ(box_.Shadow->size(), box_.ProductName->size());
  EXPECT_EQ(box_.OS->pos(),
            QPoint(box_.ProductName->x() + box_.ProductName->width() + 5, 18));
  EXPECT_EQ(box_.OS_Shadow->pos(), QPoint(box_.OS->x() + 2, 20));
  EXPECT_FALSE(box_.ProgramIcon->pixmap().isNull());
  EXPECT_EQ(box_.frameGeometry().center(),
            box_.screen()->availableGeometry().center());
  EXPECT_EQ(opened_,
            std::vector<QUrl>{QUrl::fromLocalFile(BuiltFile("Help.htm"))});
}

TEST_F(AboutBoxTest, SecondPressKeepsTheOpenBoxAndOpensHelpAgain) {
  PutBuiltIcon();
  ASSERT_EQ(PressHelp(), "");
  // Marks that only a new FormShow or a new centring would undo.
  box_.OS->move(0, box_.OS->y());
  box_.move(3, 4);
  const QPoint moved = box_.pos();

  ASSERT_EQ(PressHelp(), "");
  EXPECT_TRUE(box_.isVisible());
  EXPECT_EQ(box_.OS->x(), 0);
  EXPECT_EQ(box_.pos(), moved);
  EXPECT_EQ(opened_.size(), 2u);
  EXPECT_EQ(opened_[1], opened_[0]);
}

TEST_F(AboutBoxTest, ShowingAgainAfterCloseCentresAndRunsFormShow) {
  PutBuiltIcon();
  ASSERT_EQ(PressHelp(), "");
  const QPoint centred = box_.pos();
  const int os_left = box_.OS->x();
  box_.OKButtonClick();
  box_.move(3, 4);
  box_.OS->move(0, box_.OS->y());

  ASSERT_EQ(PressHelp(), "");
  EXPECT_EQ(box_.pos(), centred);
  EXPECT_EQ(box_.OS->x(), os_left);
}

TEST_F(AboutBoxTest, EveryWayOfClosingOnlyHides) {
  PutBuiltIcon();
  struct Way {
    const char* name;
    std::function<void(TAboutBox&)> close;
  };
  const Way ways[] = {
      {"OK clicked",
       [](TAboutBox& box) { QTest::mouseClick(box.OKButton, Qt::LeftButton); }},
      {"Enter pressed",
       [](TAboutBox& box) {
         ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
         ASSERT_EQ(QApplication::focusWidget(), box.OKButton);
         QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
       }},
      {"Esc pressed",
       [](TAboutBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }},
      {"title bar close", [](TAboutBox& box) { box.close(); }},
  };
  QPointer<TAboutBox> alive(&box_);
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    ASSERT_EQ(PressHelp(), "");
    ASSERT_TRUE(box_.isVisible());
    way.close(box_);
    EXPECT_FALSE(box_.isVisible());
    EXPECT_FALSE(alive.isNull());
  }
}

TEST_F(AboutBoxTest, IconThatCannotBeOpenedStopsTheCommand) {
  struct Case {
    const char* name;
    std::function<void()> prepare;
  };
  const Case cases[] = {
      {"no such file", [] {}},
      {"a folder of that name",
       [] { ASSERT_TRUE(QDir().mkdir("Quillmark.ico")); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.prepare();
    EXPECT_EQ(PressHelp(), Utf8ToCp932("ファイル Quillmark.ico は開けません"));
    EXPECT_EQ(box_.ProductName->text(), QStringLiteral("Quillmark"));
    EXPECT_EQ(box_.Version->text(), QStringLiteral("    Version 1.2"));
    EXPECT_FALSE(box_.isVisible());
    EXPECT_TRUE(opened_.empty());
  }
}

TEST_F(AboutBoxTest, FileThatIsNoIconRaisesTheGraphicError) {
  QFile built(BuiltFile("Quillmark.ico"));
  ASSERT_TRUE(built.open(QIODevice::ReadOnly));
  const QByteArray icon = built.readAll();
  struct Case {
    const char* name;
    QByteArray content;
  };
  const Case cases[] = {
      {"empty", {}},
      {"text", "not an icon\n"},
      {"a PNG picture",
       QByteArray::fromHex("89504e470d0a1a0a0000000d49484452")},
      {"an icon cut short", icon.left(40)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PutIconFile(c.content);
    EXPECT_EQ(PressHelp(), Utf8ToCp932("アイコンイメージが不正です"));
    EXPECT_FALSE(box_.isVisible());
    EXPECT_TRUE(box_.ProgramIcon->pixmap().isNull());
    EXPECT_TRUE(opened_.empty());
  }
}

TEST_F(AboutBoxTest, AddressButtonsOpenTheirLinks) {
  struct Case {
    QString product_name;
    QString link;
  };
  const Case cases[] = {
      {"Quillmark", "mailto:quillmark@example.org?subject=Quillmark"},
      {" \t Quill mark\r\n\x01",
       "mailto:quillmark@example.org?subject=Quill mark"},
      {QStringLiteral("　Quillmark"),
       QStringLiteral("mailto:quillmark@example.org?subject=　Quillmark")},
      {"  ", "mailto:quillmark@example.org?subject="},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product_name.toStdString());
    opened_.clear();
    box_.ProductName->setText(c.product_name);
    box_.MailAdress->click();
    EXPECT_EQ(opened_, std::vector<QUrl>{QUrl(c.link)});
  }
  opened_.clear();
  box_.URL->click();
  EXPECT_EQ(opened_, std::vector<QUrl>{QUrl("https://quillmark.example.org/")});
}

TEST(AboutFilesTest, BuiltIconHoldsThreeSizesQtCanRead) {
  ASSERT_TRUE(QImageReader::supportedImageFormats().contains("ico"));
  QImageReader reader(BuiltFile("Quillmark.ico"), "ico");
  std::vector<QSize> sizes;
  for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i); ++i) {
    sizes.push_back(reader.read().size());
  }
  EXPECT_EQ(sizes, (std::vector<QSize>{{16, 16}, {32, 32}, {48, 48}}));
}

TEST(AboutFilesTest, HelpPageStandsAloneAndNamesEveryControl) {
  QFile page(BuiltFile("Help.htm"));
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  const QByteArray bytes = page.readAll();
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8(bytes);
  ASSERT_FALSE(utf8.hasError());
  EXPECT_TRUE(text.contains(QStringLiteral("<meta charset=\"utf-8\">")));
  for (const char* remote :
       {"src=", "<link", "url(", "@import", "http:", "https:"}) {
    EXPECT_FALSE(text.contains(QString::fromLatin1(remote))) << remote;
  }
  const char* const named[] = {"貼り付け(P)",
                               "クリア(C)",
                               "クリップボードへ出力(O)",
                               "フォント(F)",
                               "ヘルプ(H)",
                               "終了(E)",
                               "棒の素材となる文字（半角）",
                               "数値も記入",
                               "単位も記入",
                               "HTML形式でクリップボード出力",
                               "メーラーの折り返し幅に合わせる（自動）",
                               "幅（半角文字数）",
                               "１個とする",
                               "quillmark.INI",
                               "quillmark-chart",
                               "--material",
                               "--unit",
                               "--no-number",
                               "--with-unit",
                               "--width",
                               "--scale",
                               "--html",
                               "--encoding"};
  for (const char* name : named) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(name))) << name;
  }
}

}  // namespace
}  // namespace quillmark

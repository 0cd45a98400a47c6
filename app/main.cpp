// Quillmark's window program: the application object, the main window and
// the message loop.
#include <QApplication>
#include <exception>

#include "about/About_box.h"
#include "app/Mainform.h"
#include "app/message_display.h"

int main(int argc, char* argv[]) {
  // The window's layout is in pixels at 96 dots per inch; a scale factor
  // would move every control off its place.
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  qunsetenv("QT_SCALE_FACTOR");
  qunsetenv("QT_SCREEN_SCALE_FACTORS");

  QApplication application(argc, argv);
  QApplication::setApplicationName("Quillmark");
  quillmark::MessageBoxDisplay messages;
  try {
    quillmark::TMain main_window(messages);
    // A child of the main window, so that closing the main window ends the
    // program even while the box is open.
    main_window.AboutBox = new quillmark::TAboutBox(quillmark::OpenWithDesktop,
                                                    &main_window);
    main_window.show();
    QApplication::exec();
  } catch (const std::exception& error) {
    messages.ShowError(error.what());
  }
  return 0;
}

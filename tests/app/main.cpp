// The window tests run on the offscreen platform with a widget application
// for their event loops.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>

namespace {

// The offscreen platform says on every window what it cannot do (size
// hints, raising); nothing else it says is noise.
QtMessageHandler standardHandler = nullptr;

void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith("This plugin does not support") || text.contains("XDG_RUNTIME_DIR")) return;
  if (standardHandler != nullptr) {
    standardHandler(type, context, text);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(text));
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  standardHandler = qInstallMessageHandler(QuietOffscreenNotes);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

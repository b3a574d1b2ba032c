// Prints the file type the desktop would give each file named on the command
// line, one per line, as Qt's shared-mime-info database finds it (by name and
// by content; XDG_DATA_DIRS says where the database is).
#include <QCoreApplication>
#include <QMimeDatabase>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
  const QCoreApplication application(argc, argv);
  const QMimeDatabase database;
  const QStringList files = QCoreApplication::arguments().mid(1);
  for (const QString& file : files) {
    std::printf("%s\n", qPrintable(database.mimeTypeForFile(file).name()));
  }
  return files.isEmpty() ? 2 : 0;
}

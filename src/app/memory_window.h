// The "System Memory" window: the four kinds of memory, each a list of the
// six memories with "Load" and "Save". It shows what the memory page
// describes and hands every click to it; the page decides what a load or
// a save does and which buttons may be pressed.
#pragma once

#include <QDialog>
#include <array>

#include "link/memory_commands.h"

class QListWidget;
class QPushButton;
class QGroupBox;

namespace qamp {

class CMemoryPage;

class CMemoryWindow : public QDialog {
  Q_OBJECT

 public:
  explicit CMemoryWindow(CMemoryPage& page, QWidget* parent = nullptr);

  // Brings the window up to date with the memories (after a file is read,
  // a send ends or a memory status arrives).
  void Refresh();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct KindWidgets {
    QGroupBox* group = nullptr;
    QListWidget* list = nullptr;
    QPushButton* load = nullptr;
    QPushButton* save = nullptr;
  };

  void Render();
  void Press(int buttonId);

  CMemoryPage& page_;
  std::array<KindWidgets, kMemoryKinds> kinds_{};
};

}  // namespace qamp

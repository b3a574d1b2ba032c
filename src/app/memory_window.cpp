#include "app/memory_window.h"

#include <algorithm>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "pages/memory_page.h"

namespace qamp {

namespace {

QString FromModel(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

CMemoryWindow::CMemoryWindow(CMemoryPage& page, QWidget* parent) : QDialog(parent), page_(page) {
  setWindowTitle(QStringLiteral("System Memory"));
  auto* row = new QHBoxLayout(this);
  for (int kind = 0; kind < kMemoryKinds; ++kind) {
    KindWidgets& widgets = kinds_[static_cast<size_t>(kind)];
    const Control* list = page_.FindControl(CMemoryPage::kLists[kind]);
    const QString caption = list != nullptr ? FromModel(list->caption) : QString();
    widgets.group = new QGroupBox(caption, this);
    widgets.list = new QListWidget(widgets.group);
    widgets.list->setAccessibleName(caption);
    widgets.list->setSelectionMode(QAbstractItemView::SingleSelection);
    widgets.list->setUniformItemSizes(true);
    if (list != nullptr) {
      for (const std::string& item : list->items) widgets.list->addItem(FromModel(item));
    }
    widgets.load = new QPushButton(widgets.group);
    widgets.save = new QPushButton(widgets.group);

    // Every memory in sight without scrolling, and room for the longest
    // entry ("Memory 6 (Empty)").
    const QFontMetrics metrics(widgets.list->font());
    const int frame = 2 * widgets.list->frameWidth();
    const int rowHeight = std::max(widgets.list->sizeHintForRow(0), metrics.height());
    widgets.list->setFixedHeight(rowHeight * kMemoryCount + frame + 2);
    widgets.list->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("Memory 6 (Empty)")) +
                                  frame + metrics.averageCharWidth() * 3);
    widgets.list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    widgets.list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(widgets.load);
    buttons->addWidget(widgets.save);
    auto* column = new QVBoxLayout(widgets.group);
    column->addWidget(widgets.list);
    column->addLayout(buttons);
    column->addStretch();
    row->addWidget(widgets.group);

    const int listId = CMemoryPage::kLists[kind];
    const int loadId = CMemoryPage::kLoadButtons[kind];
    const int saveId = CMemoryPage::kSaveButtons[kind];
    connect(widgets.list, &QListWidget::currentRowChanged, this, [this, listId](int current) {
      if (current < 0) return;
      page_.SelectListRow(listId, current);
      Render();
    });
    connect(widgets.load, &QPushButton::clicked, this, [this, loadId] { Press(loadId); });
    connect(widgets.save, &QPushButton::clicked, this, [this, saveId] { Press(saveId); });
  }
  // A list with no selection would still act on its first memory: show
  // that memory selected from the start.
  for (int kind = 0; kind < kMemoryKinds; ++kind) {
    const Control* list = page_.FindControl(CMemoryPage::kLists[kind]);
    if (list != nullptr && list->value < 0) page_.SelectListRow(CMemoryPage::kLists[kind], 0);
  }
  Render();
}

void CMemoryWindow::Refresh() {
  page_.RefreshAll();
  Render();
}

void CMemoryWindow::showEvent(QShowEvent* event) {
  Refresh();
  QDialog::showEvent(event);
}

void CMemoryWindow::Press(int buttonId) {
  page_.PressButton(buttonId);
  Render();
  // A real-time System load may have asked a question in front of the
  // window; the window comes back to the front.
  if (buttonId == CMemoryPage::kLoadButtons[0] && isVisible()) {
    raise();
    activateWindow();
  }
}

void CMemoryWindow::Render() {
  for (int kind = 0; kind < kMemoryKinds; ++kind) {
    KindWidgets& widgets = kinds_[static_cast<size_t>(kind)];
    const QString group = widgets.group->title();
    if (const Control* list = page_.FindControl(CMemoryPage::kLists[kind])) {
      const QSignalBlocker blocker(widgets.list);
      for (size_t row = 0; row < list->items.size(); ++row) {
        const auto index = static_cast<int>(row);
        if (index >= widgets.list->count()) widgets.list->addItem(QString());
        widgets.list->item(index)->setText(FromModel(list->items[row]));
      }
      while (widgets.list->count() > static_cast<int>(list->items.size())) {
        delete widgets.list->takeItem(widgets.list->count() - 1);
      }
      widgets.list->setCurrentRow(list->value);
      widgets.list->setEnabled(list->enabled);
      widgets.group->setVisible(list->visible);
    }
    const std::array<std::pair<QPushButton*, int>, 2> buttons = {
        std::pair{widgets.load, CMemoryPage::kLoadButtons[kind]},
        std::pair{widgets.save, CMemoryPage::kSaveButtons[kind]}};
    for (const auto& [button, id] : buttons) {
      const Control* control = page_.FindControl(id);
      if (control == nullptr) continue;
      button->setText(FromModel(control->caption));
      button->setAccessibleName(group + u' ' + FromModel(control->caption));
      button->setEnabled(control->enabled);
      button->setVisible(control->visible);
    }
  }
}

}  // namespace qamp

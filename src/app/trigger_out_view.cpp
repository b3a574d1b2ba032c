// "TRIGGER OUT": each output in its box, the Trigger Control above a grid
// of the inputs against the zones, one "L"/"H" pair in each cell, "All
// High" and "All Low" below.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "app/page_controls.h"
#include "app/source_view_kit.h"

namespace qamp {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() > tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class CTriggerOutView : public CSourceView {
 public:
  CTriggerOutView(CBasePage& page, QWidget* parent) : CSourceView(page, parent) {
    auto* content = MakeScrolledPage(this);
    auto* row = new QHBoxLayout(content);
    for (const Control& control : page.Controls()) {
      if (control.kind == ControlKind::kFrame) row->addWidget(BuildOutput(control), 1);
    }
    row->addStretch(0);
    Render();
  }

 private:
  QGroupBox* BuildOutput(const Control& frame) {
    QGroupBox* box = MakeFrame(frame.id);
    auto* stack = new QVBoxLayout(box);
    auto* top = new QHBoxLayout;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(2);
    auto* buttons = new QHBoxLayout;
    for (size_t c = 0; c < frame.columnHeaders.size(); ++c) {
      QLabel* header = FixedLabel(FromModel(frame.columnHeaders[c]));
      QFont bold = header->font();
      bold.setBold(true);
      header->setFont(bold);
      grid->addWidget(header, 0, static_cast<int>(c) + 1, Qt::AlignHCenter);
    }
    std::vector<std::string> rows;
    for (const Control& control : Page().Controls()) {
      if (control.frame != frame.id) continue;
      switch (control.kind) {
        case ControlKind::kCombo: {
          QComboBox* combo = MakeCombo(control.id);
          top->addWidget(MakeCaption(control.id));
          top->addWidget(combo);
          top->addStretch(1);
          break;
        }
        case ControlKind::kButton:
          buttons->addWidget(MakeButton(control.id));
          break;
        case ControlKind::kRadioGroup: {
          // The group's caption is its row's name, then its column's.
          int column = -1;
          std::string rowName = control.caption;
          for (size_t c = 0; c < frame.columnHeaders.size(); ++c) {
            if (EndsWith(control.caption, " " + frame.columnHeaders[c])) {
              column = static_cast<int>(c);
              rowName = control.caption.substr(
                  0, control.caption.size() - frame.columnHeaders[c].size() - 1);
            }
          }
          auto found = std::find(rows.begin(), rows.end(), rowName);
          int line = static_cast<int>(found - rows.begin()) + 1;
          if (found == rows.end()) {
            rows.push_back(rowName);
            grid->addWidget(FixedLabel(FromModel(rowName)), line, 0);
          }
          auto* cell = new QWidget;
          auto* pair = new QHBoxLayout(cell);
          pair->setContentsMargins(0, 0, 0, 0);
          for (QRadioButton* radio : MakeRadios(control.id)) pair->addWidget(radio);
          grid->addWidget(cell, line, column + 1, Qt::AlignHCenter);
          break;
        }
        default:
          break;
      }
    }
    grid->setColumnStretch(static_cast<int>(frame.columnHeaders.size()) + 1, 1);
    buttons->addStretch(1);
    stack->addLayout(top);
    stack->addSpacing(6);
    stack->addLayout(grid);
    stack->addSpacing(6);
    stack->addLayout(buttons);
    stack->addStretch(1);
    return box;
  }
};

}  // namespace

CPageWidget* MakeTriggerOutView(CBasePage& page, QWidget* parent) {
  return new CTriggerOutView(page, parent);
}

}  // namespace qamp

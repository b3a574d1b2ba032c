// "Input DSP": a table of the inputs, each beside the program it plays,
// and beside it the choice for the input selected in the table.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/source_view_kit.h"
#include "pages/input_dsp_page.h"

namespace qamp {

namespace {

using Page = CInputDsp;

class CInputDspView : public CSourceView {
 public:
  CInputDspView(CBasePage& page, QWidget* parent) : CSourceView(page, parent) {
    auto* row = new QHBoxLayout(this);
    auto* table = new QGridLayout;
    table->setHorizontalSpacing(0);
    table->setVerticalSpacing(2);
    inputs_ = MakeList(Page::kInputList);
    programs_ = MakeList(Page::kAssignmentList);
    int column = 0;
    for (QListWidget* list : {inputs_, programs_}) {
      const Control* control =
          ControlOf(list == inputs_ ? Page::kInputList : Page::kAssignmentList);
      QLabel* header = FixedLabel(
          control->columnHeaders.empty() ? QString() : FromModel(control->columnHeaders.front()));
      QFont bold = header->font();
      bold.setBold(true);
      header->setFont(bold);
      header->setBuddy(list);
      table->addWidget(header, 0, column);
      table->addWidget(list, 1, column);
      // The two lists read as one table: no scroll bars of their own, all
      // twelve rows at once.
      list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      ++column;
    }
    // Wide enough for the longest input and program names, no wider.
    FitWidth(inputs_, ControlOf(Page::kInputList)->items);
    FitWidth(programs_, ControlOf(Page::kProgramCombo)->items);
    table->setRowStretch(2, 1);
    row->addLayout(table);
    row->addSpacing(18);

    auto* choice = new QVBoxLayout;
    auto* box = new QGroupBox;
    auto* inBox = new QVBoxLayout(box);
    const std::vector<QRadioButton*> radios = MakeRadios(Page::kDspProgramRadio);
    QComboBox* combo = MakeCombo(Page::kProgramCombo);
    QLabel* caption = MakeCaption(Page::kProgramCombo);
    if (!radios.empty()) inBox->addWidget(radios.front(), 0, Qt::AlignLeft);
    // The program list belongs to "DSP Program", indented under it.
    auto* indented = new QHBoxLayout;
    indented->addSpacing(24);
    indented->addWidget(caption);
    indented->addWidget(combo);
    indented->addStretch(1);
    inBox->addLayout(indented);
    for (size_t b = 1; b < radios.size(); ++b) inBox->addWidget(radios[b], 0, Qt::AlignLeft);
    choice->addWidget(box);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(MakeButton(Page::kDefaultButton));
    buttons->addStretch(1);
    choice->addLayout(buttons);
    choice->addStretch(1);
    row->addLayout(choice);
    row->addStretch(1);
    Render();
  }

 protected:
  void RenderMore() override {
    // Each list as tall as its rows, so that the rows of both line up.
    for (QListWidget* list : {inputs_, programs_}) {
      const int rows = std::max(list->count(), 1);
      const int rowHeight =
          list->count() > 0 ? list->sizeHintForRow(0) : list->fontMetrics().height() + 2;
      list->setFixedHeight(rows * rowHeight + 2 * list->frameWidth());
    }
  }

 private:
  static void FitWidth(QListWidget* list, const std::vector<std::string>& texts) {
    int widest = 0;
    for (const std::string& text : texts) {
      widest = std::max(widest, list->fontMetrics().horizontalAdvance(FromModel(text)));
    }
    list->setFixedWidth(widest + 2 * list->frameWidth() + 24);
  }

  QListWidget* inputs_ = nullptr;
  QListWidget* programs_ = nullptr;
};

}  // namespace

CPageWidget* MakeInputDspView(CBasePage& page, QWidget* parent) {
  return new CInputDspView(page, parent);
}

}  // namespace qamp

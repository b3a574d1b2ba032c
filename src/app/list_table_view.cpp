// Pages whose lists read as one table (each port beside its assigned input,
// each input beside its name): the table on the left, its rows lined up
// and all shown at once, and the page's other controls beside it.
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "app/fixed_font.h"
#include "app/source_view_kit.h"
#include "app/typed_value.h"

namespace qamp {

namespace {

QLabel* Header(const Control& control) {
  const std::string& text =
      control.columnHeaders.empty() ? control.caption : control.columnHeaders.front();
  QLabel* header = new QLabel(FromModel(text));
  header->setTextFormat(Qt::PlainText);
  QFont bold = header->font();
  bold.setBold(true);
  header->setFont(bold);
  return header;
}

class CListTableView : public CSourceView {
 public:
  CListTableView(CBasePage& page, QWidget* parent, std::vector<int> tableIds, int markedList)
      : CSourceView(page, parent), markedList_(markedList) {
    auto* outer = new QVBoxLayout(this);
    // When the table stands in a frame, so do the controls of that frame;
    // the page's other controls follow below it.
    const Control* first = tableIds.empty() ? nullptr : ControlOf(tableIds.front());
    const int frame = first != nullptr ? first->frame : 0;
    QVBoxLayout* stack = outer;
    if (frame != 0) {
      QGroupBox* box = MakeFrame(frame);
      stack = new QVBoxLayout(box);
      outer->addWidget(box);
    }
    // Combo boxes (the page shown) stand above the table.
    auto* top = new QHBoxLayout;
    for (const Control& control : page.Controls()) {
      if (control.kind != ControlKind::kCombo) continue;
      QComboBox* combo = MakeCombo(control.id);
      top->addWidget(MakeCaption(control.id));
      top->addWidget(combo);
    }
    top->addStretch(1);
    stack->addLayout(top);
    auto* row = new QHBoxLayout;
    stack->addLayout(row, 1);
    auto* table = new QGridLayout;
    table->setHorizontalSpacing(0);
    table->setVerticalSpacing(2);
    int column = 0;
    for (const int id : tableIds) {
      const Control* control = ControlOf(id);
      if (control == nullptr) continue;
      QListWidget* list = MakeList(id);
      QLabel* header = Header(*control);
      header->setBuddy(list);
      table->addWidget(header, 0, column);
      table->addWidget(list, 1, column, Qt::AlignTop);
      FitRows(list);
      tables_.push_back(list);
      ++column;
    }
    table->setRowStretch(2, 1);
    row->addLayout(table);
    // The table as wide as the widest text any of the page's lists can
    // show (an assigned input is one of the inputs listed), no wider.
    int widest = 0;
    for (const Control& control : page.Controls()) {
      if (control.kind != ControlKind::kList) continue;
      for (const std::string& item : control.items) {
        widest = std::max(widest, fontMetrics().horizontalAdvance(FromModel(item) + "MM"));
      }
    }
    for (QListWidget* list : tables_) {
      // Room for the marker, too.
      list->setFixedWidth(widest + 2 * list->frameWidth() + 2 * fontMetrics().height() + 16);
    }
    row->addSpacing(18);

    auto* side = new QVBoxLayout;
    QHBoxLayout* buttons = nullptr;
    std::vector<QHBoxLayout*> lines;
    QHBoxLayout* sliders = nullptr;
    auto* below = new QHBoxLayout;
    for (const Control& control : page.Controls()) {
      if (std::find(tableIds.begin(), tableIds.end(), control.id) != tableIds.end()) continue;
      if (control.kind == ControlKind::kFrame) continue;
      if (frame != 0 && control.frame != frame) {
        if (control.kind == ControlKind::kButton) below->addWidget(MakeButton(control.id));
        if (control.kind == ControlKind::kText) outer->addWidget(MakeText(control.id));
        continue;
      }
      if (control.kind != ControlKind::kButton) buttons = nullptr;
      switch (control.kind) {
        case ControlKind::kList: {
          QListWidget* list = MakeList(control.id);
          QLabel* header = Header(control);
          header->setBuddy(list);
          side->addWidget(header);
          side->addWidget(list);
          FitRows(list);
          list->setMaximumWidth(list->fontMetrics().horizontalAdvance("M") * 16);
          break;
        }
        case ControlKind::kEdit: {
          QLineEdit* edit = MakeEdit(control.id);
          edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("M") * 12);
          // The buttons that follow an edit stand beside it.
          buttons = new QHBoxLayout;
          buttons->addWidget(MakeCaption(control.id));
          buttons->addWidget(edit);
          side->addLayout(buttons);
          lines.push_back(buttons);
          continue;
        }
        case ControlKind::kButton:
          if (buttons == nullptr) {
            buttons = new QHBoxLayout;
            side->addLayout(buttons);
            lines.push_back(buttons);
          }
          buttons->addWidget(MakeButton(control.id));
          break;
        case ControlKind::kText:
          side->addWidget(MakeText(control.id));
          break;
        case ControlKind::kSlider: {
          // Sliders stand side by side (the page shows one at a time), each
          // over the read-out its value can be typed into.
          if (sliders == nullptr) {
            sliders = new QHBoxLayout;
            row->addLayout(sliders);
          }
          const bool upright = control.orientation == Orientation::kVertical;
          QSlider* slider = MakeSlider(control.id, upright ? Qt::Vertical : Qt::Horizontal);
          slider->setMinimumHeight(upright ? 200 : 0);
          const int id = control.id;
          // The slider's own units: whole numbers without a unit.
          auto* typed = new CTypedReadOut({}, [this, id] { return ControlOf(id); });
          typed->setMinimumWidth(typed->fontMetrics().horizontalAdvance(" -888 ") + 8);
          typed->onValue = [this, id](int value) {
            Page().MoveSlider(id, value);
            Page().ReleaseSlider(id);
            AfterAction();
          };
          auto* pair = new QVBoxLayout;
          pair->addWidget(slider, 1, Qt::AlignHCenter);
          pair->addWidget(typed, 0, Qt::AlignHCenter);
          typed->ProblemLabel()->setMaximumWidth(typed->minimumWidth() * 3);
          pair->addWidget(typed->ProblemLabel(), 0, Qt::AlignHCenter);
          sliders->addLayout(pair);
          typed_.emplace_back(id, typed);
          break;
        }
        default:
          break;
      }
    }
    for (QHBoxLayout* line : lines) line->addStretch(1);
    side->addStretch(1);
    row->addLayout(side, 1);
    below->addStretch(1);
    outer->addLayout(below);
    if (frame != 0) outer->addStretch(1);
    Render();
  }

 protected:
  void RenderMore() override {
    for (auto& [id, typed] : typed_) {
      const Control* slider = ControlOf(id);
      if (slider == nullptr) continue;
      typed->setVisible(slider->visible);
      typed->setEnabled(slider->enabled);
      // As the page writes the shown parameter's values ("1.2", "39ms").
      SliderUnits units;
      units.decimals = slider->decimals;
      units.unit = QString::fromStdString(slider->unit);
      for (const auto& [word, value] : slider->valueWords)
        units.words.emplace_back(QString::fromStdString(word), value);
      typed->SetUnits(units);
      typed->setText(WrittenValue(slider->value, units));
      typed->setAccessibleName(WidgetOf(id)->accessibleName() + " value");
      typed->SetSliderName(WidgetOf(id)->accessibleName());
    }
    // Names padded with blanks, as the receiver's display centres them,
    // line up only in a fixed-width font.
    for (const Control& control : Page().Controls()) {
      auto* list = qobject_cast<QListWidget*>(WidgetOf(control.id));
      if (list == nullptr || control.kind != ControlKind::kList) continue;
      const bool padded =
          std::any_of(control.items.begin(), control.items.end(), [](const std::string& item) {
            return !item.empty() && (item.front() == ' ' || item.back() == ' ');
          });
      list->setFont(padded ? FixedPitchFont() : font());
      // As tall as its rows in the font it now has; a marker is no taller
      // than a line of text.
      const int marker = list->fontMetrics().height() * 2 / 3;
      list->setIconSize(QSize(marker, marker));
      int height = 0;
      for (int row = 0; row < list->count(); ++row) height += list->sizeHintForRow(row);
      if (list->count() > 0) list->setFixedHeight(height + 2 * list->frameWidth());
    }
    // The marker stands on the selected row.
    if (auto* marked = qobject_cast<QListWidget*>(WidgetOf(markedList_))) {
      const QIcon marker = style()->standardIcon(QStyle::SP_ArrowRight);
      for (int i = 0; i < marked->count(); ++i) {
        marked->item(i)->setIcon(i == marked->currentRow() ? marker : QIcon());
      }
    }
    // The rows of the table's lists stand level: each as tall as the
    // tallest (a row with the marker is taller than one without).
    int rowHeight = 0;
    for (QListWidget* list : tables_) {
      for (int row = 0; row < list->count(); ++row) {
        list->item(row)->setSizeHint(QSize());
        rowHeight = std::max(rowHeight, list->sizeHintForRow(row));
      }
    }
    // Every column as tall as the longest: an empty one still frames its place.
    int rows = 1;
    for (QListWidget* list : tables_) rows = std::max(rows, list->count());
    for (QListWidget* list : tables_) {
      const int width = list->width() - 2 * list->frameWidth();
      for (int row = 0; row < list->count(); ++row) {
        list->item(row)->setSizeHint(QSize(width, rowHeight));
      }
      list->setFixedHeight(rows * std::max(rowHeight, fontMetrics().height()) +
                           2 * list->frameWidth());
    }
  }

 private:
  // A list without scroll bars (RenderMore makes it as tall as its rows):
  // the lists of a table line up row by row.
  static void FitRows(QListWidget* list) {
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }

  int markedList_;
  std::vector<QListWidget*> tables_;
  std::vector<std::pair<int, CTypedReadOut*>> typed_;
};

}  // namespace

CPageWidget* MakeListTableView(CBasePage& page, QWidget* parent, std::vector<int> tableIds,
                               int markedList) {
  return new CListTableView(page, parent, std::move(tableIds), markedList);
}

}  // namespace qamp

// The speaker and sound pages laid out as their frames, sliders and
// read-outs describe them: upright sliders stand side by side in their
// frame with the channel or band above and the read-out below, lying
// sliders and choices stand in rows, and the System Memory mark stands at
// the top-left of what it marks. Every value, enable state and visibility
// comes from the page; every user action goes back to it.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <map>

#include "app/control_names.h"
#include "app/eq_curve_widget.h"
#include "app/fixed_font.h"
#include "app/my_sheet.h"
#include "app/parametric_eq_window.h"
#include "pages/eq_curves.h"

#include "app/page_controls.h"
#include "app/page_widget.h"
#include "app/qamptool_view.h"
#include "app/value_slider_widget.h"
#include "pages/equalizer_page.h"
#include "pages/sound_option_page.h"
#include "pages/speaker_distance_page.h"
#include "pages/speaker_level_page.h"
#include "pages/speaker_set_page.h"
#include "pages/volume_page.h"

namespace qamp {

namespace {

// The kinds this layout draws; a page with any other is left to the
// generic form.
bool Drawable(const std::vector<Control>& controls) {
  return std::all_of(controls.begin(), controls.end(),
                     [](const Control& control) { return control.kind != ControlKind::kEdit; });
}

// The caption a control shows in its frame: what its frame's caption does
// not already say ("Bass Gain" in the "Speaker" frame, nothing where the
// two are the same). Its accessible name keeps the whole caption.
std::string CaptionInFrame(const std::vector<Control>& controls, const Control& control) {
  if (control.frame == 0 || control.caption.empty()) return control.caption;
  for (const Control& frame : controls) {
    if (frame.kind != ControlKind::kFrame || frame.id != control.frame) continue;
    if (frame.caption == control.caption) return {};
    const std::string prefix = frame.caption + " ";
    if (control.caption.size() > prefix.size() &&
        control.caption.compare(0, prefix.size(), prefix) == 0) {
      return control.caption.substr(prefix.size());
    }
  }
  return control.caption;
}

bool IsFrameOfGroup(const std::vector<Control>& controls, const Control& text) {
  if (text.kind != ControlKind::kText || text.caption.empty() || !text.text.empty()) return false;
  return std::any_of(controls.begin(), controls.end(), [&](const Control& other) {
    return other.kind == ControlKind::kRadioGroup && other.caption == text.caption;
  });
}

// More radio buttons than this wrap onto a further line of their group.
constexpr int kRadiosPerLine = 4;

// How the sliders of a page read as text, by slider number.
using ScaleOf = std::function<SliderUnits(const CBasePage&, const Control&)>;

// Where a block of the page stands on its lines: from `row` and `column`,
// over `rows` and `columns`.
struct BlockCell {
  int row = 0;
  int column = 0;
  int rows = 1;
  int columns = 1;
};

// How a page's blocks stand beyond flowing `columns` to a line.
struct Arrangement {
  // The blocks from the page's first frame on, in order; those beyond the
  // list (or all, when it is empty) flow.
  std::vector<BlockCell> cells;
  // The lying sliders of one frame stand this many to a line, top to
  // bottom first, their tracks no shorter than `lyingTrack`.
  int lyingColumns = 1;
  int lyingTrack = 0;
  // Upright tracks no shorter than this (0: the slider widget's own).
  int uprightTrack = 0;
  // How the page's columns share the width (empty: as their blocks ask).
  std::vector<int> columnStretch;
  // Frames within a frame, and the radio groups of one frame, stand side
  // by side rather than one under the other.
  bool across = false;
};

class CSoundPageView : public CPageWidget {
 public:
  // The page's own blocks (its frames, rows of sliders, choices) stand
  // `columns` to a line.
  // With `groupsFlow`, the page's radio groups stand as blocks of their
  // own, `columns` to a line, and the shown ones close up.
  CSoundPageView(CBasePage& page, ScaleOf scaleOf, int columns, QWidget* parent,
                 bool groupsFlow = false, Arrangement arrangement = {})
      : CPageWidget(parent),
        page_(page),
        scaleOf_(std::move(scaleOf)),
        columns_(columns),
        groupsFlow_(groupsFlow),
        arrangement_(std::move(arrangement)) {
    Build();
    Render();
  }

  CBasePage& Page() override { return page_; }
  // Something drawn from the page's description besides its controls (a
  // plot, a button): beside the controls of frame `frameId`, or with 0 as
  // one more block of the page; `draw` runs now and whenever the page's
  // controls are drawn again, a slider being dragged included.
  void AddDrawn(int frameId, QWidget* widget, std::function<void()> draw, int stretch = 1);
  void Render() override;
  QWidget* WidgetOf(int controlId) const override;
  void RestoreRadioFocus() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Shown {
    QWidget* widget = nullptr;
    QLabel* label = nullptr;  // the caption beside a combo box
    QLabel* mark = nullptr;   // the System Memory mark
    CValueSliderWidget* slider = nullptr;
    std::vector<QRadioButton*> radios;
  };

  void Build();
  QVBoxLayout* ContainerOf(const Control& control);
  // A block into a frame's column, or onto the page's lines.
  void AddWidget(QVBoxLayout* container, QWidget* widget, int stretch = 0);
  void AddLayout(QVBoxLayout* container, QLayout* layout, int stretch = 0);
  QWidget* MakeSliderWidget(size_t index);
  QWidget* MakeRadioGroup(size_t index);
  QLabel* MakeMark(size_t index);
  void Watch(QWidget* widget) { widget->installEventFilter(this); }
  // After a user action everything is drawn again, even when the page
  // changed nothing: a thumb the page did not follow goes back.
  void AfterAction() {
    if (!rendering_) Draw();
  }
  void Draw();
  // The read-out a slider shows its value in: named by the slider, or the
  // read-out that follows it.
  int ReadOutIndexOf(size_t sliderIndex) const;

  CBasePage& page_;
  ScaleOf scaleOf_;
  QScrollArea* scroll_ = nullptr;
  QVBoxLayout* column_ = nullptr;
  int columns_ = 1;
  QGridLayout* lines_ = nullptr;  // the page's blocks, `columns_` to a line
  int blocks_ = 0;
  // Blocks before the page's first frame stand on lines of their own; from
  // it on, they flow `columns_` to a line.
  bool flowing_ = false;
  int lineBase_ = 0;
  bool groupsFlow_ = false;
  Arrangement arrangement_;
  // Places the next flowing block.
  void PlaceBlock(QWidget* widget, QLayout* layout);
  QGridLayout* groups_ = nullptr;  // the flowing radio groups
  struct Cell {
    QWidget* cell;
    size_t index;
  };
  std::vector<Cell> cells_;
  std::vector<bool> cellsShown_;
  void FlowGroups();
  std::map<int, QVBoxLayout*> sides_;   // frame number: the column of its lists
  std::map<int, QVBoxLayout*> frames_;  // frame number: its inner column
  std::vector<Shown> shown_;
  std::vector<std::function<void()>> extras_;
  std::vector<bool> drawnBySlider_;  // read-outs a slider widget shows
  bool rendering_ = false;
  bool drawn_ = false;
  uint64_t revision_ = 0;  // the page's description as last drawn
};

int CSoundPageView::ReadOutIndexOf(size_t sliderIndex) const {
  const std::vector<Control>& controls = page_.Controls();
  const Control& slider = controls[sliderIndex];
  for (size_t i = 0; i < controls.size(); ++i) {
    if (slider.readOut != 0 && controls[i].id == slider.readOut &&
        controls[i].kind == ControlKind::kReadOut) {
      return static_cast<int>(i);
    }
  }
  if (slider.readOut == 0 && IsSliderReadOut(controls, sliderIndex + 1)) {
    return static_cast<int>(sliderIndex + 1);
  }
  return -1;
}

QVBoxLayout* CSoundPageView::ContainerOf(const Control& control) {
  const auto frame = frames_.find(control.frame);
  return frame == frames_.end() ? column_ : frame->second;
}

void CSoundPageView::AddWidget(QVBoxLayout* container, QWidget* widget, int stretch) {
  if (container != column_ || columns_ <= 1) {
    container->addWidget(widget, stretch);
    return;
  }
  if (!flowing_) {
    lines_->addWidget(widget, lineBase_++, 0, 1, columns_);
    return;
  }
  PlaceBlock(widget, nullptr);
}

void CSoundPageView::PlaceBlock(QWidget* widget, QLayout* layout) {
  BlockCell cell{blocks_ / columns_, blocks_ % columns_, 1, 1};
  const auto& cells = arrangement_.cells;
  if (static_cast<size_t>(blocks_) < cells.size()) {
    cell = cells[static_cast<size_t>(blocks_)];
  } else if (!cells.empty()) {
    // After the arranged blocks, on lines of their own below them.
    int below = 0;
    for (const BlockCell& placed : cells) below = std::max(below, placed.row + placed.rows);
    const int flowing = blocks_ - static_cast<int>(cells.size());
    cell = {below + flowing / columns_, flowing % columns_, 1, 1};
  }
  if (widget != nullptr) {
    lines_->addWidget(widget, lineBase_ + cell.row, cell.column, cell.rows, cell.columns);
  } else {
    lines_->addLayout(layout, lineBase_ + cell.row, cell.column, cell.rows, cell.columns,
                      Qt::AlignTop);
  }
  ++blocks_;
}

void CSoundPageView::AddLayout(QVBoxLayout* container, QLayout* layout, int stretch) {
  if (container != column_ || columns_ <= 1) {
    container->addLayout(layout, stretch);
    return;
  }
  if (!flowing_) {
    lines_->addLayout(layout, lineBase_++, 0, 1, columns_);
    return;
  }
  PlaceBlock(nullptr, layout);
}

void CSoundPageView::FlowGroups() {
  const std::vector<Control>& controls = page_.Controls();
  std::vector<bool> shown;
  for (const Cell& cell : cells_) shown.push_back(controls[cell.index].visible);
  if (shown == cellsShown_) return;
  cellsShown_ = shown;
  for (const Cell& cell : cells_) groups_->removeWidget(cell.cell);
  int position = 0;
  for (size_t c = 0; c < cells_.size(); ++c) {
    cells_[c].cell->setVisible(shown[c]);
    if (!shown[c]) {
      // Kept in the view, out of the grid.
      cells_[c].cell->setParent(scroll_->widget());
      cells_[c].cell->hide();
      continue;
    }
    groups_->addWidget(cells_[c].cell, position / columns_, position % columns_);
    ++position;
  }
}

void CSoundPageView::Build() {
  auto* content = MakeScrolledPage(this, &scroll_);
  column_ = new QVBoxLayout(content);
  if (columns_ > 1) {
    lines_ = new QGridLayout;
    lines_->setHorizontalSpacing(12);
    column_->addLayout(lines_, 1);
  }

  const std::vector<Control>& controls = page_.Controls();
  shown_.resize(controls.size());
  drawnBySlider_.assign(controls.size(), false);
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].kind != ControlKind::kSlider) continue;
    const int readOut = ReadOutIndexOf(i);
    if (readOut >= 0) drawnBySlider_[static_cast<size_t>(readOut)] = true;
  }
  // Frames first, so that a control finds its frame whatever their order.
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].kind != ControlKind::kFrame) continue;
    auto* box = new QGroupBox;
    auto* sides = new QHBoxLayout(box);
    auto* inner = new QVBoxLayout;
    auto* side = new QVBoxLayout;
    // The mark stands at the frame's top-left corner.
    if (controls[i].memoryMark) sides->addWidget(MakeMark(i), 0, Qt::AlignTop | Qt::AlignLeft);
    sides->addLayout(inner, 1);
    sides->addLayout(side);
    shown_[i].widget = box;
    frames_[controls[i].id] = inner;
    sides_[controls[i].id] = side;
  }

  // Runs of controls in the same container: upright sliders side by side,
  // buttons in a row, choices in a grid of aligned labels.
  // Each container keeps its own runs, so that a control of another frame
  // coming between two of them does not break them apart.
  struct Runs {
    QHBoxLayout* bank = nullptr;
    QHBoxLayout* buttons = nullptr;
    QGridLayout* choices = nullptr;
  };
  std::map<QVBoxLayout*, Runs> runs;
  std::vector<bool> placed(controls.size(), false);
  // The lying sliders of each frame: how many, how many placed so far, and
  // the line of its grid the first stands on.
  std::map<int, int> lyingCount;
  std::map<int, int> lyingPlaced;
  std::map<int, int> lyingFirstLine;
  for (const Control& control : controls) {
    if (control.kind == ControlKind::kSlider && control.orientation != Orientation::kVertical &&
        control.frame != 0) {
      ++lyingCount[control.frame];
    }
  }
  // The choice grid and line of the last lying slider, while nothing else
  // came after it in its container.
  std::map<QVBoxLayout*, std::pair<QGridLayout*, int>> lastLying;
  // The row of frames within a frame, and the line of a frame's first
  // radio group and how many stand on it, when they stand side by side.
  std::map<QVBoxLayout*, QHBoxLayout*> framesAcross;
  std::map<QGridLayout*, std::pair<int, int>> groupsAcross;
  std::map<QGridLayout*, QHBoxLayout*> rowOf;  // the line a choice grid stands on
  // A frame stands where it or the first control in it comes.
  const std::function<void(size_t)> placeFrame = [&](size_t frame) {
    if (placed[frame]) return;
    placed[frame] = true;
    const Control& box = controls[frame];
    if (box.frame != 0) {
      for (size_t f = 0; f < controls.size(); ++f) {
        if (controls[f].kind == ControlKind::kFrame && controls[f].id == box.frame) placeFrame(f);
      }
    }
    // A frame of upright sliders takes the height there is, so that they
    // grow with the window.
    const bool upright = std::any_of(controls.begin(), controls.end(), [&](const Control& member) {
      return member.frame == box.id && member.kind == ControlKind::kSlider &&
             member.orientation == Orientation::kVertical;
    });
    // A frame hidden from the start (and never shown) takes no room.
    if (!box.visible) {
      shown_[frame].widget->setParent(scroll_->widget());
      shown_[frame].widget->hide();
      return;
    }
    if (ContainerOf(box) == column_) flowing_ = true;
    // What follows in the frame's container comes after it.
    runs[ContainerOf(box)] = {};
    if (arrangement_.across && box.frame != 0 && ContainerOf(box) != column_) {
      QHBoxLayout*& row = framesAcross[ContainerOf(box)];
      if (row == nullptr) {
        row = new QHBoxLayout;
        ContainerOf(box)->addLayout(row);
      }
      row->addWidget(shown_[frame].widget, 1);
      return;
    }
    AddWidget(ContainerOf(box), shown_[frame].widget, upright ? 1 : 0);
  };
  for (size_t i = 0; i < controls.size(); ++i) {
    const Control& control = controls[i];
    if (control.kind == ControlKind::kReadOut && drawnBySlider_[i]) continue;
    for (size_t f = 0; f < controls.size() && control.frame != 0; ++f) {
      if (controls[f].kind == ControlKind::kFrame && controls[f].id == control.frame) {
        placeFrame(f);
      }
    }
    QVBoxLayout* container = ContainerOf(control);
    QHBoxLayout*& bank = runs[container].bank;
    QHBoxLayout*& buttons = runs[container].buttons;
    QGridLayout*& choices = runs[container].choices;
    const bool upright =
        control.kind == ControlKind::kSlider && control.orientation == Orientation::kVertical;
    if (!upright) bank = nullptr;
    if (control.kind != ControlKind::kButton) buttons = nullptr;
    const auto afterLying = lastLying.find(container);
    const std::pair<QGridLayout*, int> lying = afterLying == lastLying.end()
                                                   ? std::pair<QGridLayout*, int>{nullptr, 0}
                                                   : afterLying->second;
    if (control.kind != ControlKind::kButton) lastLying.erase(container);
    const bool choice =
        control.kind == ControlKind::kCombo || control.kind == ControlKind::kCheckBox ||
        control.kind == ControlKind::kRadioGroup ||
        (control.kind == ControlKind::kSlider && !upright) || control.kind == ControlKind::kReadOut;
    if (!choice) choices = nullptr;
    switch (control.kind) {
      case ControlKind::kFrame:
        placeFrame(i);
        break;
      case ControlKind::kText: {
        // A text that only repeats a group's caption is that group's frame,
        // which its box already draws.
        if (IsFrameOfGroup(controls, control)) break;
        QLabel* label = PlainLabel();
        label->setWordWrap(true);
        shown_[i].widget = label;
        AddWidget(container, label);
        break;
      }
      case ControlKind::kSlider:
        if (upright) {
          if (bank == nullptr) {
            bank = new QHBoxLayout;
            bank->setSpacing(4);
            AddLayout(container, bank, 1);
          }
          bank->addWidget(MakeSliderWidget(i), 1);
          break;
        }
        [[fallthrough]];
      case ControlKind::kCombo:
      case ControlKind::kCheckBox:
      case ControlKind::kRadioGroup:
      case ControlKind::kReadOut: {
        if (groupsFlow_ && control.kind == ControlKind::kRadioGroup && container == column_) {
          if (groups_ == nullptr) {
            groups_ = new QGridLayout;
            AddLayout(container, groups_);
          }
          auto* cell = new QWidget;
          auto* line = new QHBoxLayout(cell);
          line->setContentsMargins(0, 0, 0, 0);
          if (control.memoryMark) line->addWidget(MakeMark(i), 0, Qt::AlignTop);
          line->addWidget(MakeRadioGroup(i), 1);
          cells_.push_back({cell, i});
          break;
        }
        if (choices == nullptr) {
          auto* row = new QHBoxLayout;
          choices = new QGridLayout;
          choices->setColumnMinimumWidth(0, 16);
          choices->setHorizontalSpacing(6);
          row->addLayout(choices);
          row->addStretch(1);
          rowOf[choices] = row;
          AddLayout(container, row);
        }
        const int line = choices->rowCount();
        if (control.memoryMark) choices->addWidget(MakeMark(i), line, 0, Qt::AlignCenter);
        if (control.kind == ControlKind::kSlider) {
          const int count = control.frame != 0 ? lyingCount[control.frame] : 1;
          const int across = std::clamp(arrangement_.lyingColumns, 1, std::max(count, 1));
          if (across > 1) {
            // Top to bottom, then the next column: the page's order reads
            // down each column.
            const int k = lyingPlaced[control.frame]++;
            const int down = (count + across - 1) / across;
            if (k == 0) {
              lyingFirstLine[control.frame] = line;
              // The columns take the width there is; the lines share half
              // the height to spare, the rest stays under them.
              QHBoxLayout* row = rowOf[choices];
              row->setStretch(row->count() - 1, 0);
              row->setStretchFactor(choices, 1);
              for (int c = 1; c <= across; ++c) choices->setColumnStretch(c, 1);
              for (int r = 0; r < down; ++r) choices->setRowStretch(line + r, 1);
              choices->setRowStretch(line + down, down);
            }
            choices->addWidget(MakeSliderWidget(i), lyingFirstLine[control.frame] + k % down,
                               1 + k / down);
          } else {
            choices->addWidget(MakeSliderWidget(i), line, 1, 1, 2);
            lastLying[container] = {choices, line};
          }
        } else if (control.kind == ControlKind::kRadioGroup && arrangement_.across &&
                   container != column_) {
          auto found = groupsAcross.find(choices);
          if (found == groupsAcross.end()) found = groupsAcross.insert({choices, {line, 0}}).first;
          choices->addWidget(MakeRadioGroup(i), found->second.first, 1 + found->second.second++);
        } else if (control.kind == ControlKind::kRadioGroup) {
          choices->addWidget(MakeRadioGroup(i), line, 1, 1, 2);
        } else if (control.kind == ControlKind::kCheckBox) {
          auto* check = new QCheckBox;
          const int id = control.id;
          connect(check, &QCheckBox::toggled, this, [this, id](bool checked) {
            page_.SetCheck(id, checked);
            AfterAction();
          });
          Watch(check);
          shown_[i].widget = check;
          choices->addWidget(check, line, 1, 1, 2);
        } else if (control.kind == ControlKind::kReadOut) {
          auto* readOut = new QLabel;
          StyleReadOut(readOut);
          shown_[i].widget = readOut;
          shown_[i].label = PlainLabel();
          choices->addWidget(shown_[i].label, line, 1, Qt::AlignRight);
          choices->addWidget(readOut, line, 2, Qt::AlignLeft);
        } else {
          auto* combo = new QComboBox;
          combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
          combo->setFocusPolicy(Qt::StrongFocus);
          const int id = control.id;
          connect(combo, &QComboBox::currentIndexChanged, this, [this, id](int index) {
            if (index < 0) return;
            page_.ChooseCombo(id, index);
            AfterAction();
          });
          Watch(combo);
          shown_[i].widget = combo;
          shown_[i].label = PlainLabel();
          shown_[i].label->setBuddy(combo);
          choices->addWidget(shown_[i].label, line, 1, Qt::AlignRight | Qt::AlignVCenter);
          choices->addWidget(combo, line, 2, Qt::AlignLeft);
        }
        break;
      }
      case ControlKind::kButton: {
        // The buttons of a frame's only lying slider stand at the end of
        // its line.
        if (lying.first != nullptr && control.frame != 0 && lyingCount[control.frame] == 1) {
          if (buttons == nullptr) {
            buttons = new QHBoxLayout;
            lying.first->addLayout(buttons, lying.second, 3, Qt::AlignVCenter);
            // The slider, not the space after the buttons, takes the width.
            QHBoxLayout* row = rowOf[lying.first];
            row->setStretch(row->count() - 1, 0);
            row->setStretchFactor(lying.first, 1);
            lying.first->setColumnStretch(1, 1);
          }
        } else if (buttons == nullptr) {
          buttons = new QHBoxLayout;
          buttons->addStretch(1);
          AddLayout(container, buttons);
        }
        auto* button = new QPushButton;
        button->setAutoDefault(false);
        const int id = control.id;
        connect(button, &QPushButton::clicked, this, [this, id] {
          page_.PressButton(id);
          AfterAction();
        });
        Watch(button);
        shown_[i].widget = button;
        buttons->addWidget(button);
        break;
      }
      case ControlKind::kList: {
        auto* list = new QListWidget;
        list->setFont(FixedPitchFont());
        const int id = control.id;
        connect(list, &QListWidget::currentRowChanged, this, [this, id](int row) {
          if (row < 0) return;
          page_.SelectListRow(id, row);
          AfterAction();
        });
        Watch(list);
        shown_[i].widget = list;
        // Lists stand beside what else their frame holds.
        const auto side = sides_.find(control.frame);
        if (side != sides_.end()) {
          side->second->addWidget(list, 1);
        } else {
          AddWidget(container, list, 1);
        }
        break;
      }
      case ControlKind::kEdit:
        break;
    }
  }
  // Arranged blocks share the width alike.
  if (lines_ != nullptr && !arrangement_.cells.empty()) {
    lines_->setHorizontalSpacing(6);
    lines_->setVerticalSpacing(2);
    for (int c = 0; c < columns_; ++c) lines_->setColumnStretch(c, 1);
  }
  for (size_t c = 0; lines_ != nullptr && c < arrangement_.columnStretch.size(); ++c) {
    lines_->setColumnStretch(static_cast<int>(c), arrangement_.columnStretch[c]);
  }
  column_->addStretch(0);
}

void CSoundPageView::AddDrawn(int frameId, QWidget* widget, std::function<void()> draw,
                              int stretch) {
  const auto side = sides_.find(frameId);
  if (side != sides_.end()) {
    side->second->addWidget(widget, stretch);
  } else {
    AddWidget(column_, widget, stretch);
  }
  draw();
  extras_.push_back(std::move(draw));
}

QLabel* CSoundPageView::MakeMark(size_t index) {
  auto* mark = new QLabel;
  mark->setPixmap(SystemMemoryMark());
  mark->setToolTip("An element of System Memory");
  shown_[index].mark = mark;
  return mark;
}

QWidget* CSoundPageView::MakeSliderWidget(size_t index) {
  const Control& control = page_.Controls()[index];
  auto* widget = new CValueSliderWidget(control.orientation, scaleOf_(page_, control));
  const bool upright = control.orientation == Orientation::kVertical;
  if (upright && arrangement_.uprightTrack > 0) {
    widget->Slider()->setMinimumHeight(arrangement_.uprightTrack);
  }
  if (!upright && arrangement_.lyingTrack > 0) {
    widget->Slider()->setMinimumWidth(arrangement_.lyingTrack);
  }
  const int id = control.id;
  connect(widget, &CValueSliderWidget::Moved, this, [this, id](int value, bool dragging) {
    page_.MoveSlider(id, value);
    // Without a drag (a key, a click on the groove, assistive technology)
    // the change is complete at once, as a release would make it.
    if (!dragging) page_.ReleaseSlider(id);
    AfterAction();
  });
  connect(widget, &CValueSliderWidget::Released, this, [this, id] {
    page_.ReleaseSlider(id);
    AfterAction();
  });
  connect(widget, &CValueSliderWidget::Typed, this, [this, id](int value) {
    page_.MoveSlider(id, value);
    page_.ReleaseSlider(id);
    AfterAction();
  });
  Watch(widget->Slider());
  shown_[index].widget = widget->Slider();
  shown_[index].slider = widget;
  const int readOut = ReadOutIndexOf(index);
  if (readOut >= 0) shown_[static_cast<size_t>(readOut)].widget = widget->ReadOut();
  return widget;
}

QWidget* CSoundPageView::MakeRadioGroup(size_t index) {
  const Control& control = page_.Controls()[index];
  auto* group = new QGroupBox;
  auto* grid = new QGridLayout(group);
  int position = 0;
  for (const int buttonId : control.buttonIds) {
    auto* radio = new QRadioButton;
    connect(radio, &QRadioButton::clicked, this, [this, buttonId] {
      page_.ClickRadio(buttonId);
      AfterAction();
    });
    Watch(radio);
    grid->addWidget(radio, position / kRadiosPerLine, position % kRadiosPerLine);
    ++position;
    shown_[index].radios.push_back(radio);
  }
  grid->setColumnStretch(kRadiosPerLine, 1);
  shown_[index].widget = group;
  return group;
}

bool CSoundPageView::eventFilter(QObject* watched, QEvent* event) {
  if (FilterPageEvent(watched, event, scroll_)) return true;
  return QWidget::eventFilter(watched, event);
}

QWidget* CSoundPageView::WidgetOf(int controlId) const {
  return ShownWidgetOf(page_.Controls(), shown_, controlId);
}

void CSoundPageView::RestoreRadioFocus() {
  RestoreShownRadioFocus(focusWidget(), shown_);
}

void CSoundPageView::Render() {
  // The description as drawn is still the page's: nothing to do.
  if (drawn_ && page_.Revision() == revision_) return;
  Draw();
}

void CSoundPageView::Draw() {
  drawn_ = true;
  revision_ = page_.Revision();
  rendering_ = true;
  const std::vector<Control>& controls = page_.Controls();
  const ControlNames names = NameControls(page_.Caption(), controls);
  const size_t count = std::min(controls.size(), shown_.size());
  for (size_t i = 0; i < count; ++i) {
    const Control& control = controls[i];
    Shown& shown = shown_[i];
    if (shown.widget == nullptr) continue;
    const QString name = FromModel(names.controls[i]);
    if (shown.mark != nullptr) {
      shown.mark->setAccessibleName("System Memory mark: " + name);
      shown.mark->setVisible(control.visible);
    }
    if (control.kind == ControlKind::kReadOut && drawnBySlider_[i]) {
      shown.widget->setAccessibleName(name);
      continue;  // the slider widget shows it
    }
    // A caption that repeats its frame's is shown once, by the frame.
    const std::string caption = CaptionInFrame(controls, control);
    if (shown.slider != nullptr) {
      const int readOut = ReadOutIndexOf(i);
      shown.slider->SetUnits(scaleOf_(page_, control));
      Control slider = control;
      slider.caption = caption;
      shown.slider->Show(slider, readOut >= 0 ? &controls[static_cast<size_t>(readOut)] : nullptr,
                         name);
      continue;
    }
    QWidget* widget = shown.widget;
    const QSignalBlocker block(widget);
    widget->setEnabled(control.enabled);
    widget->setVisible(control.visible);
    if (control.kind != ControlKind::kText) widget->setAccessibleName(name);
    if (shown.label != nullptr) {
      shown.label->setText(FromModel(caption));
      shown.label->setAccessibleName(name);
      shown.label->setEnabled(control.enabled);
      shown.label->setVisible(control.visible);
    }
    switch (control.kind) {
      case ControlKind::kFrame:
        static_cast<QGroupBox*>(widget)->setTitle(FromModel(control.caption));
        break;
      case ControlKind::kText: {
        static_cast<QLabel*>(widget)->setText(TextLine(control));
        break;
      }
      case ControlKind::kRadioGroup: {
        static_cast<QGroupBox*>(widget)->setTitle(FromModel(caption));
        const bool anyChecked =
            control.value >= 0 && control.value < static_cast<int>(shown.radios.size());
        for (size_t b = 0; b < shown.radios.size(); ++b) {
          QRadioButton* radio = shown.radios[b];
          const QSignalBlocker blockRadio(radio);
          radio->setText(b < control.items.size() ? FromModel(control.items[b]) : QString());
          radio->setEnabled(b >= control.itemEnabled.size() || control.itemEnabled[b]);
          if (b < names.buttons[i].size()) {
            radio->setAccessibleName(FromModel(names.buttons[i][b]));
          }
          radio->setAutoExclusive(false);
          radio->setChecked(anyChecked && static_cast<int>(b) == control.value);
          radio->setAutoExclusive(true);
        }
        break;
      }
      case ControlKind::kCombo:
      case ControlKind::kCheckBox:
        RenderCommonControl(widget, control);
        break;
      case ControlKind::kButton:
      case ControlKind::kReadOut:
        RenderCommonControl(widget, control);
        break;
      case ControlKind::kList: {
        auto* list = static_cast<QListWidget*>(widget);
        ShowItems(*list, control.items);
        if (IsIndexOf(control.value, control.items)) {
          list->setCurrentRow(control.value);
        } else {
          list->setCurrentRow(-1);
          list->clearSelection();
        }
        const int rowHeight =
            list->count() > 0 ? list->sizeHintForRow(0) : list->fontMetrics().height() + 2;
        list->setMinimumHeight(std::clamp(list->count(), 4, 16) * rowHeight +
                               2 * list->frameWidth() + 2);
        list->setMinimumWidth(list->fontMetrics().horizontalAdvance(" -88.8dB ") + 32);
        break;
      }
      case ControlKind::kSlider:
      case ControlKind::kEdit:
        break;
    }
  }
  if (groups_ != nullptr) FlowGroups();
  for (const std::function<void()>& draw : extras_) draw();
  rendering_ = false;
}

SliderUnits Decibels(const CBasePage& /*page*/, const Control& /*slider*/) {
  return {1, "dB", {}, {}};
}

// Tone and LFE in tenths of a decibel, zone tone in whole decibels, delays
// in milliseconds.
SliderUnits SoundOptionScale(const CBasePage& /*page*/, const Control& slider) {
  if (slider.param >= 289 && slider.param <= 292) return {0, "dB", {}, {}};
  if (slider.param == 296 || slider.param == 297) return {0, "ms", {}, {}};
  return {1, "dB", {}, {}};
}

// Distances are centimetres in metres, tenths in feet, as the unit says.
SliderUnits Distances(const CBasePage& page, const Control& /*slider*/) {
  const Control* unit = page.FindControl(CSpkDistancePage::kMeterButton);
  if (unit != nullptr && unit->value == 1) return {1, "ft", {}, {}};
  return {2, "m", {}, {}};
}

// The graphic equaliser's response beside its sliders, and the button that
// opens the Parametric EQ window.
void AddEqualizerPlot(CSoundPageView& view, CGEQSetPage& page, const ViewCompanions& companions) {
  auto* plot = new CEqCurveWidget(-12.0, 12.0);
  view.AddDrawn(CGEQSetPage::kGraphicFrame, plot, [plot, &page] {
    const EqCurve curve = GraphicEqCurve(page);
    plot->SetCurves({curve}, FromModel(curve.name));
  });
  if (companions.parametricEq == nullptr || companions.dialogs == nullptr) return;
  auto* button = new QPushButton("&Parametric EQ...");
  button->setAccessibleName("Parametric EQ");
  button->setAutoDefault(false);
  auto* line = new QHBoxLayout;
  line->addStretch(1);
  line->addWidget(button);
  auto* holder = new QWidget;
  holder->setLayout(line);
  line->setContentsMargins(0, 0, 0, 0);
  auto* window = new CParametricEqWindow(*companions.parametricEq, *companions.dialogs, &view);
  window->setWindowFlag(Qt::Window);
  if (companions.sheet != nullptr) {
    QObject::connect(companions.sheet, &CMySheet::Refreshed, window, [window] {
      if (window->isVisible()) window->Follow();
    });
  }
  QObject::connect(button, &QPushButton::clicked, window, [window] {
    window->show();
    window->raise();
    window->activateWindow();
  });
  view.AddDrawn(
      CGEQSetPage::kGraphicFrame, holder, [] {}, 0);
}

// The speaker and headphone tone controls' response, as one more block.
void AddTonePlot(CSoundPageView& view, CToneControlPage& page) {
  auto* plot = new CEqCurveWidget(-12.0, 12.0);
  // It takes the width of its column, not more.
  plot->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
  plot->setMinimumWidth(236);
  view.AddDrawn(0, plot, [plot, &page] { plot->SetCurves(ToneCurves(page), QString()); });
}

}  // namespace

CPageWidget* MakeSpeakerAndSoundView(CBasePage& page, QWidget* parent,
                                     const ViewCompanions& companions) {
  if (!Drawable(page.Controls())) return nullptr;
  if (dynamic_cast<CSpkLevelPage*>(&page) != nullptr) {
    return new CSoundPageView(page, Decibels, 1, parent);
  }
  if (auto* equalizer = dynamic_cast<CGEQSetPage*>(&page)) {
    auto* view = new CSoundPageView(page, Decibels, 1, parent);
    AddEqualizerPlot(*view, *equalizer, companions);
    return view;
  }
  if (auto* tone = dynamic_cast<CToneControlPage*>(&page)) {
    // The five pairs of upright sliders (the four tone controls and LFE
    // Level) on one line with the response after them; Lip Sync and
    // Dynamic Range under them, their frames and groups side by side. Short
    // tracks keep it on a 1280x720 screen.
    Arrangement arrangement;
    arrangement.cells = {{0, 0}, {0, 1},       {0, 2},       {0, 3},
                         {0, 4}, {1, 0, 1, 4}, {1, 4, 1, 2}, {0, 5}};
    arrangement.uprightTrack = 72;
    arrangement.lyingTrack = 100;
    arrangement.across = true;
    auto* view = new CSoundPageView(page, SoundOptionScale, 6, parent, false, arrangement);
    AddTonePlot(*view, *tone);
    return view;
  }
  if (dynamic_cast<CSpeakerSet*>(&page) != nullptr) {
    return new CSoundPageView(page, Decibels, 3, parent, true);
  }
  if (dynamic_cast<CVolumeTrim*>(&page) != nullptr) {
    // The fourteen trims in two columns of seven, so that the page needs
    // no scrolling on a 1280x720 screen.
    Arrangement arrangement;
    arrangement.lyingColumns = 2;
    arrangement.lyingTrack = 110;
    // The trims take the width a wide screen has.
    arrangement.columnStretch = {3, 0, 1};
    return new CSoundPageView(page, Decibels, 3, parent, false, arrangement);
  }
  if (dynamic_cast<CSpkDistancePage*>(&page) != nullptr) {
    return new CSoundPageView(page, Distances, 1, parent);
  }
  return nullptr;
}

}  // namespace qamp

// The views of the zone and set-up pages: Multi Zone (the two zones side
// by side), Display Set, MULTI CH, Other and Advanced Setup. One engine makes a widget of
// each control the page describes and keeps it up to date; each page's
// layout places those widgets in the page's boxes.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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
#include <memory>

#include "app/control_names.h"

#include "app/page_controls.h"
#include "app/page_widget.h"
#include "app/qamptool_view.h"
#include "app/typed_value.h"
#include "pages/advanced_setup_page.h"
#include "pages/display_set_page.h"
#include "pages/multi_ch_page.h"
#include "pages/multi_zone_page.h"
#include "pages/other_page.h"

namespace qamp {

namespace {

// A group box's radio buttons stand this many to a line.
constexpr int kWideGroup = 4;
// Boxes wider than this are no easier to read.
constexpr int kBoxMaximumWidth = 560;

class CZoneSetupView : public CPageWidget {
 public:
  // How the read-out of each slider writes its values.
  using UnitsOf = std::function<SliderUnits(const Control&)>;

  CZoneSetupView(CBasePage& page, const UnitsOf& units, QWidget* parent)
      : CPageWidget(parent), page_(page) {
    content_ = MakeScrolledPage(this, &scroll_);
    for (const Control& control : page_.Controls()) Make(control, units);
  }

  QWidget* Content() const { return content_; }
  CBasePage& Page() override { return page_; }

  QWidget* WidgetOf(int controlId) const override {
    for (const auto& [id, shown] : shown_) {
      for (size_t b = 0; b < shown.buttonIds.size(); ++b) {
        if (shown.buttonIds[b] == controlId) return shown.radios[b];
      }
    }
    const auto found = shown_.find(controlId);
    return found == shown_.end() ? nullptr : found->second.widget;
  }

  // The caption beside a control, the box around it, its read-out's
  // widget: what a layout places.
  QLabel* LabelOf(int id) const { return Find(id) ? Find(id)->label : nullptr; }
  // Runs at the end of every drawing, once the widgets show the page: for
  // a layout that follows what the page shows or hides.
  void AfterDraw(std::function<void()> step) { afterDraw_.push_back(std::move(step)); }
  QGroupBox* BoxOf(int id) const { return Find(id) ? Find(id)->box : nullptr; }
  // A radio group's box, or a captioned box that holds a slider with its
  // end labels and read-out, with the System Memory mark where the page
  // puts one.
  QWidget* Placed(int id, Qt::Orientation radios = Qt::Horizontal) {
    Shown* shown = Find(id);
    if (shown == nullptr) return nullptr;
    const Control* control = page_.FindControl(id);
    QWidget* placed = nullptr;
    if (control->kind == ControlKind::kRadioGroup) {
      auto* grid = new QGridLayout(shown->box);
      for (size_t b = 0; b < shown->radios.size(); ++b) {
        const int position = static_cast<int>(b);
        if (radios == Qt::Horizontal) {
          grid->addWidget(shown->radios[b], position / kWideGroup, position % kWideGroup);
        } else {
          grid->addWidget(shown->radios[b], position, 0);
        }
      }
      grid->setColumnStretch(radios == Qt::Horizontal ? kWideGroup : 1, 1);
      placed = shown->box;
    } else if (control->kind == ControlKind::kSlider) {
      placed = SliderBox(id);
    } else {
      placed = shown->widget;
    }
    const bool pageHasMarks = std::any_of(page_.Controls().begin(), page_.Controls().end(),
                                          [](const Control& other) { return other.memoryMark; });
    if (!pageHasMarks) return placed;
    // Boxes with and without the mark keep their left edges in line.
    auto* marked = new QWidget;
    auto* line = new QHBoxLayout(marked);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(4);
    if (control->memoryMark) {
      line->addWidget(shown->mark, 0, Qt::AlignTop);
    } else {
      line->addSpacing(SystemMemoryMark().width());
    }
    line->addWidget(placed, 1);
    shown->markHolder = marked;
    return marked;
  }

  // A horizontal slider in a box titled with its caption: the end labels
  // at its ends, the read-out after it.
  QGroupBox* SliderBox(int id) {
    Shown* shown = Find(id);
    const Control* control = page_.FindControl(id);
    shown->box = new QGroupBox(FromModel(control->caption));
    // The box's title is the slider's caption.
    delete shown->label;
    shown->label = nullptr;
    auto* line = new QHBoxLayout(shown->box);
    line->addWidget(HorizontalSlider(id), 1);
    return shown->box;
  }

  // A horizontal slider between its end labels, with its read-out after it.
  QWidget* HorizontalSlider(int id) {
    Shown* shown = Find(id);
    const Control* control = page_.FindControl(id);
    auto* field = new QWidget;
    auto* lines = new QVBoxLayout(field);
    lines->setContentsMargins(0, 0, 0, 0);
    auto* line = new QHBoxLayout;
    lines->addLayout(line);
    if (!control->lowLabel.empty()) line->addWidget(EndLabel(id, control->lowLabel));
    line->addWidget(shown->widget, 1);
    if (!control->highLabel.empty()) line->addWidget(EndLabel(id, control->highLabel));
    if (Shown* readOut = Find(control->readOut)) {
      line->addWidget(readOut->widget);
      // Why a typed value was refused, under the slider.
      if (auto* typed = dynamic_cast<CTypedReadOut*>(readOut->widget)) {
        lines->addWidget(typed->ProblemLabel());
      }
    }
    return field;
  }

  // An upright slider: its caption above, the maximum at the top, the
  // read-out below.
  QWidget* VerticalSlider(int id, const QString& caption) {
    Shown* shown = Find(id);
    const Control* control = page_.FindControl(id);
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    shown->label->setText(caption);
    shown->label->setAlignment(Qt::AlignHCenter);
    layout->addWidget(shown->label);
    if (!control->highLabel.empty())
      layout->addWidget(EndLabel(id, control->highLabel), 0, Qt::AlignHCenter);
    layout->addWidget(shown->widget, 1, Qt::AlignHCenter);
    if (!control->lowLabel.empty())
      layout->addWidget(EndLabel(id, control->lowLabel), 0, Qt::AlignHCenter);
    if (Shown* readOut = Find(control->readOut)) {
      layout->addWidget(readOut->widget, 0, Qt::AlignHCenter);
      if (auto* typed = dynamic_cast<CTypedReadOut*>(readOut->widget)) {
        typed->ProblemLabel()->setMaximumWidth(readOut->widget->minimumWidth() * 2);
        layout->addWidget(typed->ProblemLabel(), 0, Qt::AlignHCenter);
      }
    }
    return column;
  }

  // Draws again only when the page's description changed since the last
  // drawing; after a user action it always does (see AfterAction).
  void Render() override {
    if (drawn_ && page_.Revision() == drawnRevision_) return;
    Draw();
  }

  void Draw() {
    rendering_ = true;
    drawn_ = true;
    drawnRevision_ = page_.Revision();
    const std::vector<Control>& controls = page_.Controls();
    const std::vector<std::string> names = Names();
    for (size_t i = 0; i < controls.size(); ++i) {
      Shown* shown = Find(controls[i].id);
      if (shown == nullptr) continue;
      RenderControl(*shown, controls[i]);
      const QString name = FromModel(names[i]);
      shown->widget->setAccessibleName(name);
      if (shown->label != nullptr) shown->label->setAccessibleName(name);
      if (controls[i].kind == ControlKind::kSlider) {
        // Refusals and the edit are named for the slider.
        if (Shown* readOut = Find(controls[i].readOut)) {
          if (auto* typed = dynamic_cast<CTypedReadOut*>(readOut->widget)) {
            typed->SetSliderName(name);
          }
        }
      }
      if (controls[i].kind == ControlKind::kRadioGroup) {
        shown->box->setAccessibleName(name);
        for (size_t b = 0; b < shown->radios.size(); ++b) {
          const std::string item =
              b < controls[i].items.size() ? controls[i].items[b] : std::to_string(b + 1);
          shown->radios[b]->setAccessibleName(name + ": " + FromModel(item));
        }
      } else if (controls[i].kind == ControlKind::kSlider && shown->box != nullptr) {
        shown->box->setAccessibleName(name + " frame");
      }
    }
    for (const std::function<void()>& step : afterDraw_) step();
    rendering_ = false;
  }

  void RestoreRadioFocus() override {
    const QWidget* focused = focusWidget();
    if (focused == nullptr || !focused->hasFocus()) return;
    for (const auto& [id, shown] : shown_) {
      if (std::find(shown.radios.begin(), shown.radios.end(), focused) == shown.radios.end()) {
        continue;
      }
      for (QRadioButton* radio : shown.radios) {
        if (radio->isChecked()) radio->setFocus(Qt::OtherFocusReason);
      }
      return;
    }
  }

 protected:
  // Arrow keys never move a radio selection or a slider on a page; the
  // wheel scrolls past a slider or combo box that has not been chosen.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (FilterPageEvent(watched, event, scroll_)) return true;
    return QWidget::eventFilter(watched, event);
  }

 private:
  struct Shown {
    QWidget* widget = nullptr;  // the control (a radio group's first button's box for radios)
    QLabel* label = nullptr;    // the caption beside it
    QGroupBox* box = nullptr;   // the box of a radio group, a frame or a boxed slider
    std::vector<int> buttonIds;
    std::vector<QRadioButton*> radios;
    std::vector<QLabel*> endLabels;
    QLabel* mark = nullptr;
    QWidget* markHolder = nullptr;
  };

  Shown* Find(int id) {
    const auto found = shown_.find(id);
    return found == shown_.end() ? nullptr : &found->second;
  }
  const Shown* Find(int id) const {
    const auto found = shown_.find(id);
    return found == shown_.end() ? nullptr : &found->second;
  }

  QLabel* EndLabel(int id, const std::string& text) {
    QLabel* label = PlainLabel(FromModel(text));
    Find(id)->endLabels.push_back(label);
    return label;
  }

  void Watch(QWidget* widget) { widget->installEventFilter(this); }

  // The page may have refused what the widget now shows (an interlock), in
  // which case its description is unchanged but the widget must show the
  // page's value again: after an action the view always draws.
  void AfterAction() {
    if (!rendering_) Draw();
  }

  void Make(const Control& control, const UnitsOf& units) {
    Shown& shown = shown_[control.id];
    const int id = control.id;
    switch (control.kind) {
      case ControlKind::kFrame:
        shown.box = new QGroupBox;
        shown.widget = shown.box;
        break;
      case ControlKind::kText:
        shown.widget = PlainLabel();
        break;
      case ControlKind::kRadioGroup: {
        shown.box = new QGroupBox;
        shown.buttonIds = control.buttonIds;
        for (const int buttonId : control.buttonIds) {
          shown.radios.push_back(MakePageRadio(
              page_, buttonId, this, [this] { AfterAction(); }, shown.box));
        }
        // WidgetOf(first button) gives the button; the box shows the group.
        shown.widget = shown.box;
        break;
      }
      case ControlKind::kSlider: {
        auto* slider = new QSlider(control.orientation == Orientation::kVertical ? Qt::Vertical
                                                                                 : Qt::Horizontal);
        slider->setSingleStep(1);
        // Arrow keys are kept off the pages: Page Up and Page Down step.
        slider->setPageStep(1);
        slider->setFocusPolicy(Qt::StrongFocus);
        if (control.orientation == Orientation::kVertical) {
          slider->setMinimumHeight(120);
          slider->setTickPosition(QSlider::TicksBothSides);
          slider->setTickInterval(std::max(1, SliderPositions(control) / 10));
        } else {
          slider->setMinimumWidth(160);
          slider->setTickPosition(QSlider::TicksBelow);
          slider->setTickInterval(std::max(1, SliderPositions(control) / 10));
        }
        connect(slider, &QSlider::valueChanged, this, [this, id, slider](int position) {
          const Control* now = page_.FindControl(id);
          if (now == nullptr) return;
          const int value = now->minimum + position * SliderStep(*now);
          page_.MoveSlider(id, value);
          // Without a drag the change is complete at once, as a release.
          if (!slider->isSliderDown()) page_.ReleaseSlider(id);
          AfterAction();
        });
        connect(slider, &QSlider::sliderReleased, this, [this, id] {
          page_.ReleaseSlider(id);
          AfterAction();
        });
        Watch(slider);
        shown.widget = slider;
        shown.label = PlainLabel();
        shown.label->setBuddy(slider);
        if (control.readOut != 0) {
          auto* readOut =
              new CTypedReadOut(units(control), [this, id] { return page_.FindControl(id); });
          readOut->onValue = [this, id](int value) {
            page_.MoveSlider(id, value);
            page_.ReleaseSlider(id);
            AfterAction();
          };
          readOut->setMinimumWidth(readOut->fontMetrics().horizontalAdvance("-88.8dB") + 16);
          shown_[control.readOut].widget = readOut;
        }
        break;
      }
      case ControlKind::kReadOut:
        // Made with its slider; one that belongs to none is a plain read-out.
        if (shown.widget == nullptr) {
          shown.widget = PlainLabel();
          StyleReadOut(static_cast<QLabel*>(shown.widget));
        }
        break;
      case ControlKind::kCombo: {
        QComboBox* combo = MakePageCombo(page_, id, this, [this] { AfterAction(); });
        shown.widget = combo;
        shown.label = PlainLabel();
        shown.label->setBuddy(combo);
        break;
      }
      case ControlKind::kCheckBox: {
        shown.widget = MakePageCheck(page_, id, this, [this] { AfterAction(); });
        break;
      }
      case ControlKind::kButton: {
        shown.widget = MakePageButton(page_, id, this, [this] { AfterAction(); });
        break;
      }
      case ControlKind::kList:
      case ControlKind::kEdit:
        // No page of this family has them.
        shown.widget = PlainLabel();
        break;
    }
    if (control.memoryMark) {
      shown.mark = new QLabel;
      shown.mark->setPixmap(SystemMemoryMark());
      shown.mark->setToolTip("An element of System Memory");
    }
  }

  // The names of NameControls, except that a caption a page repeats in
  // several frames ("Mute") takes its frame's caption in front.
  std::vector<std::string> Names() const {
    const std::vector<Control>& controls = page_.Controls();
    std::vector<std::string> names = NameControls(page_.Caption(), controls).controls;
    for (size_t i = 0; i < controls.size(); ++i) {
      const Control& control = controls[i];
      if (control.frame == 0 || control.caption.empty() || control.kind == ControlKind::kText) {
        continue;
      }
      const auto repeats = std::count_if(controls.begin(), controls.end(), [&](const Control& c) {
        return c.kind != ControlKind::kText && c.kind != ControlKind::kFrame &&
               c.caption == control.caption;
      });
      const Control* frame = page_.FindControl(control.frame);
      if (repeats > 1 && frame != nullptr) names[i] = frame->caption + " " + control.caption;
    }
    // A frame captioned as the control it holds is that control's frame.
    for (size_t i = 0; i < controls.size(); ++i) {
      if (controls[i].kind != ControlKind::kFrame) continue;
      for (const Control& member : controls) {
        if (member.frame == controls[i].id && member.caption == controls[i].caption) {
          names[i] = controls[i].caption + " frame";
        }
      }
    }
    return names;
  }

  void RenderControl(Shown& shown, const Control& control) {
    QWidget* widget = shown.widget;
    const QSignalBlocker blockWidget(widget);
    widget->setEnabled(control.enabled);
    // A widget no layout took (none should be) never becomes a window.
    if (widget->parentWidget() != nullptr) widget->setVisible(control.visible);
    if (shown.label != nullptr) {
      if (shown.label->text().isEmpty()) shown.label->setText(FromModel(control.caption));
      shown.label->setEnabled(control.enabled);
      shown.label->setVisible(control.visible);
    }
    for (QLabel* end : shown.endLabels) {
      end->setEnabled(control.enabled);
      end->setVisible(control.visible);
    }
    if (shown.markHolder != nullptr) shown.markHolder->setVisible(control.visible);
    if (shown.box != nullptr && control.kind == ControlKind::kSlider) {
      shown.box->setVisible(control.visible);
    }
    switch (control.kind) {
      case ControlKind::kFrame:
        shown.box->setTitle(FromModel(control.caption));
        break;
      case ControlKind::kText:
        static_cast<QLabel*>(widget)->setText(
            FromModel(control.text.empty() ? control.caption : control.text));
        break;
      case ControlKind::kRadioGroup: {
        // In a frame of the same caption the frame's box is the group's: the
        // group's own draws neither title nor border.
        const Control* frame = control.frame != 0 ? page_.FindControl(control.frame) : nullptr;
        const bool framed = frame != nullptr && frame->caption == control.caption;
        shown.box->setTitle(framed ? QString() : FromModel(control.caption));
        shown.box->setFlat(framed);
        RenderRadios(shown.radios, control);
        break;
      }
      case ControlKind::kSlider:
      case ControlKind::kCombo:
      case ControlKind::kCheckBox:
        RenderCommonControl(widget, control);
        break;
      case ControlKind::kButton:
      case ControlKind::kReadOut:
        RenderCommonControl(widget, control);
        break;
      case ControlKind::kList:
      case ControlKind::kEdit:
        break;
    }
  }

  CBasePage& page_;
  QScrollArea* scroll_ = nullptr;
  QWidget* content_ = nullptr;
  std::map<int, Shown> shown_;
  std::vector<std::function<void()>> afterDraw_;
  bool rendering_ = false;
  bool drawn_ = false;
  uint64_t drawnRevision_ = 0;
};

// --- Units of the typed values ---------------------------------------------------------------

SliderUnits DecibelUnits(const Control& slider) {
  SliderUnits units;
  units.decimals = 1;
  units.unit = "dB";
  // The bottom of a volume is "Mute"; an initial volume goes one step
  // further, to "Off".
  if (slider.minimum == -810) {
    units.words = {{"Off", -810}, {"Mute", -805}};
  } else {
    units.words = {{"Mute", slider.minimum}};
  }
  return units;
}

SliderUnits MultiZoneUnits(const Control& slider) {
  if (slider.id == CMultiZone::kZone2Balance || slider.id == CMultiZone::kZone3Balance) {
    SliderUnits units;
    units.words = {{"Mid", 20}};
    units.balanceCentre = 20;
    return units;
  }
  return DecibelUnits(slider);
}

SliderUnits WholeUnits(const Control& /*slider*/) {
  return {};
}

// --- Multi Zone --------------------------------------------------------------------------------

struct ZoneControls {
  int frame;
  int input;
  int amplifier;
  int volumeOut;
  int maxVolume;
  int balance;
  int volume;
  int mute;
  int initialVolume;
};

constexpr ZoneControls kZone2 = {
    CMultiZone::kZone2Frame,     CMultiZone::kZone2Input,     CMultiZone::kZone2Amplifier,
    CMultiZone::kZone2VolumeOut, CMultiZone::kZone2MaxVolume, CMultiZone::kZone2Balance,
    CMultiZone::kZone2Volume,    CMultiZone::kZone2Mute,      CMultiZone::kZone2InitialVolume};
constexpr ZoneControls kZone3 = {
    CMultiZone::kZone3Frame,     CMultiZone::kZone3Input,     CMultiZone::kZone3Amplifier,
    CMultiZone::kZone3VolumeOut, CMultiZone::kZone3MaxVolume, CMultiZone::kZone3Balance,
    CMultiZone::kZone3Volume,    CMultiZone::kZone3Mute,      CMultiZone::kZone3InitialVolume};

// Inside its zone's box a control needs no zone in its label.
QString WithinZone(const CBasePage& page, int id) {
  QString caption = FromModel(page.FindControl(id)->caption);
  if (caption.startsWith("Zone")) caption = caption.section(' ', 1);
  return caption;
}

QWidget* ZoneBox(CZoneSetupView& view, const ZoneControls& zone) {
  CBasePage& page = view.Page();
  QGroupBox* box = view.BoxOf(zone.frame);
  auto* layout = new QVBoxLayout(box);
  auto* form = new QGridLayout;
  int row = 0;
  for (const int combo : {zone.input, zone.amplifier, zone.volumeOut, zone.maxVolume}) {
    view.LabelOf(combo)->setText(WithinZone(page, combo));
    form->addWidget(view.LabelOf(combo), row, 0, Qt::AlignRight);
    form->addWidget(view.WidgetOf(combo), row, 1, Qt::AlignLeft);
    ++row;
  }
  view.LabelOf(zone.balance)->setText(WithinZone(page, zone.balance));
  form->addWidget(view.LabelOf(zone.balance), row, 0, Qt::AlignRight);
  form->addWidget(view.HorizontalSlider(zone.balance), row, 1);
  form->setColumnStretch(1, 1);
  layout->addLayout(form);

  // The two volumes side by side, their read-outs level, Mute under the
  // volume it silences.
  auto* levels = new QGridLayout;
  levels->addWidget(view.VerticalSlider(zone.volume, WithinZone(page, zone.volume)), 0, 1);
  levels->addWidget(view.VerticalSlider(zone.initialVolume, WithinZone(page, zone.initialVolume)),
                    0, 2);
  levels->addWidget(view.WidgetOf(zone.mute), 1, 1, Qt::AlignHCenter);
  levels->setColumnStretch(0, 1);
  levels->setColumnStretch(3, 1);
  levels->setColumnMinimumWidth(1, 120);
  levels->setColumnMinimumWidth(2, 120);
  levels->setRowStretch(0, 1);
  layout->addLayout(levels, 1);
  return box;
}

CPageWidget* MakeMultiZoneView(CMultiZone& page, QWidget* parent) {
  auto* view = new CZoneSetupView(page, MultiZoneUnits, parent);
  auto* line = new QHBoxLayout(view->Content());
  line->addWidget(ZoneBox(*view, kZone2), 1);
  line->addWidget(ZoneBox(*view, kZone3), 1);
  view->Render();
  return view;
}

// --- Display Set -------------------------------------------------------------------------------

CPageWidget* MakeDisplaySetView(CDisplaySet& page, QWidget* parent) {
  auto* view = new CZoneSetupView(page, WholeUnits, parent);
  auto* grid = new QGridLayout(view->Content());
  // Video first, then the on-screen display, then the front panel.
  auto column = [&](int at, std::initializer_list<std::pair<int, Qt::Orientation>> ids) {
    auto* stack = new QVBoxLayout;
    for (const auto& [id, orientation] : ids) stack->addWidget(view->Placed(id, orientation));
    stack->addStretch(1);
    grid->addLayout(stack, 0, at);
    grid->setColumnStretch(at, 1);
  };
  // The template's radio groups by their first buttons.
  constexpr int kVideoConversion = 1400;
  constexpr int kComponent = 1402;
  constexpr int kGrayBack = 1404;
  constexpr int kHdmiScaling = 1410;
  constexpr int kHdmiAspect = 1415;
  constexpr int kShortMessage = 1420;
  constexpr int kOnScreen = 1423;
  constexpr int kFlScroll = 1426;
  column(0, {{kVideoConversion, Qt::Horizontal},
             {kComponent, Qt::Horizontal},
             {kHdmiScaling, Qt::Vertical}});
  column(1, {{kGrayBack, Qt::Horizontal},
             {CDisplaySet::kOsdShiftSlider, Qt::Horizontal},
             {kOnScreen, Qt::Horizontal},
             {kHdmiAspect, Qt::Horizontal}});
  column(2, {{CDisplaySet::kDimmerSlider, Qt::Horizontal},
             {kFlScroll, Qt::Horizontal},
             {kShortMessage, Qt::Horizontal},
             {CDisplaySet::kFullButton, Qt::Horizontal}});
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(view->WidgetOf(CDisplaySet::kDefaultButton));
  grid->addLayout(buttons, 1, 0, 1, 3);
  grid->setRowStretch(2, 1);
  view->Render();
  return view;
}

// --- MULTI CH ----------------------------------------------------------------------------------

CPageWidget* MakeMultiChView(CMiscPage& page, QWidget* parent) {
  auto* view = new CZoneSetupView(page, WholeUnits, parent);
  auto* outer = new QHBoxLayout(view->Content());
  auto* column = new QVBoxLayout;
  QWidget* mode = view->Placed(CMiscPage::k6chButton);
  column->addWidget(mode);
  auto* form = new QGridLayout;
  int row = 0;
  for (const int combo : {CMiscPage::kFrontCombo, CMiscPage::kBgvCombo}) {
    form->addWidget(view->LabelOf(combo), row, 0, Qt::AlignRight);
    form->addWidget(view->WidgetOf(combo), row, 1, Qt::AlignLeft);
    ++row;
  }
  form->setColumnStretch(1, 1);
  column->addLayout(form);
  column->addStretch(1);
  auto* holder = new QWidget;
  holder->setLayout(column);
  holder->setMaximumWidth(kBoxMaximumWidth);
  outer->addWidget(holder, 1);
  outer->addStretch(1);
  view->Render();
  return view;
}

// --- Other -------------------------------------------------------------------------------------

CPageWidget* MakeOtherView(COtherPage& page, QWidget* parent) {
  auto* view = new CZoneSetupView(page, WholeUnits, parent);
  auto* outer = new QVBoxLayout(view->Content());
  auto* grid = new QGridLayout;
  const int groups[] = {1501, 1503, 1505, 1507};
  for (int i = 0; i < 4; ++i) {
    QWidget* placed = view->Placed(groups[i]);
    placed->setMaximumWidth(kBoxMaximumWidth);
    grid->addWidget(placed, i / 2, i % 2);
  }
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  outer->addLayout(grid);
  outer->addStretch(1);
  view->Render();
  return view;
}

// --- Advanced Setup ----------------------------------------------------------------------------

// The groups stand three to a line in the page's order, a group that has a
// frame inside its frame's box; the ones the page hides close up. The note
// stands below them.
CPageWidget* MakeAdvancedSetupView(CAdvSetup& page, QWidget* parent) {
  constexpr int kColumns = 3;
  auto* view = new CZoneSetupView(page, WholeUnits, parent);
  auto* outer = new QVBoxLayout(view->Content());
  auto* grid = new QGridLayout;
  for (int column = 0; column < kColumns; ++column) grid->setColumnStretch(column, 1);
  outer->addLayout(grid);
  struct Cell {
    QWidget* widget;
    int shownBy;  // the control whose visibility is the cell's: its frame or its group
  };
  std::vector<Cell> cells;
  for (const Control& control : page.Controls()) {
    if (control.kind == ControlKind::kText) {
      outer->addWidget(view->WidgetOf(control.id));
      continue;
    }
    if (control.kind != ControlKind::kRadioGroup) continue;
    QWidget* placed = view->Placed(control.id);
    QGroupBox* frame = control.frame != 0 ? view->BoxOf(control.frame) : nullptr;
    if (frame == nullptr) {
      cells.push_back({placed, control.id});
      continue;
    }
    auto* inside = new QVBoxLayout(frame);
    inside->addWidget(placed);
    cells.push_back({frame, control.frame});
  }
  for (size_t c = 0; c < cells.size(); ++c) {
    const int position = static_cast<int>(c);
    grid->addWidget(cells[c].widget, position / kColumns, position % kColumns);
  }
  outer->addStretch(1);
  auto laidOut = std::make_shared<std::vector<bool>>();
  view->AfterDraw([&page, grid, cells, laidOut] {
    std::vector<bool> shown;
    for (const Cell& cell : cells) {
      const Control* control = page.FindControl(cell.shownBy);
      shown.push_back(control != nullptr && control->visible);
    }
    if (shown == *laidOut) return;
    *laidOut = shown;
    for (const Cell& cell : cells) grid->removeWidget(cell.widget);
    int position = 0;
    for (size_t c = 0; c < cells.size(); ++c) {
      // A hidden cell stays in the view, out of the grid.
      if (!shown[c]) continue;
      grid->addWidget(cells[c].widget, position / kColumns, position % kColumns);
      ++position;
    }
  });
  view->Render();
  return view;
}

}  // namespace

CPageWidget* MakeZoneAndSetupView(CBasePage& page, QWidget* parent) {
  if (auto* zones = dynamic_cast<CMultiZone*>(&page)) return MakeMultiZoneView(*zones, parent);
  if (auto* display = dynamic_cast<CDisplaySet*>(&page))
    return MakeDisplaySetView(*display, parent);
  if (auto* multiCh = dynamic_cast<CMiscPage*>(&page)) return MakeMultiChView(*multiCh, parent);
  if (auto* other = dynamic_cast<COtherPage*>(&page)) return MakeOtherView(*other, parent);
  if (auto* advanced = dynamic_cast<CAdvSetup*>(&page)) {
    return MakeAdvancedSetupView(*advanced, parent);
  }
  return nullptr;
}

}  // namespace qamp

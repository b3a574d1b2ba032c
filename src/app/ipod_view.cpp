// "iPod": the settings on the left; on the right the operation buttons
// (the transport in a row, the menu keys as a cross around "Enter"), then
// what the receiver reports of the play and of the menu list.
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/fixed_font.h"
#include "app/page_controls.h"
#include "app/source_view_kit.h"
#include "pages/ipod_page.h"

namespace qamp {

namespace {

using Page = CiPodPage;

class CIPodView : public CSourceView {
 public:
  CIPodView(CBasePage& page, QWidget* parent) : CSourceView(page, parent) {
    auto* content = MakeScrolledPage(this);
    auto* rows = new QVBoxLayout(content);

    // The settings three to a line, then the operations with the menu list
    // they move through beside what is playing.
    auto* settings = new QGridLayout;
    int position = 0;
    for (const Control& control : page.Controls()) {
      if (control.kind != ControlKind::kRadioGroup) continue;
      QGroupBox* box = MakeFrame(control.id);
      box->setTitle(FromModel(control.caption));
      auto* line = new QHBoxLayout(box);
      for (QRadioButton* radio : MakeRadios(control.id)) line->addWidget(radio);
      line->addStretch(1);
      settings->addWidget(box, position / 3, position % 3);
      ++position;
    }
    rows->addLayout(settings);
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(BuildOperation());
    left->addWidget(BuildListInformation());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildPlayInformation());
    right->addStretch(1);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    rows->addLayout(columns);
    rows->addStretch(1);
    Render();
  }

 private:
  QGroupBox* BuildOperation() {
    QGroupBox* box = MakeFrame(Page::kOperationGroup);
    auto* column = new QVBoxLayout(box);
    auto* transport = new QHBoxLayout;
    for (const int id : {Page::kPlayButton, Page::kStopButton, Page::kRewButton, Page::kFfButton,
                         Page::kPauseButton, Page::kMinusButton, Page::kPlusButton}) {
      transport->addWidget(MakeButton(id));
    }
    transport->addStretch(1);
    column->addLayout(transport);
    auto* keys = new QHBoxLayout;
    auto* cross = new QGridLayout;
    cross->addWidget(MakeButton(Page::kUpButton), 0, 1);
    cross->addWidget(MakeButton(Page::kLeftButton), 1, 0);
    cross->addWidget(MakeButton(Page::kEnterButton), 1, 1);
    cross->addWidget(MakeButton(Page::kRightButton), 1, 2);
    cross->addWidget(MakeButton(Page::kDownButton), 2, 1);
    keys->addLayout(cross);
    keys->addSpacing(24);
    keys->addWidget(MakeButton(Page::kDisplayButton), 0, Qt::AlignVCenter);
    keys->addStretch(1);
    column->addLayout(keys);
    return box;
  }

  QGroupBox* BuildPlayInformation() {
    QGroupBox* box = MakeFrame(Page::kPlayInformationGroup);
    auto* grid = new QGridLayout(box);
    int line = 0;
    for (const int id : Page::kPlayInformationBoxes) {
      QLineEdit* edit = Shown(MakeEdit(id));
      grid->addWidget(MakeCaption(id), line, 0);
      grid->addWidget(edit, line, 1);
      ++line;
    }
    return box;
  }

  QGroupBox* BuildListInformation() {
    QGroupBox* box = MakeFrame(Page::kListInformationGroup);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(4);
    for (int line = 0; line < 4; ++line) {
      QLineEdit* marker = Shown(MakeEdit(Page::kListMarkerBoxes[line]));
      marker->setFixedWidth(marker->fontMetrics().horizontalAdvance(">") + 16);
      marker->setAlignment(Qt::AlignCenter);
      QLineEdit* text = Shown(MakeEdit(Page::kListLineBoxes[line]));
      grid->addWidget(marker, line, 0);
      grid->addWidget(text, line, 1);
    }
    return box;
  }

  // A box that shows what the receiver reports: read, not typed into, in a
  // fixed-width font as the receiver's display has it.
  static QLineEdit* Shown(QLineEdit* edit) {
    edit->setReadOnly(true);
    edit->setFont(FixedPitchFont());
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(41, 'M')) / 2);
    return edit;
  }
};

}  // namespace

CPageWidget* MakeIPodView(CBasePage& page, QWidget* parent) {
  return new CIPodView(page, parent);
}

}  // namespace qamp

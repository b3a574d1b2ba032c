// What the sheet needs of a page's view, whether the generic form drawn
// from the page's control description or a layout made for that page.
#pragma once

#include <QWidget>

#include "pages/base_page.h"

namespace qamp {

class CDialogs;
class CMySheet;
class CPEQSetPage;

// What some views show besides their own page: the Equalizer view opens
// the Parametric EQ window, which asks for files and questions through the
// dialogs. A view without them simply has no such window.
struct ViewCompanions {
  CPEQSetPage* parametricEq = nullptr;
  CDialogs* dialogs = nullptr;
  // The sheet the view is on; its Refreshed signal says when the image
  // changed under the pages (a transfer, a file, a report).
  CMySheet* sheet = nullptr;
};

class CPageWidget : public QWidget {
 public:
  using QWidget::QWidget;
  virtual CBasePage& Page() = 0;
  // Brings every widget up to date with the page's controls; nothing is
  // handed back to the page meanwhile.
  virtual void Render() = 0;
  // The widget of a dialog control number, or null.
  virtual QWidget* WidgetOf(int controlId) const = 0;
  // Moves the focus to the radio button now checked in the focused group.
  virtual void RestoreRadioFocus() {}
};

// The view of `page`: its own layout where one is made for it, the
// generic form otherwise.
CPageWidget* MakePageWidget(CBasePage& page, QWidget* parent,
                            const ViewCompanions& companions = {});

// The families of page layouts; each gives the view of the pages it has a
// layout for, and null for the others.
CPageWidget* MakeSpeakerAndSoundView(CBasePage& page, QWidget* parent,
                                     const ViewCompanions& companions = {});
CPageWidget* MakeSourceAndListView(CBasePage& page, QWidget* parent);
CPageWidget* MakeZoneAndSetupView(CBasePage& page, QWidget* parent);

}  // namespace qamp

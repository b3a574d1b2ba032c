// What the window tests of the page views share: connecting an app in Real
// Time Mode, the frames the receiver got since a point, and a control's
// accessible name as assistive technology reads it.
#pragma once

#include <QAccessible>
#include <QComboBox>
#include <QString>
#include <string>
#include <vector>

#include <QApplication>

#include "app/my_sheet.h"
#include "app/page_widget.h"
#include "support/app_harness.h"

namespace qamp::testing {

// Opens a real-time connection and lets the load end; true when it did.
inline bool Connect(AppHarness& h) {
  h.app.Session().Open();
  const auto outcome = h.RunUntilOutcome();
  h.clock.Advance(2000);
  return outcome && outcome->outcome == OperationOutcome::kConnected;
}

// The frames the receiver got after `from`, with the time to answer them.
inline std::vector<std::string> FramesAfter(AppHarness& h, size_t from) {
  h.clock.Advance(2000);
  const auto& frames = h.receiver.ReceivedFrames();
  return {frames.begin() + static_cast<std::ptrdiff_t>(std::min(from, frames.size())),
          frames.end()};
}

// A combo box is read out by its current text; its name is the label beside
// it, which assistive technology pairs with it.
inline QString AccessibleNameOf(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  if (accessible == nullptr) return {};
  if (qobject_cast<QComboBox*>(widget) != nullptr) {
    const auto labels = accessible->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.front().first->text(QAccessible::Name);
  }
  return accessible->text(QAccessible::Name);
}

// The control `id` of a page view as the widget kind it should be.
template <class Widget>
Widget* WidgetAs(const CPageWidget& view, int id) {
  auto* widget = qobject_cast<Widget*>(view.WidgetOf(id));
  EXPECT_NE(widget, nullptr) << "control " << id;
  return widget;
}

// A sheet of the application's pages, shown at a size, with one page
// active.
struct SheetOnScreen {
  SheetOnScreen(AppHarness& h, std::string_view caption, QSize size = {1280, 720})
      : sheet(h.app.Pages().SheetPages()) {
    sheet.resize(size);
    sheet.show();
    EXPECT_TRUE(sheet.ActivateByCaption(caption));
    QApplication::processEvents();
    view = sheet.ActiveView();
  }
  template <class Widget>
  Widget* Get(int id) {
    return WidgetAs<Widget>(*view, id);
  }
  CMySheet sheet;
  CPageWidget* view = nullptr;
};

// The sheet page with this caption, or null.
inline CBasePage* PageNamed(AppHarness& h, std::string_view caption) {
  for (CBasePage* page : h.app.Pages().SheetPages()) {
    if (page->Caption() == caption) return page;
  }
  return nullptr;
}

}  // namespace qamp::testing

// The tabs of the setting pages. Only the active page follows the image as
// it changes; a page that becomes active is refreshed from the image first,
// so it always shows the current values.
#pragma once

#include <QTabWidget>
#include <string_view>
#include <vector>

#include "app/page_widget.h"
#include "model/parameter_map.h"
#include "pages/base_page.h"

namespace qamp {

class CPageWidget;

class CMySheet : public QTabWidget {
  Q_OBJECT

 public:
  // The tabs in the order given; each tab's text is its page's caption.
  // Views that show more than their page get it from `companions`.
  explicit CMySheet(std::vector<CBasePage*> pages, QWidget* parent = nullptr,
                    ViewCompanions companions = {});

  CBasePage* ActivePage() const;
  CPageWidget* ActiveView() const;
  // The view of a page on the sheet (built now if it was not yet), or null.
  CPageWidget* ViewOf(const CBasePage& page) const;
  // The first page whose caption is exactly `caption` becomes active;
  // false, and nothing changes, when there is none.
  bool ActivateByCaption(std::string_view caption);
  // Every page from the image (after a load, a transfer, a file), then the
  // active page drawn again.
  void RefreshAll();
  // Parameters the receiver reported: only the active page follows them.
  void RefreshParams(const std::vector<ParamId>& ids);
  void RenderActive();
  // The active page drawn again with the focus of its radio buttons
  // following their values (at the end of a transfer, after a refresh).
  void RestoreRadioFocus();

 signals:
  // The pages read the image again (RefreshAll) or followed parameters
  // the receiver reported (RefreshParams): windows beside the sheet that
  // show a page follow this instead of asking the page over and over.
  void Refreshed();

 private:
  void Activate(int index);
  CPageWidget* ViewAt(size_t index) const;

  std::vector<CBasePage*> pages_;
  ViewCompanions companions_;
  std::vector<QWidget*> tabs_;
  // Built on first use; a view shows its page as it is when built.
  mutable std::vector<CPageWidget*> views_;
  int activeIndex_ = -1;
};

}  // namespace qamp

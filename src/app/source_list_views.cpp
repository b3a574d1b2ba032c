#include "app/page_widget.h"
#include "app/source_view_kit.h"
#include "pages/input_dsp_page.h"
#include "pages/trigger_out_page.h"

namespace qamp {

// The source and list pages with a layout of their own; the others are
// drawn by the generic form.
CPageWidget* MakeSourceAndListView(CBasePage& page, QWidget* parent) {
  if (dynamic_cast<CDCTriggerCtl*>(&page) != nullptr) return MakeTriggerOutView(page, parent);
  if (dynamic_cast<CInputDsp*>(&page) != nullptr) return MakeInputDspView(page, parent);
  return nullptr;
}

}  // namespace qamp

#include "app/page_widget.h"
#include "app/source_view_kit.h"
#include "pages/dsp_parameters_page.h"
#include "pages/input_dsp_page.h"
#include "pages/input_rename_page.h"
#include "pages/io_assign_page.h"
#include "pages/ipod_page.h"
#include "pages/trigger_out_page.h"
#include "pages/tuner_set_page.h"
#include "pages/xm_set_page.h"

namespace qamp {

// The source and list pages with a layout of their own; the others are
// drawn by the generic form.
CPageWidget* MakeSourceAndListView(CBasePage& page, QWidget* parent) {
  if (dynamic_cast<CDCTriggerCtl*>(&page) != nullptr) return MakeTriggerOutView(page, parent);
  if (dynamic_cast<CInputDsp*>(&page) != nullptr) return MakeInputDspView(page, parent);
  if (dynamic_cast<CIOAssign*>(&page) != nullptr) {
    return MakeListTableView(page, parent, {CIOAssign::kPortList, CIOAssign::kAssignedList},
                             CIOAssign::kPortList);
  }
  if (dynamic_cast<CInputSetUp*>(&page) != nullptr) {
    return MakeListTableView(page, parent, {CInputSetUp::kInputList, CInputSetUp::kNameList}, 0);
  }
  if (dynamic_cast<CTunerSetPage*>(&page) != nullptr) {
    return MakeListTableView(page, parent,
                             {CTunerSetPage::kPresetList, CTunerSetPage::kFrequencyList}, 0);
  }
  if (dynamic_cast<CXmSetPage*>(&page) != nullptr) {
    return MakeListTableView(page, parent, {CXmSetPage::kPresetList, CXmSetPage::kValueList}, 0);
  }
  if (dynamic_cast<CInputDspParam*>(&page) != nullptr) {
    return MakeListTableView(page, parent, {CInputDspParam::kNameList, CInputDspParam::kValueList},
                             CInputDspParam::kNameList);
  }
  if (dynamic_cast<CiPodPage*>(&page) != nullptr) return MakeIPodView(page, parent);
  return nullptr;
}

}  // namespace qamp

#include "app/page_widget.h"

#include "app/page_view.h"

namespace qamp {

CPageWidget* MakePageWidget(CBasePage& page, QWidget* parent, const ViewCompanions& companions) {
  if (CPageWidget* view = MakeSpeakerAndSoundView(page, parent, companions)) return view;
  for (auto make : {MakeSourceAndListView, MakeZoneAndSetupView}) {
    if (CPageWidget* view = make(page, parent)) return view;
  }
  return new CPageView(page, parent);
}

}  // namespace qamp

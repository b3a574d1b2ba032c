#include "app/page_widget.h"

namespace qamp {

// No page of this family has a layout of its own yet: the generic form
// draws them.
CPageWidget* MakeSpeakerAndSoundView(CBasePage& /*page*/, QWidget* /*parent*/) {
  return nullptr;
}

}  // namespace qamp

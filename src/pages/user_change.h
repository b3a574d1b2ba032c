// One parameter changed the way a user changes it: through the control of
// its page that shows it (a radio button clicked, a combo box entry chosen,
// a slider moved and released, a box checked, a name typed and entered), so
// that everything the page decides about a change happens as it does for a
// click: interlocks, values one choice forces on another, confirmations
// (asked through the page's PageHost), and the frames the page sends in Real
// Time Mode. The window and qampctl both change parameters through it.
#pragma once

#include <string>
#include <string_view>

#include "pages/page_set.h"
#include "pages/tuner_set_page.h"

namespace qamp {

// The Tuner Set page takes a frequency from its "Frequency" dialog. Given to
// the pages as their FrequencyChooser, this one answers the dialog with the
// frequency of the change under way (the row that lists it, then "OK"), and
// with "Cancel" when the dialog does not list it or no change is under way.
class ChangeFrequencyChooser : public FrequencyChooser {
 public:
  std::optional<std::string> Choose(CFrequencyDialog& dialog) override;
  // The stored form of the frequency to choose ("107.90", "000630").
  void Expect(std::string stored) { expected_ = std::move(stored); }
  void Clear() { expected_.reset(); }

 private:
  std::optional<std::string> expected_;
};

enum class UserChangeOutcome {
  kApplied,       // the parameter now holds the value
  kRefused,       // the page's rules left another value (`reason` says which)
  kNoUserAction,  // no control changes this parameter in this mode (`reason` says why)
  kNotAValue,     // the text is not a value of the parameter
};

struct UserChangeResult {
  UserChangeOutcome outcome = UserChangeOutcome::kNotAValue;
  std::string value;   // the value text the parameter holds afterwards
  std::string reason;  // a sentence for the user, for kRefused and kNoUserAction
  // Where the change shows: the parameter itself, or for Input DSP in Real
  // Time Mode the control panel's "DSP Program" (the receiver reports the
  // program it plays, not the input's record).
  CPageSet::Parameter holder;
};

// Sets `parameter` to the value whose text is `valueText` (a text its page
// reads, as SetParamFromText does) by the user action its page offers for
// it, on the link's current image. The page is expected to be shown (the
// window's active page; qampctl makes it active first). A question the page
// asks goes to the page's PageHost; an answer of Cancel shows as kRefused.
// A Tuner Set frequency is chosen through `frequencies`, which must be the
// FrequencyChooser the pages were given; without it a tuner frequency has
// no user action here.
UserChangeResult ApplyUserChange(CCommClass& link, CPageSet& pages,
                                 const CPageSet::Parameter& parameter, std::string_view valueText,
                                 ChangeFrequencyChooser* frequencies = nullptr);

// What a person typed for a parameter, read as its page reads texts. A
// typed value must be exactly a text the page writes for some value (blanks
// around it do not count, nor the quotation marks around a name): the
// page's reading of file values drops units and points, which is right for
// its own files and wrong for what a person typed ("10dB" would be 1.0 dB).
struct TypedValue {
  bool exact = false;      // the text is one the page writes
  std::string meaning;     // what the page reads it as ("1.0dB"), empty for nothing
  std::string suggestion;  // the nearest text the page writes, empty when none is known
  std::string problem;     // why it cannot be a value at all (characters the receiver lacks)
  std::string text;        // the typed text without its surrounding blanks
};
TypedValue CheckTypedValue(CCommClass& link, const CPageSet::Parameter& parameter,
                           std::string_view typed);

}  // namespace qamp

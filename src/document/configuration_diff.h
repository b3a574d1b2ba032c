// Comparing two configurations: every parameter whose value text differs,
// for qampctl diff (two files, or a receiver and a file) and the window's
// "Compare with Receiver...". Both sides are written by the same writer, so
// equal settings read alike whatever their files looked like.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "document/qamptool_app.h"

namespace qamp {

// One parameter in which the two sides differ: its section and key as in
// configuration files, and the value text of each side ("(missing)" or
// "(unreadable)" where that side's file lacked it).
struct Difference {
  std::string section;
  std::string key;
  std::string a;
  std::string b;
  bool operator==(const Difference&) const = default;
};

// Which sections count.
using SectionFilter = std::function<bool(std::string_view section)>;

// Sections a read of the current setting alone does not fill: the memo,
// every memory, and the Input DSP records, which the receiver tells only
// while an Upload walks it through its inputs.
bool IsCurrentSetting(std::string_view section);

// What a read of a receiver fills, and so which sections a comparison
// with one counts: the current setting (a connection's initial load), or
// everything an Upload reads (all but the memo, which the receiver does not
// keep).
enum class ReceiverRead { kCurrentSetting, kUpload };
SectionFilter SectionsReadBy(ReceiverRead read);

// "(missing)" or "(unreadable)" when `load` (a file's) lacked the key of
// `section`, else empty. A value one side lacks is no value, whatever the
// other holds: a file cut short is not equal to the whole one. Keys are
// matched as files match them (case aside, blanks after the key ignored).
std::string LackingValueText(const ConfigurationLoad* load, std::string_view section,
                             std::string_view key);

// Every parameter of `a` whose value text `b` does not share, in the order
// of `a`'s file, in the sections `compared` admits. The receiver's known
// state (CReceiverSession::KnownState) is no setting and is not compared.
// `aLacks` and `bLacks`, when given, are what each side's file lacked.
std::vector<Difference> Differences(CQAmpToolApp& a, const ConfigurationLoad* aLacks,
                                    CQAmpToolApp& b, const ConfigurationLoad* bLacks,
                                    const SectionFilter& compared);

// "the receiver did not answer 3 read(s); their values are not the
// receiver's": reads that failed leave the values the reading application
// started with, which a comparison would otherwise show as the receiver's.
std::string UnansweredReadsText(int reads);

}  // namespace qamp

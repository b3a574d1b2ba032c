#include "cli/parameter_change.h"

#include "cli/command.h"
#include "cli/frame_text.h"
#include "session/command_capture.h"

namespace qamp::cli {

std::optional<std::string> ValueArgument(std::string_view command, CCommClass& link,
                                         const CPageSet::Parameter& parameter,
                                         std::string_view section, std::string_view key,
                                         std::string_view typed, std::ostream& err) {
  const TypedValue check = CheckTypedValue(link, parameter, typed);
  if (check.exact) return check.text;
  err << "qampctl " << command << ": '" << PrintableText(check.text) << "' is not a value of "
      << section << " / " << key;
  if (!check.problem.empty()) {
    err << " (" << check.problem << ")\n";
    return std::nullopt;
  }
  if (!check.meaning.empty())
    err << " (it would be read as " << PrintableText(check.meaning) << ")";
  if (!check.suggestion.empty()) err << "; did you mean " << PrintableText(check.suggestion) << "?";
  err << "\n";
  return std::nullopt;
}

bool RehearseQuestion(const CCommClass& link, std::string_view section, std::string_view key,
                      std::string_view value, CliPageHost& host) {
  CommandCapture rehearsal(link.IsRealTimeMode() ? ControlMode::kRealTime : ControlMode::kAsync,
                           link.RegionCode());
  CCommClass& copy = rehearsal.Link();
  copy.SetFlags(link.Flags());
  for (int slot = 0; slot < kImageSlots; ++slot) copy.Image(slot) = link.Image(slot);
  ChangeFrequencyChooser frequencies;
  CPageSet pages(copy, host, &frequencies);
  pages.FirstLayout();
  pages.RefreshAll();
  const auto parameter = pages.FindParameter(section, key, copy.CurrentImage());
  if (!parameter) return false;
  parameter->page->SetActive(true);
  ApplyUserChange(copy, pages, *parameter, value, &frequencies);
  return host.Unanswered();
}

int ChangeStatus(std::string_view command, const UserChangeResult& result, const CliPageHost& host,
                 std::ostream& err) {
  if (host.Unanswered()) {
    err << "qampctl " << command << ": the page asks \"" << host.UnansweredQuestion()
        << "\" and standard input is not a terminal: give --yes to answer OK\n";
    return kExitUsage;
  }
  switch (result.outcome) {
    case UserChangeOutcome::kApplied:
      return kExitSuccess;
    case UserChangeOutcome::kRefused:
      err << "qampctl " << command << ": " << PrintableText(result.reason)
          << (host.Declined() ? " (the question was answered Cancel)" : "") << "\n";
      return kExitFailure;
    case UserChangeOutcome::kNoUserAction:
      err << "qampctl " << command << ": nothing was changed: " << PrintableText(result.reason)
          << "\n";
      return kExitFailure;
    case UserChangeOutcome::kNotAValue:
      err << "qampctl " << command << ": nothing was changed: the page reads no value from it\n";
      return kExitFailure;
  }
  return kExitFailure;
}

}  // namespace qamp::cli

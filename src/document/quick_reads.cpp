#include "document/quick_reads.h"

#include "link/parameter_reads.h"
#include "pages/user_change.h"
#include "session/command_capture.h"

namespace qamp {

ParameterRows RowsOfParameter(const CPageSet::Parameter& parameter) {
  ParameterRows rows;
  rows.rows = RowsAnswering(parameter.id);
  rows.readable = !rows.rows.empty() || CarriedByConfiguration(parameter.id);
  return rows;
}

std::vector<int> RowsTheChangeWrites(const CCommClass& link, std::string_view section,
                                     std::string_view key, std::string_view value) {
  CommandCapture rehearsal(link.Mode(), link.RegionCode());
  CCommClass& copy = rehearsal.Link();
  copy.SetFlags(link.Flags());
  for (int slot = 0; slot < kImageSlots; ++slot) copy.Image(slot) = link.Image(slot);
  QuietPageHost host;
  ChangeFrequencyChooser frequencies;
  CPageSet pages(copy, host, &frequencies);
  pages.FirstLayout();
  pages.RefreshAll();
  const auto parameter = pages.FindParameter(section, key, copy.CurrentImage());
  if (!parameter) return {};
  std::vector<int> rows = RowsAnswering(parameter->id);
  parameter->page->SetActive(true);
  ApplyUserChange(copy, pages, *parameter, value, &frequencies);
  for (const std::string& frame : rehearsal.Frames()) {
    for (const int row : RowsReadingBack(frame)) rows.push_back(row);
  }
  for (const auto& [frame, code] : rehearsal.QueuedWithCodes()) {
    if (code >= 1 && code <= kLastParamId) {
      for (const int row : RowsAnswering(code)) rows.push_back(row);
    }
  }
  return WithWhatTheyNeed(rows);
}

}  // namespace qamp

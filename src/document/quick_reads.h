// Reading and changing single parameters without reading the whole
// configuration: which read-request rows a parameter needs, and which rows
// read back what a change through its page writes.
#pragma once

#include <string_view>
#include <vector>

#include "link/comm_class.h"
#include "pages/page_set.h"

namespace qamp {

struct ParameterRows {
  std::vector<int> rows;  // the rows whose answers carry it (none: the configuration does)
  bool readable = false;  // the configuration or a row of the initial load carries it
};

// What reading `parameter` from a receiver takes, without what the rows
// need in front of them (link/parameter_reads.h adds that).
ParameterRows RowsOfParameter(const CPageSet::Parameter& parameter);

// The rows that read back what changing `section` / `key` to `value` would
// write, rehearsed offline on copies of `link`'s images (every question
// answered OK), in table order with what they need in front of them: the
// parameter itself and every value its page's rules force with it.
std::vector<int> RowsTheChangeWrites(const CCommClass& link, std::string_view section,
                                     std::string_view key, std::string_view value);

}  // namespace qamp

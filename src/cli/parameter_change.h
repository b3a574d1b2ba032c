// What set and command share: a value from the command line read as exactly
// a text its page writes, and the end of a change made through the page's
// user action, as messages and an exit status.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/cli_session_host.h"
#include "pages/user_change.h"

namespace qamp::cli {

// The typed value without its surrounding blanks, or nothing after a
// message on `err` (a text the page does not write, with the nearest one).
std::optional<std::string> ValueArgument(std::string_view command, CCommClass& link,
                                         const CPageSet::Parameter& parameter,
                                         std::string_view section, std::string_view key,
                                         std::string_view typed, std::ostream& err);

// Whether changing `section` / `key` to `value` on `link`'s images would
// make its page ask a question, rehearsed offline on copies of them with
// every question left unanswered: a command that cannot ask refuses such a
// change before anything reaches the receiver. The question is in `host`.
bool RehearseQuestion(const CCommClass& link, std::string_view section, std::string_view key,
                      std::string_view value, CliPageHost& host);

// Exit status of a change: 0 applied, 1 refused or without a user action
// (with the reason on `err`), 2 when the page asked a question that nobody
// could answer (standard input not a terminal, no --yes).
int ChangeStatus(std::string_view command, const UserChangeResult& result, const CliPageHost& host,
                 std::ostream& err);

}  // namespace qamp::cli

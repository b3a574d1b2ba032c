// The options and positional arguments of a qampctl command line, parsed by
// QCommandLineParser from the options a command declares. The usage errors
// are said the way every qampctl command says them.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qamp::sim {
struct SimOptions;
}

namespace qamp::cli {

struct OptionDeclaration {
  // Its names without dashes, such as {"o", "output"}; each may be typed
  // with one dash or two.
  std::vector<std::string> names;
  // The name of its value ("FILE"); empty for an option without one.
  std::string valueName;
  std::string description;
  // Said after the option as typed when its value is missing ("-o needs a
  // FILE"); "needs a VALUENAME" when empty.
  std::string missingValue;
};

enum class OptionPlace {
  // Options anywhere: before, among and after the positional arguments.
  kAnywhere,
  // The first positional argument ends the options: qampctl's own options
  // before the command.
  kBeforePositionals,
};

class ParsedArguments {
 public:
  // `name` is any of the option's names; one not declared is never set.
  bool IsSet(std::string_view name) const;
  // The value given last, or nothing when the option was not given.
  std::optional<std::string> Value(std::string_view name) const;
  // Every value given, in the order given.
  std::vector<std::string> Values(std::string_view name) const;
  // The positional arguments in their order, negative numbers among them.
  const std::vector<std::string>& Positionals() const { return positionals_; }
  // The options given, each by its first declared name, in the order given.
  const std::vector<std::string>& Given() const { return given_; }

 private:
  friend std::optional<ParsedArguments> ParseArguments(std::string_view,
                                                       const std::vector<OptionDeclaration>&,
                                                       const std::vector<std::string>&,
                                                       std::ostream&, OptionPlace);
  std::optional<size_t> Find(std::string_view name) const;

  std::vector<OptionDeclaration> options_;
  std::vector<bool> set_;
  std::vector<std::vector<std::string>> values_;
  std::vector<std::string> positionals_;
  std::vector<std::string> given_;
};

// Parses `args` (without the program and command names) for `command`;
// after a usage error nothing, and the error written to `err` as
// "qampctl COMMAND: ..." ("qampctl: ..." for an empty `command`).
//
// An argument that looks like a negative number ("-20.0dB", "-.5") is a
// value, not an option: a positional argument in its place, or the value of
// the option before it. "--" ends the options. An option with a value takes
// it as the next argument or after '=' (--output=FILE). Given twice, an
// option keeps both values in order.
std::optional<ParsedArguments> ParseArguments(std::string_view command,
                                              const std::vector<OptionDeclaration>& options,
                                              const std::vector<std::string>& args,
                                              std::ostream& err,
                                              OptionPlace place = OptionPlace::kAnywhere);

// "-" followed by a digit or '.': "-20.0dB", "-3", "-.5".
bool LooksLikeNegativeNumber(std::string_view argument);

// Options several commands take, and the checks of their values.
OptionDeclaration YesOption();     // --yes, -y
OptionDeclaration RegionOption();  // --region N
OptionDeclaration SimOption();     // --sim OPTION, any number of times

// The tuner region --region gives (0 to 3), `fallback` without it;
// nothing after a usage error, said to `err`.
std::optional<int> RegionOf(std::string_view command, const ParsedArguments& parsed, int fallback,
                            std::ostream& err);

// Applies every --sim OPTION in the order given; false after a usage
// error, said to `err`.
bool ApplySimOptions(std::string_view command, const ParsedArguments& parsed,
                     sim::SimOptions& options, std::ostream& err);

}  // namespace qamp::cli

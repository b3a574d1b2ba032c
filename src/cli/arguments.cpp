#include "cli/arguments.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>
#include <charconv>
#include <ostream>

#include "sim/simulated_receiver.h"

namespace qamp::cli {

namespace {

// The arguments go to QCommandLineParser byte for byte, as Latin-1, so
// that a file name or a value text comes back exactly as it was typed,
// whatever its encoding. Option names are ASCII either way.
QString FromBytes(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text) {
  return text.toLatin1().toStdString();
}

// QCommandLineParser takes "-20.0dB" for an option. Each negative number is
// handed to it as a stand-in that it takes for a positional argument (or
// for the value of the option before it), and mapped back afterwards: a
// character that no byte stands for, then the number of the argument.
constexpr char16_t kStandIn = u'\uE000';

QString StandIn(size_t index) {
  return QChar(kStandIn) + QString::number(index);
}

std::string Restored(const QString& parsed, const std::vector<std::string>& args) {
  if (parsed.startsWith(QChar(kStandIn))) {
    bool number = false;
    const qulonglong index = parsed.mid(1).toULongLong(&number);
    if (number && index < args.size()) return args[index];
  }
  return ToBytes(parsed);
}

// The option's name as the parser reads it: without its dashes and
// without a value after '='.
std::string_view NameOf(std::string_view argument) {
  if (argument.starts_with("--")) {
    argument.remove_prefix(2);
  } else if (argument.starts_with('-')) {
    argument.remove_prefix(1);
  }
  return argument.substr(0, argument.find('='));
}

// Which of `options` has the name `name`.
std::optional<size_t> IndexOf(const std::vector<OptionDeclaration>& options,
                              std::string_view name) {
  for (size_t i = 0; i < options.size(); ++i) {
    const std::vector<std::string>& names = options[i].names;
    if (std::find(names.begin(), names.end(), name) != names.end()) return i;
  }
  return std::nullopt;
}

std::string Lead(std::string_view command) {
  return command.empty() ? "qampctl: " : "qampctl " + std::string(command) + ": ";
}

}  // namespace

bool LooksLikeNegativeNumber(std::string_view argument) {
  return argument.size() > 1 && argument[0] == '-' &&
         ((argument[1] >= '0' && argument[1] <= '9') || argument[1] == '.');
}

std::optional<size_t> ParsedArguments::Find(std::string_view name) const {
  return IndexOf(options_, name);
}

bool ParsedArguments::IsSet(std::string_view name) const {
  const std::optional<size_t> index = Find(name);
  return index && set_[*index];
}

std::optional<std::string> ParsedArguments::Value(std::string_view name) const {
  const std::optional<size_t> index = Find(name);
  if (!index || values_[*index].empty()) return std::nullopt;
  return values_[*index].back();
}

std::vector<std::string> ParsedArguments::Values(std::string_view name) const {
  const std::optional<size_t> index = Find(name);
  return index ? values_[*index] : std::vector<std::string>();
}

std::optional<ParsedArguments> ParseArguments(std::string_view command,
                                              const std::vector<OptionDeclaration>& options,
                                              const std::vector<std::string>& args,
                                              std::ostream& err, OptionPlace place) {
  QCommandLineParser parser;
  // "-y" and "--yes" alike; no option is a row of one-letter ones.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setOptionsAfterPositionalArgumentsMode(
      place == OptionPlace::kAnywhere ? QCommandLineParser::ParseAsOptions
                                      : QCommandLineParser::ParseAsPositionalArguments);
  for (const OptionDeclaration& option : options) {
    QStringList names;
    for (const std::string& name : option.names) names << FromBytes(name);
    parser.addOption(
        QCommandLineOption(names, FromBytes(option.description), FromBytes(option.valueName)));
  }

  QStringList list{"qampctl"};
  for (size_t i = 0; i < args.size(); ++i)
    list << (LooksLikeNegativeNumber(args[i]) ? StandIn(i) : FromBytes(args[i]));
  const std::string lead = Lead(command);
  if (!parser.parse(list)) {
    // A missing value can only be that of the last argument: an unknown
    // option before it is the first fault in the line.
    if (!parser.unknownOptionNames().isEmpty()) {
      const std::string name = ToBytes(parser.unknownOptionNames().constFirst());
      std::string typed = "--" + name;
      for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") break;
        if (arg.size() < 2 || arg.front() != '-' || LooksLikeNegativeNumber(arg)) continue;
        if (NameOf(arg) == name) {
          typed = arg;
          break;
        }
        // The value of an option is no option of its own.
        const std::optional<size_t> option = IndexOf(options, NameOf(arg));
        if (option && !options[*option].valueName.empty() && arg.find('=') == std::string::npos)
          ++i;
      }
      err << lead << "unknown option '" << typed
          << "' (a value that starts with '-' goes after '--')\n";
      return std::nullopt;
    }
    // The parser names the option as it was typed, in quotation marks.
    const std::string text = ToBytes(parser.errorText());
    const size_t open = text.find('\'');
    const size_t close = text.rfind('\'');
    if (open != std::string::npos && close > open) {
      const std::string typed = text.substr(open + 1, close - open - 1);
      if (const std::optional<size_t> index = IndexOf(options, NameOf(typed))) {
        const OptionDeclaration& option = options[*index];
        if (option.valueName.empty()) {
          err << lead << typed << " takes no value\n";
        } else {
          err << lead << typed << " "
              << (option.missingValue.empty() ? "needs a " + option.valueName : option.missingValue)
              << "\n";
        }
        return std::nullopt;
      }
    }
    err << lead << text << "\n";
    return std::nullopt;
  }

  ParsedArguments parsed;
  parsed.options_ = options;
  for (const OptionDeclaration& option : options) {
    const QString name = FromBytes(option.names.front());
    parsed.set_.push_back(parser.isSet(name));
    std::vector<std::string> values;
    if (!option.valueName.empty()) {
      for (const QString& value : parser.values(name)) values.push_back(Restored(value, args));
    }
    parsed.values_.push_back(std::move(values));
  }
  for (const QString& name : parser.optionNames()) {
    if (const std::optional<size_t> index = parsed.Find(ToBytes(name)))
      parsed.given_.push_back(options[*index].names.front());
  }
  for (const QString& positional : parser.positionalArguments())
    parsed.positionals_.push_back(Restored(positional, args));
  return parsed;
}

OptionDeclaration YesOption() {
  return {{"y", "yes"}, "", "answer the questions OK", ""};
}

OptionDeclaration RegionOption() {
  return {{"region"}, "N", "the tuner region, 0 to 3", "takes 0, 1, 2 or 3"};
}

OptionDeclaration SimOption() {
  return {{"sim"}, "OPTION", "an option of the built-in simulated receiver", "needs an option"};
}

std::optional<int> RegionOf(std::string_view command, const ParsedArguments& parsed, int fallback,
                            std::ostream& err) {
  const std::optional<std::string> text = parsed.Value("region");
  if (!text) return fallback;
  int region = -1;
  const auto result = std::from_chars(text->data(), text->data() + text->size(), region);
  if (result.ec != std::errc() || result.ptr != text->data() + text->size() || region < 0 ||
      region > 3) {
    err << Lead(command) << "--region takes 0, 1, 2 or 3\n";
    return std::nullopt;
  }
  return region;
}

bool ApplySimOptions(std::string_view command, const ParsedArguments& parsed,
                     sim::SimOptions& options, std::ostream& err) {
  for (const std::string& option : parsed.Values("sim")) {
    std::string error;
    if (!sim::ApplySimOption(option, options, error)) {
      err << Lead(command) << error << "\n";
      return false;
    }
  }
  return true;
}

}  // namespace qamp::cli

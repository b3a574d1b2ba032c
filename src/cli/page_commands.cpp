// qampctl params and command: every page's vocabulary and command formats,
// checkable from outside.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <iostream>
#include <map>
#include <ostream>
#include <set>

#include "cli/arguments.h"
#include "cli/cli_session_host.h"
#include "cli/command.h"
#include "cli/commands.h"
#include "cli/frame_text.h"
#include "cli/parameter_change.h"
#include "cli/parameter_values.h"
#include "link/wire_format.h"
#include "model/ini_file.h"
#include "model/parameter_map.h"
#include "model/parameter_store.h"
#include "pages/page_set.h"
#include "qt/terminal.h"
#include "session/command_capture.h"

namespace qamp::cli {

namespace {

struct PageOptions {
  ControlMode mode = ControlMode::kRealTime;
  int region = kDefaultRegionCode;
  bool yes = false;
  bool json = false;
  bool values = false;
  std::vector<std::string> positional;
};

// Parses the options `declared` (--yes, --json, --values, --async,
// --region as the command takes them); nothing after a usage error.
std::optional<PageOptions> ParsePageOptions(std::string_view command,
                                            const std::vector<OptionDeclaration>& declared,
                                            const std::vector<std::string>& args,
                                            std::ostream& err) {
  const std::optional<ParsedArguments> parsed = ParseArguments(command, declared, args, err);
  if (!parsed) return std::nullopt;
  PageOptions options;
  if (parsed->IsSet("async")) options.mode = ControlMode::kAsync;
  const std::optional<int> region = RegionOf(command, *parsed, kDefaultRegionCode, err);
  if (!region) return std::nullopt;
  options.region = *region;
  options.yes = parsed->IsSet("yes");
  options.json = parsed->IsSet("json");
  options.values = parsed->IsSet("values");
  options.positional = parsed->Positionals();
  return options;
}

const OptionDeclaration kAsyncOption{{"async"}, "", "in Async Mode", ""};

// A few values by name, the rest counted: "-80.0dB|-79.5dB|...|16.5dB
// (194 values)".
std::string ValuesColumn(const std::vector<std::string>& texts) {
  if (texts.empty()) return "(text)";
  constexpr size_t kNamed = 12;
  std::string column;
  if (texts.size() <= kNamed) {
    for (size_t i = 0; i < texts.size(); ++i)
      column += (i > 0 ? "|" : "") + PrintableText(texts[i]);
    return column;
  }
  return PrintableText(texts[0]) + "|" + PrintableText(texts[1]) + "|...|" +
         PrintableText(texts.back()) + " (" + std::to_string(texts.size()) + " values)";
}

QString JsonText(std::string_view text) {
  return QString::fromStdString(PrintableText(text));
}

class ParamsCommand : public Command {
 public:
  std::string_view Name() const override { return "params"; }
  std::string_view Summary() const override {
    return "list every parameter with its default value text";
  }
  std::string_view Usage() const override {
    return "usage: qampctl params [--values] [--json] [--region N] [--async]\n"
           "\n"
           "Prints every parameter that the basic control and the pages describe, one\n"
           "line each in page order: parameter ID, sub-index, section, key and the value\n"
           "text of the factory settings (of region N, 1 when not given), separated by\n"
           "tabs. Sections and keys are those of .qcf files and the report.\n"
           "\n"
           "  --values   add a column of the value texts the parameter takes: all of\n"
           "             them separated by '|', or for a long range the first two and\n"
           "             the last with their count; '(text)' for a free text\n"
           "  --json     print a JSON array instead (see qampctl(1) for its schema)\n";
  }
  int Run(const std::vector<std::string>& args, CommandContext& context) override {
    const std::optional<PageOptions> parsed =
        ParsePageOptions("params",
                         {{{"values"}, "", "add the value texts the parameter takes", ""},
                          {{"json"}, "", "print a JSON array", ""},
                          RegionOption(),
                          kAsyncOption},
                         args, context.err);
    if (!parsed) return kExitUsage;
    const PageOptions& options = *parsed;
    if (!options.positional.empty()) {
      context.err << "qampctl params: takes no arguments besides its options\n";
      return kExitUsage;
    }
    CommandCapture capture(options.mode, options.region);
    QuietPageHost host;
    CPageSet pages(capture.Link(), host);
    const CSettingImage& image = capture.Link().CurrentImage();
    const std::map<ParamId, StoredRange> ranges =
        options.values ? ControlRanges(pages) : std::map<ParamId, StoredRange>();
    QJsonArray list;
    for (const CPageSet::Parameter& parameter : pages.AllParameters()) {
      std::string section;
      std::string key;
      std::string value;
      parameter.page->GetParamText(image, parameter.id, parameter.subIndex, &section, &key, &value,
                                   false);
      if (key.empty()) continue;
      std::vector<std::string> texts;
      if (options.values) texts = ValueTexts(image, parameter, ranges);
      if (options.json) {
        QJsonObject entry{{"id", static_cast<int>(parameter.id)},
                          {"subIndex", parameter.subIndex},
                          {"section", JsonText(section)},
                          {"key", JsonText(key)},
                          {"default", JsonText(value)}};
        if (options.values) {
          if (texts.empty()) {
            entry.insert("values", QJsonValue::Null);
          } else {
            QJsonArray values;
            for (const std::string& text : texts) values.append(JsonText(text));
            entry.insert("values", values);
          }
        }
        list.append(entry);
        continue;
      }
      context.out << parameter.id << "\t" << parameter.subIndex << "\t" << PrintableText(section)
                  << "\t" << PrintableText(key) << "\t" << PrintableText(value);
      if (options.values) context.out << "\t" << ValuesColumn(texts);
      context.out << "\n";
    }
    if (options.json)
      context.out << QJsonDocument(list).toJson(QJsonDocument::Indented).toStdString();
    return kExitSuccess;
  }
};

class CommandCommand : public Command {
 public:
  std::string_view Name() const override { return "command"; }
  std::string_view Summary() const override {
    return "print the frames that setting one parameter sends";
  }
  std::string_view Usage() const override {
    return "usage: qampctl command SECTION KEY VALUE [--async] [--region N] [--yes]\n"
           "\n"
           "Sets one parameter, named by its section and key as in .qcf files and the\n"
           "report, to the value text VALUE on the factory settings, the way its page\n"
           "does when the user changes it there (with the page's interlocks, forced\n"
           "values and questions), and prints the frames that sends in Real Time Mode,\n"
           "one per line, control bytes written as <STX>, <DC4>, <ETX>. In Async Mode\n"
           "(--async) nothing is sent, so nothing is printed.\n"
           "\n"
           "VALUE must be written exactly as the page writes it (-20.0dB, not -20dB).\n"
           "A question of the page is asked on the terminal; --yes answers OK, and is\n"
           "required when standard input is not a terminal. '--' ends the options.\n"
           "Exit status: 0 changed, 1 an unknown name or value, a change the page\n"
           "refused or one it offers no control for, 2 usage error.\n"
           "\n"
           "  qampctl command \"Speaker Set\" \"SW Phase\" Reverse\n"
           "  qampctl command \"Basic Control\" \"Main Volume\" -20.0dB\n";
  }
  int Run(const std::vector<std::string>& args, CommandContext& context) override {
    const std::optional<PageOptions> parsed =
        ParsePageOptions("command", {kAsyncOption, RegionOption(), YesOption()}, args, context.err);
    if (!parsed) return kExitUsage;
    const PageOptions& options = *parsed;
    if (options.positional.size() != 3) {
      context.err
          << "qampctl command: expected SECTION KEY VALUE (try: qampctl command \"Speaker Set\" "
             "\"SW Phase\" Reverse)\n";
      return kExitUsage;
    }
    const std::string& section = options.positional[0];
    const std::string& key = options.positional[1];
    const std::string& value = options.positional[2];
    CommandCapture capture(options.mode, options.region);
    CliPageHost host(context.err, std::cin, options.yes, StandardInputIsTerminal());
    ChangeFrequencyChooser frequencies;
    CPageSet pages(capture.Link(), host, &frequencies);
    pages.FirstLayout();
    pages.RefreshAll();
    CSettingImage& image = capture.Link().CurrentImage();
    const auto parameter = pages.FindParameter(section, key, image);
    if (!parameter) {
      if (!pages.FindParameter(section, "", image) && !SectionExists(pages, section, image)) {
        context.err << "qampctl command: no section '" << section << "' (see qampctl params)\n";
      } else {
        context.err << "qampctl command: no key '" << key << "' in section '" << section
                    << "' (see qampctl params)\n";
      }
      return kExitFailure;
    }
    const std::optional<std::string> text =
        ValueArgument("command", capture.Link(), *parameter, section, key, value, context.err);
    if (!text) return kExitFailure;
    parameter->page->SetActive(true);
    const UserChangeResult result =
        ApplyUserChange(capture.Link(), pages, *parameter, *text, &frequencies);
    const int status = ChangeStatus("command", result, host, context.err);
    if (status == kExitUsage) return status;
    // What the page sent, also when it refused: it sends the value it kept.
    for (const std::string& frame : capture.Frames())
      context.out << PrintableText(ShowFrame(frame)) << "\n";
    return status;
  }

 private:
  static bool SectionExists(CPageSet& pages, std::string_view section, const CSettingImage& image) {
    for (const CPageSet::Parameter& parameter : pages.AllParameters()) {
      std::string pageSection;
      parameter.page->GetParamText(image, parameter.id, parameter.subIndex, &pageSection, nullptr,
                                   nullptr, false);
      if (pageSection == section) return true;
    }
    return false;
  }
};

}  // namespace

std::unique_ptr<Command> MakeParamsCommand() {
  return std::make_unique<ParamsCommand>();
}
std::unique_ptr<Command> MakeCommandCommand() {
  return std::make_unique<CommandCommand>();
}

}  // namespace qamp::cli

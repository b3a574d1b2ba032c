// qampctl params and command: every page's vocabulary and command formats,
// checkable from outside.
#include <charconv>
#include <ostream>

#include "cli/command.h"
#include "cli/commands.h"
#include "cli/frame_text.h"
#include "link/wire_format.h"
#include "pages/page_set.h"
#include "session/command_capture.h"

namespace qamp::cli {

namespace {

struct PageOptions {
  ControlMode mode = ControlMode::kRealTime;
  int region = kDefaultRegionCode;
  std::vector<std::string> positional;
};

bool ParsePageOptions(std::string_view command, const std::vector<std::string>& args,
                      PageOptions& options, std::ostream& err) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--async") {
      options.mode = ControlMode::kAsync;
    } else if (args[i] == "--region") {
      int region = -1;
      const std::string value = i + 1 < args.size() ? args[++i] : std::string();
      const auto result = std::from_chars(value.data(), value.data() + value.size(), region);
      if (result.ec != std::errc() || result.ptr != value.data() + value.size() || region < 0 ||
          region > 3) {
        err << "qampctl " << command << ": --region takes 0, 1, 2 or 3\n";
        return false;
      }
      options.region = region;
    } else if (args[i].starts_with("--") && args[i].size() > 2) {
      err << "qampctl " << command << ": unknown option '" << args[i] << "'\n";
      return false;
    } else {
      options.positional.push_back(args[i]);
    }
  }
  return true;
}

class ParamsCommand : public Command {
 public:
  std::string_view Name() const override { return "params"; }
  std::string_view Summary() const override {
    return "list every parameter with its default value text";
  }
  std::string_view Usage() const override {
    return "usage: qampctl params [--region N] [--async]\n"
           "\n"
           "Prints every parameter that the basic control and the pages describe, one\n"
           "line each in page order: parameter ID, sub-index, section, key and the value\n"
           "text of the factory settings (of region N, 1 when not given), separated by\n"
           "tabs. Sections and keys are those of .qcf files and the report.\n";
  }
  int Run(const std::vector<std::string>& args, CommandContext& context) override {
    PageOptions options;
    if (!ParsePageOptions("params", args, options, context.err)) return kExitUsage;
    if (!options.positional.empty()) {
      context.err << "qampctl params: takes no arguments besides its options\n";
      return kExitUsage;
    }
    CommandCapture capture(options.mode, options.region);
    QuietPageHost host;
    CPageSet pages(capture.Link(), host);
    const CSettingImage& image = capture.Link().CurrentImage();
    for (const CPageSet::Parameter& parameter : pages.AllParameters()) {
      std::string section;
      std::string key;
      std::string value;
      parameter.page->GetParamText(image, parameter.id, parameter.subIndex, &section, &key, &value,
                                   false);
      if (key.empty()) continue;
      context.out << parameter.id << "\t" << parameter.subIndex << "\t" << PrintableText(section)
                  << "\t" << PrintableText(key) << "\t" << PrintableText(value) << "\n";
    }
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
    return "usage: qampctl command SECTION KEY VALUE [--async] [--region N]\n"
           "\n"
           "Sets one parameter, named by its section and key as in .qcf files and the\n"
           "report, to the value text VALUE on the factory settings, and prints the\n"
           "frames that sends in Real Time Mode, one per line, control bytes written as\n"
           "<STX>, <DC4>, <ETX>. In Async Mode (--async) nothing is sent, so nothing is\n"
           "printed. An unknown section, key or value text is an error.\n"
           "\n"
           "  qampctl command \"Speaker Set\" \"SW Phase\" Reverse\n";
  }
  int Run(const std::vector<std::string>& args, CommandContext& context) override {
    PageOptions options;
    if (!ParsePageOptions("command", args, options, context.err)) return kExitUsage;
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
    QuietPageHost host;
    CPageSet pages(capture.Link(), host);
    pages.FirstLayout();
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
    if (!parameter->page->SetParamFromText(image, parameter->id, parameter->subIndex, value)) {
      context.err << "qampctl command: '" << value << "' is not a value of " << section << " / "
                  << key << "\n";
      return kExitFailure;
    }
    parameter->page->SelectSubIndex(parameter->subIndex);
    parameter->page->SendParam(parameter->id);
    for (const std::string& frame : capture.Frames())
      context.out << PrintableText(ShowFrame(frame)) << "\n";
    return kExitSuccess;
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

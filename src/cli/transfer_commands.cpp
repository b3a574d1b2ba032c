// qampctl upload, download, report, get, set and diff: everything a user
// does with a receiver and configuration files, without the window.
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>
#include <ostream>
#include <string>

#include "cli/arguments.h"
#include "cli/cli_session_host.h"
#include "cli/command.h"
#include "cli/commands.h"
#include "cli/frame_text.h"
#include "cli/parameter_change.h"
#include "document/configuration_diff.h"
#include "document/qamptool_app.h"
#include "document/quick_reads.h"
#include "link/parameter_reads.h"
#include "link/read_request_table.h"
#include "qt/file_log_sink.h"
#include "qt/port_list.h"
#include "qt/port_router.h"
#include "qt/signal_watcher.h"
#include "qt/terminal.h"
#include "qt/text_file.h"
#include "qt/trace_file.h"
#include "session/command_capture.h"

namespace qamp::cli {

namespace {

constexpr std::string_view kNoticeText =
    "The current data of the receiver will be overwritten.\r\n(Amplora will download the "
    "configuration.)";

struct Options {
  std::vector<std::string> positional;
  std::string output;
  bool yes = false;
  int region = kDefaultRegionCode;
  sim::SimOptions sim;
  bool simGiven = false;
  bool listMissing = false;
  // download: the whole configuration, or only the parts listed.
  bool full = false;
  bool verify = false;
  std::optional<std::string> only;
  bool json = false;
  bool memories = false;
};

// The options of this file's commands; each command takes those it names.
const OptionDeclaration kOutputOption{
    {"o", "output"}, "FILE", "write to FILE instead ('-': standard output)", ""};
const OptionDeclaration kMissingOption{{"missing"}, "", "list the keys a file lacks", ""};
const OptionDeclaration kFullOption{{"full"}, "", "the whole configuration", ""};
const OptionDeclaration kVerifyOption{{"verify"}, "", "read back what was sent", ""};
const OptionDeclaration kOnlyOption{
    {"only"},
    "PARTS",
    "send only the parts listed, separated by commas",
    "needs a list of parts, such as \"Speaker Level,System Memory 3\""};
const OptionDeclaration kJsonOption{{"json"}, "", "print JSON", ""};
const OptionDeclaration kMemoriesOption{{"memories"}, "", "read the memories too", ""};

// Parses the options `declared` and checks their values; nothing after a
// usage error.
std::optional<Options> ParseOptions(std::string_view command,
                                    const std::vector<OptionDeclaration>& declared,
                                    const std::vector<std::string>& args, std::ostream& err) {
  const std::optional<ParsedArguments> parsed = ParseArguments(command, declared, args, err);
  if (!parsed) return std::nullopt;
  Options options;
  options.positional = parsed->Positionals();
  options.output = parsed->Value("output").value_or("");
  options.yes = parsed->IsSet("yes");
  options.listMissing = parsed->IsSet("missing");
  options.full = parsed->IsSet("full");
  options.verify = parsed->IsSet("verify");
  options.only = parsed->Value("only");
  options.json = parsed->IsSet("json");
  options.memories = parsed->IsSet("memories");
  const std::optional<int> region = RegionOf(command, *parsed, kDefaultRegionCode, err);
  if (!region) return std::nullopt;
  options.region = *region;
  if (!ApplySimOptions(command, *parsed, options.sim, err)) return std::nullopt;
  options.simGiven = parsed->IsSet("sim");
  return options;
}

// --sim shapes the built-in simulated receiver; with a real port it would
// silently do nothing.
bool SimOptionsFitThePort(std::string_view command, const Options& options, std::ostream& err) {
  if (!options.simGiven || options.positional.empty() || options.positional[0] == "sim") {
    return true;
  }
  err << "qampctl " << command << ": --sim applies to the port 'sim' only, not to '"
      << options.positional[0] << "'\n";
  return false;
}

void ChoosePort(CReceiverSession& session, const std::string& port) {
  if (port == "auto") {
    session.SetPorts(ListSerialPorts());
    session.SelectPort(0);
  } else {
    session.SetPorts({{port, port}});
    session.SelectPort(1);
  }
}

// A receiver session on the command line: the application object with a
// real port, real timers, and the error log in the temporary directory.
class CliApplication {
 public:
  // `pageHost` answers the pages' questions; without one every question is
  // answered OK.
  CliApplication(CommandContext& context, ControlMode mode, const Options& options,
                 PageHost* pageHost = nullptr)
      : arguments_{name_, nullptr},
        app_(argc_, arguments_),
        transport_(options.sim, options.sim.virtualTime ? &clock_ : nullptr),
        trace_(transport_, context.tracePath, options.sim.virtualTime ? &clock_ : nullptr),
        host_(context.err, StandardErrorIsTerminal() && !context.quiet,
              options.sim.virtualTime ? &clock_ : nullptr),
        log_(DefaultErrorLogPath()),
        qamp_(trace_.Transport(), host_, pageHost != nullptr ? *pageHost : pageHost_, mode,
              options.region, &log_, LocalLogTime, &frequencies_),
        interrupt_([this] {
          CReceiverSession& session = qamp_.Session();
          const bool cancelling = session.IsInitializing() || session.IsSending();
          if (session.IsInitializing()) session.CancelInitialization(false);
          if (session.IsSending()) session.CancelSending(false);
          // With nothing to cancel, Ctrl-C still ends the command.
          if (!cancelling) host_.Interrupt();
        }) {
    host_.Attach(&qamp_.Session());
  }

  CQAmpToolApp& App() { return qamp_; }
  CliSessionHost& Host() { return host_; }
  bool Interrupted() const { return host_.Interrupted(); }
  // Answers the Tuner Set page's "Frequency" dialog for a change.
  ChangeFrequencyChooser& Frequencies() { return frequencies_; }
  std::optional<OperationOutcome> Run() { return host_.Run(); }
  const std::string& LogPath() const { return log_.Path(); }
  int FailedCommands() { return qamp_.Session().ErrorLog()->FailedCommands(); }

  // Ends a failed operation: the message (unless shown already), exit 1;
  // after Ctrl-C exit 130.
  int Fail(std::string_view command, std::optional<OperationOutcome> outcome, std::ostream& err) {
    if (outcome == OperationOutcome::kCancelled || (!outcome && host_.Interrupted())) {
      err << "qampctl " << command << ": " << (outcome ? "cancelled" : "interrupted") << "\n";
      ReportLog(err);
      qamp_.Session().Close();
      return kExitInterrupted;
    }
    if (!host_.MessageShown() && !host_.LastMessage().empty()) {
      err << "qampctl " << command << ": " << host_.LastMessage() << "\n";
    }
    ReportLog(err);
    qamp_.Session().Close();
    return kExitFailure;
  }

  void ReportLog(std::ostream& err) {
    if (FailedCommands() > 0) {
      err << "qampctl: " << FailedCommands() << " command(s) failed; the error log is " << LogPath()
          << "\n";
    }
  }

  // Lets the frames already written go out and the receiver's answers to
  // them arrive (`answerMs` after the last) before the port is closed.
  void Settle(int answerMs = 300) {
    CCommClass& link = qamp_.Link();
    host_.RunUntil(
        [&link] { return (link.IsWireIdle() && link.QueueLength() == 0) || !link.IsPortOpen(); });
    if (answerMs > 0) host_.Wait(answerMs);
  }

 private:
  int argc_ = 1;
  char name_[8] = "qampctl";
  char* arguments_[2];
  QCoreApplication app_;
  sim::VirtualClock clock_;
  PortRouter transport_;
  TransportTraceFile trace_;
  CliSessionHost host_;
  QuietPageHost pageHost_;
  FileLogSink log_;
  ChangeFrequencyChooser frequencies_;
  CQAmpToolApp qamp_;
  SignalWatcher interrupt_;
};

std::string Readable(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c != '\r') out.push_back(c);
  }
  return out;
}

// The status shells expect of a command that Ctrl-C stopped.
constexpr int kExitUploadInterrupted = 130;

// Ctrl-C stopped the Upload. The Upload reads each memory by loading it
// into the receiver, so a receiver left on one of them gets its own setting
// back, unless Ctrl-C comes once more.
int UploadInterrupted(CliApplication& cli, std::ostream& err, std::string_view command = "upload") {
  const std::string name = "qampctl " + std::string(command) + ": ";
  CReceiverSession& session = cli.App().Session();
  const int memory = session.MemoryTheReceiverWasLeftOn();
  if (!session.CanRestoreReceiverSetting()) {
    err << name << "cancelled; nothing was saved\n";
    cli.ReportLog(err);
    return kExitUploadInterrupted;
  }
  const std::string onMemory = memory > 0 ? "its System memory " + std::to_string(memory)
                                          : std::string("another input and sound program");
  err << name << "cancelled; the receiver was left on " << onMemory
      << ". Putting its own setting back (Ctrl-C again leaves at once)...\n";
  std::optional<OperationOutcome> restored;
  if (session.RestoreReceiverSetting() && (session.IsInitializing() || session.IsSending())) {
    restored = cli.Run();
  }
  if (restored == OperationOutcome::kTransferDone) {
    // The session has said that the receiver holds its own setting again.
    err << name << "nothing was saved\n";
  } else if (restored == OperationOutcome::kCancelled) {
    err << name
        << "left at once; the receiver's own setting was put back in part if at "
           "all: it may still be on "
        << onMemory << "; nothing was saved\n";
  } else {
    err << name << "the receiver's own setting could not be put back"
        << (cli.Host().LastMessage().empty() ? "" : ": " + cli.Host().LastMessage()) << "\n"
        << name << "the receiver is still on " << onMemory << "; nothing was saved\n";
  }
  cli.ReportLog(err);
  cli.App().Session().Close();
  return kExitUploadInterrupted;
}

class UploadCommand : public Command {
 public:
  std::string_view Name() const override { return "upload"; }
  std::string_view Summary() const override {
    return "read the receiver's whole configuration into a .qcf file";
  }
  std::string_view Usage() const override {
    return "usage: qampctl upload PORT -o FILE.qcf [--region N] [--sim OPTION]...\n"
           "\n"
           "Reads the receiver's whole configuration, its six memories of every kind\n"
           "included, and saves it as a configuration file. The file is written only\n"
           "when the Upload has succeeded, and replaces an existing file in one step;\n"
           "when it cannot be written there, it is kept in the temporary directory.\n"
           "This takes a few minutes: the receiver needs a pause after every frame.\n"
           "\n"
           "PORT is a device path, 'auto', 'sim' (the built-in simulated receiver) or\n"
           "tcp:HOST:PORT. --region gives the tuner region (0..3, default 1).\n"
           "-o - writes the file to standard output instead.\n"
           "Ctrl-C cancels; nothing is saved then. A receiver the Upload had changed then\n"
           "gets its own setting back (after the memories its whole setting, before them\n"
           "its input and sound program); Ctrl-C again leaves at once. Exit status 130.\n";
  }
  int Run(const std::vector<std::string>& args, CommandContext& context) override {
    const std::optional<Options> parsed =
        ParseOptions("upload", {kOutputOption, RegionOption(), SimOption()}, args, context.err);
    if (!parsed) return kExitUsage;
    const Options& options = *parsed;
    if (options.positional.size() != 1 || options.output.empty()) {
      context.err << "qampctl upload: expected PORT and -o FILE.qcf (try: qampctl upload sim -o "
                     "receiver.qcf)\n";
      return kExitUsage;
    }
    if (!SimOptionsFitThePort("upload", options, context.err)) return kExitUsage;
    std::string error;
    const bool toStandardOutput = options.output == "-";
    if (!toStandardOutput && !CanSaveAt(options.output, error)) {
      context.err << "qampctl upload: " << error << "; nothing was read\n";
      return kExitFailure;
    }
    CliApplication cli(context, ControlMode::kAsync, options);
    ChoosePort(cli.App().Session(), options.positional[0]);
    cli.App().Session().StartUpload();
    const auto outcome = cli.Run();
    if (outcome == OperationOutcome::kCancelled) return UploadInterrupted(cli, context.err);
    if (outcome != OperationOutcome::kTransferDone) return cli.Fail("upload", outcome, context.err);
    const std::string text = cli.App().SaveConfigurationText();
    if (toStandardOutput) {
      context.out << text << std::flush;
      cli.ReportLog(context.err);
      return kExitSuccess;
    }
    if (!WriteTextFileAtomically(options.output, text, error)) {
      context.err << "qampctl upload: " << error << "\n";
      // Minutes of reading are not thrown away for want of a writable file.
      const std::string rescue = RescuePath(options.output);
      std::string rescueError;
      if (WriteTextFileAtomically(rescue, text, rescueError)) {
        context.err << "qampctl upload: the configuration read from the receiver was saved to "
                    << rescue << " instead\n";
      } else {
        context.err << "qampctl upload: " << rescueError << "\n";
      }
      cli.ReportLog(context.err);
      return kExitFailure;
    }
    context.out << "Saved the receiver's configuration to " << options.output << "\n";
    cli.ReportLog(context.err);
    return kExitSuccess;
  }
};

// A configuration file in an offline application, for report, diff and
// the check before a Download.
class OfflineConfiguration {
 public:
  explicit OfflineConfiguration(int region)
      : app_(transport_, noSession_, pageHost_, ControlMode::kAsync, region) {}
  bool Load(const std::string& path, std::string& error) {
    std::string text;
    if (!ReadTextFile(path, text, error)) return false;
    if (!app_.LoadConfigurationText(text, &error, &load_)) {
      error = "Cannot use " + path + ": " + error;
      return false;
    }
    return true;
  }
  CQAmpToolApp& App() { return app_; }
  // What the file lacked.
  const ConfigurationLoad& Lacking() const { return load_; }

 private:
  CaptureTransport transport_;
  OfflineSessionHost noSession_;
  QuietPageHost pageHost_;
  CQAmpToolApp app_;
  ConfigurationLoad load_;
};

// The line a file that lacks values gets ("412 keys missing, 1
// unreadable"), and with --missing the keys one by one.
void ReportLacking(std::string_view command, const std::string& path, const ConfigurationLoad& load,
                   bool list, std::ostream& err) {
  if (load.Complete()) return;
  err << "qampctl " << command << ": " << path << ": " << load.Summary()
      << "; their values are the ones qamptool starts with";
  if (!list) err << " (--missing lists them)";
  err << "\n";
  if (!list) return;
  for (const ConfigurationKey& key : load.missing)
    err << "  missing: " << PrintableText(key.Name()) << "\n";
  for (const ConfigurationKey& key : load.unreadable)
    err << "  unreadable: " << PrintableText(key.Name()) << "\n";
}

// The parameters of the failed commands in an error log ("Tuner Set PageA
// Preset1, ..."), a few by name and the rest counted.
std::string FailedNames(const std::string& logPath) {
  std::string text;
  std::string error;
  if (!ReadTextFile(logPath, text, error)) return "see the error log";
  constexpr int kNamed = 5;
  std::string names;
  int count = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + start, end - start);
    const size_t tab = line.find('\t');
    if (tab != std::string_view::npos && tab > 0) {
      if (count < kNamed) names += (count > 0 ? ", " : "") + PrintableText(line.substr(0, tab));
      ++count;
    }
    start = end + 1;
  }
  if (count > kNamed) names += " and " + std::to_string(count - kNamed) + " more";
  return names.empty() ? "see the error log" : names;
}

// What a Download will send, in one line.
std::string PlanLine(const DownloadPlan& plan) {
  auto parts = [&plan] {
    std::string list;
    for (const std::string& part : plan.parts) list += (list.empty() ? "" : ", ") + part;
    return list;
  };
  switch (plan.kind) {
    case DownloadPlan::Kind::kWhole:
      return "Sending the whole configuration: " + plan.Summary();
    case DownloadPlan::Kind::kChosen:
      return "Sending " + parts() + ": " + plan.Summary();
    case DownloadPlan::Kind::kDelta:
      break;
  }
  if (plan.SendsNothing()) return "The receiver should hold this configuration already; checking";
  return "Sending what differs from the receiver's known state: " + parts() + ": " +
         plan.Summary() + " (everything if the receiver was changed since)";
}

class DownloadCommand : public Command {
 public:
  std::string_view Name() const override { return "download"; }
  std::string_view Summary() const override {
    return "write a .qcf file's configuration into the receiver";
  }
  std::string_view Usage() const override {
    return "usage: qampctl download PORT FILE.qcf [--yes] [--missing] [--full | --only PARTS]\n"
           "                        [--verify] [--region N] [--sim OPTION]...\n"
           "\n"
           "Writes the configuration of FILE.qcf, with its memories, into the receiver.\n"
           "When the file keeps the state of the receiver it was read from or last\n"
           "written to, and the receiver still reports that state, only what differs\n"
           "is sent; otherwise, or with --full, everything. --only sends just the parts\n"
           "listed, separated by commas: \"System Memory 1\" to \"System Memory 6\" (or\n"
           "\"System Memory\" for all six), the pages by their names, \"Basic Control\".\n"
           "After a Download the file keeps the receiver's new state.\n"
           "What the current setting was sent is read back and compared afterwards: always\n"
           "when only what differs was sent, and with --verify otherwise.\n"
           "Shows the notice and asks first, unless --yes is given; --yes is required\n"
           "when standard input is not a terminal. A file that lacks values (keys\n"
           "missing or unreadable; --missing lists them) is said so and asked about\n"
           "first. Ctrl-C cancels. Exit status: 0 downloaded, 1 the Download failed or\n"
           "the receiver did not take some commands, 2 usage error, 130 cancelled.\n";
  }
  int Run(const std::vector<std::string>& args, CommandContext& context) override {
    const std::optional<Options> parsed =
        ParseOptions("download",
                     {YesOption(), kMissingOption, kFullOption, kOnlyOption, kVerifyOption,
                      RegionOption(), SimOption()},
                     args, context.err);
    if (!parsed) return kExitUsage;
    const Options& options = *parsed;
    if (options.positional.size() != 2) {
      context.err << "qampctl download: expected PORT and FILE.qcf (try: qampctl download sim "
                     "receiver.qcf)\n";
      return kExitUsage;
    }
    if (!SimOptionsFitThePort("download", options, context.err)) return kExitUsage;
    std::string text;
    std::string error;
    if (!ReadTextFile(options.positional[1], text, error)) {
      context.err << "qampctl download: " << error << "\n";
      return kExitFailure;
    }
    // A file that lacks values would download the values qamptool starts
    // with in their place: said first, and asked about.
    {
      OfflineConfiguration check(options.region);
      std::string ignored;  // a file that is no configuration is refused below
      if (check.Load(options.positional[1], ignored)) {
        ReportLacking("download", options.positional[1], check.Lacking(), options.listMissing,
                      context.err);
        if (!check.Lacking().Complete() && !options.yes) {
          if (!StandardInputIsTerminal()) {
            context.err << "qampctl download: standard input is not a terminal: give --yes to "
                           "download it all the same\n";
            return kExitUsage;
          }
          context.err << "Download it all the same? [y/N] " << std::flush;
          std::string answer;
          std::getline(std::cin, answer);
          if (answer != "y" && answer != "Y" && answer != "yes") {
            context.err << "qampctl download: nothing was sent\n";
            return kExitFailure;
          }
        }
      }
    }
    if (!options.yes) {
      if (!StandardInputIsTerminal()) {
        context.err << "qampctl download: standard input is not a terminal: give --yes to download "
                       "without asking\n";
        return kExitUsage;
      }
      context.err << "Notice: " << Readable(kNoticeText) << "\nContinue? [y/N] " << std::flush;
      std::string answer;
      std::getline(std::cin, answer);
      if (answer != "y" && answer != "Y" && answer != "yes") {
        context.err << "qampctl download: nothing was sent\n";
        return kExitFailure;
      }
    }
    CliApplication cli(context, ControlMode::kAsync, options);
    if (!cli.App().LoadConfigurationText(text, &error)) {
      context.err << "qampctl download: cannot use " << options.positional[1] << ": " << error
                  << "; nothing was sent\n";
      return kExitFailure;
    }
    ChoosePort(cli.App().Session(), options.positional[0]);
    DownloadPlan plan;
    if (options.only) {
      std::string why;
      std::optional<DownloadPlan> chosen = PlanChosenDownload(cli.App().Pages(), cli.App().Link(),
                                                              SplitPartNames(*options.only), &why);
      if (!chosen) {
        context.err << "qampctl download: --only: " << why << "\n";
        return kExitUsage;
      }
      plan = std::move(*chosen);
    } else {
      plan = cli.App().PlanDownload(options.full);
    }
    // Only what differs is always read back; the rest on request.
    plan.verify = plan.verify || options.verify;
    context.err << PlanLine(plan) << "\n";
    cli.App().Session().StartDownload(std::move(plan));
    const auto outcome = cli.Run();
    // The file keeps what the receiver now holds, or loses a state that no
    // longer tells it; either way the next Download of it is right.
    const std::string updated = cli.App().SaveConfigurationText();
    if (updated != text) {
      std::string writeError;
      if (!WriteTextFileAtomically(options.positional[1], updated, writeError)) {
        context.err << "qampctl download: could not keep the receiver's new state in "
                    << options.positional[1] << ": " << writeError
                    << "; download it with --full next time\n";
      }
    }
    if (outcome != OperationOutcome::kTransferDone)
      return cli.Fail("download", outcome, context.err);
    if (cli.FailedCommands() > 0) {
      // The receiver did not take everything: that is no success.
      context.err << "qampctl download: the receiver did not take " << cli.FailedCommands()
                  << " command(s) of " << options.positional[1] << ": "
                  << FailedNames(cli.LogPath()) << "; the error log is " << cli.LogPath() << "\n";
      return kExitFailure;
    }
    const std::string& said = cli.Host().LastMessage();
    if (said == kMessageNothingToSend) {
      context.out << said << "\n";
      return kExitSuccess;
    }
    context.out << "Downloaded " << options.positional[1] << " into the receiver\n";
    if (!said.empty()) context.out << said << "\n";
    // Read back, the receiver did not hold everything: no success.
    if (!cli.App().Session().Mismatches().empty()) return kExitFailure;
    return kExitSuccess;
  }
};

// The report as data: every section, key and value text of the
// configuration in the order of the file, and what the file lacked.
std::string ReportJson(CQAmpToolApp& app, const std::string& path, const ConfigurationLoad& load) {
  auto text = [](std::string_view t) { return QString::fromStdString(PrintableText(t)); };
  QJsonArray values;
  const MemoryIniFile file = MemoryIniFile::Parse(app.SaveConfigurationText());
  for (const MemoryIniFile::Section& section : file.Sections()) {
    for (const MemoryIniFile::Entry& entry : section.entries) {
      values.append(
          QJsonObject{{"section", text(section.name)},
                      {"key", text(entry.key)},
                      {"value", text(file.Read(section.name, entry.key, 4096).value_or(""))}});
    }
  }
  auto names = [&](const std::vector<ConfigurationKey>& keys) {
    QJsonArray list;
    for (const ConfigurationKey& key : keys)
      list.append(QJsonObject{{"section", text(key.section)}, {"key", text(key.key)}});
    return list;
  };
  const QJsonObject report{{"file", QString::fromStdString(path)},
                           {"complete", load.Complete()},
                           {"missing", names(load.missing)},
                           {"unreadable", names(load.unreadable)},
                           {"values", values}};
  return QJsonDocument(report).toJson(QJsonDocument::Indented).toStdString();
}

class ReportCommand : public Command {
 public:
  std::string_view Name() const override { return "report"; }
  std::string_view Summary() const override {
    return "print the configuration report of a .qcf file";
  }
  std::string_view Usage() const override {
    return "usage: qampctl report FILE.qcf [-o FILE|-] [--json] [--missing] [--region N]\n"
           "\n"
           "Prints the configuration report of FILE.qcf: the user memo, the current\n"
           "setting page by page, then every memory of every kind. Lines end with CR LF.\n"
           "The XM Set block belongs to region 1 (the default of --region). A file that\n"
           "lacks values is said so on stderr; --missing lists the keys.\n"
           "-o FILE writes the report to FILE (replaced in one step) instead of\n"
           "standard output; -o - is standard output.\n"
           "--json prints the report's values as JSON instead (see qampctl(1)).\n";
  }
  int Run(const std::vector<std::string>& args, CommandContext& context) override {
    const std::optional<Options> parsed = ParseOptions(
        "report", {kOutputOption, kJsonOption, kMissingOption, RegionOption()}, args, context.err);
    if (!parsed) return kExitUsage;
    const Options& options = *parsed;
    const bool json = options.json;
    if (options.positional.size() != 1) {
      context.err << "qampctl report: expected FILE.qcf\n";
      return kExitUsage;
    }
    OfflineConfiguration configuration(options.region);
    std::string error;
    if (!configuration.Load(options.positional[0], error)) {
      context.err << "qampctl report: " << error << "\n";
      return kExitFailure;
    }
    ReportLacking("report", options.positional[0], configuration.Lacking(), options.listMissing,
                  context.err);
    const std::string report =
        json ? ReportJson(configuration.App(), options.positional[0], configuration.Lacking())
             : PrintableLines(configuration.App().Report());
    if (options.output.empty() || options.output == "-") {
      context.out << report;
      return kExitSuccess;
    }
    if (!WriteTextFileAtomically(options.output, report, error)) {
      context.err << "qampctl report: " << error << "\n";
      return kExitFailure;
    }
    return kExitSuccess;
  }
};

void PrintDifferences(const std::vector<Difference>& differences, bool json, std::string_view a,
                      std::string_view b, std::ostream& out) {
  if (!json) {
    for (const Difference& d : differences) {
      out << PrintableText(d.section) << " / " << PrintableText(d.key) << ": " << PrintableText(d.a)
          << " \xE2\x86\x92 " << PrintableText(d.b) << "\n";
    }
    return;
  }
  QJsonArray list;
  for (const Difference& d : differences) {
    list.append(QJsonObject{{"section", JsonText(d.section)},
                            {"key", JsonText(d.key)},
                            {"a", JsonText(d.a)},
                            {"b", JsonText(d.b)}});
  }
  out << JsonLine(QJsonObject{{"a", JsonText(a)}, {"b", JsonText(b)}, {"differences", list}});
}

// A receiver's port, as the other commands take it: a device, 'auto',
// 'sim' or tcp:HOST:PORT. A path outside /dev names a port only when it
// is a character device.
bool NamesAPort(const std::string& argument) {
  if (argument == "sim" || argument == "auto" || argument.starts_with("tcp:") ||
      argument.starts_with("/dev/"))
    return true;
  std::error_code error;
  return std::filesystem::is_character_file(argument, error);
}

class DiffCommand : public Command {
 public:
  std::string_view Name() const override { return "diff"; }
  std::string_view Summary() const override {
    return "list the parameters in which two .qcf files, or a receiver and a file, differ";
  }
  std::string_view Usage() const override {
    return "usage: qampctl diff A.qcf B.qcf [--json] [--missing] [--region N]\n"
           "       qampctl diff PORT B.qcf [--memories] [--json] [--missing] [--region N]\n"
           "                    [--sim OPTION]...\n"
           "\n"
           "Prints every parameter whose value text differs between the two files, as\n"
           "'section / key: a -> b'; a value one file lacks is '(missing)' or\n"
           "'(unreadable)'. Exit status 0 when they agree, 1 when they differ, 2 when a\n"
           "file cannot be read, the receiver cannot be read, or the arguments are wrong.\n"
           "\n"
           "With a PORT first (a device path, 'auto', 'sim' or tcp:HOST:PORT) the receiver\n"
           "is read and stands for A: its current setting, read as a connection in Real\n"
           "Time Mode reads it and left as it was (Input DSP is not compared), or with\n"
           "--memories an Upload of everything, memories and Input DSP included.\n"
           "\n"
           "--json prints one object: {\"a\": A, \"b\": B, \"differences\": [{\"section\",\n"
           "\"key\", \"a\", \"b\"}, ...]}, every value a string.\n";
  }
  int Run(const std::vector<std::string>& args, CommandContext& context) override {
    const std::optional<Options> parsed = ParseOptions(
        "diff", {kJsonOption, kMemoriesOption, kMissingOption, RegionOption(), SimOption()}, args,
        context.err);
    if (!parsed) return kExitUsage;
    const Options& options = *parsed;
    const bool json = options.json;
    const bool memories = options.memories;
    if (options.positional.size() != 2) {
      context.err << "qampctl diff: expected two files, or a PORT and a file\n";
      return kExitUsage;
    }
    const bool port = NamesAPort(options.positional[0]);
    if (!port && (memories || options.simGiven)) {
      context.err << "qampctl diff: " << (memories ? "--memories" : "--sim")
                  << " needs a PORT first, not the file '" << options.positional[0] << "'\n";
      return kExitUsage;
    }
    if (!SimOptionsFitThePort("diff", options, context.err)) return kExitUsage;
    OfflineConfiguration b(options.region);
    std::string error;
    if (!b.Load(options.positional[1], error)) {
      context.err << "qampctl diff: " << error << "\n";
      return kExitUsage;  // as diff(1): trouble is 2, differences 1
    }
    if (port) return DiffReceiver(options, memories, json, b, context);
    OfflineConfiguration a(options.region);
    if (!a.Load(options.positional[0], error)) {
      context.err << "qampctl diff: " << error << "\n";
      return kExitUsage;
    }
    ReportLacking("diff", options.positional[0], a.Lacking(), options.listMissing, context.err);
    ReportLacking("diff", options.positional[1], b.Lacking(), options.listMissing, context.err);
    const auto differences = Differences(a.App(), &a.Lacking(), b.App(), &b.Lacking(),
                                         [](std::string_view) { return true; });
    PrintDifferences(differences, json, options.positional[0], options.positional[1], context.out);
    return differences.empty() ? kExitSuccess : kExitFailure;
  }

 private:
  static int DiffReceiver(const Options& options, bool memories, bool json,
                          OfflineConfiguration& file, CommandContext& context) {
    ReportLacking("diff", options.positional[1], file.Lacking(), options.listMissing, context.err);
    CliApplication cli(context, memories ? ControlMode::kAsync : ControlMode::kRealTime, options);
    ChoosePort(cli.App().Session(), options.positional[0]);
    if (memories) {
      cli.App().Session().StartUpload();
    } else {
      cli.App().Session().Open();
    }
    const auto outcome = cli.Run();
    if (memories && outcome == OperationOutcome::kCancelled) {
      return UploadInterrupted(cli, context.err, "diff");
    }
    const OperationOutcome expected =
        memories ? OperationOutcome::kTransferDone : OperationOutcome::kConnected;
    if (outcome != expected) {
      const int status = cli.Fail("diff", outcome, context.err);
      return status == kExitInterrupted ? status : kExitUsage;
    }
    if (!memories) {
      // The load puts the receiver's own input and program back.
      cli.Settle();
      cli.App().Session().Close();
    }
    if (cli.FailedCommands() > 0) {
      context.err << "qampctl diff: " << UnansweredReadsText(cli.FailedCommands())
                  << "; the error log is " << cli.LogPath() << "\n";
    }
    const auto differences = Differences(
        cli.App(), nullptr, file.App(), &file.Lacking(),
        SectionsReadBy(memories ? ReceiverRead::kUpload : ReceiverRead::kCurrentSetting));
    PrintDifferences(differences, json, options.positional[0], options.positional[1], context.out);
    return differences.empty() ? kExitSuccess : kExitFailure;
  }
};

// A value as the receiver holds it and as it was typed: names are written
// in quotation marks and padded with blanks, which nobody types.
bool SameValue(std::string_view held, std::string_view typed) {
  auto bare = [](std::string_view text) {
    auto trim = [](std::string_view t) {
      while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
      while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
      return t;
    };
    text = trim(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
      text = trim(text.substr(1, text.size() - 2));
    return text;
  };
  return bare(held) == bare(typed);
}

// get and set: a real-time connection that reads only what the parameters
// need, then the parameters one after another.
class ParameterCommand : public Command {
 public:
  explicit ParameterCommand(bool set) : set_(set) {}
  std::string_view Name() const override { return set_ ? "set" : "get"; }
  std::string_view Summary() const override {
    return set_ ? "change parameters of the receiver" : "read parameters of the receiver";
  }
  std::string_view Usage() const override {
    return set_
               ? "usage: qampctl set PORT SECTION KEY VALUE [SECTION KEY VALUE]... [--yes]\n"
                 "                   [--full] [--sim OPTION]...\n"
                 "\n"
                 "Connects in Real Time Mode, reads what the change needs (the parameter and\n"
                 "every value its page's rules change with it), changes the parameter named by\n"
                 "SECTION and KEY (as in .qcf files and the report) to the value text VALUE the\n"
                 "way its page does when the user changes it there, with the page's\n"
                 "interlocks, forced values and questions, sends what the page sends, reads it\n"
                 "back and prints the value the receiver then holds. Several changes share one\n"
                 "connection and are made in the order given, one value printed per line.\n"
                 "A parameter that no single read answers (Input DSP) has the whole\n"
                 "configuration read first, as --full does for every call.\n"
                 "\n"
                 "VALUE must be written exactly as the page writes it (-20.0dB, not -20dB);\n"
                 "'--' ends the options. A question of the page is asked on the terminal;\n"
                 "--yes answers OK, and is required when standard input is not a terminal.\n"
                 "Exit status: 0 changed; 1 the value is not one of the parameter, the page\n"
                 "refused it or offers no control for it in Real Time Mode, or the receiver\n"
                 "kept another value; 2 usage error; 130 interrupted.\n"
                 "\n"
                 "  qampctl set /dev/ttyUSB0 \"Speaker Set\" \"SW Phase\" Reverse\n"
                 "  qampctl set /dev/ttyUSB0 \"Basic Control\" \"Main Volume\" -20.0dB\n"
               : "usage: qampctl get PORT SECTION KEY [SECTION KEY]... [--full] [--sim OPTION]...\n"
                 "\n"
                 "Connects in Real Time Mode, reads only what the parameters named by SECTION\n"
                 "and KEY need, and prints the value text of each, one per line. A parameter\n"
                 "that no single read answers (Input DSP) has the whole configuration read\n"
                 "first, as --full does for every call.\n";
  }
  int Run(const std::vector<std::string>& args, CommandContext& context) override {
    std::vector<OptionDeclaration> declared{kFullOption, RegionOption(), SimOption()};
    if (set_) declared.push_back(YesOption());
    const std::optional<Options> parsed = ParseOptions(Name(), declared, args, context.err);
    if (!parsed) return kExitUsage;
    const Options& options = *parsed;
    bool full = options.full;
    const size_t width = set_ ? 3 : 2;
    if (options.positional.size() < 1 + width || (options.positional.size() - 1) % width != 0) {
      context.err << "qampctl " << Name() << ": expected PORT SECTION KEY" << (set_ ? " VALUE" : "")
                  << "\n";
      return kExitUsage;
    }
    if (!SimOptionsFitThePort(Name(), options, context.err)) return kExitUsage;
    CliPageHost pageHost(context.err, std::cin, options.yes, StandardInputIsTerminal());
    CliApplication cli(context, ControlMode::kRealTime, options, &pageHost);
    CQAmpToolApp& app = cli.App();
    struct Item {
      std::string section;
      std::string key;
      CPageSet::Parameter parameter;
      std::optional<std::string> typed;
    };
    // Check the names and the values before connecting.
    std::vector<Item> items;
    for (size_t at = 1; at < options.positional.size(); at += width) {
      Item item{options.positional[at], options.positional[at + 1], {}, std::nullopt};
      auto parameter = app.Pages().FindParameter(item.section, item.key, app.Link().CurrentImage());
      if (!parameter) {
        context.err << "qampctl " << Name() << ": no parameter '" << item.key << "' in section '"
                    << item.section << "' (see qampctl params)\n";
        return kExitFailure;
      }
      item.parameter = *parameter;
      if (set_) {
        item.typed = ValueArgument("set", app.Link(), *parameter, item.section, item.key,
                                   options.positional[at + 2], context.err);
        if (!item.typed) return kExitFailure;
      }
      items.push_back(std::move(item));
    }
    // The rows the parameters need, and for a change the rows of what its
    // page would change with it from the values qamptool starts with; the
    // receiver's own values may ask for more after the connection.
    std::vector<int> rows;
    for (const Item& item : items) {
      const ParameterRows reads = RowsOfParameter(item.parameter);
      if (!reads.readable && !full) {
        context.err << "qampctl " << Name() << ": " << item.section << " / " << item.key
                    << " has no read of its own; reading the whole configuration\n";
        full = true;
      }
      rows.insert(rows.end(), reads.rows.begin(), reads.rows.end());
      if (set_) {
        const std::vector<int> forced =
            RowsTheChangeWrites(app.Link(), item.section, item.key, *item.typed);
        rows.insert(rows.end(), forced.begin(), forced.end());
      }
    }
    std::vector<bool> read(kReadRequestRows, false);
    if (!full) {
      rows = WithWhatTheyNeed(rows);
      for (const int row : rows) read[static_cast<size_t>(row)] = true;
      app.Link().LimitNextInitialLoad(rows);
      cli.Host().SetShowsProgress(false);
    }
    ChoosePort(app.Session(), options.positional[0]);
    app.Session().Open();
    const auto outcome = cli.Run();
    if (outcome != OperationOutcome::kConnected) return cli.Fail(Name(), outcome, context.err);
    // A quick connection has its answers in when it ends: what follows
    // (putting back a program or Pure Direct) is answered by nothing it needs.
    cli.Settle(full ? 300 : 0);
    if (cli.Interrupted()) return cli.Fail(Name(), std::nullopt, context.err);
    // Reads the rows of `wanted` not read yet; false after a failure.
    auto readMissing = [&](const std::vector<int>& wanted) {
      std::vector<int> missing;
      for (const int row : wanted) {
        if (!read[static_cast<size_t>(row)]) missing.push_back(row);
      }
      return ReadTheRows(cli, missing, read);
    };
    int status = kExitSuccess;
    for (Item& item : items) {
      CSettingImage& image = app.Link().CurrentImage();
      CPageSet::Parameter holder = item.parameter;
      int itemStatus = kExitSuccess;
      if (set_) {
        std::vector<int> writes;
        if (!full) {
          // What the page changes with the value depends on the values the
          // receiver holds: read until the rehearsal asks for nothing new.
          for (int round = 0; round < 4; ++round) {
            writes = RowsTheChangeWrites(app.Link(), item.section, item.key, *item.typed);
            const auto before = std::count(read.begin(), read.end(), true);
            if (!readMissing(writes)) return cli.Fail(Name(), std::nullopt, context.err);
            if (std::count(read.begin(), read.end(), true) == before) break;
          }
        }
        if (!options.yes && !StandardInputIsTerminal()) {
          // Nothing is sent for a change whose question nobody can answer.
          CliPageHost unanswered(context.err, std::cin, false, false);
          if (RehearseQuestion(app.Link(), item.section, item.key, *item.typed, unanswered)) {
            app.Session().Close();
            return ChangeStatus("set", {}, unanswered, context.err);
          }
        }
        item.parameter.page->SetActive(true);
        const UserChangeResult result = ApplyUserChange(app.Link(), app.Pages(), item.parameter,
                                                        *item.typed, &cli.Frequencies());
        item.parameter.page->SetActive(false);
        itemStatus = ChangeStatus("set", result, pageHost, context.err);
        holder = result.holder;
        // Read back what was written: the receiver's answer to a write
        // tells what it took, a read what it holds.
        std::vector<int> back;
        if (!full && result.outcome == UserChangeOutcome::kApplied) {
          for (const int row : writes) {
            if (row != kRegionRow && (row < kModelFlagARow || row > kModelFlagCRow))
              back.push_back(row);
          }
        }
        // A value only the configuration carries is told by the report
        // that answers its command.
        cli.Settle(back.empty() ? 300 : 0);
        if (cli.Interrupted()) return cli.Fail(Name(), std::nullopt, context.err);
        if (!ReadTheRows(cli, back, read)) return cli.Fail(Name(), std::nullopt, context.err);
      }
      std::string value;
      holder.page->GetParamText(image, holder.id, holder.subIndex, nullptr, nullptr, &value, false);
      context.out << PrintableText(value) << "\n";
      if (itemStatus == kExitSuccess && set_ && !SameValue(value, *item.typed)) {
        context.err << "qampctl set: the receiver holds '" << PrintableText(value) << "', not '"
                    << PrintableText(*item.typed) << "'\n";
        itemStatus = kExitFailure;
      }
      if (status == kExitSuccess) status = itemStatus;
    }
    app.Session().Close();
    return status;
  }

 private:
  // Reads `rows` over the open connection and marks them read; false when
  // the receiver did not answer (the connection is closed then).
  static bool ReadTheRows(CliApplication& cli, const std::vector<int>& rows,
                          std::vector<bool>& read) {
    if (rows.empty()) return true;
    if (!cli.App().Session().ReadRows(rows)) return false;
    // The end of a change sent before may still be waiting to be taken.
    auto outcome = cli.Run();
    while (outcome == OperationOutcome::kSendingDone) outcome = cli.Run();
    if (outcome != OperationOutcome::kConnected) return false;
    cli.Settle(0);
    for (const int row : rows) read[static_cast<size_t>(row)] = true;
    return !cli.Interrupted();
  }

  bool set_;
};

}  // namespace

std::unique_ptr<Command> MakeUploadCommand() {
  return std::make_unique<UploadCommand>();
}
std::unique_ptr<Command> MakeDownloadCommand() {
  return std::make_unique<DownloadCommand>();
}
std::unique_ptr<Command> MakeReportCommand() {
  return std::make_unique<ReportCommand>();
}
std::unique_ptr<Command> MakeDiffCommand() {
  return std::make_unique<DiffCommand>();
}
std::unique_ptr<Command> MakeGetCommand() {
  return std::make_unique<ParameterCommand>(false);
}
std::unique_ptr<Command> MakeSetCommand() {
  return std::make_unique<ParameterCommand>(true);
}

}  // namespace qamp::cli

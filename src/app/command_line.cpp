#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

namespace qamp {

namespace {

constexpr int kRegionCount = 4;

QString Describe(const QCommandLineOption& option) {
  return "--" + option.names().constLast();
}

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLineResult result;
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "An editor and remote control for the QR-K2600 AV receiver over RS-232C.");
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({"h", "help"}, "Show this help and exit.");
  const QCommandLineOption version("version", "Show the version and exit.");
  const QCommandLineOption mode(
      "mode", "Start in this mode without asking: async (edit offline) or realtime (live).",
      "async|realtime");
  const QCommandLineOption region(
      "region",
      "The tuner region in Async Mode, without asking: 0 Japan, 1 USA and Canada, "
      "2 EU and Asia, 3 other.",
      "N");
  const QCommandLineOption port(
      "port", "Preselect this connection: a device path, tcp:HOST:PORT, sim or Auto.", "DEVICE");
  const QCommandLineOption connect("connect", "Connect once the window is shown (Real Time Mode).");
  const QCommandLineOption demo(
      "demo",
      "Real Time Mode on the built-in simulated receiver with a random configuration, "
      "connected; --demo=fast runs it on simulated time.",
      "fast", "");
  const QCommandLineOption settings("settings", "Keep the program's settings in FILE.", "FILE");
  const QCommandLineOption trace(
      "trace",
      "Trace every frame to and from the port into FILE (instead of the last-trace.txt "
      "that Help > Save Diagnostics collects).",
      "FILE");
  for (const QCommandLineOption* option :
       {&help, &version, &mode, &region, &port, &connect, &demo, &settings, &trace}) {
    parser.addOption(*option);
  }
  parser.addPositionalArgument("file", "A configuration file (.qcf) to open (Async Mode).",
                               "[file]");
  result.help = parser.helpText().toStdString();

  QStringList list{"qamptool"};
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  // --demo takes an optional value: "--demo" alone is the real pace.
  for (QString& argument : list) {
    if (argument == "--demo" || argument == "-demo") argument = "--demo=";
  }
  if (!parser.parse(list)) {
    result.error = parser.errorText().toStdString();
    return result;
  }
  ProgramOptions& options = result.options;
  options.showHelp = parser.isSet(help);
  options.showVersion = parser.isSet(version);
  if (parser.isSet(mode)) {
    const QString value = parser.value(mode).toLower();
    if (value == "async") {
      options.mode = ControlMode::kAsync;
    } else if (value == "realtime" || value == "real-time") {
      options.mode = ControlMode::kRealTime;
    } else {
      result.error =
          (Describe(mode) + " takes async or realtime, not \"" + parser.value(mode) + "\".")
              .toStdString();
      return result;
    }
  }
  if (parser.isSet(region)) {
    bool ok = false;
    const int value = parser.value(region).toInt(&ok);
    if (!ok || value < 0 || value >= kRegionCount) {
      result.error =
          (Describe(region) + " takes 0, 1, 2 or 3, not \"" + parser.value(region) + "\".")
              .toStdString();
      return result;
    }
    options.region = value;
  }
  if (parser.isSet(port)) {
    const QString value = parser.value(port).trimmed();
    if (value.isEmpty()) {
      result.error = "--port needs a device path, tcp:HOST:PORT, sim or Auto.";
      return result;
    }
    options.port = value.toStdString();
  }
  options.connect = parser.isSet(connect);
  if (parser.isSet(demo)) {
    const QString value = parser.value(demo);
    if (!value.isEmpty() && value != "fast") {
      result.error = ("--demo takes no value or \"fast\", not \"" + value + "\".").toStdString();
      return result;
    }
    options.demo = true;
    options.demoFast = value == "fast";
    if (options.mode && *options.mode != ControlMode::kRealTime) {
      result.error = "--demo runs in Real Time Mode; leave out --mode async.";
      return result;
    }
  }
  if (parser.isSet(settings)) {
    const QString value = parser.value(settings);
    if (value.isEmpty()) {
      result.error = "--settings needs a file name.";
      return result;
    }
    options.settingsPath = value.toStdString();
  }
  if (parser.isSet(trace)) {
    const QString value = parser.value(trace);
    if (value.isEmpty()) {
      result.error = "--trace needs a file name.";
      return result;
    }
    options.trace = value.toStdString();
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    result.error = "Only one configuration file can be opened at a time.";
    return result;
  }
  if (!files.isEmpty()) {
    options.file = files.first().toStdString();
    if (options.demo) {
      result.error =
          "--demo shows the simulated receiver's own configuration; open the file "
          "without --demo.";
      return result;
    }
  }
  return result;
}

}  // namespace qamp

// qampctl decode, checksum and frame: the wire format from the outside.
#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <map>
#include <optional>
#include <ostream>
#include <string>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/commands.h"
#include "cli/frame_text.h"
#include "cli/parameter_values.h"
#include "link/decode_report.h"
#include "link/wire_format.h"
#include "session/command_capture.h"

namespace qamp::cli {

namespace {

std::string_view GroupName(GroupKind kind) {
  switch (kind) {
    case GroupKind::kBasic:
      return "BasicGroup";
    case GroupKind::kZone:
      return "ZoneGroup";
    case GroupKind::kDspParam:
      return "DspParamGroup";
    case GroupKind::kInputDsp:
      return "InputDspGroup";
    case GroupKind::kInputName:
      return "InputNameGroup";
    case GroupKind::kIoAssign:
      return "IoAssignGroup";
    case GroupKind::kSpeakerLevel:
      return "SpeakerLevelGroup";
    case GroupKind::kSpeakerDistance:
      return "SpeakerDistanceGroup";
    case GroupKind::kSoundOption:
      return "SoundOptionGroup";
    case GroupKind::kTrigger:
      return "TriggerGroup";
    case GroupKind::kVolume:
      return "VolumeGroup";
    case GroupKind::kGeq:
      return "GeqGroup";
    case GroupKind::kPeq:
      return "PeqGroup";
    case GroupKind::kSpeakerSet:
      return "SpeakerSetGroup";
    case GroupKind::kTunerPreset:
      return "TunerPresetGroup";
    case GroupKind::kXmPreset:
      return "XmPresetGroup";
    case GroupKind::kDisplay:
      return "DisplayGroup";
    case GroupKind::kMisc:
      return "MiscGroup";
    case GroupKind::kOther:
      return "OtherGroup";
    case GroupKind::kAdvanced:
      return "AdvancedGroup";
    case GroupKind::kIPod:
      return "IPodGroup";
    case GroupKind::kListedOnly:
      return "listed only, not stored";
    case GroupKind::kNone:
      break;
  }
  return "none";
}

QJsonValue JsonValue(const ReportValue& value) {
  switch (value.type) {
    case ReportValue::Type::kNumber:
      return static_cast<qint64>(value.number);
    case ReportValue::Type::kText:
      return JsonText(value.text);
    case ReportValue::Type::kNoValue:
      break;
  }
  return QJsonValue::Null;
}

QJsonObject JsonReport(std::string_view frame, const DecodedReport& decoded) {
  QJsonObject json{{"frame", JsonText(frame)}, {"recognised", decoded.recognised}};
  if (decoded.recognised) {
    QJsonArray pairs;
    for (const ReportValue& value : decoded.values)
      pairs.append(QJsonArray{static_cast<qint64>(value.id), JsonValue(value)});
    json.insert("kind", static_cast<int>(decoded.kind));
    json.insert("pairs", pairs);
  }
  return json;
}

// What the pages call the values of a report: "Basic Control / Main
// Volume = 0.0dB" by parameter ID, for the parameters the report sets.
class ValueNames {
 public:
  ValueNames() : capture_(ControlMode::kRealTime), pages_(capture_.Link(), host_) {}
  std::string Name(const std::vector<ReportValue>& values, const ReportValue& value) {
    if (value.type == ReportValue::Type::kNoValue) return {};
    CSettingImage image = capture_.Link().CurrentImage();
    StoreReportValues(image, values);
    for (const CPageSet::Parameter& parameter : pages_.AllParameters()) {
      if (parameter.id != value.id) continue;
      std::string section;
      std::string key;
      std::string text;
      parameter.page->GetParamText(image, parameter.id, parameter.subIndex, &section, &key, &text,
                                   false);
      if (key.empty()) continue;
      return PrintableText(section) + " / " + PrintableText(key) + " = " + PrintableText(text);
    }
    return {};
  }

 private:
  CommandCapture capture_;
  QuietPageHost host_;
  CPageSet pages_;
};

ValueNames& Names() {
  static ValueNames names;
  return names;
}

// `lead` goes before the frame, `indent` before each value line.
void PrintReport(std::ostream& out, std::string_view lead, std::string_view indent,
                 std::string_view frame, const DecodedReport& decoded) {
  out << lead << PrintableText(ShowFrame(frame)) << ": ";
  if (!decoded.recognised) {
    out << "not recognised\n";
    return;
  }
  out << "recognised, kind " << static_cast<int>(decoded.kind) << " (" << GroupName(decoded.kind)
      << ")";
  if (decoded.values.empty()) out << ", no value";
  out << "\n";
  for (const ReportValue& value : decoded.values) {
    out << indent << "  " << value.id << " = ";
    switch (value.type) {
      case ReportValue::Type::kNumber:
        out << value.number;
        break;
      case ReportValue::Type::kText:
        out << '"' << PrintableText(value.text) << '"';
        break;
      case ReportValue::Type::kNoValue:
        out << "(listed, no value)";
        break;
    }
    if (const std::string name = Names().Name(decoded.values, value); !name.empty())
      out << ": " << name;
    out << "\n";
  }
}

class DecodeCommand : public Command {
 private:
  std::optional<std::map<std::string, std::vector<NamedWrite>>> writes_;

 public:
  std::string_view Name() const override { return "decode"; }
  std::string_view Summary() const override {
    return "decode receiver reports, extended replies and configuration reports";
  }
  std::string_view Usage() const override {
    return "usage: qampctl decode [--json] FRAME...\n"
           "\n"
           "Decodes each FRAME as the link would: for a report or an extended reply,\n"
           "whether it is recognised, its group kind and its (parameter ID, value)\n"
           "pairs, each named as the pages name it (Basic Control / Main Volume =\n"
           "0.0dB); for a configuration report, whether it is accepted, the model, and\n"
           "the decoding of each of the 96 reports it stands for. A frame the program\n"
           "sends (what 'qampctl command' prints) is named by the parameter and value\n"
           "it sets.\n"
           "\n"
           "Write control bytes as <STX>, <ETX>, <DC2>, <DC4> (or <0xNN>), or as \\x02.\n"
           "\n"
           "  --json   one JSON object per frame, on one line each\n"
           "\n"
           "Exit status: 0 all recognised, 1 a frame not recognised or a configuration\n"
           "report rejected, 2 usage error.\n";
  }

  int Run(const std::vector<std::string>& args, CommandContext& context) override {
    const std::optional<ParsedArguments> arguments = ParseArguments(
        "decode", {{{"json"}, "", "one JSON object per frame", ""}}, args, context.err);
    if (!arguments) return kExitUsage;
    const bool json = arguments->IsSet("json");
    const std::vector<std::string>& frames = arguments->Positionals();
    if (frames.empty()) {
      context.err << "qampctl decode: no FRAME given (try: qampctl decode '<STX>0026C7<ETX>')\n";
      return kExitUsage;
    }
    int status = kExitSuccess;
    for (const std::string& text : frames) {
      std::string error;
      std::optional<std::string> parsed = ParseFrameText(text, error);
      if (!parsed) {
        context.err << "qampctl decode: '" << text << "': " << error << "\n";
        return kExitUsage;
      }
      if (!DecodeOne(*parsed, json, context.out)) status = kExitFailure;
    }
    return status;
  }

 private:
  // The frames the program sends, by frame, made once when first needed.
  const std::map<std::string, std::vector<NamedWrite>>& Writes() {
    if (!writes_) {
      writes_.emplace();
      for (NamedWrite& write : WritesOfTheProgram(ControlMode::kRealTime, kDefaultRegionCode))
        (*writes_)[write.frame].push_back(std::move(write));
    }
    return *writes_;
  }

  // A frame the program sends: which parameter and value it sets.
  bool DecodeSent(const std::string& frame, bool json, std::ostream& out) {
    if (frame.empty() || (frame.front() != kStx && frame.front() != kDc4)) return false;
    const auto found = Writes().find(frame);
    if (found == Writes().end()) return false;
    std::vector<std::string> sets;
    for (const NamedWrite& write : found->second) {
      const std::string name = PrintableText(write.section) + " / " + PrintableText(write.key) +
                               " = " + PrintableText(write.value);
      if (std::find(sets.begin(), sets.end(), name) == sets.end()) sets.push_back(name);
    }
    if (json) {
      QJsonArray writes;
      for (const NamedWrite& write : found->second) {
        writes.append(QJsonObject{{"section", JsonText(write.section)},
                                  {"key", JsonText(write.key)},
                                  {"value", JsonText(write.value)}});
      }
      out << JsonLine(QJsonObject{{"frame", JsonText(frame)}, {"sent", true}, {"sets", writes}});
      return true;
    }
    out << PrintableText(ShowFrame(frame)) << ": sent by the program, sets ";
    for (size_t i = 0; i < sets.size(); ++i) out << (i > 0 ? "; " : "") << sets[i];
    out << "\n";
    return true;
  }

  bool DecodeOne(std::string frame, bool json, std::ostream& out) {
    if (!IsConfigurationReport(frame)) {
      const DecodedReport decoded = DecodeReport(frame);
      if (!decoded.recognised && DecodeSent(frame, json, out)) return true;
      if (json) {
        out << JsonLine(JsonReport(frame, decoded));
      } else {
        PrintReport(out, "", "", frame, decoded);
      }
      return decoded.recognised;
    }
    const std::string original = frame;
    const bool accepted = IsExpectedModel(frame);
    const std::string model = ModelOf(frame);
    if (json) {
      QJsonObject configuration{{"frame", JsonText(original)},
                                {"configuration", true},
                                {"accepted", accepted},
                                {"model", JsonText(model)}};
      if (accepted) {
        QJsonArray reports;
        for (const std::string& report : ConfigurationToReports(frame))
          reports.append(JsonReport(report, DecodeReport(report)));
        configuration.insert("reports", reports);
      }
      out << JsonLine(configuration);
      return accepted;
    }
    out << PrintableText(ShowFrame(original)) << ": configuration report, "
        << (accepted ? "accepted" : "rejected (wrong model)") << ", model " << PrintableText(model)
        << "\n";
    if (accepted) {
      int index = 1;
      for (const std::string& report : ConfigurationToReports(frame)) {
        const std::string lead = "  " + std::to_string(index++) + ". ";
        PrintReport(out, lead, "     ", report, DecodeReport(report));
      }
    }
    return accepted;
  }
};

class ChecksumCommand : public Command {
 public:
  std::string_view Name() const override { return "checksum"; }
  std::string_view Summary() const override {
    return "print the checksum of an extended-message body";
  }
  std::string_view Usage() const override {
    return "usage: qampctl checksum TEXT\n"
           "\n"
           "Prints the two-character checksum of TEXT: the byte sum modulo 256 as two\n"
           "upper-case hex digits, as extended messages carry it.\n";
  }
  int Run(const std::vector<std::string>& all, CommandContext& context) override {
    // No options, but "--" before a TEXT that starts with '-'.
    const std::optional<ParsedArguments> parsed = ParseArguments("checksum", {}, all, context.err);
    if (!parsed) return kExitUsage;
    const std::vector<std::string>& args = parsed->Positionals();
    if (args.size() != 1) {
      context.err
          << "qampctl checksum: expected exactly one TEXT (try: qampctl checksum 20050000F)\n";
      return kExitUsage;
    }
    std::string error;
    const std::optional<std::string> text = ParseFrameText(args[0], error);
    if (!text) {
      context.err << "qampctl checksum: " << error << "\n";
      return kExitUsage;
    }
    context.out << ChecksumText(*text) << "\n";
    return kExitSuccess;
  }
};

class FrameCommand : public Command {
 public:
  std::string_view Name() const override { return "frame"; }
  std::string_view Summary() const override {
    return "print the framed extended message of a body";
  }
  std::string_view Usage() const override {
    return "usage: qampctl frame TEXT\n"
           "\n"
           "Prints TEXT framed as an extended message: <DC4>, TEXT, its checksum, <ETX>.\n";
  }
  int Run(const std::vector<std::string>& all, CommandContext& context) override {
    // No options, but "--" before a TEXT that starts with '-'.
    const std::optional<ParsedArguments> parsed = ParseArguments("frame", {}, all, context.err);
    if (!parsed) return kExitUsage;
    const std::vector<std::string>& args = parsed->Positionals();
    if (args.size() != 1) {
      context.err << "qampctl frame: expected exactly one TEXT (try: qampctl frame 20050000F)\n";
      return kExitUsage;
    }
    std::string error;
    std::optional<std::string> text = ParseFrameText(args[0], error);
    if (!text) {
      context.err << "qampctl frame: " << error << "\n";
      return kExitUsage;
    }
    if (text->empty() || text->front() != kDc4) text->insert(text->begin(), kDc4);
    context.out << PrintableText(ShowFrame(FrameExtended(*text))) << "\n";
    return kExitSuccess;
  }
};

}  // namespace

std::unique_ptr<Command> MakeDecodeCommand() {
  return std::make_unique<DecodeCommand>();
}
std::unique_ptr<Command> MakeChecksumCommand() {
  return std::make_unique<ChecksumCommand>();
}
std::unique_ptr<Command> MakeFrameCommand() {
  return std::make_unique<FrameCommand>();
}

}  // namespace qamp::cli

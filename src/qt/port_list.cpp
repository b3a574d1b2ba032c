#include "qt/port_list.h"

#include <unistd.h>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace qamp {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 3> kPortFamilies = {"ttyS", "ttyUSB", "ttyACM"};

// ttyS2 before ttyS10: names compare by their text, then by the number at
// their end.
bool NaturalLess(const std::string& a, const std::string& b) {
  auto split = [](const std::string& name) {
    size_t digits = name.size();
    while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
    const long number = digits < name.size() ? std::stol(name.substr(digits, 9)) : -1;
    return std::make_pair(name.substr(0, digits), number);
  };
  return split(a) < split(b);
}

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The path a link leads to, relative targets taken from the link's own
// directory; the path itself when it is no link.
fs::path Resolved(const fs::path& path) {
  std::error_code error;
  fs::path target = fs::is_symlink(path, error) ? fs::read_symlink(path, error) : path;
  if (error) return path;
  if (target.is_relative()) target = path.parent_path() / target;
  const fs::path canonical = fs::weakly_canonical(target, error);
  return error ? target.lexically_normal() : canonical;
}

std::string Joined(const std::vector<PortHolder>& holders) {
  std::string text;
  for (size_t i = 0; i < holders.size(); ++i) {
    if (i > 0) text += i + 1 == holders.size() ? " and " : ", ";
    text += holders[i].program + " (process " + std::to_string(holders[i].pid) + ")";
  }
  return text;
}

}  // namespace

std::string PortProblem::Message() const {
  if (kind == Kind::kPermission) {
    // Serial devices belong to "dialout" on Debian and its relatives; a
    // device of another group (or of none) is mended the same way.
    const std::string owner = group.empty() || group == "root" ? "dialout" : group;
    return device + ": permission denied. Add yourself to the group \"" + owner +
           "\" (sudo usermod -aG " + owner + " $USER), then log out and in again.";
  }
  if (holders.empty()) {
    return device + ": in use by another program, one this user cannot see (sudo fuser -v " +
           device + " names it). Close it and choose the port again.";
  }
  return device + ": in use by " + Joined(holders) +
         ". Close that program and choose the port again.";
}

bool IsSerialPortName(std::string_view name) {
  for (const std::string_view family : kPortFamilies) {
    if (name.starts_with(family) && AllDigits(name.substr(family.size()))) return true;
  }
  return false;
}

std::string PortDisplayName(std::string_view name, std::string_view description,
                            std::string_view byIdName) {
  std::string text(name);
  // A description that only repeats the name tells nothing.
  if (!description.empty() && description != name)
    text += " \xE2\x80\x94 " + std::string(description);
  if (!byIdName.empty()) text += " (" + std::string(byIdName) + ")";
  return text;
}

std::map<std::string, std::string> SerialByIdNames(const std::string& directory) {
  std::vector<fs::path> links;
  std::error_code error;
  for (fs::directory_iterator entry(directory, error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code linkError;
    if (entry->is_symlink(linkError)) links.push_back(entry->path());
  }
  std::sort(links.begin(), links.end());
  std::map<std::string, std::string> names;
  for (const fs::path& link : links)
    names.emplace(Resolved(link).string(), link.filename().string());
  return names;
}

std::vector<PortHolder> ProcessesHolding(const std::string& device,
                                         const std::string& procDirectory) {
  const fs::path wanted = Resolved(device);
  std::vector<PortHolder> holders;
  std::error_code error;
  for (fs::directory_iterator process(procDirectory, error), end; !error && process != end;
       process.increment(error)) {
    const std::string name = process->path().filename().string();
    int pid = 0;
    const auto [last, parsed] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (parsed != std::errc() || last != name.data() + name.size() || !AllDigits(name)) continue;
    std::error_code fdError;
    bool holds = false;
    for (fs::directory_iterator fd(process->path() / "fd", fdError), fdEnd;
         !fdError && fd != fdEnd && !holds; fd.increment(fdError)) {
      std::error_code linkError;
      const fs::path target = fs::read_symlink(fd->path(), linkError);
      holds = !linkError && (target == device || target == wanted);
    }
    if (!holds) continue;
    std::ifstream comm(process->path() / "comm");
    std::string program;
    std::getline(comm, program);
    holders.push_back({pid, program.empty() ? "a program" : program});
  }
  std::sort(holders.begin(), holders.end(),
            [](const PortHolder& a, const PortHolder& b) { return a.pid < b.pid; });
  return holders;
}

PortProbe ProbePort(const std::string& device, const PortListPaths& paths) {
  QSerialPort probe;
  probe.setPortName(QString::fromStdString(device));
  if (probe.open(QIODevice::ReadWrite)) {
    probe.close();
    return {true, std::nullopt};
  }
  // A node without hardware behind it fails otherwise; it is no port.
  if (probe.error() != QSerialPort::PermissionError) return {};
  PortProblem problem;
  problem.device = device;
  problem.group = QFileInfo(QString::fromStdString(device)).group().toStdString();
  // Qt reports a refused open and a port held by another program alike;
  // the file's access rights tell them apart.
  if (::access(device.c_str(), R_OK | W_OK) != 0) {
    problem.kind = PortProblem::Kind::kPermission;
  } else {
    problem.kind = PortProblem::Kind::kBusy;
    problem.holders = ProcessesHolding(device, paths.procDirectory);
  }
  return {false, std::move(problem)};
}

PortScan ScanSerialPorts(const PortListPaths& paths) {
  const std::map<std::string, std::string> byId = SerialByIdNames(paths.byIdDirectory);
  PortScan scan;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    const std::string name = info.portName().toStdString();
    if (!IsSerialPortName(name)) continue;
    const std::string device = info.systemLocation().toStdString();
    PortProbe probe = ProbePort(device, paths);
    if (probe.problem) scan.problems.push_back(std::move(*probe.problem));
    if (!probe.opened) continue;
    const auto persistent = byId.find(Resolved(device).string());
    const std::string byIdName = persistent != byId.end() ? persistent->second : std::string();
    scan.ports.push_back(
        {name, device, PortDisplayName(name, info.description().toStdString(), byIdName)});
  }
  std::sort(scan.ports.begin(), scan.ports.end(),
            [](const PortEntry& a, const PortEntry& b) { return NaturalLess(a.device, b.device); });
  std::sort(
      scan.problems.begin(), scan.problems.end(),
      [](const PortProblem& a, const PortProblem& b) { return NaturalLess(a.device, b.device); });
  return scan;
}

std::vector<PortEntry> ListSerialPorts() {
  return ScanSerialPorts().ports;
}

}  // namespace qamp

namespace qamp {

std::vector<PortUse> PortUses(const std::vector<std::string>& devices, const PortListPaths& paths) {
  std::vector<PortUse> uses;
  const int self = static_cast<int>(::getpid());
  for (const std::string& device : devices) {
    PortUse use;
    use.device = device;
    // A pseudo terminal is held by the program serving its other end.
    use.holdersKnown = device.starts_with("/") && !device.starts_with("/dev/pts/");
    if (use.holdersKnown) {
      for (const PortHolder& holder : ProcessesHolding(device, paths.procDirectory)) {
        if (holder.pid == self) continue;
        use.holders.push_back(holder.program + " (process " + std::to_string(holder.pid) + ")");
      }
    }
    uses.push_back(std::move(use));
  }
  return uses;
}

std::string ExplainNoAnswer(std::string_view message, const std::vector<std::string>& devices) {
  if (!IsNoAnswerMessage(message)) return std::string(message);
  return WithNoAnswerChecklist(message, PortUses(devices));
}

}  // namespace qamp

namespace qamp {

namespace {

std::string ModeText(fs::perms perms) {
  std::string text = "c";
  const std::pair<fs::perms, char> bits[] = {
      {fs::perms::owner_read, 'r'},  {fs::perms::owner_write, 'w'},  {fs::perms::owner_exec, 'x'},
      {fs::perms::group_read, 'r'},  {fs::perms::group_write, 'w'},  {fs::perms::group_exec, 'x'},
      {fs::perms::others_read, 'r'}, {fs::perms::others_write, 'w'}, {fs::perms::others_exec, 'x'}};
  for (const auto& [bit, letter] : bits)
    text.push_back((perms & bit) != fs::perms::none ? letter : '-');
  return text;
}

std::string ProgramOf(const std::string& procDirectory, int pid) {
  std::ifstream comm(fs::path(procDirectory) / std::to_string(pid) / "comm");
  std::string program;
  std::getline(comm, program);
  return program.empty() ? std::string("no such process") : program;
}

}  // namespace

std::string PortReport(const PortListPaths& paths) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator entry(paths.devDirectory, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (IsSerialPortName(name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), NaturalLess);
  const std::map<std::string, std::string> byId = SerialByIdNames(paths.byIdDirectory);
  std::map<std::string, std::string> descriptions;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
    descriptions[info.portName().toStdString()] = info.description().toStdString();

  std::string text = "Serial ports (" + std::to_string(names.size()) + ") in " +
                     paths.devDirectory + ", seen by user id " + std::to_string(::getuid()) + "\n";
  for (const std::string& name : names) {
    const std::string device = (fs::path(paths.devDirectory) / name).string();
    const QFileInfo info(QString::fromStdString(device));
    std::error_code statError;
    const fs::file_status status = fs::status(device, statError);
    text += "\n" + device + "\n";
    text += "  mode " + (statError ? std::string("unknown") : ModeText(status.permissions())) +
            ", owner " + info.owner().toStdString() + ", group " + info.group().toStdString() +
            "\n";
    text += std::string("  this user may read and write it: ") +
            (::access(device.c_str(), R_OK | W_OK) == 0 ? "yes" : "no") + "\n";
    if (const auto found = descriptions.find(name);
        found != descriptions.end() && !found->second.empty())
      text += "  description: " + found->second + "\n";
    if (const auto persistent = byId.find(Resolved(device).string()); persistent != byId.end())
      text += "  by-id: " + persistent->second + "\n";
    const std::vector<PortHolder> holders = ProcessesHolding(device, paths.procDirectory);
    text += "  held open by: " +
            (holders.empty() ? std::string("nobody this user can see") : Joined(holders)) + "\n";
    for (const std::string& directory : paths.lockDirectories) {
      const fs::path lock = fs::path(directory) / ("LCK.." + name);
      std::ifstream file(lock);
      if (!file) continue;
      std::string content;
      std::getline(file, content);
      const size_t first = content.find_first_not_of(' ');
      int pid = 0;
      if (first != std::string::npos)
        std::from_chars(content.data() + first, content.data() + content.size(), pid);
      text += "  lock file " + lock.string() + ": " +
              (pid > 0 ? "process " + std::to_string(pid) + " (" +
                             ProgramOf(paths.procDirectory, pid) + ")"
                       : "no process number") +
              "\n";
    }
  }
  return text;
}

}  // namespace qamp

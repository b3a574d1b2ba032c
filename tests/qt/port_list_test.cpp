// The port list's parts that need no adapter plugged in: which names it
// offers, how it shows them, the persistent names, and who holds a busy
// port (in scratch directories, and on a pseudo terminal opened here).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QSerialPort>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "qt/port_list.h"

namespace qamp {
namespace {

namespace fs = std::filesystem;

class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::string pattern = (fs::temp_directory_path() / "qamp-ports-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~ScratchDirectory() {
    std::error_code error;
    fs::remove_all(path_, error);
  }
  const fs::path& Path() const { return path_; }
  void File(const fs::path& relative, const std::string& text = {}) const {
    fs::create_directories((path_ / relative).parent_path());
    std::ofstream(path_ / relative) << text;
  }
  void Link(const fs::path& relative, const fs::path& target) const {
    fs::create_directories((path_ / relative).parent_path());
    fs::create_symlink(target, path_ / relative);
  }

 private:
  fs::path path_;
};

// A pseudo terminal whose device this test opens and closes itself.
class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
    device_ = ::ptsname(master_);
  }
  ~PseudoTerminal() {
    CloseDevice();
    if (master_ >= 0) ::close(master_);
  }
  const std::string& Device() const { return device_; }
  bool OpenDevice() {
    device_fd_ = ::open(device_.c_str(), O_RDWR | O_NOCTTY);
    return device_fd_ >= 0;
  }
  void CloseDevice() {
    if (device_fd_ >= 0) ::close(device_fd_);
    device_fd_ = -1;
  }

 private:
  int master_ = -1;
  int device_fd_ = -1;
  std::string device_;
};

// This program's command name as the kernel keeps it: at most 15 characters.
std::string OwnCommandName() {
  return std::string(program_invocation_short_name).substr(0, 15);
}

TEST(PortList, OffersBuiltInPortsAndUsbAdaptersOnly) {
  for (const std::string_view name : {"ttyS0", "ttyS31", "ttyUSB0", "ttyUSB12", "ttyACM3"})
    EXPECT_TRUE(IsSerialPortName(name)) << name;
  for (const std::string_view name : {"ttyS", "ttyUSB", "tty0", "tty12", "ttyUSB0a", "ttyAMA0",
                                      "rfcomm0", "console", "pts/3", "ttyS-1", ""})
    EXPECT_FALSE(IsSerialPortName(name)) << name;
}

TEST(PortList, ADisplayNameCarriesTheDescriptionAndThePersistentName) {
  struct Case {
    std::string_view name, description, byId, shown;
  };
  const Case cases[] = {
      {"ttyUSB0", "FT232R USB UART", "usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0",
       "ttyUSB0 \xE2\x80\x94 FT232R USB UART (usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0)"},
      {"ttyUSB1", "USB-Serial Controller", "", "ttyUSB1 \xE2\x80\x94 USB-Serial Controller"},
      {"ttyACM0", "", "usb-Prolific_PL2303-if00", "ttyACM0 (usb-Prolific_PL2303-if00)"},
      {"ttyS0", "", "", "ttyS0"},
      {"ttyS1", "ttyS1", "", "ttyS1"},  // a description that only repeats the name
  };
  for (const Case& c : cases)
    EXPECT_EQ(PortDisplayName(c.name, c.description, c.byId), c.shown) << c.name;
}

TEST(PortList, PersistentNamesAreFoundThroughTheLinksOfTheirDirectory) {
  ScratchDirectory scratch;
  scratch.File("dev/ttyUSB0");
  scratch.File("dev/ttyACM0");
  // udev writes relative links; an absolute one leads there as well.
  scratch.Link("dev/serial/by-id/usb-FTDI_FT232R_A1B2-if00-port0", "../../ttyUSB0");
  scratch.Link("dev/serial/by-id/usb-Arduino_Uno_7533-if00", scratch.Path() / "dev/ttyACM0");
  // A second name of the same adapter, later in order, does not replace it.
  scratch.Link("dev/serial/by-id/usb-FTDI_FT232R_A1B2-if00-port1", "../../ttyUSB0");
  scratch.File("dev/serial/by-id/README", "not a link");
  const std::map<std::string, std::string> names =
      SerialByIdNames((scratch.Path() / "dev/serial/by-id").string());
  const std::string dev = fs::canonical(scratch.Path() / "dev").string();
  EXPECT_EQ(names, (std::map<std::string, std::string>{
                       {dev + "/ttyACM0", "usb-Arduino_Uno_7533-if00"},
                       {dev + "/ttyUSB0", "usb-FTDI_FT232R_A1B2-if00-port0"},
                   }));
  EXPECT_TRUE(SerialByIdNames((scratch.Path() / "no-such-directory").string()).empty());
}

TEST(PortList, TheProcessesHoldingADeviceAreFoundThroughTheirOpenFiles) {
  ScratchDirectory proc;
  proc.File("4242/comm", "minicom\n");
  proc.Link("4242/fd/0", "/dev/pts/9");
  proc.Link("4242/fd/3", "/dev/ttyUSB0");
  proc.File("77/comm", "screen\n");
  proc.Link("77/fd/5", "/dev/ttyUSB0");
  proc.File("900/comm", "cu\n");
  proc.Link("900/fd/3", "/dev/ttyUSB1");
  proc.Link("901/fd/3", "/dev/ttyUSB0");  // no command name to read
  proc.File("self/comm", "not a process number\n");
  proc.Link("self/fd/3", "/dev/ttyUSB0");
  proc.File("4243/comm", "no open files to see\n");
  proc.Link("99999999999999999999/fd/3", "/dev/ttyUSB0");  // no process number can be so large
  EXPECT_EQ(ProcessesHolding("/dev/ttyUSB0", proc.Path().string()),
            (std::vector<PortHolder>{{77, "screen"}, {901, "a program"}, {4242, "minicom"}}));
  EXPECT_EQ(ProcessesHolding("/dev/ttyUSB1", proc.Path().string()),
            (std::vector<PortHolder>{{900, "cu"}}));
  EXPECT_TRUE(ProcessesHolding("/dev/ttyACM0", proc.Path().string()).empty());
  EXPECT_TRUE(ProcessesHolding("/dev/ttyUSB0", (proc.Path() / "missing").string()).empty());
}

TEST(PortList, ThisProgramIsFoundHoldingAPseudoTerminalItOpened) {
  PseudoTerminal terminal;
  ASSERT_FALSE(terminal.Device().empty());
  const PortHolder self{static_cast<int>(::getpid()), OwnCommandName()};
  auto held = [&] {
    const std::vector<PortHolder> holders = ProcessesHolding(terminal.Device(), "/proc");
    return std::find(holders.begin(), holders.end(), self) != holders.end();
  };
  EXPECT_FALSE(held()) << "only the other end is open";
  ASSERT_TRUE(terminal.OpenDevice());
  EXPECT_TRUE(held());
  terminal.CloseDevice();
  EXPECT_FALSE(held());
}

TEST(PortList, APortAnotherProgramHoldsIsBusyAndNamesIt) {
  PseudoTerminal terminal;
  ASSERT_FALSE(terminal.Device().empty());
  EXPECT_TRUE(ProbePort(terminal.Device()).opened);
  EXPECT_FALSE(ProbePort(terminal.Device()).problem);

  QSerialPort holder;
  holder.setPortName(QString::fromStdString(terminal.Device()));
  ASSERT_TRUE(holder.open(QIODevice::ReadWrite)) << holder.errorString().toStdString();
  const PortProbe probe = ProbePort(terminal.Device());
  EXPECT_FALSE(probe.opened);
  ASSERT_TRUE(probe.problem);
  EXPECT_EQ(probe.problem->kind, PortProblem::Kind::kBusy);
  EXPECT_EQ(probe.problem->device, terminal.Device());
  EXPECT_EQ(probe.problem->holders,
            (std::vector<PortHolder>{{static_cast<int>(::getpid()), OwnCommandName()}}));
  EXPECT_EQ(probe.problem->Message(), terminal.Device() + ": in use by " + OwnCommandName() +
                                          " (process " + std::to_string(::getpid()) +
                                          "). Close that program and choose the port again.");
  holder.close();
  EXPECT_TRUE(ProbePort(terminal.Device()).opened) << "free again";
}

TEST(PortList, APortThisUserMayNotOpenIsAPermissionProblem) {
  PseudoTerminal terminal;
  ASSERT_FALSE(terminal.Device().empty());
  ASSERT_EQ(::chmod(terminal.Device().c_str(), 0600), 0);
  if (::getuid() != 0) {
    // Not root: the device is this user's own, so a refusal cannot be made here.
    GTEST_SKIP() << "needs root to open the device as another user";
  }
  // An unprivileged user in a child process.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
    const PortProbe probe = ProbePort(terminal.Device());
    const bool permission = !probe.opened && probe.problem &&
                            probe.problem->kind == PortProblem::Kind::kPermission &&
                            probe.problem->Message().find("usermod -aG") != std::string::npos;
    ::_exit(permission ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "3: the child could not change user";
}

// Needs a port that opens here (a built-in ttyS port usually does).
TEST(PortList, AScannedPortCarriesItsPersistentName) {
  const PortScan plain = ScanSerialPorts();
  if (plain.ports.empty()) GTEST_SKIP() << "no serial port opens on this machine";
  const PortEntry& port = plain.ports.front();
  EXPECT_TRUE(port.display.starts_with(port.name)) << port.display;
  EXPECT_EQ(port.display.find("(usb-"), std::string::npos) << "no by-id names were given";

  ScratchDirectory byId;
  byId.Link("usb-Test_Adapter_0001-if00-port0", port.device);
  PortListPaths paths;
  paths.byIdDirectory = byId.Path().string();
  const PortScan named = ScanSerialPorts(paths);
  ASSERT_FALSE(named.ports.empty());
  EXPECT_EQ(named.ports.front().name, port.name);
  EXPECT_EQ(named.ports.front().device, port.device) << "the device stays the path";
  EXPECT_TRUE(named.ports.front().display.ends_with(" (usb-Test_Adapter_0001-if00-port0)"))
      << named.ports.front().display;
}

TEST(PortList, ProblemsSayWhyAndHowToMendThem) {
  PortProblem problem;
  problem.device = "/dev/ttyUSB0";
  problem.kind = PortProblem::Kind::kPermission;
  problem.group = "dialout";
  EXPECT_EQ(problem.Message(),
            "/dev/ttyUSB0: permission denied. Add yourself to the group \"dialout\" (sudo usermod "
            "-aG dialout $USER), then log out and in again.");
  problem.group = "uucp";
  EXPECT_EQ(problem.Message(),
            "/dev/ttyUSB0: permission denied. Add yourself to the group \"uucp\" (sudo usermod -aG "
            "uucp $USER), then log out and in again.");
  for (const std::string group : {"root", ""}) {
    problem.group = group;
    EXPECT_NE(problem.Message().find("\"dialout\" (sudo usermod -aG dialout $USER)"),
              std::string::npos)
        << group;
  }

  problem.kind = PortProblem::Kind::kBusy;
  EXPECT_EQ(problem.Message(),
            "/dev/ttyUSB0: in use by another program, one this user cannot see (sudo fuser -v "
            "/dev/ttyUSB0 names it). Close it and choose the port again.");
  problem.holders = {{4242, "minicom"}};
  EXPECT_EQ(
      problem.Message(),
      "/dev/ttyUSB0: in use by minicom (process 4242). Close that program and choose the port "
      "again.");
  problem.holders = {{77, "screen"}, {901, "cu"}, {4242, "minicom"}};
  EXPECT_EQ(problem.Message(),
            "/dev/ttyUSB0: in use by screen (process 77), cu (process 901) and minicom (process "
            "4242). Close that program and choose the port again.");
}

}  // namespace
}  // namespace qamp

namespace qamp {
namespace {

TEST(PortReport, NamesEachPortsRightsHoldersAndLockOwners) {
  ScratchDirectory scratch;
  scratch.File("dev/ttyUSB0");
  scratch.File("dev/ttyS10");
  scratch.File("dev/ttyS2");
  scratch.File("dev/tty0");      // no serial port
  scratch.File("dev/ttyUSBx1");  // nor this
  const std::string dev = (scratch.Path() / "dev").string();
  fs::permissions(dev + "/ttyUSB0", fs::perms::owner_read | fs::perms::owner_write |
                                        fs::perms::group_read | fs::perms::group_write);
  fs::permissions(dev + "/ttyS2", fs::perms::owner_read | fs::perms::group_read |
                                      fs::perms::others_read | fs::perms::others_write);
  fs::permissions(dev + "/ttyS10", fs::perms::owner_read | fs::perms::owner_write);
  scratch.File("proc/4242/comm", "minicom\n");
  scratch.Link("proc/4242/fd/3", dev + "/ttyUSB0");
  scratch.File("proc/77/comm", "cu\n");
  scratch.File("lock/LCK..ttyUSB0", "      4242\n");
  scratch.File("lock/LCK..ttyS2", "        77\n");
  scratch.File("run/LCK..ttyS2", "garbage\n");
  PortListPaths paths;
  paths.devDirectory = dev;
  paths.procDirectory = (scratch.Path() / "proc").string();
  paths.byIdDirectory = (scratch.Path() / "no-by-id").string();
  paths.lockDirectories = {(scratch.Path() / "lock").string(), (scratch.Path() / "run").string()};
  const std::string report = PortReport(paths);
  const std::string lock = (scratch.Path() / "lock").string();
  const std::string run = (scratch.Path() / "run").string();
  const std::string user = ::getuid() == 0 ? "yes" : "no";
  const std::string expectedStart =
      "Serial ports (3) in " + dev + ", seen by user id " + std::to_string(::getuid()) + "\n";
  ASSERT_TRUE(report.starts_with(expectedStart)) << report;
  // In natural order: ttyS2 before ttyS10, then ttyUSB0.
  const size_t s2 = report.find("\n" + dev + "/ttyS2\n");
  const size_t s10 = report.find("\n" + dev + "/ttyS10\n");
  const size_t usb = report.find("\n" + dev + "/ttyUSB0\n");
  ASSERT_NE(s2, std::string::npos) << report;
  ASSERT_NE(s10, std::string::npos);
  ASSERT_NE(usb, std::string::npos);
  EXPECT_LT(s2, s10);
  EXPECT_LT(s10, usb);
  EXPECT_EQ(report.find("tty0"), std::string::npos);
  EXPECT_EQ(report.find("ttyUSBx1"), std::string::npos);
  const std::string s2Block = report.substr(s2, s10 - s2);
  EXPECT_NE(s2Block.find("  mode cr--r--rw-, owner "), std::string::npos) << s2Block;
  EXPECT_NE(s2Block.find("  held open by: nobody this user can see\n"), std::string::npos);
  EXPECT_NE(s2Block.find("  lock file " + lock + "/LCK..ttyS2: process 77 (cu)\n"),
            std::string::npos)
      << s2Block;
  EXPECT_NE(s2Block.find("  lock file " + run + "/LCK..ttyS2: no process number\n"),
            std::string::npos)
      << s2Block;
  const std::string usbBlock = report.substr(usb);
  EXPECT_NE(usbBlock.find("  mode crw-rw----, owner "), std::string::npos) << usbBlock;
  EXPECT_NE(usbBlock.find("  this user may read and write it: yes\n"), std::string::npos);
  EXPECT_NE(usbBlock.find("  held open by: minicom (process 4242)\n"), std::string::npos);
  EXPECT_NE(usbBlock.find("  lock file " + lock + "/LCK..ttyUSB0: process 4242 (minicom)\n"),
            std::string::npos);
  EXPECT_EQ(usbBlock.find(run), std::string::npos);
  // Read-only for its owner: root may all the same.
  const std::string s10Block = report.substr(s10, usb - s10);
  EXPECT_NE(s10Block.find("  this user may read and write it: yes\n"), std::string::npos)
      << s10Block;
  EXPECT_NE(s2Block.find("  this user may read and write it: " + user + "\n"), std::string::npos)
      << s2Block;
}

TEST(PortReport, PortUsesTellDevicePathsOnlyAndLeaveThisProcessOut) {
  ScratchDirectory proc;
  const std::string self = std::to_string(::getpid());
  proc.File(self + "/comm", "qamptool\n");
  proc.Link(self + "/fd/7", "/dev/ttyUSB0");
  proc.File("300/comm", "minicom\n");
  proc.Link("300/fd/3", "/dev/ttyUSB0");
  proc.File("301/comm", "screen\n");
  proc.Link("301/fd/4", "/dev/ttyUSB0");
  PortListPaths paths;
  paths.procDirectory = proc.Path().string();
  proc.Link("301/fd/5", "/dev/pts/4");
  const std::vector<PortUse> uses =
      PortUses({"/dev/ttyUSB0", "/dev/ttyS0", "tcp:127.0.0.1:4001", "sim", "/dev/pts/4"}, paths);
  ASSERT_EQ(uses.size(), 5u);
  EXPECT_EQ(uses[0].device, "/dev/ttyUSB0");
  EXPECT_TRUE(uses[0].holdersKnown);
  EXPECT_EQ(uses[0].holders,
            (std::vector<std::string>{"minicom (process 300)", "screen (process 301)"}));
  EXPECT_TRUE(uses[1].holdersKnown);
  EXPECT_TRUE(uses[1].holders.empty());
  EXPECT_FALSE(uses[2].holdersKnown);
  EXPECT_FALSE(uses[3].holdersKnown);
  // A pseudo terminal's other end is the program that serves it.
  EXPECT_FALSE(uses[4].holdersKnown);
  EXPECT_TRUE(uses[4].holders.empty());
}

}  // namespace
}  // namespace qamp

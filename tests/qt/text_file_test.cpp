// Saving never truncates or half-writes an existing file, whatever stops
// the write: a missing directory, a refused permission, a full disk. The
// last two are made real in a child process (a file-size limit stands in for
// a full disk; an unprivileged user for a refused permission, even when the
// tests run as root).
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>

#include <QFile>
#include <QTemporaryDir>

#include "qt/text_file.h"
#include "qt/trace_file.h"

namespace qamp {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Listing(const fs::path& directory) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(directory))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Runs `body` in a child process and gives back what it returned, with the
// message it wrote into `error` (up to 4 KiB).
struct ChildResult {
  bool ran = false;
  bool value = false;
  std::string error;
};
ChildResult InChild(const std::function<bool(std::string&)>& body) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    std::string error;
    const bool value = body(error);
    const std::string message = std::string(value ? "1" : "0") + error;
    [[maybe_unused]] const auto written =
        ::write(pipeEnds[1], message.data(), std::min<size_t>(message.size(), 4096));
    ::_exit(0);
  }
  ::close(pipeEnds[1]);
  std::string message;
  char buffer[4096];
  ssize_t n = 0;
  while ((n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0)
    message.append(buffer, static_cast<size_t>(n));
  ::close(pipeEnds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || message.empty()) return {};
  return {true, message[0] == '1', message.substr(1)};
}

class SavingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() / ("qamp-save-test-" + std::to_string(::getpid()));
    fs::remove_all(directory_);
    fs::create_directories(directory_);
    target_ = directory_ / "living room.qcf";
    std::ofstream(target_, std::ios::binary) << kOld;
  }
  void TearDown() override {
    fs::permissions(directory_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(directory_);
  }
  // The new text: larger than the old one, like a configuration.
  static std::string NewText() { return std::string(60000, 'x'); }

  // A save that failed in the child: the error names the file, the old text
  // is still there and no temporary file is left.
  void ExpectRefusedWithTheOldFileWhole(const ChildResult& result) const {
    ASSERT_TRUE(result.ran);
    EXPECT_FALSE(result.value) << result.error;
    EXPECT_NE(result.error.find("Cannot save " + target_.string()), std::string::npos)
        << result.error;
    EXPECT_EQ(ReadFile(target_), kOld);
    EXPECT_EQ(Listing(directory_), std::vector<std::string>{"living room.qcf"});
  }

  static constexpr const char* kOld = "[User Memo]\r\nUser Memo=the old file\r\n";
  fs::path directory_;
  fs::path target_;
};

TEST_F(SavingTest, ReplacesTheFileWhenTheWriteSucceeds) {
  std::string error;
  ASSERT_TRUE(WriteTextFileAtomically(target_.string(), NewText(), error)) << error;
  EXPECT_EQ(ReadFile(target_), NewText());
  EXPECT_EQ(Listing(directory_), std::vector<std::string>{"living room.qcf"})
      << "no temporary file is left";
}

TEST_F(SavingTest, AMissingDirectoryIsNamedAndNothingIsCreated) {
  const fs::path gone = directory_ / "gone" / "x.qcf";
  std::string error;
  EXPECT_FALSE(CanSaveAt(gone.string(), error));
  EXPECT_NE(error.find((directory_ / "gone").string()), std::string::npos) << error;
  EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(WriteTextFileAtomically(gone.string(), NewText(), error));
  EXPECT_NE(error.find("Cannot save " + gone.string()), std::string::npos) << error;
  EXPECT_FALSE(fs::exists(directory_ / "gone"));
  EXPECT_EQ(ReadFile(target_), kOld);
}

TEST_F(SavingTest, ADirectoryInPlaceOfTheFileIsRefusedBeforeAnyWork) {
  std::string error;
  EXPECT_FALSE(CanSaveAt(directory_.string(), error));
  EXPECT_NE(error.find("it is a directory"), std::string::npos) << error;
  EXPECT_TRUE(CanSaveAt(target_.string(), error)) << error;
  EXPECT_TRUE(CanSaveAt((directory_ / "new.qcf").string(), error)) << error;
}

TEST_F(SavingTest, ARefusedPermissionLeavesTheOldFileWhole) {
  // The directory refuses new files: the temporary file cannot be made, and
  // the file itself must not be written in place instead.
  fs::permissions(directory_, fs::perms::owner_read | fs::perms::owner_exec |
                                  fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(target_, fs::perms::all);
  const std::string path = target_.string();
  const ChildResult result = InChild([&path](std::string& error) {
    // Root is allowed everything; an ordinary user is not.
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
      error = "could not become an unprivileged user";
      return true;
    }
    return WriteTextFileAtomically(path, std::string(60000, 'x'), error);
  });
  ExpectRefusedWithTheOldFileWhole(result);
}

TEST_F(SavingTest, AFullDiskLeavesTheOldFileWholeAndNoTemporaryFile) {
  const std::string path = target_.string();
  const ChildResult result = InChild([&path](std::string& error) {
    // Writes beyond 4 KiB fail as they would on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
      error = "could not limit the file size";
      return true;
    }
    return WriteTextFileAtomically(path, std::string(60000, 'x'), error);
  });
  ExpectRefusedWithTheOldFileWhole(result);
}

TEST_F(SavingTest, ACrashJustBeforeTheRenameLeavesTheOldFileWhole) {
  const std::string path = target_.string();
  const ChildResult result = InChild([&path](std::string& error) {
    // The process dies with the new text written but not yet in place.
    return WriteTextFileAtomically(path, std::string(60000, 'x'), error, [] { ::_exit(0); });
  });
  EXPECT_FALSE(result.ran) << "the child died before it could answer";
  EXPECT_EQ(ReadFile(target_), kOld);
  // What the crash left behind is the temporary file, never a cut target.
  for (const std::string& name : Listing(directory_)) {
    if (name == "living room.qcf") continue;
    EXPECT_TRUE(name.starts_with("living room.qcf.")) << name;
    EXPECT_EQ(ReadFile(directory_ / name), std::string(60000, 'x'));
  }
}

TEST_F(SavingTest, ARescueFileIsNewAndBesideNothingElse) {
  const std::string first = RescuePath(target_.string());
  EXPECT_EQ(fs::path(first).parent_path(), fs::temp_directory_path());
  EXPECT_TRUE(fs::path(first).filename().string().starts_with("living room-")) << first;
  EXPECT_EQ(fs::path(first).extension(), ".qcf");
  std::ofstream(first) << "taken";
  const std::string second = RescuePath(target_.string());
  EXPECT_NE(second, first) << "an existing file is never chosen";
  fs::remove(first);
}

TEST_F(SavingTest, AnUnreadableFileSaysWhy) {
  std::string text = "unchanged";
  std::string error;
  EXPECT_FALSE(ReadTextFile((directory_ / "none.qcf").string(), text, error));
  EXPECT_NE(error.find("Cannot read " + (directory_ / "none.qcf").string()), std::string::npos)
      << error;
  EXPECT_EQ(text, "unchanged");
  error.clear();
  EXPECT_FALSE(ReadTextFile(directory_.string(), text, error)) << "a directory is not a file";
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(text, "unchanged");
}

}  // namespace
}  // namespace qamp

namespace qamp {
namespace {

std::string ReadAll(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("(none)");
}

TEST(TraceFile, ABoundedTraceKeepsTheOneItReplacesBesideIt) {
  QTemporaryDir folder;
  const std::string path = folder.filePath("state/qamptool/last-trace.txt").toStdString();
  {
    FileTraceSink first(path, 64);
    std::string error;
    ASSERT_TRUE(first.Open(error)) << error;  // the folders are made
    first.TraceLine("run one");
  }
  FileTraceSink second(path, 64);
  std::string error;
  ASSERT_TRUE(second.Open(error));
  EXPECT_EQ(ReadAll(path + ".1"), "run one\n");
  EXPECT_EQ(ReadAll(path), "");
  // 40 + 1 bytes fit in 64; the next 30 + 1 do not: the file starts again.
  second.TraceLine(std::string(40, 'a'));
  second.TraceLine(std::string(30, 'b'));
  EXPECT_EQ(ReadAll(path + ".1"), std::string(40, 'a') + "\n");
  EXPECT_EQ(ReadAll(path), "(continued from the file .1)\n" + std::string(30, 'b') + "\n");
}

TEST(TraceFile, AnUnboundedTraceIsEmptiedAndAFileThatCannotBeMadeSaysWhy) {
  QTemporaryDir folder;
  const std::string path = folder.filePath("trace.txt").toStdString();
  {
    QFile old(QString::fromStdString(path));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old\n");
  }
  FileTraceSink sink(path);
  std::string error;
  ASSERT_TRUE(sink.Open(error));
  for (int i = 0; i < 100; ++i) sink.TraceLine("line");
  EXPECT_EQ(ReadAll(path).size(), 500u);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(path + ".1")));
  // A folder where a file is cannot hold a trace.
  FileTraceSink blocked(path + "/inside/trace.txt");
  EXPECT_FALSE(blocked.Open(error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace qamp

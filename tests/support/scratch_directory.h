// A test that runs qampctl in a scratch directory of its own, which is
// also where the error log goes (TMPDIR), removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace qamp::testing {

class ScratchDirectoryTest : public ::testing::Test {
 protected:
  explicit ScratchDirectoryTest(std::string prefix) : prefix_(std::move(prefix)) {}
  void SetUp() override {
    const char* tmp = std::getenv("TMPDIR");
    saved_ = tmp != nullptr ? tmp : "";
    directory_ = std::filesystem::temp_directory_path() / (prefix_ + std::to_string(::getpid()));
    std::filesystem::create_directories(directory_);
    setenv("TMPDIR", directory_.c_str(), 1);
  }
  void TearDown() override {
    if (saved_.empty()) {
      unsetenv("TMPDIR");
    } else {
      setenv("TMPDIR", saved_.c_str(), 1);
    }
    std::filesystem::remove_all(directory_);
  }
  std::string Path(const std::string& name) const { return (directory_ / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  std::filesystem::path directory_;

 private:
  std::string prefix_;
  std::string saved_;
};

}  // namespace qamp::testing

// One port shared by links that take turns: who may open it, who gets its
// characters and its failure, and that a close gives it up.
#include <gtest/gtest.h>

#include <utility>

#include "link/shared_port.h"

namespace qamp {
namespace {

// A port whose characters and failure the test makes.
class ScriptedPort : public SerialTransport {
 public:
  bool Open(std::string_view device, std::string& error) override {
    ++opens;
    if (device == "busy") {
      error = "busy is held by another program";
      return false;
    }
    open_ = true;
    return true;
  }
  void Close() override {
    ++closes;
    open_ = false;
    waiting_.clear();
  }
  bool IsOpen() const override { return open_; }
  bool Write(std::string_view bytes) override {
    written.emplace_back(bytes);
    return open_;
  }
  std::string ReadAvailable() override { return std::exchange(waiting_, {}); }
  bool IsCtsOn() override { return cts; }

  void Arrive(std::string_view bytes) {
    waiting_ += bytes;
    if (listener_ != nullptr) listener_->DataArrived();
  }
  void Fail(std::string_view reason) {
    open_ = false;
    if (listener_ != nullptr) listener_->PortFailed(reason);
  }

  std::vector<std::string> written;
  int opens = 0;
  int closes = 0;
  bool cts = true;

 private:
  bool open_ = false;
  std::string waiting_;
};

// What a link would be told, and what it reads when told.
class Reader : public TransportListener {
 public:
  explicit Reader(SerialTransport& port) : port_(port) { port_.SetListener(this); }
  ~Reader() override { port_.SetListener(nullptr); }
  void DataArrived() override { read += port_.ReadAvailable(); }
  void PortFailed(std::string_view reason) override { failures.emplace_back(reason); }
  std::string read;
  std::vector<std::string> failures;

 private:
  SerialTransport& port_;
};

TEST(SharedPort, TheUserThatOpenedThePortHoldsItUntilItClosesIt) {
  ScriptedPort port;
  SharedPort shared(port);
  SerialTransport& window = shared.AddUser();
  SerialTransport& comparison = shared.AddUser();
  Reader windowReader(window);
  Reader comparisonReader(comparison);
  std::string error;
  EXPECT_EQ(shared.Holder(), nullptr);
  ASSERT_TRUE(comparison.Open("/dev/ttyUSB0", error)) << error;
  EXPECT_EQ(shared.Holder(), &comparison);
  EXPECT_TRUE(comparison.IsOpen());
  EXPECT_FALSE(window.IsOpen());
  // The other user cannot open it meanwhile, and the port is not asked.
  EXPECT_FALSE(window.Open("/dev/ttyUSB0", error));
  EXPECT_EQ(error, kPortHeldText);
  EXPECT_EQ(port.opens, 1);
  // Nor can it write, read or close it.
  EXPECT_FALSE(
      window.Write("\x02"
                   "20000\x03"));
  EXPECT_TRUE(port.written.empty());
  window.Close();
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(port.closes, 0);
  // The holder writes and is told of the characters; the other is not.
  EXPECT_TRUE(
      comparison.Write("\x02"
                       "20000\x03"));
  EXPECT_EQ(port.written, std::vector<std::string>{"\x02"
                                                   "20000\x03"});
  port.Arrive(
      "\x12"
      "0012");
  EXPECT_EQ(comparisonReader.read,
            "\x12"
            "0012");
  EXPECT_EQ(windowReader.read, "");
  // A close gives the port up, and the other user may open it.
  comparison.Close();
  EXPECT_EQ(shared.Holder(), nullptr);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.closes, 1);
  ASSERT_TRUE(window.Open("/dev/ttyUSB0", error)) << error;
  port.Arrive(
      "\x02"
      "x\x03");
  EXPECT_EQ(windowReader.read,
            "\x02"
            "x\x03");
  EXPECT_EQ(comparisonReader.read,
            "\x12"
            "0012");
  EXPECT_FALSE(comparison.IsOpen());
  // Closing twice closes the port once.
  window.Close();
  window.Close();
  EXPECT_EQ(port.closes, 2);
}

TEST(SharedPort, APortThatDoesNotOpenStaysFreeWithItsOwnReason) {
  ScriptedPort port;
  SharedPort shared(port);
  SerialTransport& first = shared.AddUser();
  SerialTransport& second = shared.AddUser();
  std::string error;
  EXPECT_FALSE(first.Open("busy", error));
  EXPECT_EQ(error, "busy is held by another program");
  EXPECT_EQ(shared.Holder(), nullptr);
  EXPECT_FALSE(first.IsOpen());
  error.clear();
  EXPECT_TRUE(second.Open("/dev/ttyS0", error)) << error;
  // A port opened past the shared port is held by nobody it knows.
  second.Close();
  ASSERT_TRUE(port.Open("/dev/ttyS0", error));
  EXPECT_FALSE(first.Open("/dev/ttyS0", error));
  EXPECT_EQ(error, kPortHeldText);
  EXPECT_EQ(shared.Holder(), nullptr);
}

TEST(SharedPort, AFailureIsToldToTheHolderAloneAndFreesThePort) {
  ScriptedPort port;
  SharedPort shared(port);
  SerialTransport& window = shared.AddUser();
  SerialTransport& comparison = shared.AddUser();
  Reader windowReader(window);
  Reader comparisonReader(comparison);
  std::string error;
  ASSERT_TRUE(comparison.Open("/dev/ttyUSB0", error));
  port.Fail("the device is gone");
  EXPECT_EQ(comparisonReader.failures, std::vector<std::string>{"the device is gone"});
  EXPECT_TRUE(windowReader.failures.empty());
  EXPECT_EQ(shared.Holder(), nullptr);
  EXPECT_FALSE(comparison.IsOpen());
  // Characters while nobody holds the port reach nobody.
  port.Arrive("late");
  EXPECT_EQ(comparisonReader.read, "");
  EXPECT_EQ(windowReader.read, "");
  EXPECT_TRUE(window.Open("/dev/ttyUSB1", error)) << error;
  // The clear-to-send line is the port's for every user.
  port.cts = false;
  EXPECT_FALSE(comparison.IsCtsOn());
  EXPECT_FALSE(window.IsCtsOn());
}

}  // namespace
}  // namespace qamp

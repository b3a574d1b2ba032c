// What the message says when no receiver answers: the system's own words
// first, then the four things to check in their order.
#include <gtest/gtest.h>

#include "session/connection_help.h"
#include "session/receiver_session.h"

namespace qamp {
namespace {

constexpr std::string_view kCable =
    "1. The cable: a null-modem (crossed) RS-232C cable with RTS and CTS wired, plugged firmly "
    "into the receiver's RS-232C terminal and into the port.\n"
    "2. The receiver's power: the receiver is switched on.\n";

TEST(NoAnswerChecklist, NamesTheCablePowerPortAndWhoElseHoldsItInThatOrder) {
  const std::string text = WithNoAnswerChecklist(
      kMessageInitializationError, {{"/dev/ttyUSB0", true, {"minicom (process 4242)"}}});
  EXPECT_EQ(text,
            "Communication error has occurred during initialization.\n"
            "No receiver answered on /dev/ttyUSB0. Check, in this order:\n" +
                std::string(kCable) +
                "3. The port: the cable is in /dev/ttyUSB0 and not in another port (qampctl ports "
                "lists this machine's ports).\n"
                "4. Who else has the port open: minicom (process 4242) has /dev/ttyUSB0 open; "
                "close it first.");
}

TEST(NoAnswerChecklist, SaysWhenNobodyElseHoldsThePortsOfAnAutoScan) {
  const std::string text = WithNoAnswerChecklist(
      kMessageInitializationError,
      {{"/dev/ttyS0", true, {}}, {"/dev/ttyUSB0", true, {}}, {"/dev/ttyUSB1", true, {}}});
  EXPECT_EQ(text,
            "Communication error has occurred during initialization.\n"
            "No receiver answered on /dev/ttyS0, /dev/ttyUSB0 or /dev/ttyUSB1. Check, in this "
            "order:\n" +
                std::string(kCable) +
                "3. The port: the cable is in /dev/ttyS0, /dev/ttyUSB0 or /dev/ttyUSB1 and not "
                "in another port (qampctl ports lists this machine's ports).\n"
                "4. Who else has the port open: no other program on this machine has it open "
                "now.");
}

TEST(NoAnswerChecklist, CountsHoldersAcrossPortsAndLeavesUnknownPortsToTheUser) {
  const std::string several =
      WithNoAnswerChecklist(kMessageInitializationError,
                            {{"/dev/ttyS0", true, {"screen (process 7)"}},
                             {"/dev/ttyUSB0", true, {"cu (process 8)", "minicom (process 9)"}}});
  EXPECT_TRUE(several.ends_with(
      "4. Who else has the port open: screen (process 7) has /dev/ttyS0 open; cu (process 8), "
      "minicom (process 9) have /dev/ttyUSB0 open; close them first."))
      << several;
  const std::string network =
      WithNoAnswerChecklist(kMessageInitializationError, {{"tcp:127.0.0.1:4001", false, {}}});
  EXPECT_TRUE(network.ends_with(
      "4. Who else has the port open: no other program may use tcp:127.0.0.1:4001 at the same "
      "time."))
      << network;
  const std::string none = WithNoAnswerChecklist(kMessageInitializationError, {});
  EXPECT_NE(none.find("\nNo receiver answered on the port. Check, in this order:\n"),
            std::string::npos)
      << none;
}

TEST(NoAnswerChecklist, OnlyTheInitializationErrorGetsIt) {
  EXPECT_TRUE(IsNoAnswerMessage(kMessageInitializationError));
  EXPECT_FALSE(IsNoAnswerMessage(kMessagePortError));
  EXPECT_FALSE(IsNoAnswerMessage(kMessageCheckError));
  EXPECT_FALSE(IsNoAnswerMessage(kMessageCableError));
  EXPECT_FALSE(IsNoAnswerMessage(""));
}

}  // namespace
}  // namespace qamp

// Reading single parameters: which rows answer a parameter, and a
// connection that reads only those rows, against the simulated receiver in
// virtual time.
#include <gtest/gtest.h>

#include <algorithm>

#include "document/quick_reads.h"
#include "link/parameter_reads.h"
#include "link/read_request_table.h"
#include "link/wire_format.h"
#include "model/parameter_store.h"
#include "session/command_capture.h"
#include "support/session_harness.h"

namespace qamp {
namespace {

using testing::Harness;

const std::vector<std::string> kConnectionFrames = {"<STX>20000<ETX>", "<STX>07A1D<ETX>",
                                                    "<STX>07A1D<ETX>", "<STX>07E7E<ETX>",
                                                    "<STX>07E7E<ETX>", "<STX>07E82<ETX>"};

std::vector<std::string> Then(std::vector<std::string> frames,
                              const std::vector<std::string>& more) {
  frames.insert(frames.end(), more.begin(), more.end());
  return frames;
}

TEST(ParameterReads, EachParameterFindsTheRowsWhoseAnswersCarryIt) {
  // A speaker level comes with the configuration report and has no read
  // of its own in the initial load.
  EXPECT_TRUE(RowsAnswering(259).empty());
  EXPECT_TRUE(CarriedByConfiguration(259));
  // The DSP level of the first program: its read, behind the selection of
  // the program.
  EXPECT_EQ(RowsAnswering(28), std::vector<int>{26});
  EXPECT_FALSE(CarriedByConfiguration(28));
  const std::vector<ParamId> dsp = {28};
  EXPECT_EQ(RowsToRead(dsp), (std::vector<int>{25, 26}));
  EXPECT_TRUE(RowSelectsProgram(25));
  EXPECT_FALSE(RowSelectsProgram(26));
  EXPECT_FALSE(RowSelectsProgram(11));  // an input selection
  // A tuner preset's text depends on the region: the region row first.
  const std::vector<ParamId> preset = {436};
  EXPECT_EQ(RowsToRead(preset), (std::vector<int>{0, 223}));
  // An XM preset is read only from a receiver with XM: its flag first.
  const std::vector<ParamId> xm = {476};
  EXPECT_EQ(RowsToRead(xm), (std::vector<int>{0, 3, 263}));
  // A trigger of Zone 2: the Zone 2 flag first.
  const std::vector<ParamId> trigger = {302};
  EXPECT_EQ(RowsToRead(trigger), (std::vector<int>{1, 360}));
  // Input DSP records are never carried by a report.
  EXPECT_TRUE(RowsAnswering(199).empty());
  EXPECT_FALSE(CarriedByConfiguration(199));
  // Several parameters: one list in table order, each row once.
  const std::vector<ParamId> several = {302, 28, 436, 259};
  EXPECT_EQ(RowsToRead(several), (std::vector<int>{0, 1, 25, 26, 223, 360}));
}

std::vector<int> RowsOf(const MemoryReads& reads) {
  std::vector<int> rows;
  for (size_t row = 0; row < reads.rows.size(); ++row) {
    if (reads.rows[row]) rows.push_back(static_cast<int>(row));
  }
  return rows;
}

TEST(ParameterReads, AMemoryIsReadInItsOwnRowsAndTheRestComesWithItsLoad) {
  // The DSP level of the first program: its row behind the program's
  // selection, both read for every memory.
  const std::vector<ParamId> dsp = {28};
  EXPECT_EQ(RowsOf(ReadsPerMemoryOf(dsp)), (std::vector<int>{25, 26}));
  EXPECT_EQ(ReadsPerMemoryOf(dsp).ids, dsp);
  // A speaker level has no row: the load's configuration tells it.
  const std::vector<ParamId> level = {259};
  EXPECT_TRUE(RowsOf(ReadsPerMemoryOf(level)).empty());
  EXPECT_TRUE(ReadsPerMemoryOf(level).ids.empty());
  // An Input DSP record is no memory's.
  const std::vector<ParamId> mixed = {199, 28, 259};
  EXPECT_EQ(ReadsPerMemoryOf(mixed).ids, dsp);
  // The whole memory: only rows read per memory, the level among none.
  const MemoryReads all = ReadsPerMemory();
  const std::vector<int> rows = RowsOf(all);
  ASSERT_FALSE(rows.empty());
  for (const int row : rows)
    EXPECT_NE(kReadRequestTable[static_cast<size_t>(row)].flags & kReadPerSystemMemory, 0) << row;
  EXPECT_TRUE(std::is_sorted(all.ids.begin(), all.ids.end()));
  EXPECT_NE(std::find(all.ids.begin(), all.ids.end(), 28), all.ids.end());
  EXPECT_EQ(std::find(all.ids.begin(), all.ids.end(), 259), all.ids.end());
}

TEST(ParameterReads, AWriteIsReadBackByTheRowOfTheSameAddress) {
  // A write carries its operation character where the answer to a read
  // has "0": a tuner preset and a Zone 2 trigger item.
  EXPECT_EQ(RowsReadingBack(FrameExtended("\x14"
                                          "200D0501110099.90")),
            std::vector<int>{223});
  EXPECT_EQ(RowsReadingBack(FrameExtended("\x14"
                                          "2009040101001")),
            std::vector<int>{360});
  // Another preset's address is another row.
  EXPECT_EQ(RowsReadingBack(FrameExtended("\x14"
                                          "200D0501120099.90")),
            std::vector<int>{224});
  EXPECT_TRUE(RowsReadingBack(FrameStandard("07A1D")).empty());
  EXPECT_TRUE(RowsReadingBack("").empty());
}

TEST(ParameterReads, AChangeReadsWhatItsPageWritesWithIt) {
  CommandCapture capture(ControlMode::kRealTime);
  CCommClass& link = capture.Link();
  const int distance = ReadParameter(link.CurrentImage(), 270);
  ASSERT_NE(distance, 350);
  // A distance carries the unit: the row of that distance, which answers
  // both, and nothing of the other distances.
  EXPECT_EQ(RowsTheChangeWrites(link, "Speaker Distance", "FL", "3.50"), std::vector<int>{334});
  // A trigger switch of the main zone: its own row.
  EXPECT_EQ(RowsTheChangeWrites(link, "TRIGGER OUT", "TRIGGER OUT1 PHONO Main", "L"),
            std::vector<int>{347});
  // A value the configuration carries writes a standard command: no row
  // reads it back, the report that answers the command tells it.
  EXPECT_TRUE(RowsTheChangeWrites(link, "Speaker Set", "SW Phase", "Reverse").empty());
  // Nothing for a name no page has; the link's images are left alone.
  EXPECT_TRUE(RowsTheChangeWrites(link, "Speaker Set", "Nothing", "Reverse").empty());
  EXPECT_EQ(ReadParameter(link.CurrentImage(), 270), distance);
  EXPECT_TRUE(capture.Frames().empty());
}

TEST(QuickConnection, AConnectionForOneValueSendsOnlyItsFrames) {
  // A value the configuration carries: the connection frames and nothing
  // else; no pause before reads that do not come.
  {
    Harness h;
    StoreParameter(h.receiver.State(), 259, 35);
    h.link().LimitNextInitialLoad(std::vector<int>{});
    ASSERT_TRUE(h.Connect());
    h.clock.Advance(1000);
    EXPECT_EQ(h.ReceivedShown(), kConnectionFrames);
    EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 259), 35);
    EXPECT_FALSE(h.link().IsLoadLimited());
  }
  // A DSP parameter: the program is selected, its parameter read, and the
  // program the receiver played selected again.
  {
    Harness h;
    StoreParameter(h.receiver.State(), 28, -4);
    StoreParameter(h.receiver.State(), 4, 2);  // the third program is playing
    const std::vector<ParamId> ids = {28};
    h.link().LimitNextInitialLoad(RowsToRead(ids));
    ASSERT_TRUE(h.Connect());
    h.clock.Advance(1000);
    EXPECT_EQ(h.ReceivedShown(),
              Then(kConnectionFrames,
                   {"<STX>07EE1<ETX>", "<DC4>20090210000E093<ETX>", "<STX>07EE6<ETX>"}));
    EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 28), -4);
    EXPECT_EQ(ReadParameter(h.link().CurrentImage(), 4), 2);
    EXPECT_EQ(ReadParameter(h.receiver.State(), 4), 2);
  }
}

TEST(QuickConnection, MoreRowsAreReadOverTheSameConnectionAndPureDirectIsPutBack) {
  Harness h;
  StoreParameter(h.receiver.State(), 8, 1);  // Pure Direct on
  StoreText(h.receiver.State(), 436, "099.90");
  h.link().LimitNextInitialLoad(std::vector<int>{});
  ASSERT_TRUE(h.Connect());
  h.clock.Advance(1000);
  // Pure Direct, switched off for the connection, is switched on again.
  EXPECT_EQ(h.ReceivedShown(), Then(kConnectionFrames, {"<STX>07E80<ETX>"}));
  const size_t before = h.ReceivedShown().size();
  const std::vector<ParamId> preset = {436};
  ASSERT_TRUE(h.session.ReadRows(RowsToRead(preset)));
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kConnected);
  h.clock.Advance(1000);
  EXPECT_EQ(h.ReceivedShown(before),
            (std::vector<std::string>{"<STX>07E82<ETX>", "<DC4>200500001B8<ETX>",
                                      "<DC4>2006050011EF<ETX>", "<STX>07E80<ETX>"}));
  EXPECT_EQ(ReadText(h.link().CurrentImage(), 436), "099.90");
  // Nothing to read is done at once and sends nothing.
  const size_t after = h.ReceivedShown().size();
  ASSERT_TRUE(h.session.ReadRows({}));
  h.clock.Advance(1000);
  EXPECT_EQ(h.ReceivedShown().size(), after + 0);
}

TEST(QuickConnection, AReceiverThatStopsAnsweringEndsTheReadAsFailed) {
  sim::SimOptions options;
  options.silentAfterFrames = 6;  // the connection, then nothing
  Harness h(options);
  const std::vector<ParamId> ids = {28};
  h.link().LimitNextInitialLoad(RowsToRead(ids));
  h.session.Open();
  const auto outcome = h.RunUntilOutcome();
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->outcome, OperationOutcome::kFailed);
  EXPECT_EQ(outcome->message, kMessageInitializationError);
  EXPECT_FALSE(h.link().IsPortOpen());
  // A link that is not connected reads nothing.
  EXPECT_FALSE(h.session.ReadRows({26}));
}

TEST(QuickConnection, TheFullLoadStillReadsEveryRow) {
  Harness h;
  h.link().LimitNextInitialLoad(std::nullopt);
  ASSERT_TRUE(h.Connect());
  int requests = 0;
  for (const std::string& frame : h.receiver.ReceivedFrames()) requests += frame[0] == '\x14';
  int loadRows = 0;
  for (int row = 0; row < kReadRequestRows; ++row)
    loadRows += (kReadRequestTable[static_cast<size_t>(row)].flags & kReadInInitialLoad) != 0;
  // Row 24 and the 26 program selections are standard frames.
  EXPECT_EQ(requests, loadRows - 1 - 26);
}

}  // namespace
}  // namespace qamp

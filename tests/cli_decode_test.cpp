// qampctl decode, checksum and frame, run in-process with captured output.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/command.h"
#include "support/qampctl_runner.h"

namespace qamp::cli {
namespace {

using Result = testing::QampctlResult;
using testing::Qampctl;

TEST(QampctlDecode, JsonGivesOneObjectPerFrame) {
  const Result result = Qampctl({"decode", "--json", "<STX>0026C7<ETX>", "\\x02002600\\x03"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(
      result.out,
      "{\"frame\":\"<STX>0026C7<ETX>\",\"kind\":1,\"pairs\":[[6,0]],\"recognised\":true}\n"
      "{\"frame\":\"<STX>002600<ETX>\",\"kind\":1,\"pairs\":[[6,-805]],\"recognised\":true}\n");
}

TEST(QampctlDecode, ListedIdsAreNullAndTextsAreStringsInLatin1) {
  Result result = Qampctl({"decode", "--json", "<STX>003000<ETX>"});
  EXPECT_EQ(
      result.out,
      "{\"frame\":\"<STX>003000<ETX>\",\"kind\":22,\"pairs\":[[563,null]],\"recognised\":true}\n");
  result = Qampctl({"decode", "--json", "<DC4>2012011000009\\xC9\"Q\\\\ PHONO\\x41\\x42<ETX>"});
  EXPECT_EQ(result.status, 0);
  // The name holds É (0xC9, written as UTF-8), a quote and a backslash.
  EXPECT_NE(result.out.find("\"pairs\":[[229,\"\xC3\x89\\\"Q\\\\ PHON\"]]"), std::string::npos)
      << result.out;
}

TEST(QampctlDecode, UnrecognisedFramesSetExitStatusOne) {
  const Result result = Qampctl({"decode", "--json", "<STX>0026C7<ETX>", "<STX>00FF00<ETX>"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("{\"frame\":\"<STX>00FF00<ETX>\",\"recognised\":false}"),
            std::string::npos);
}

TEST(QampctlDecode, ConfigurationReportListsItsNinetySixReports) {
  std::string report = "<DC2>R02260B5" + std::string(180, '0') + "<ETX>";
  Result result = Qampctl({"decode", "--json", report});
  EXPECT_EQ(result.status, 0);
  // One object on one line.
  ASSERT_TRUE(result.out.ends_with("}\n"));
  EXPECT_EQ(result.out.find('\n'), result.out.size() - 1);
  QJsonParseError error;
  const QJsonObject object =
      QJsonDocument::fromJson(QByteArray::fromStdString(result.out), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << result.out;
  EXPECT_EQ(object["frame"].toString().toStdString(),
            "<DC2>R02260B5" + std::string(180, '0') + "<ETX>");
  EXPECT_TRUE(object["configuration"].toBool());
  EXPECT_TRUE(object["accepted"].toBool());
  EXPECT_EQ(object["model"].toString(), "R0226");
  const QJsonArray reports = object["reports"].toArray();
  ASSERT_EQ(reports.size(), 96);
  for (const QJsonValue& one : reports)
    EXPECT_TRUE(one.toObject()["frame"].toString().startsWith("<STX>"));
  // The first report is code 20 with the character of position 8.
  const QJsonObject first = reports[0].toObject();
  EXPECT_EQ(first["frame"].toString(), "<STX>002000<ETX>");
  EXPECT_TRUE(first["recognised"].toBool());
  EXPECT_EQ(first["kind"].toInt(), 1);
  EXPECT_EQ(QJsonDocument(first["pairs"].toArray()).toJson(QJsonDocument::Compact),
            "[[9,0],[10,0],[11,0]]");

  report.replace(5, 5, "R0999");
  result = Qampctl({"decode", report});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("configuration report, rejected (wrong model), model R0999"),
            std::string::npos);
}

TEST(QampctlDecode, UsageErrorsExitWithTwoAndSayWhatWasWrong) {
  Result result = Qampctl({"decode"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("no FRAME"), std::string::npos);
  result = Qampctl({"decode", "--xml", "<STX><ETX>"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("--xml"), std::string::npos);
  result = Qampctl({"decode", "\\q"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("malformed escape at character 1"), std::string::npos);
  result = Qampctl({"nonsense"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("unknown command 'nonsense'"), std::string::npos);
  EXPECT_EQ(Qampctl({}).status, 2);
}

TEST(QampctlDecode, HelpAndVersionAnswerOnEveryLevel) {
  EXPECT_EQ(Qampctl({"--help"}).status, 0);
  EXPECT_NE(Qampctl({"--help"}).out.find("decode"), std::string::npos);
  const Result help = Qampctl({"decode", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("usage: qampctl decode"));
  EXPECT_EQ(Qampctl({"checksum", "-h"}).status, 0);
  const Result version = Qampctl({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.out.starts_with("qampctl "));
}

TEST(QampctlChecksumAndFrame, PrintChecksumAndFramedMessage) {
  EXPECT_EQ(Qampctl({"checksum", "20050000F"}).out, "CD\n");
  EXPECT_EQ(Qampctl({"checksum", ""}).out, "00\n");
  EXPECT_EQ(Qampctl({"frame", "20050000F"}).out, "<DC4>20050000FCD<ETX>\n");
  EXPECT_EQ(Qampctl({"frame", "<DC4>20050000F"}).out, "<DC4>20050000FCD<ETX>\n");
  EXPECT_EQ(Qampctl({"checksum"}).status, 2);
  EXPECT_EQ(Qampctl({"frame", "a", "b"}).status, 2);
}

}  // namespace
}  // namespace qamp::cli

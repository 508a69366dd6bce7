// Series files that are not series files, absurd numbers and searches that fail: every one
// gets a message and an exit code, none a crash or a hang.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "CliOutput.h"
#include "CliProcess.h"
#include "CliSeriesFiles.h"
#include "cli/CommandSupport.h"

namespace ordavin::cli::testing {
namespace {

class HostileInputTest : public ::testing::Test {
 protected:
  // Each command that loads a series must refuse the file alike.
  void ExpectRefusedByEveryCommand(const std::string& path, const std::string& message) {
    for (const char* command : {"values", "divider", "target"}) {
      const CliResult r =
          RunCli({command, "--series", path}, std::nullopt, std::chrono::seconds(10));
      EXPECT_FALSE(r.timedOut) << command << " " << path;
      EXPECT_EQ(r.exitCode, 1) << command << " " << path;
      EXPECT_EQ(r.err, message) << command << " " << path;
      EXPECT_EQ(r.out, "") << command;
    }
  }

  TempDir dir;
};

// FIFOs, links to devices and permission bits are POSIX's.
#ifndef _WIN32
TEST_F(HostileInputTest, WhatIsNotARegularFileIsRefusedWithoutBlocking) {
  const auto fifo = dir.path() / "F.SER";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ExpectRefusedByEveryCommand(fifo.string(),
                              "Loading failed.\n'" + fifo.string() + "': Not a regular file\n");

  const std::string loop = (dir.path() / "L.SER").string();
  std::filesystem::create_symlink("L.SER", loop);
  ExpectRefusedByEveryCommand(
      loop, "Loading failed.\n'" + loop + "': Too many levels of symbolic links\n");

  const std::string device = (dir.path() / "Z.SER").string();
  std::filesystem::create_symlink("/dev/zero", device);
  ExpectRefusedByEveryCommand(device, "Loading failed.\n'" + device + "': Not a regular file\n");
}

TEST_F(HostileInputTest, AFileWithoutReadPermission) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "Running as root, which reads any file; the value set's own test tries "
                    "this load as the user nobody.";
  }
  const std::string path = dir.Write("locked.ser", SeriesText({"1", "2"}, {"0"}));
  std::filesystem::permissions(path, std::filesystem::perms::none);
  ExpectRefusedByEveryCommand(path, "Loading failed.\n'" + path + "': Permission denied\n");
}
#endif

TEST_F(HostileInputTest, ALineWithoutEndIsRefusedWithItsMessage) {
  const std::string path = dir.Write("image.ser", "baseval\n");
  std::filesystem::resize_file(path, std::uintmax_t{1} << 30);
  ExpectRefusedByEveryCommand(path, "Could not read image.ser: a line is longer than 64 MiB.\n");
}

TEST_F(HostileInputTest, BinaryFilesLoadWhatNumbersTheyHold) {
  using namespace std::string_literals;
  const std::string path =
      dir.Write("bin.ser",
                "\x7f"
                "ELF\x02\x01\0\0\nbaseval\n\0\xff 1e3 \xfe\n2200\ndecades\n0\n"s);
  const CliResult r = RunCli({"values", "--series", path, "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Json doc = Json::parse(r.out);
  EXPECT_EQ(doc["values"], Json::parse("[1000,2200]"));
  EXPECT_EQ(doc["texts"][0], "1.00 k\u2126");
}

TEST_F(HostileInputTest, InfiniteNegativeAndZeroValuesRunBothSearches) {
  // Infinite bounds let infinite and negative values into the set.
  const std::string path = dir.Write(
      "wild.ser", SeriesText({"1e308", "-1", "0", "2.5"}, {"0", "20"}, "-1e999", "1e999"));
  const CliResult values = RunCli({"values", "--series", path, "--json"});
  ASSERT_EQ(values.exitCode, 0) << values.err;
  EXPECT_EQ(Json::parse(values.out)["values"],
            Json::parse("[1e308,-1,0,2.5,\"inf\",-1e20,0,2.5e20]"));

  const CliResult divider = RunCli({"divider", "--series", path, "--upper", "2", "--lower", "2",
                                    "--series-window", "off", "--tolerance", "5", "--json"});
  ASSERT_EQ(divider.exitCode, 0) << divider.err;
  const Json d = Json::parse(divider.out);
  EXPECT_EQ(d["visited"], 36u * 36u);
  for (const Json& m : d["matches"]) EXPECT_TRUE(m["error"].is_number()) << m.dump();

  for (const char* connection : {"both", "parallel", "series"}) {
    const CliResult target = RunCli({"target", "--series", path, "--count", "5", "--tolerance",
                                     "10", "--connection", connection, "--json"});
    EXPECT_EQ(target.exitCode, 0) << connection << " " << target.err;
    EXPECT_NO_THROW(const Json parsed = Json::parse(target.out)) << target.out;
  }
  // Text output too: a negative value has no engineering text, an infinite one does.
  const CliResult text =
      RunCli({"target", "--series", path, "--count", "2", "--tolerance", "10", "--target", "1e20"});
  EXPECT_EQ(text.exitCode, 0) << text.err;
  EXPECT_NE(text.out.find("Total possible combinations = 72\n"), std::string::npos) << text.out;
}

TEST_F(HostileInputTest, AFailingSearchIsReportedAndRefused) {
  std::ostringstream out;
  std::ostringstream err;
  const Streams streams{out, err, false};
  const auto outcome =
      RunReportedSearch([](const std::atomic<bool>&) { throw std::bad_alloc(); },
                        SearchWatch{[](double) { return std::string(); }, {}}, streams);
  EXPECT_FALSE(outcome.has_value());
  EXPECT_EQ(err.str(), "The optimization failed: Not enough memory for the search.\n");
  EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace ordavin::cli::testing

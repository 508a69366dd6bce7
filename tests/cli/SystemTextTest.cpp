// Arguments and paths beyond ASCII reach the program and its files intact: on Windows they
// go through the wide command line and wide paths, elsewhere as bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CliOutput.h"
#include "CliProcess.h"
#include "CliSeriesFiles.h"
#include "cli/SystemText.h"

namespace ordavin::cli::testing {
namespace {

// "Ω µ Ä 電" in UTF-8: two-, three-byte and CJK characters, none in a Western code page
// together.
const std::string kName = "\xCE\xA9 \xC2\xB5 \xC3\x84 \xE9\x9B\xBB.SER";

// The path's own UTF-8, as bytes (GoogleTest prints std::string, not std::u8string).
std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TEST(SystemTextTest, ASeriesNamedBeyondAsciiIsLoaded) {
  TempDir dir;
  const std::string folder = Utf8Of(dir.path());
  const std::string path = folder + "/" + kName;
  dir.Write("plain.SER", SeriesText({"1", "2"}, {"0"}));
  // The file is made through the same conversion the program opens it with.
  std::filesystem::copy_file(dir.path() / "plain.SER", PathFromText(path));

  const CliResult r = RunCli({"values", "--series", path});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "0\t1.00 \u2126\n1\t2.00 \u2126\n2 resistor values loaded.\n");
}

TEST(SystemTextTest, AMissingSeriesIsNamedAsGiven) {
  TempDir dir;
  const std::string folder = Utf8Of(dir.path());
  const CliResult r = RunCli({"values", "--series", folder + "/missing " + kName});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("missing " + kName + "':"), std::string::npos) << r.err;
}

TEST(SystemTextTest, PathsKeepTheirCharacters) {
  EXPECT_EQ(Utf8Of(PathFromText(kName)), kName);
  EXPECT_EQ(Utf8Of(PathFromText("folder/" + kName).filename()), kName);
  EXPECT_TRUE(PathFromText("").empty());
}

}  // namespace
}  // namespace ordavin::cli::testing

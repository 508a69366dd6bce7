#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "values/SeriesCatalogue.h"

namespace ordavin {
namespace {

using ::ordavin::testing::TempDir;

TEST(SeriesCatalogueTest, TitlesSortedWithoutRegardToCase) {
  TempDir dir;
  dir.Write("e24.ser", "");
  dir.Write("E12.SER", "");
  dir.Write("E6.SER", "");
  dir.Write("notes.txt", "");
  dir.Write("E3.SER.bak", "");
  dir.Write("Mixed.Ser", "");
  std::filesystem::create_directory(dir.path() / "X.SER");
  EXPECT_EQ(ListSeriesTitles(dir.path()),
            (std::vector<std::string>{"E12", "e24", "E6", "Mixed", "X"}));
}

TEST(SeriesCatalogueTest, EmptyOrMissingFolder) {
  TempDir dir;
  EXPECT_TRUE(ListSeriesTitles(dir.path()).empty());
  EXPECT_TRUE(ListSeriesTitles(dir.path() / "missing").empty());
  dir.Write(".ser", "");
  EXPECT_TRUE(ListSeriesTitles(dir.path()).empty());
}

TEST(SeriesCatalogueTest, FileForTitleFindsTheListedSpelling) {
  TempDir dir;
  dir.Write("E12.SER", "");
  dir.Write("e24.ser", "");
  EXPECT_EQ(SeriesFileForTitle(dir.path(), "E12"), dir.path() / "E12.SER");
  EXPECT_EQ(SeriesFileForTitle(dir.path(), "e24"), dir.path() / "e24.ser");
#ifndef _WIN32
  // Two names that differ only in case are two files only where the file system is
  // case-sensitive, not on Windows.
  dir.Write("a.Ser", "");
  dir.Write("A.sER", "");
  EXPECT_EQ(SeriesFileForTitle(dir.path(), "a"), dir.path() / "a.Ser");
  EXPECT_EQ(SeriesFileForTitle(dir.path(), "A"), dir.path() / "A.sER");
#endif
  // A file deleted since it was listed: the name it had, which then fails to open.
  EXPECT_EQ(SeriesFileForTitle(dir.path(), "E6"), dir.path() / "E6.ser");
}

}  // namespace
}  // namespace ordavin

#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ordavin {

// The titles of the series files in a folder: every entry whose name ends in ".ser" in any
// case (directories too, as the listing shows them), without that extension, sorted
// alphabetically without regard to case. Empty when the folder cannot be listed.
std::vector<std::string> ListSeriesTitles(const std::filesystem::path& folder);

// The file a title stands for: the title followed by ".ser", found again with the extension
// in whatever case the folder spells it (this file system tells case apart).
std::filesystem::path SeriesFileForTitle(const std::filesystem::path& folder,
                                         const std::string& title);

}  // namespace ordavin

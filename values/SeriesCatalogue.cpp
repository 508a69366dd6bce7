#include "values/SeriesCatalogue.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace ordavin {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool HasSeriesExtension(const std::string& name) {
  static constexpr std::string_view kExtension = ".ser";
  if (name.size() <= kExtension.size()) return false;
  for (std::size_t i = 0; i < kExtension.size(); ++i) {
    if (Lower(name[name.size() - kExtension.size() + i]) != kExtension[i]) return false;
  }
  return true;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

}  // namespace

std::vector<std::string> ListSeriesTitles(const std::filesystem::path& folder) {
  std::vector<std::string> titles;
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    const std::string name = it->path().filename().string();
    // "*.SER" as a pattern: "X.SER" matches, a bare ".SER" has no title and is left out.
    if (HasSeriesExtension(name)) titles.push_back(name.substr(0, name.size() - 4));
  }
  std::stable_sort(titles.begin(), titles.end(), LessIgnoringCase);
  return titles;
}

std::filesystem::path SeriesFileForTitle(const std::filesystem::path& folder,
                                         const std::string& title) {
  // The title as listed, with ".ser" in whatever case the folder spells it.
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (HasSeriesExtension(name) && name.size() == title.size() + 4 &&
        name.compare(0, title.size(), title) == 0) {
      return it->path();
    }
  }
  return folder / (title + ".ser");
}

}  // namespace ordavin

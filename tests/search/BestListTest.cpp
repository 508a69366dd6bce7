#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "search/BestList.h"

namespace ordavin {
namespace {

struct Entry {
  int score;
  int id;
  bool operator==(const Entry&) const = default;
};
// Lower score first; among equal scores the larger id.
struct EntryBefore {
  bool operator()(const Entry& a, const Entry& b) const {
    return a.score != b.score ? a.score < b.score : a.id > b.id;
  }
};
using List = BestList<Entry, EntryBefore>;

std::vector<Entry> Expected(std::vector<Entry> all, std::size_t capacity) {
  std::sort(all.begin(), all.end(), EntryBefore{});
  all.resize(std::min(all.size(), capacity));
  return all;
}

std::vector<Entry> RandomEntries(std::mt19937& rng, int count) {
  std::vector<Entry> entries;
  // Few distinct scores: many ties, decided by the id.
  std::uniform_int_distribution<int> score(0, 9);
  for (int id = 0; id < count; ++id) entries.push_back({score(rng), id});
  return entries;
}

TEST(BestListTest, KeepsTheBestWhateverTheOrderOfOffers) {
  std::mt19937 rng(7);
  for (const std::size_t capacity : {0u, 1u, 3u, 10u, 200u}) {
    for (int round = 0; round < 20; ++round) {
      std::vector<Entry> entries = RandomEntries(rng, 1 + round * 7);
      const std::vector<Entry> expected = Expected(entries, capacity);
      std::shuffle(entries.begin(), entries.end(), rng);
      List list(capacity);
      for (const Entry& e : entries) {
        const bool admitted = list.Admits(e);
        EXPECT_EQ(list.Offer(e), admitted);
      }
      EXPECT_EQ(std::vector<Entry>(list.Entries().begin(), list.Entries().end()), expected)
          << "capacity " << capacity << ", round " << round;
      EXPECT_EQ(list.Full(), entries.size() >= capacity);
    }
  }
}

TEST(BestListTest, MergingListsOfSplitWorkGivesTheListOfTheWhole) {
  std::mt19937 rng(11);
  for (const std::size_t capacity : {0u, 1u, 5u, 12u}) {
    for (int round = 0; round < 20; ++round) {
      const std::vector<Entry> entries = RandomEntries(rng, 5 + round * 11);
      std::vector<List> lists(static_cast<std::size_t>(1 + round % 4), List(capacity));
      for (const Entry& e : entries) lists[rng() % lists.size()].Offer(e);
      const List merged = MergeBestLists<Entry, EntryBefore>(lists, capacity);
      EXPECT_EQ(std::vector<Entry>(merged.Entries().begin(), merged.Entries().end()),
                Expected(entries, capacity))
          << "capacity " << capacity << ", round " << round;
    }
  }
}

TEST(BestListTest, AnEntryTyingTheWorstGetsInOnlyWhenItRanksAhead) {
  List list(2);
  list.Offer({1, 5});
  list.Offer({3, 5});
  ASSERT_TRUE(list.Full());
  EXPECT_FALSE(list.Offer({3, 4}));  // same score, smaller id: behind the worst
  EXPECT_TRUE(list.Offer({3, 6}));   // same score, larger id: ahead of it
  EXPECT_EQ(list.Worst(), (Entry{3, 6}));
  EXPECT_FALSE(list.Offer({4, 100}));
}

}  // namespace
}  // namespace ordavin

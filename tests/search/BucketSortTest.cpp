#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <random>
#include <vector>

#include "search/BucketSort.h"

namespace ordavin {
namespace {

// Items of ranks [0, size): a key per rank, some left out.
class TableSource {
 public:
  TableSource(std::vector<std::uint64_t> keys, std::vector<bool> kept)
      : m_keys(std::move(keys)), m_kept(std::move(kept)) {}
  std::uint64_t Size() const { return m_keys.size(); }
  template <class Emit>
  void ForEach(std::uint64_t first, std::uint64_t end, Emit&& emit) const {
    for (std::uint64_t r = first; r < end; ++r) {
      if (m_kept[r]) emit(m_keys[r], r);
    }
  }
  std::vector<KeyRank> Sorted() const {
    std::vector<KeyRank> all;
    for (std::uint64_t r = 0; r < m_keys.size(); ++r) {
      if (m_kept[r]) all.push_back({m_keys[r], r});
    }
    std::sort(all.begin(), all.end(), KeyRankLess);
    return all;
  }

 private:
  std::vector<std::uint64_t> m_keys;
  std::vector<bool> m_kept;
};

TableSource RandomSource(std::mt19937_64& rng, std::size_t size, std::uint64_t keySpan) {
  std::vector<std::uint64_t> keys(size);
  std::vector<bool> kept(size);
  for (std::size_t i = 0; i < size; ++i) {
    // Clusters and repeats, as sums of resistor values have.
    keys[i] = (rng() % 4 == 0) ? 1000 + rng() % 3 : 1000 + rng() % keySpan;
    kept[i] = rng() % 5 != 0;
  }
  return TableSource(std::move(keys), std::move(kept));
}

template <class Rank>
std::vector<KeyRank> SortInSlabs(const TableSource& source, const KeyBuckets& buckets,
                                 unsigned workers, std::uint64_t slabCapacity,
                                 std::size_t* slabCount = nullptr) {
  const std::atomic<bool> abort{false};
  BucketHistogram histogram;
  EXPECT_TRUE(CountBuckets(source, buckets, workers, abort, histogram));
  const std::vector<BucketRange> slabs = PlanSlabs(histogram.Totals(), slabCapacity);
  if (slabCount != nullptr) *slabCount = slabs.size();
  std::vector<KeyRank> result;
  for (const BucketRange& slab : slabs) {
    std::vector<std::uint64_t> keys(slab.items);
    std::vector<Rank> ranks(slab.items);
    EXPECT_TRUE(SortSlab(source, buckets, histogram, slab, abort,
                         KeyRankArrays<Rank>{keys.data(), ranks.data()}));
    for (std::size_t i = 0; i < keys.size(); ++i) result.push_back({keys[i], ranks[i]});
  }
  return result;
}

bool Equal(const std::vector<KeyRank>& a, const std::vector<KeyRank>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const KeyRank& x, const KeyRank& y) {
    return x.key == y.key && x.rank == y.rank;
  });
}

TEST(BucketSortTest, SortsByKeyThenRankWithAnyBucketsAndWorkers) {
  std::mt19937_64 rng(3);
  for (const std::size_t size : {0u, 1u, 17u, 5000u, 40000u}) {
    for (const std::uint64_t span : {std::uint64_t{1}, std::uint64_t{50}, std::uint64_t{1} << 40}) {
      const TableSource source = RandomSource(rng, size, span);
      for (const std::uint64_t wanted : {1u, 7u, 1024u}) {
        for (const unsigned workers : {1u, 3u}) {
          // The bounds are deliberately too narrow: keys outside land in the end buckets.
          const KeyBuckets buckets(1001, 1000 + span / 2, wanted);
          EXPECT_TRUE(
              Equal(SortInSlabs<std::uint32_t>(source, buckets, workers, size), source.Sorted()))
              << "size " << size << ", span " << span << ", buckets " << wanted << ", workers "
              << workers;
        }
      }
    }
  }
}

// Workers take every other stride of ranks, so a bucket of one key receives its ranks out of
// order and must still come out by rank.
TEST(BucketSortTest, OneKeyOverManyStridesComesOutByRank) {
  std::mt19937_64 rng(7);
  const std::size_t size = 3 * (std::size_t{1} << 15) + 5;
  std::vector<bool> kept(size);
  for (std::size_t i = 0; i < size; ++i) kept[i] = rng() % 3 != 0;
  const TableSource source(std::vector<std::uint64_t>(size, 42), kept);
  for (const unsigned workers : {2u, 3u}) {
    const KeyBuckets buckets(0, 100, 8);
    EXPECT_TRUE(Equal(SortInSlabs<std::uint32_t>(source, buckets, workers, size), source.Sorted()))
        << "workers " << workers;
  }
}

TEST(BucketSortTest, KeysAcrossTheWhole64BitRange) {
  std::vector<std::uint64_t> keys = {UINT64_MAX, 0, 1,    UINT64_MAX - 1, std::uint64_t{1} << 63,
                                     UINT64_MAX, 0, 12345};
  std::mt19937_64 rng(13);
  for (int i = 0; i < 3000; ++i) keys.push_back(rng());
  const TableSource source(keys, std::vector<bool>(keys.size(), true));
  for (const std::uint64_t wanted : {1u, 2u, 1000u}) {
    const KeyBuckets buckets(0, UINT64_MAX, wanted);
    EXPECT_LE(buckets.Count(), std::max<std::uint64_t>(wanted, 2));
    EXPECT_TRUE(Equal(SortInSlabs<std::uint32_t>(source, buckets, 2, keys.size()), source.Sorted()))
        << "buckets " << wanted;
  }
}

TEST(BucketSortTest, SlabsTogetherGiveTheWholeOrder) {
  std::mt19937_64 rng(5);
  const TableSource source = RandomSource(rng, 50000, std::uint64_t{1} << 30);
  const KeyBuckets buckets(1000, 1000 + (std::uint64_t{1} << 30), 64);
  // A quarter of the keys fall into the first bucket: a slab must hold it whole.
  std::size_t slabs = 0;
  EXPECT_TRUE(
      Equal(SortInSlabs<std::uint64_t>(source, buckets, 2, 15000, &slabs), source.Sorted()));
  EXPECT_GE(slabs, 3u);
}

TEST(BucketSortTest, PlanSlabsKeepsWithinTheCapacityOrGivesUp) {
  const std::vector<std::uint64_t> totals = {3, 0, 4, 2, 5, 1};
  const std::vector<BucketRange> slabs = PlanSlabs(totals, 6);
  ASSERT_EQ(slabs.size(), 3u);
  std::uint32_t next = 0;
  for (const BucketRange& slab : slabs) {
    EXPECT_EQ(slab.first, next);
    EXPECT_LE(slab.items, 6u);
    next = slab.end;
  }
  EXPECT_EQ(next, totals.size());
  EXPECT_TRUE(PlanSlabs(totals, 4).empty());  // a bucket of 5 cannot be split
  EXPECT_EQ(PlanSlabs(std::vector<std::uint64_t>{0, 0}, 0).size(), 1u);
}

TEST(BucketSortTest, AnAbortStopsEachPass) {
  std::mt19937_64 rng(9);
  const TableSource source = RandomSource(rng, 200000, 1u << 20);
  const KeyBuckets buckets(1000, 1000 + (1u << 20), 16);
  const std::atomic<bool> abort{true};
  BucketHistogram histogram;
  EXPECT_FALSE(CountBuckets(source, buckets, 2, abort, histogram));
  const std::atomic<bool> go{false};
  ASSERT_TRUE(CountBuckets(source, buckets, 2, go, histogram));
  const BucketRange all{0, buckets.Count(), histogram.Sum()};
  std::vector<std::uint64_t> keys(all.items);
  std::vector<std::uint32_t> ranks(all.items);
  EXPECT_FALSE(SortSlab(source, buckets, histogram, all, abort,
                        KeyRankArrays<std::uint32_t>{keys.data(), ranks.data()}));
}

}  // namespace
}  // namespace ordavin

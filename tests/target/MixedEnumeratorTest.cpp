#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "network/Network.h"
#include "target/NetworkCode.h"
#include "target/mixed/CanonicalOrder.h"
#include "target/mixed/MixedArithmetic.h"
#include "target/mixed/MixedEnumerator.h"
#include "target/mixed/MixedNetworkCount.h"

namespace ordavin {
namespace {

const std::atomic<bool> kGoOn{false};

// An independent description of a network, blind to the order of a connection's parts:
// "S(...)" or "P(...)" around the sorted descriptions of the parts, a resistor as its position.
using Descriptions = std::vector<std::string>;

std::string Describe(std::span<const std::int32_t> code, std::size_t& next) {
  const std::int32_t token = code[next++];
  if (!IsConnectionToken(token)) return std::to_string(token);
  Descriptions parts;
  for (std::uint32_t k = 0; k < PartCountOf(token); ++k) parts.push_back(Describe(code, next));
  std::sort(parts.begin(), parts.end());
  std::string text = IsParallelToken(token) ? "P(" : "S(";
  for (const std::string& part : parts) text += part + ",";
  return text + ")";
}

std::string Describe(std::span<const std::int32_t> code) {
  std::size_t next = 0;
  return Describe(code, next);
}

// Every network of `size` resistors, by brute force: each ordered way of splitting the size
// into two or more parts, each part any smaller network not of the same kind; duplicates fall
// together in the set.
std::set<std::string> AllNetworks(std::uint32_t positions, std::uint32_t size, char notKind);

void Compose(std::uint32_t positions, std::uint32_t size, char kind, std::uint32_t left,
             Descriptions& chosen, std::set<std::string>& all) {
  if (left == 0) {
    Descriptions sorted = chosen;
    std::sort(sorted.begin(), sorted.end());
    std::string text = std::string(1, kind) + "(";
    for (const std::string& part : sorted) text += part + ",";
    all.insert(text + ")");
    return;
  }
  for (std::uint32_t s = 1; s <= left && s < size; ++s) {
    for (const std::string& part : AllNetworks(positions, s, kind)) {
      chosen.push_back(part);
      Compose(positions, size, kind, left - s, chosen, all);
      chosen.pop_back();
    }
  }
}

std::set<std::string> AllNetworks(std::uint32_t positions, std::uint32_t size, char notKind) {
  std::set<std::string> all;
  if (size == 1) {
    for (std::uint32_t p = 0; p < positions; ++p) all.insert(std::to_string(p));
    return all;
  }
  for (const char kind : {'S', 'P'}) {
    if (kind == notKind) continue;
    Descriptions chosen;
    Compose(positions, size, kind, size, chosen, all);
  }
  return all;
}

Network Built(std::span<const std::int32_t> code, std::size_t& next, const double* values) {
  const std::int32_t token = code[next++];
  if (!IsConnectionToken(token)) return Resistor(values[token], token);
  std::vector<Network> parts;
  for (std::uint32_t k = 0; k < PartCountOf(token); ++k) {
    parts.push_back(Built(code, next, values));
  }
  return Connect(IsParallelToken(token) ? Connection::Parallel : Connection::Series,
                 std::move(parts));
}

TEST(MixedEnumeratorTest, EveryNetworkExactlyOnceInCanonicalForm) {
  const double values[] = {47.0, 10.0, 10.0, 3.3};
  for (std::uint32_t positions = 1; positions <= 3; ++positions) {
    for (std::uint32_t size = 1; size <= 5; ++size) {
      if (positions == 3 && size == 5) continue;  // the brute force grows too slow
      const std::set<std::string> expected = AllNetworks(positions, size, ' ');
      std::set<std::string> seen;
      std::uint64_t visits = 0;
      bool allCanonical = true;
      bool totalsAgree = true;
      MixedEnumerator networks(values, positions, size, kGoOn);
      networks.ForEach([&](std::span<const std::int32_t> code, double total) {
        ++visits;
        seen.insert(Describe(code));
        allCanonical = allCanonical && IsCanonical(code) && ResistorCountOf(code) == size;
        std::size_t next = 0;
        totalsAgree = totalsAgree && total == MixedTotal(values, code) &&
                      total == Resistance(Built(code, next, values));
        return true;
      });
      const std::string where =
          std::to_string(positions) + " positions, " + std::to_string(size) + " resistors";
      EXPECT_EQ(seen, expected) << where;
      EXPECT_EQ(visits, expected.size()) << where;
      EXPECT_EQ(visits, MixedNetworkCount(positions, size)) << where;
      EXPECT_TRUE(allCanonical) << where;
      EXPECT_TRUE(totalsAgree) << where;
    }
  }
}

TEST(MixedEnumeratorTest, CountsOnLargerSetsAndEarlyStop) {
  std::vector<double> values;
  for (int i = 1; i <= 12; ++i) values.push_back(i);
  for (std::uint32_t size = 1; size <= 5; ++size) {
    std::uint64_t visits = 0;
    MixedEnumerator networks(values.data(), 12, size, kGoOn);
    EXPECT_TRUE(networks.ForEach([&](std::span<const std::int32_t>, double) {
      ++visits;
      return true;
    }));
    EXPECT_EQ(visits, MixedNetworkCount(12, size)) << size;
  }
  MixedEnumerator networks(values.data(), 12, 4, kGoOn);
  std::uint64_t visits = 0;
  EXPECT_FALSE(
      networks.ForEach([&](std::span<const std::int32_t>, double) { return ++visits < 7; }));
  EXPECT_EQ(visits, 7u);
  // Aborted while building its lists: it visits nothing.
  const std::atomic<bool> stop{true};
  MixedEnumerator stopped(values.data(), 12, 4, stop);
  visits = 0;
  EXPECT_FALSE(
      stopped.ForEach([&](std::span<const std::int32_t>, double) { return ++visits > 0; }));
  EXPECT_EQ(visits, 0u);
}

TEST(CanonicalOrderTest, RejectsWhatIsNotCanonical) {
  EXPECT_TRUE(IsCanonical(NetworkCode{-4, 0, -5, 1, 2}));   // 0+(1||2)
  EXPECT_FALSE(IsCanonical(NetworkCode{-4, -5, 1, 2, 0}));  // bigger part first
  EXPECT_FALSE(IsCanonical(NetworkCode{-4, 1, 0}));         // positions out of order
  EXPECT_FALSE(IsCanonical(NetworkCode{-4, 0, -4, 1, 2}));  // series inside series
  EXPECT_FALSE(IsCanonical(NetworkCode{-4, 0}));            // a part missing
  EXPECT_FALSE(IsCanonical(NetworkCode{-4, 0, 1, 2}));      // one token too many
  EXPECT_FALSE(IsCanonical(NetworkCode{-2, 0}));            // a connection of one part
  EXPECT_LT(CompareNetworks(NetworkCode{7}, NetworkCode{-4, 0, 0}), 0);
  EXPECT_LT(CompareNetworks(NetworkCode{-5, 0, 1}, NetworkCode{-4, 0, 1}), 0);
  EXPECT_EQ(CompareNetworks(NetworkCode{-4, 0, 1}, NetworkCode{-4, 0, 1}), 0);
}

}  // namespace
}  // namespace ordavin

#include "search/WaveletMatrix.h"

#include <algorithm>
#include <bit>

namespace ordavin {

namespace {

// Bit counting without a library call (the portable build has no popcount instruction).
inline std::size_t OnesIn(std::uint64_t x) {
  x = x - ((x >> 1) & 0x5555555555555555ULL);
  x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
  return static_cast<std::size_t>((x * 0x0101010101010101ULL) >> 56);
}

}  // namespace

std::size_t WaveletMatrix::Plane::Ones(std::size_t end) const {
  const std::size_t word = end / 64;
  const std::size_t bit = end % 64;
  std::size_t ones = onesBefore[word];
  if (bit != 0) ones += OnesIn(words[word] << (64 - bit));
  return ones;
}

WaveletMatrix::WaveletMatrix(std::span<const std::uint32_t> numbers) : m_size(numbers.size()) {
  const std::uint32_t largest =
      numbers.empty() ? 0 : *std::max_element(numbers.begin(), numbers.end());
  const int bits = std::max(1, static_cast<int>(std::bit_width(largest)));
  std::vector<std::uint32_t> current(numbers.begin(), numbers.end());
  std::vector<std::uint32_t> next(current.size());
  m_planes.resize(static_cast<std::size_t>(bits));
  for (int level = 0; level < bits; ++level) {
    const int shift = bits - 1 - level;
    Plane& plane = m_planes[static_cast<std::size_t>(level)];
    plane.words.assign(m_size / 64 + 1, 0);
    plane.onesBefore.assign(m_size / 64 + 1, 0);
    for (std::size_t i = 0; i < m_size; ++i) {
      if ((current[i] >> shift) & 1U) plane.words[i / 64] |= std::uint64_t{1} << (i % 64);
    }
    std::uint32_t ones = 0;
    for (std::size_t w = 0; w < plane.words.size(); ++w) {
      plane.onesBefore[w] = ones;
      ones += static_cast<std::uint32_t>(std::popcount(plane.words[w]));
    }
    plane.zeros = m_size - ones;
    // Zeros first, then ones, each in their order: the next plane's sequence.
    std::size_t zero = 0;
    std::size_t one = plane.zeros;
    for (const std::uint32_t number : current) {
      next[((number >> shift) & 1U) ? one++ : zero++] = number;
    }
    current.swap(next);
  }
}

std::size_t WaveletMatrix::CountAtLeast(std::size_t begin, std::size_t end, std::uint32_t x) const {
  if (begin >= end) return 0;
  const int bits = static_cast<int>(m_planes.size());
  if (bits < 32 && (x >> bits) != 0) return 0;
  // Counts those below x: at each bit where x has a one, those with a zero there (and the
  // same higher bits) are below it.
  std::size_t below = 0;
  const std::size_t all = end - begin;
  for (int level = 0; level < bits; ++level) {
    const Plane& plane = m_planes[static_cast<std::size_t>(level)];
    const std::size_t onesBegin = plane.Ones(begin);
    const std::size_t onesEnd = plane.Ones(end);
    if ((x >> (bits - 1 - level)) & 1U) {
      below += (end - onesEnd) - (begin - onesBegin);
      begin = plane.zeros + onesBegin;
      end = plane.zeros + onesEnd;
    } else {
      begin -= onesBegin;
      end -= onesEnd;
    }
  }
  return all - below;
}

std::size_t WaveletMatrix::Bytes() const {
  std::size_t bytes = 0;
  for (const Plane& plane : m_planes) {
    bytes += plane.words.size() * sizeof(std::uint64_t) +
             plane.onesBefore.size() * sizeof(std::uint32_t);
  }
  return bytes;
}

}  // namespace ordavin

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace ordavin {

// A sequence of small unsigned numbers that answers "how many in [begin, end) are at least
// x" in a few rank look-ups per bit of the numbers, whatever the range (a wavelet matrix:
// one bit plane per bit, each stably partitioned by that bit, with running counts of ones).
class WaveletMatrix {
 public:
  WaveletMatrix() = default;
  explicit WaveletMatrix(std::span<const std::uint32_t> numbers);

  std::size_t Size() const { return m_size; }
  std::size_t CountAtLeast(std::size_t begin, std::size_t end, std::uint32_t x) const;
  std::size_t Bytes() const;

 private:
  // One bit plane: the bits in 64-bit words and the ones before each word.
  struct Plane {
    std::vector<std::uint64_t> words;
    std::vector<std::uint32_t> onesBefore;
    std::size_t zeros = 0;
    std::size_t Ones(std::size_t end) const;  // ones among the first `end` bits
  };

  std::size_t m_size = 0;
  std::vector<Plane> m_planes;  // the highest bit first
};

}  // namespace ordavin

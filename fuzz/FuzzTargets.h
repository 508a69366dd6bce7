#pragma once

// The fuzz targets' bodies, shared by the libFuzzer programs and the replay test. Each takes
// one input, exercises the code under test and checks what must hold whatever the input;
// a broken property throws FuzzCheckFailure (a crash or a sanitizer report ends the process).
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace ordavin::fuzz {

class FuzzCheckFailure : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// Throws FuzzCheckFailure naming the property when it does not hold.
void Check(bool holds, const char* property);

// The series file reader: the bytes as a series file, loaded, generated, ticked, narrowed.
void FuzzSeriesFile(const std::uint8_t* data, std::size_t size);

// Number reading and the division factor: ReadNumberPrefix against strtod, ReadWholeNumber,
// ReadWholeUnsigned, ReadResistance, ParseDivisionFactor and ReadWholeDivisionFactor.
void FuzzNumberText(const std::uint8_t* data, std::size_t size);

// A field's text as the window's field exchange and the command line's options read it,
// against every field range of both pages.
void FuzzFieldNumbers(const std::uint8_t* data, std::size_t size);

// ordavin-cli's arguments, split at NUL bytes. Any series file named is replaced by a tiny
// one, so that no input can start a long search.
void FuzzCliArguments(const std::uint8_t* data, std::size_t size);

}  // namespace ordavin::fuzz

// A 64-bit digest of a file's bytes, taken block by block as they are read or
// written, so that knowing whether a file still holds the same bytes costs no
// reading of its own. XXH3: made for speed, it runs at memory speed.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

class ByteDigest {
  public:
    ByteDigest();
    ~ByteDigest();
    ByteDigest(const ByteDigest&) = delete;
    ByteDigest& operator=(const ByteDigest&) = delete;

    void add(std::string_view bytes);
    // `count` zero bytes (a gap left in a file, which reads as zeros).
    void addZeros(std::uint64_t count);
    // The digest of every byte added so far.
    std::uint64_t value() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// Bounds-checked reading of little-endian binary files. The bytes come either
// from memory or, in windows of a fixed size, from an open file; every read
// checks that the bytes are there, and counts can be checked against the bytes
// that remain before anything is allocated for them.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

static_assert(std::endian::native == std::endian::little, "the book file is little-endian");

// Thrown while parsing a file that is truncated or inconsistent; the text says
// what was wrong, in words for the user.
class DamagedFile : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Where a ByteReader gets more bytes from when it reads a file in windows.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to `size` bytes into `buffer`; returns how many (0 at the end).
    // Throws on a read error.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

class ByteReader {
  public:
    // Reads from bytes held in memory (they must outlive the reader).
    explicit ByteReader(std::string_view whole)
        : start_(whole.data()), cur_(whole.data()), end_(whole.data() + whole.size()),
          total_(whole.size()) {}
    // Reads `totalSize` bytes from `source` through a window of `windowSize`.
    ByteReader(ByteSource& source, std::uint64_t totalSize, std::size_t windowSize = 1 << 20)
        : source_(&source), total_(totalSize), window_(windowSize) {
        start_ = cur_ = end_ = window_.data();
    }
    ByteReader(const ByteReader&) = delete;
    ByteReader& operator=(const ByteReader&) = delete;

    // Names the part of the file being read, for the message when it ends early.
    void setPart(const char* part) { part_ = part; }
    const char* part() const { return part_; }

    std::uint64_t position() const { return consumed_ + static_cast<std::uint64_t>(cur_ - start_); }
    std::uint64_t size() const { return total_; }
    std::uint64_t remaining() const {
        std::uint64_t pos = position();
        return pos < total_ ? total_ - pos : 0;
    }
    // Throws DamagedFile unless `count` items of at least `eachAtLeast` bytes
    // can fit in the bytes that remain. `what` names the items.
    void requireRoom(std::uint64_t count, std::uint64_t eachAtLeast, const std::string& what) {
        std::uint64_t left = remaining();
        if (eachAtLeast != 0 && count > left / eachAtLeast)
            throw DamagedFile("it claims " + std::to_string(count) + " " + what +
                              ", more than the " + std::to_string(left) +
                              " bytes left in the file can hold");
    }

    std::uint8_t u8() { return static_cast<std::uint8_t>(*take(1)); }
    std::int16_t i16() { return static_cast<std::int16_t>(fixed<std::uint16_t>()); }
    std::uint16_t u16() { return fixed<std::uint16_t>(); }
    std::int32_t i32() { return static_cast<std::int32_t>(fixed<std::uint32_t>()); }
    std::int64_t i64() { return static_cast<std::int64_t>(fixed<std::uint64_t>()); }
    float f32() { return std::bit_cast<float>(fixed<std::uint32_t>()); }
    double f64() { return std::bit_cast<double>(fixed<std::uint64_t>()); }

    // `n` bytes; the view stays valid until the next read.
    std::string_view bytes(std::size_t n) { return std::string_view(take(n), n); }
    // Copies `n` bytes into `out`.
    void copy(void* out, std::size_t n) { std::memcpy(out, take(n), n); }

  private:
    template <class T> T fixed() {
        T v;
        std::memcpy(&v, take(sizeof v), sizeof v);
        return v;
    }

    const char* take(std::size_t n) {
        if (static_cast<std::size_t>(end_ - cur_) < n) fill(n);
        const char* p = cur_;
        cur_ += n;
        return p;
    }

    // Makes at least `n` bytes available at cur_; DamagedFile when the file ends first.
    void fill(std::size_t n) {
        if (source_) {
            std::size_t have = static_cast<std::size_t>(end_ - cur_);
            if (have < n) {
                // Move what is left to the front of the window and read more.
                std::size_t offset = static_cast<std::size_t>(cur_ - window_.data());
                consumed_ += offset;
                std::memmove(window_.data(), cur_, have);
                if (window_.size() < n) window_.resize(n);
                while (have < n) {
                    std::size_t got = source_->read(window_.data() + have, window_.size() - have);
                    if (got == 0) break;
                    have += got;
                }
                start_ = cur_ = window_.data();
                end_ = cur_ + have;
            }
            if (have >= n) return;
        }
        throw DamagedFile(std::string("it ends early, inside ") + part_ + " (at byte " +
                          std::to_string(position()) + " of " + std::to_string(total_) + ")");
    }

    ByteSource* source_ = nullptr;
    const char* start_ = nullptr; // byte `consumed_` of the file
    const char* cur_ = nullptr;
    const char* end_ = nullptr;
    std::uint64_t total_ = 0;
    std::uint64_t consumed_ = 0; // bytes before the window's start (windowed reading)
    std::vector<char> window_;
    const char* part_ = "the file";
};

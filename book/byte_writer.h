// Little-endian binary output, gathered in memory and handed on in blocks.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

static_assert(std::endian::native == std::endian::little, "binary files are little-endian");

class ByteWriter {
  public:
    using Sink = std::function<void(std::string_view)>;

    // Everything stays in `out`.
    explicit ByteWriter(std::string& out) : out_(&out) {}
    // Whole blocks of about `blockSize` bytes go to `sink`; call finish() at the end.
    ByteWriter(Sink sink, std::size_t blockSize = 1 << 20)
        : out_(&own_), sink_(std::move(sink)), block_(blockSize) {
        own_.reserve(blockSize + (1 << 17));
    }

    void u8(std::uint8_t v) { out_->push_back(static_cast<char>(v)); }
    void i16(std::int16_t v) { put(v); }
    void u16(std::uint16_t v) { put(v); }
    void i32(std::int32_t v) { put(v); }
    void i64(std::int64_t v) { put(v); }
    void f64(double v) { put(v); }
    void bytes(std::string_view b) {
        out_->append(b);
        if (sink_ && out_->size() >= block_) flush();
    }
    // Lets the sink take what has gathered once a block is full.
    void maybeFlush() {
        if (sink_ && out_->size() >= block_) flush();
    }
    void finish() {
        if (sink_) flush();
    }

  private:
    template <class T> void put(T v) {
        char b[sizeof v];
        std::memcpy(b, &v, sizeof v);
        out_->append(b, sizeof v);
    }
    void flush() {
        if (!out_->empty()) sink_(*out_);
        out_->clear();
    }

    std::string* out_;
    std::string own_;
    Sink sink_;
    std::size_t block_ = 0;
};

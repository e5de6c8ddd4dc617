#include "book/byte_digest.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

struct ByteDigest::State {
    XXH3_state_t xxh3;
};

ByteDigest::ByteDigest() : state_(std::make_unique<State>()) {
    XXH3_INITSTATE(&state_->xxh3);
    XXH3_64bits_reset(&state_->xxh3);
}

ByteDigest::~ByteDigest() = default;

void ByteDigest::add(std::string_view bytes) {
    XXH3_64bits_update(&state_->xxh3, bytes.data(), bytes.size());
}

void ByteDigest::addZeros(std::uint64_t count) {
    static const char zeros[1 << 16] = {};
    while (count > 0) {
        const std::uint64_t part = count < sizeof zeros ? count : sizeof zeros;
        add({zeros, static_cast<std::size_t>(part)});
        count -= part;
    }
}

std::uint64_t ByteDigest::value() const {
    return XXH3_64bits_digest(&state_->xxh3);
}

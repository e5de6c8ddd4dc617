#include "book/password_scramble.h"

#include <cstdint>

namespace password_scramble {

namespace {

// Our stored form: the mark, two hexadecimal digits per scrambled byte, and
// four hexadecimal digits of a check value over the password itself.
constexpr std::string_view Mark = "LWpw1:";
constexpr char HexDigits[] = "0123456789ABCDEF";

// The key stream: a 32-bit xorshift generator seeded from the length, so that
// passwords of different lengths do not share a prefix of their stored form.
class KeyStream {
  public:
    explicit KeyStream(std::size_t length)
        : state_(0x6C77A5C3u ^ static_cast<std::uint32_t>(length * 0x9E3779B1u)) {
        if (state_ == 0) state_ = 1;
    }
    std::uint8_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<std::uint8_t>(state_ >> 24);
    }

  private:
    std::uint32_t state_;
};

std::uint16_t checkValue(std::string_view password) {
    std::uint32_t h = 2166136261u; // FNV-1a, folded to 16 bits
    for (unsigned char c : password) {
        h ^= c;
        h *= 16777619u;
    }
    return static_cast<std::uint16_t>(h ^ (h >> 16));
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void appendHex(std::string& out, unsigned value, int digits) {
    for (int i = digits - 1; i >= 0; --i)
        out += HexDigits[(value >> (4 * i)) & 0xF];
}

} // namespace

std::string scramble(std::string_view password) {
    if (password.empty()) return {};
    std::string out(Mark);
    out.reserve(Mark.size() + 2 * password.size() + 4);
    KeyStream key(password.size());
    std::uint8_t previous = 0;
    for (unsigned char c : password) {
        // Each byte is mixed with the key and the previous stored byte.
        std::uint8_t stored = static_cast<std::uint8_t>(c ^ key.next() ^ previous);
        appendHex(out, stored, 2);
        previous = stored;
    }
    appendHex(out, checkValue(password), 4);
    return out;
}

std::optional<std::string> unscramble(std::string_view stored) {
    if (stored.empty()) return std::string();
    if (stored.substr(0, Mark.size()) != Mark) return std::nullopt;
    std::string_view body = stored.substr(Mark.size());
    // At least one byte and the check value; whole bytes only.
    if (body.size() < 6 || body.size() % 2 != 0) return std::nullopt;
    for (char c : body)
        if (hexValue(c) < 0) return std::nullopt;
    std::size_t length = (body.size() - 4) / 2;
    std::string password;
    password.reserve(length);
    KeyStream key(length);
    std::uint8_t previous = 0;
    for (std::size_t i = 0; i < length; ++i) {
        auto storedByte =
            static_cast<std::uint8_t>(hexValue(body[2 * i]) * 16 + hexValue(body[2 * i + 1]));
        password += static_cast<char>(storedByte ^ key.next() ^ previous);
        previous = storedByte;
    }
    unsigned check = 0;
    for (std::size_t i = 2 * length; i < body.size(); ++i)
        check = check * 16 + static_cast<unsigned>(hexValue(body[i]));
    if (check != checkValue(password)) return std::nullopt;
    return password;
}

} // namespace password_scramble

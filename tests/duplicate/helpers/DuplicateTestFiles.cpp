#include "DuplicateTestFiles.h"

#include "Crc32.h"

#include <array>
#include <random>
#include <stdexcept>

std::string Bytes(unsigned seed, std::size_t size) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xff);
    return bytes;
}

std::string WithCrc(const std::string& body, std::uint32_t crc) {
    // The CRC of body + x is affine in the 32 bits of x: solve for x over GF(2).
    const std::uint32_t state = Crc32Update(0, body.data(), body.size());
    auto crcWith = [state](std::uint32_t x) {
        const unsigned char tail[4] = {
            static_cast<unsigned char>(x), static_cast<unsigned char>(x >> 8),
            static_cast<unsigned char>(x >> 16), static_cast<unsigned char>(x >> 24)};
        return Crc32Update(state, tail, 4);
    };
    const std::uint32_t base = crcWith(0);
    std::array<std::uint32_t, 32> pivot{};       // by top bit: a combination's CRC part
    std::array<std::uint32_t, 32> combination{}; // which bits of x make it
    for (int bit = 0; bit < 32; ++bit) {
        std::uint32_t value = crcWith(1u << bit) ^ base;
        std::uint32_t made = 1u << bit;
        for (int top = 31; top >= 0 && value; --top) {
            if (!(value >> top & 1))
                continue;
            if (!pivot[top]) {
                pivot[top] = value;
                combination[top] = made;
                break;
            }
            value ^= pivot[top];
            made ^= combination[top];
        }
    }
    std::uint32_t target = crc ^ base;
    std::uint32_t x = 0;
    for (int top = 31; top >= 0; --top) {
        if (!(target >> top & 1))
            continue;
        if (!pivot[top])
            throw std::logic_error("no four bytes give this CRC");
        target ^= pivot[top];
        x ^= combination[top];
    }
    std::string forged = body;
    for (int i = 0; i < 4; ++i)
        forged.push_back(static_cast<char>(x >> (8 * i) & 0xff));
    return forged;
}

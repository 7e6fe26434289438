#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// File contents for duplicate tests: repeatable pseudo-random bytes, and forged CRC-32
// collisions (four appended bytes can give a text any CRC-32).
std::string Bytes(unsigned seed, std::size_t size);
// `body` followed by the four bytes that give the whole the CRC-32 `crc`.
std::string WithCrc(const std::string& body, std::uint32_t crc);

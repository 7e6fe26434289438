#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The IEEE 802.3 CRC-32 (reflected polynomial 0xEDB88320, initial value and final
// complement 0xFFFFFFFF), the value zip and PNG use: Crc32Update(0, "123456789", 9) is
// 0xcbf43926. On the fastest path the processor has, so that a scan that reads at a few
// GB/s is not held up by it.
std::uint32_t Crc32Update(std::uint32_t crc, const void* data, std::size_t size);

// The ways of computing it: zlib's tables alone, or carry-less multiplication folding
// 128-bit lanes (SSE) or 512-bit registers (AVX-512) with zlib for the tail.
enum class Crc32Path { Zlib, Folding, WideFolding };
// Whether this processor can take a path.
bool Crc32PathAvailable(Crc32Path path);
// Crc32Update forced onto one path, which must be available: for tests, so that every path
// is checked on a machine whose own choice would be another.
std::uint32_t Crc32UpdateOn(Crc32Path path, std::uint32_t crc, const void* data, std::size_t size);
// Exactly eight lower-case hexadecimal digits, "00000000" to "ffffffff".
std::string Crc32Text(std::uint32_t crc);

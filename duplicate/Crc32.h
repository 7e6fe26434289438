#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The IEEE 802.3 CRC-32 (reflected polynomial 0xEDB88320, initial value and final
// complement 0xFFFFFFFF), the value zip and PNG use: Crc32Update(0, "123456789", 9) is
// 0xcbf43926. Runs at memory speed, so hashing is never the slow part of a scan.
std::uint32_t Crc32Update(std::uint32_t crc, const void* data, std::size_t size);
// Exactly eight lower-case hexadecimal digits, "00000000" to "ffffffff".
std::string Crc32Text(std::uint32_t crc);

#include "Crc32.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <zlib.h>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define MERIVANE_CRC_FOLDING 1
#endif

namespace {

std::uint32_t ZlibCrc(std::uint32_t crc, const unsigned char* bytes, std::size_t size) {
    // zlib takes its length as uInt: feed larger spans in slices.
    uLong value = crc;
    while (size > 0) {
        const std::size_t slice = std::min<std::size_t>(size, UINT_MAX);
        value = crc32(value, bytes, static_cast<uInt>(slice));
        bytes += slice;
        size -= slice;
    }
    return static_cast<std::uint32_t>(value);
}

#ifdef MERIVANE_CRC_FOLDING
#define MERIVANE_CLMUL __attribute__((target("pclmul,sse4.1")))

MERIVANE_CLMUL inline __m128i load(const unsigned char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// x times the constant pair k, plus the next 128 bits.
MERIVANE_CLMUL inline __m128i fold(__m128i x, __m128i k, __m128i next) {
    const __m128i lo = _mm_clmulepi64_si128(x, k, 0x00);
    const __m128i hi = _mm_clmulepi64_si128(x, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(hi, lo), next);
}

// Carry-less multiplication folds the data into 128-bit lanes, many at a time so the
// multiplier never waits for its previous result, and a Barrett step reduces the last
// lane (Gopal et al., "Fast CRC Computation for Generic Polynomials Using PCLMULQDQ",
// Intel 2009): an order of magnitude faster than a table. Works on the raw register value
// (not complemented). Each constant pair is x^(d+32) and x^(d-32) mod P, bit-reflected and
// shifted by one, for a fold over d bits.
alignas(16) const std::uint64_t fold2048[] = {0x011542778a, 0x01322d1430};
alignas(16) const std::uint64_t fold1024[] = {0x01e88ef372, 0x014a7fe880};
alignas(16) const std::uint64_t fold512[] = {0x0154442bd4, 0x01c6e41596};
alignas(16) const std::uint64_t fold128[] = {0x01751997d0, 0x00ccaa009e};
alignas(16) const std::uint64_t fold64[] = {0x0163cd6124, 0x0000000000};
alignas(16) const std::uint64_t barrett[] = {0x01db710641, 0x01f7011641}; // P', mu

MERIVANE_CLMUL inline __m128i constants(const std::uint64_t* pair) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(pair));
}

// Folds the rest, a multiple of 16 bytes, into acc and reduces it to the CRC register.
MERIVANE_CLMUL std::uint32_t Reduce(__m128i acc, const unsigned char* buf, std::size_t len) {
    const __m128i k128 = constants(fold128);
    while (len >= 16) {
        acc = fold(acc, k128, load(buf));
        buf += 16;
        len -= 16;
    }
    // 128 bits to 64.
    const __m128i mask32 = _mm_setr_epi32(~0, 0, ~0, 0);
    __m128i t = _mm_clmulepi64_si128(acc, k128, 0x10);
    acc = _mm_xor_si128(_mm_srli_si128(acc, 8), t);
    t = _mm_srli_si128(acc, 4);
    acc =
        _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(acc, mask32), constants(fold64), 0x00), t);
    // Barrett reduction to 32 bits.
    const __m128i kb = constants(barrett);
    t = _mm_clmulepi64_si128(_mm_and_si128(acc, mask32), kb, 0x10);
    t = _mm_clmulepi64_si128(_mm_and_si128(t, mask32), kb, 0x00);
    acc = _mm_xor_si128(acc, t);
    return static_cast<std::uint32_t>(_mm_extract_epi32(acc, 1));
}

// Eight (or four) 128-bit lanes; a multiple of 16 bytes, at least 64.
MERIVANE_CLMUL std::uint32_t FoldCrc(std::uint32_t state, const unsigned char* buf,
                                     std::size_t len) {
    const int lanes = len >= 128 ? 8 : 4;
    __m128i x[8];
    for (int i = 0; i < lanes; ++i)
        x[i] = load(buf + 16 * i);
    x[0] = _mm_xor_si128(x[0], _mm_cvtsi32_si128(static_cast<int>(state)));
    const std::size_t stride = 16 * std::size_t(lanes);
    buf += stride;
    len -= stride;
    const __m128i k = constants(lanes == 8 ? fold1024 : fold512);
    while (len >= stride) {
        for (int i = 0; i < lanes; ++i)
            x[i] = fold(x[i], k, load(buf + 16 * i));
        buf += stride;
        len -= stride;
    }
    const __m128i k128 = constants(fold128);
    __m128i acc = x[0];
    for (int i = 1; i < lanes; ++i)
        acc = fold(acc, k128, x[i]);
    return Reduce(acc, buf, len);
}

#define MERIVANE_VCLMUL __attribute__((target("vpclmulqdq,avx512f,pclmul,sse4.1")))

MERIVANE_VCLMUL inline __m512i fold(__m512i x, __m512i k, __m512i next) {
    const __m512i lo = _mm512_clmulepi64_epi128(x, k, 0x00);
    const __m512i hi = _mm512_clmulepi64_epi128(x, k, 0x11);
    return _mm512_ternarylogic_epi64(lo, hi, next, 0x96); // lo ^ hi ^ next
}

MERIVANE_VCLMUL inline __m512i load512(const unsigned char* p) {
    return _mm512_loadu_si512(p);
}

MERIVANE_VCLMUL inline __m512i broadcast(const std::uint64_t* pair) {
    const auto lo = static_cast<long long>(pair[0]);
    const auto hi = static_cast<long long>(pair[1]);
    return _mm512_set_epi64(hi, lo, hi, lo, hi, lo, hi, lo);
}

// Sixteen 128-bit lanes in four 512-bit registers; a multiple of 16 bytes, at least 256.
MERIVANE_VCLMUL std::uint32_t FoldCrcWide(std::uint32_t state, const unsigned char* buf,
                                          std::size_t len) {
    __m512i z[4];
    for (int i = 0; i < 4; ++i)
        z[i] = load512(buf + 64 * i);
    z[0] =
        _mm512_xor_si512(z[0], _mm512_zextsi128_si512(_mm_cvtsi32_si128(static_cast<int>(state))));
    buf += 256;
    len -= 256;
    const __m512i k = broadcast(fold2048);
    while (len >= 256) {
        for (int i = 0; i < 4; ++i)
            z[i] = fold(z[i], k, load512(buf + 64 * i));
        buf += 256;
        len -= 256;
    }
    const __m512i k512 = broadcast(fold512);
    __m512i acc = fold(fold(fold(z[0], k512, z[1]), k512, z[2]), k512, z[3]);
    while (len >= 64) {
        acc = fold(acc, k512, load512(buf));
        buf += 64;
        len -= 64;
    }
    // The four lanes of the register, earliest first, into one. Through memory: GCC 12's
    // lane extraction intrinsics warn about their own placeholders.
    alignas(64) unsigned char lanes[64];
    _mm512_store_si512(lanes, acc);
    const __m128i k128 = constants(fold128);
    __m128i lane = load(lanes);
    for (int i = 1; i < 4; ++i)
        lane = fold(lane, k128, load(lanes + 16 * i));
    return Reduce(lane, buf, len);
}

bool HasWideFolding() {
    static const bool has =
        __builtin_cpu_supports("vpclmulqdq") && __builtin_cpu_supports("avx512f");
    return has;
}

bool HasFolding() {
    static const bool has = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return has;
}
#endif

} // namespace

bool Crc32PathAvailable(Crc32Path path) {
    switch (path) {
    case Crc32Path::Zlib:
        return true;
#ifdef MERIVANE_CRC_FOLDING
    case Crc32Path::Folding:
        return HasFolding();
    case Crc32Path::WideFolding:
        return HasFolding() && HasWideFolding();
#else
    case Crc32Path::Folding:
    case Crc32Path::WideFolding:
        return false;
#endif
    }
    return false;
}

std::uint32_t Crc32UpdateOn(Crc32Path path, std::uint32_t crc, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
#ifdef MERIVANE_CRC_FOLDING
    if (path != Crc32Path::Zlib && size >= 64) {
        const std::size_t folded = size & ~std::size_t(15);
        crc = path == Crc32Path::WideFolding && folded >= 256 ? ~FoldCrcWide(~crc, bytes, folded)
                                                              : ~FoldCrc(~crc, bytes, folded);
        bytes += folded;
        size -= folded;
    }
#else
    (void)path;
#endif
    return ZlibCrc(crc, bytes, size);
}

std::uint32_t Crc32Update(std::uint32_t crc, const void* data, std::size_t size) {
    static const Crc32Path fastest = Crc32PathAvailable(Crc32Path::WideFolding)
                                         ? Crc32Path::WideFolding
                                     : Crc32PathAvailable(Crc32Path::Folding) ? Crc32Path::Folding
                                                                              : Crc32Path::Zlib;
    return Crc32UpdateOn(fastest, crc, data, size);
}

std::string Crc32Text(std::uint32_t crc) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(crc));
    return text;
}

// System text in code page 932, as a Japanese Windows keeps paths: a lead
// byte and the byte after it make one character.
#pragma once

#include <cstddef>

namespace velmoran::test {

inline std::size_t Cp932(unsigned char first) {
    return (first >= 0x81 && first <= 0x9F) || (first >= 0xE0 && first <= 0xFC) ? 2 : 1;
}

}  // namespace velmoran::test

// Characters whose second byte is '\' (0x5C), and one whose second is not.
#define HYOU "\x95\x5C"   // 表
#define SO "\x83\x5C"     // ソ
#define NOU "\x94\x5C"    // 能
#define KYOKU "\x8B\xC8"  // 曲
// Characters whose second byte is an ASCII letter.
#define JI "\x83\x57"     // ジ: 'W'
#define HE "\x83\x77"     // ヘ: 'w'
#define NO "\x83\x6D"     // ノ: 'm'

// profile_tool read <file> <section> <key> [<section> <key> ...]
// profile_tool write <file> <section> <key> <value> [<section> <key> <value> ...]
// Reads or writes keys of an INI file through the saver's own IniRead and
// IniWrite, in turn, so that a scenario can compare what the two platforms'
// builds make of the same file; a read prints one line for each key. Keys
// and values are given, and values printed, as hexadecimal bytes, so that
// code page 932 passes any shell and Wine intact. Several keys in one run
// spare a scenario a start of Wine for each.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>

#include "saver/settings/profile_store.h"

namespace velmoran::test {

inline std::string FromHex(const char* hex) {
    std::string bytes;
    for (std::size_t i = 0; hex[i] && hex[i + 1]; i += 2)
        bytes += static_cast<char>(std::stoi(std::string(hex + i, 2), nullptr, 16));
    return bytes;
}

inline std::string ToHex(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char b : bytes) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

inline int ProfileTool(int argc, char** argv) {
    if (argc >= 5 && (argc - 3) % 2 == 0 && std::strcmp(argv[1], "read") == 0) {
        for (int i = 3; i < argc; i += 2) std::puts(ToHex(IniRead(argv[i], FromHex(argv[i + 1]), argv[2])).c_str());
        return 0;
    }
    if (argc >= 6 && (argc - 3) % 3 == 0 && std::strcmp(argv[1], "write") == 0) {
        for (int i = 3; i < argc; i += 3) IniWrite(argv[i], FromHex(argv[i + 1]), FromHex(argv[i + 2]), argv[2]);
        return 0;
    }
    std::fprintf(stderr, "usage: profile_tool read <file> <section> <key hex> [<section> <key hex> ...]\n"
                         "       profile_tool write <file> <section> <key hex> <value hex> [...]\n");
    return 2;
}

}  // namespace velmoran::test

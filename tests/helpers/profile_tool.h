// profile_tool read <file> <section> <key>
// profile_tool write <file> <section> <key> <value>
// Reads or writes one key of an INI file through the saver's own IniRead and
// IniWrite, so that a scenario can compare what the two platforms' builds
// make of the same file. Key and value are given, and the value printed, as
// hexadecimal bytes, so that code page 932 passes any shell and Wine intact.
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
    if (argc == 5 && std::strcmp(argv[1], "read") == 0) {
        std::puts(ToHex(IniRead(argv[3], FromHex(argv[4]), argv[2])).c_str());
        return 0;
    }
    if (argc == 6 && std::strcmp(argv[1], "write") == 0) {
        IniWrite(argv[3], FromHex(argv[4]), FromHex(argv[5]), argv[2]);
        return 0;
    }
    std::fprintf(stderr, "usage: profile_tool read <file> <section> <key hex>\n"
                         "       profile_tool write <file> <section> <key hex> <value hex>\n");
    return 2;
}

}  // namespace velmoran::test

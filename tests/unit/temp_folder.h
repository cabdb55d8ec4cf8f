// A fresh folder for one test, removed with everything in it at the end.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

namespace velmoran::test {

class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("velmoran-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path in the form the saver's code takes.
    std::string Path() const { return path_.string(); }

    // A path inside the folder.
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

    // Writes a file of these bytes and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string file = *this / name;
        std::FILE* out = std::fopen(file.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
        return file;
    }

    // The bytes of a file in the folder; empty when it is missing.
    std::string Read(const std::string& name) const {
        std::string bytes;
        if (std::FILE* in = std::fopen((*this / name).c_str(), "rb")) {
            char chunk[4096];
            std::size_t got;
            while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) bytes.append(chunk, got);
            std::fclose(in);
        }
        return bytes;
    }

private:
    std::filesystem::path path_;
};

}  // namespace velmoran::test

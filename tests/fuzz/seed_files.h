// The seed files of the fuzz targets, for the sanitizer-built tests.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// Name and bytes of every file of `extension` in the seed folder `folder`
// ("" for the book files at the top, "/text", "/csv"), by name.
inline std::vector<std::pair<std::string, std::string>> seedFiles(const std::string& folder,
                                                                  const std::string& extension) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : std::filesystem::directory_iterator(LW_FUZZ_SEEDS + folder)) {
        if (!entry.is_regular_file() || entry.path().extension() != extension) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files.emplace_back(entry.path().filename().string(), bytes.str());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A copy of `bytes` with one to four bits flipped at places `rng` picks.
inline std::string withBitsFlipped(const std::string& bytes, std::mt19937& rng) {
    std::string flipped = bytes;
    const int flips = std::uniform_int_distribution<int>(1, 4)(rng);
    for (int k = 0; k < flips; ++k) {
        auto at = std::uniform_int_distribution<std::size_t>(0, bytes.size() - 1)(rng);
        flipped[at] = static_cast<char>(flipped[at] ^ (1 << (rng() % 8)));
    }
    return flipped;
}

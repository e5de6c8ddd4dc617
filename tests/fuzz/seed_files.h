// The seed files of the fuzz targets, for the sanitizer-built tests.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
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

#include "platform/printer_choices.h"

#include <filesystem>

std::string pdfPathForCopy(const std::string& path, int copy) {
    if (copy <= 1) return path;
    std::filesystem::path p(path);
    std::string stem = p.stem().string();
    std::string ext = p.extension().string();
    return (p.parent_path() / (stem + "-" + std::to_string(copy) + ext)).string();
}

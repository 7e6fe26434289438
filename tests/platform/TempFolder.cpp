#include "TempFolder.h"

#include "TestBackend.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

TempFolder::TempFolder() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = base / ("merivane-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("no temporary folder could be created");
}

TempFolder::~TempFolder() {
    TestBackend::removeLinksBelow(path_);
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempFolder::writeFile(const std::filesystem::path& file,
                                            const std::string& content) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    return file;
}

std::string TempFolder::readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

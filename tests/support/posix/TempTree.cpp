#include "support/TempTree.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace zelk::test {

TempTree::TempTree() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate =
            std::filesystem::temp_directory_path() / ("zelk-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            root_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempTree::~TempTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string TempTree::path(const std::string& relative) const {
    // With the system's own separators throughout, as the program names paths in messages.
    std::filesystem::path full = relative.empty() ? root_ : root_ / relative;
    return full.make_preferred().string();
}

void TempTree::write(const std::string& relative, const std::string& content) const {
    const auto file = root_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

void TempTree::mkdir(const std::string& relative) const {
    std::filesystem::create_directories(root_ / relative);
}

void TempTree::copyData(const std::string& dataFolder, const std::string& relative) const {
    std::filesystem::create_directories(root_ / relative);
    std::filesystem::copy(std::filesystem::path(ZELK_TEST_DATA) / dataFolder, root_ / relative,
                          std::filesystem::copy_options::recursive);
}

void TempTree::makeReadOnly(const std::string& relative) const {
    std::filesystem::permissions(root_ / relative, std::filesystem::perms::owner_read |
                                                       std::filesystem::perms::group_read |
                                                       std::filesystem::perms::others_read);
}

void TempTree::symlink(const std::string& target, const std::string& relative) const {
    std::filesystem::create_symlink(target, root_ / relative);
}

std::vector<std::string> TempTree::filesBelow(const std::string& relative) const {
    std::vector<std::string> found;
    const auto base = root_ / relative;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base)) {
        if (!entry.is_directory()) {
            found.push_back(entry.path().lexically_relative(base).generic_string());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::string TempTree::read(const std::string& relative) const {
    std::ifstream in(root_ / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool TempTree::exists(const std::string& relative) const {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(root_ / relative, ignored));
}

std::vector<std::string> TempTree::names(const std::string& relative) const {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(root_ / relative)) {
        found.push_back(entry.path().filename().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace zelk::test

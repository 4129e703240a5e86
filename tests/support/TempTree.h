#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zelk::test {

// A temporary folder removed again at the end of the test, with helpers to lay out files.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::string path(const std::string& relative = {}) const;

    // Creates the file (and its folders) with exactly these bytes.
    void write(const std::string& relative, const std::string& content = {}) const;
    void mkdir(const std::string& relative) const;
    // Copies a folder of the test data (tests/data) into relative.
    void copyData(const std::string& dataFolder, const std::string& relative) const;
    void makeReadOnly(const std::string& relative) const;
    void symlink(const std::string& target, const std::string& relative) const;
    // Every file below relative, as paths relative to it with "/" between folders, sorted
    // bytewise.
    std::vector<std::string> filesBelow(const std::string& relative) const;
    std::string read(const std::string& relative) const;
    bool exists(const std::string& relative) const;
    // Names directly in a folder, sorted bytewise.
    std::vector<std::string> names(const std::string& relative) const;

private:
    std::filesystem::path root_;
};

}  // namespace zelk::test

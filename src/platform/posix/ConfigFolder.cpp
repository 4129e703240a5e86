#include "platform/ConfigFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace zelk {
namespace {

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    if (const passwd* user = ::getpwuid(::geteuid()); user && user->pw_dir && *user->pw_dir) {
        return user->pw_dir;
    }
    return {};
}

std::string userConfigFolder() {
    // A relative $XDG_CONFIG_HOME is to be ignored: it would depend on the current folder.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') {
        return config;
    }
    const std::string home = homeFolder();
    if (home.empty()) {
        return {};
    }
    return home + (home.back() == '/' ? ".config" : "/.config");
}

bool isBelowSystemFolder(const std::string& folder) {
    constexpr std::array<std::string_view, 8> kSystemFolders = {
        "/usr", "/opt", "/bin", "/sbin", "/lib", "/lib32", "/lib64", "/libx32"};
    std::error_code failed;
    const std::string real = std::filesystem::weakly_canonical(folder, failed).string();
    const std::string& path = failed ? folder : real;
    for (const std::string_view system : kSystemFolders) {
        if (path.starts_with(system) &&
            (path.size() == system.size() || path[system.size()] == '/')) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string userSettingsFolder() {
    const std::string config = userConfigFolder();
    return config.empty() ? config : config + "/zelkgauges";
}

bool isSystemProgramFolder(const std::string& folder) {
    if (isBelowSystemFolder(folder)) {
        return true;
    }
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && info.st_uid != ::geteuid();
}

}  // namespace zelk

#include "platform/ConfigFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

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

}  // namespace

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

}  // namespace zelk

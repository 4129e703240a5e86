#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "support/GuiTestHome.h"

namespace {

std::string testHome;

// Sets a variable for the life of the test run and puts the old value back afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

std::string makeEmptyFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zelk-home-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary home folder");
    }
    return pattern;
}

// A test that ends the program asks Qt to quit while no event loop runs. The request would
// stay pending and make the modal windows of later tests return at once; running the
// application's loop once clears it.
class QuitRequestReset : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override {
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
};

}  // namespace

namespace zelk::test {

const std::string& guiTestHome() {
    return testHome;
}

}  // namespace zelk::test

// The windows run with an empty home and configuration folder of their own, set before Qt
// starts (Qt reads them once), so that a test can see whatever they would leave behind there.
int main(int argc, char* argv[]) {
    testHome = makeEmptyFolder();
    int result = 0;
    {
        const ScopedVariable home("HOME", testHome);
        const ScopedVariable config("XDG_CONFIG_HOME", testHome);
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        QApplication application(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        ::testing::UnitTest::GetInstance()->listeners().Append(new QuitRequestReset);
        result = RUN_ALL_TESTS();
    }
    std::error_code ignored;
    std::filesystem::remove_all(testHome, ignored);
    return result;
}

#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "platform/Prompter.h"

namespace zelk {

// The real dialogs: Qt message boxes and Qt's folder chooser, owned by a window; the message
// boxes carry the title they are given.
class QtPrompter : public Prompter {
public:
    QtPrompter(QWidget* owner, std::string title) : owner_(owner), title_(std::move(title)) {}

    bool ask(const std::string& question) override;
    void showError(int number, const std::string& text) override;
    std::optional<std::string> pickFolder(const std::string& title) override;

private:
    QPointer<QWidget> owner_;
    std::string title_;
    QString lastFolder_;
};

}  // namespace zelk

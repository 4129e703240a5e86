#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Prompter.h"

namespace zelk {

// The real dialogs: Qt message boxes and Qt's folder chooser, owned by a window.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* owner) : owner_(owner) {}

    bool ask(const std::string& question) override;
    void showError(int number, const std::string& text) override;
    std::optional<std::string> pickFolder(const std::string& title) override;

private:
    QPointer<QWidget> owner_;
    QString lastFolder_;
};

}  // namespace zelk

#include "app/qt/QtPrompter.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/qt/QtText.h"

namespace zelk {

bool QtPrompter::ask(const std::string& question) {
    QMessageBox box(QMessageBox::Question, toQString(title_), toQString(question),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtPrompter::showError(int number, const std::string& text) {
    QMessageBox box(QMessageBox::Critical, toQString(title_),
                    QStringLiteral("Error %1\n\n%2").arg(number).arg(toQString(text)),
                    QMessageBox::Ok, owner_);
    box.setInformativeText(QStringLiteral("%1 will now close.").arg(toQString(title_)));
    box.exec();
}

namespace {

// Qt's folder chooser keeps its history and layout in QtProject.conf, in the user's
// configuration folder, when it closes. This program leaves nothing behind but its own
// settings file, so while a chooser lives, Qt's per-user settings go to a temporary folder
// that is removed afterwards (or, should none be available, to a path that cannot be created).
class QtSettingsDetour {
public:
    QtSettingsDetour() {
        pointAt(scratch_.isValid() ? scratch_.path() : QStringLiteral("/dev/null/zelkgauges"));
    }
    ~QtSettingsDetour() {
        pointAt(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    QtSettingsDetour(const QtSettingsDetour&) = delete;
    QtSettingsDetour& operator=(const QtSettingsDetour&) = delete;

private:
    static void pointAt(const QString& folder) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    }

    QTemporaryDir scratch_;
};

// Qt's own chooser, never the desktop's: a desktop's chooser may record the folder in its
// list of recent places.
QString chooseFolder(QWidget* owner, const QString& title, const QString& start) {
    const QtSettingsDetour detour;
    QFileDialog dialog(owner, title, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks |
                      QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles().value(0);
}

}  // namespace

std::optional<std::string> QtPrompter::pickFolder(const std::string& title) {
    const QString start = lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_;
    const QString folder = chooseFolder(owner_, toQString(title), start);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    lastFolder_ = folder;
    return fromQString(QDir::toNativeSeparators(folder));
}

}  // namespace zelk

#include "platform/QtPrompter.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "app/ProgramInfo.h"

namespace zelk {

QString toQString(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

std::string fromQString(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

bool QtPrompter::ask(const std::string& question) {
    QMessageBox box(QMessageBox::Question, kProgramTitle, toQString(question),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtPrompter::showError(int number, const std::string& text) {
    QMessageBox box(QMessageBox::Critical, kProgramTitle,
                    QStringLiteral("Error %1\n\n%2").arg(number).arg(toQString(text)),
                    QMessageBox::Ok, owner_);
    box.setInformativeText(QStringLiteral("%1 will now close.").arg(kProgramTitle));
    box.exec();
}

std::optional<std::string> QtPrompter::pickFolder(const std::string& title) {
    const QString start = lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_;
    const QString folder = QFileDialog::getExistingDirectory(
        owner_, toQString(title), start,
        QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    lastFolder_ = folder;
    return fromQString(QDir::toNativeSeparators(folder));
}

}  // namespace zelk

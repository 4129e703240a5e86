// Renders the main window after a Scan of the bundled sample folder, and the About window, to
// PNG files for the README, and the program icon to the PNG that is installed:
//   zelk_screenshots <sample folder> <output folder> <icon file>
// Runs without a screen (QT_QPA_PLATFORM=offscreen) and works on a temporary copy.

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "about/qt/frmAbout.h"
#include "app/qt/AppIcon.h"
#include "app/qt/QtProgram.h"
#include "support/DecliningPrompter.h"

namespace {

bool save(QWidget& widget, const QString& file) {
    const bool saved = widget.grab().save(file);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(file));
    return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: zelk_screenshots <sample folder> <output folder> <icon file>\n");
        return 2;
    }
    QTemporaryDir work;
    const std::filesystem::path root = work.path().toStdString();
    std::filesystem::copy(argv[1], root / "FS2000", std::filesystem::copy_options::recursive);
    std::ofstream(root / "ZELKGAU.INI")
        << "[FS2000]\r\nFolder=" << (root / "FS2000").string() << "\r\n";

    zelk::test::DecliningPrompter prompter;
    zelk::QtProgram::Seams seams;
    seams.prompter = &prompter;
    seams.folders.program = root.string();
    zelk::QtProgram program(std::move(seams));
    frmZelk& window = program.mainWindow();
    if (!program.start()) {
        return 1;
    }
    window.findChild<QPushButton*>("Command1")->click();
    QDir().mkpath(argv[2]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    bool ok = save(window, out + "/main-window.png");

    frmAbout about;
    about.load();
    about.show();
    ok = save(about, out + "/about.png") && ok;
    ok = zelk::appIcon().pixmap(32, 32).save(QString::fromLocal8Bit(argv[3])) && ok;
    return ok ? 0 : 1;
}

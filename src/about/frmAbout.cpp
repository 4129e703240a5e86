#include "about/frmAbout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>

#include "app/AppIcon.h"
#include "app/ProgramInfo.h"
#include "app/ProgramVersion.h"
#include "app/WindowFonts.h"

namespace {

constexpr const char* kCopyright = "\u00a9 Zelk Gauges team";
constexpr const char* kEmail = "zelkgauges@example.org";

constexpr int px(int twips) {
    return twips / 15;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int left, int top,
                  int width, int height) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(px(left), px(top), px(width), px(height));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName("frmAbout");
    setWindowTitle(QStringLiteral("About %1").arg(zelk::kProgramTitle));
    setWindowIcon(zelk::appIcon());
    setFont(zelk::windowFont());
    setFixedSize(px(3990), px(2775));
    setModal(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window));
    setPalette(background);
    setAutoFillBackground(true);

    lblTitle = makeLabel(this, "lblTitle", zelk::kProgramTitle, 120, 240, 3735, 615);
    lblTitle->setFont(zelk::titleFont());
    lblDescription = makeLabel(this, "lblDescription", "Label1", 120, 840, 3735, 375);
    lblCopyright = makeLabel(this, "lblCopyright", kCopyright, 1080, 1560, 1815, 255);
    lblEmail = makeLabel(this, "lblEmail", kEmail, 960, 1920, 2055, 255);
    lblVersion = makeLabel(this, "lblVersion", "Label2", 1080, 2280, 1815, 255);
    lblVersion->setFont(zelk::versionFont());
}

QString frmAbout::versionText() {
    return QStringLiteral("Version %1.%2").arg(zelk::kVersionMajor).arg(zelk::kVersionMinor);
}

void frmAbout::load() {
    lblDescription->setText(zelk::kProgramDescription);
    lblVersion->setText(versionText());
}

void frmAbout::showModal(const QWidget* centreOver) {
    load();
    const QRect area = centreOver ? centreOver->frameGeometry()
                                  : QGuiApplication::primaryScreen()->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
    exec();
}

// A label ignores clicks, so Qt hands them on to this window; only a click that landed on the
// window's own surface closes it.
void frmAbout::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr &&
        rect().contains(event->position().toPoint())) {
        accept();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

// A dialog closes on Esc by default; this window has no cancel button, so Esc does nothing.
void frmAbout::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

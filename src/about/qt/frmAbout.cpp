#include "about/qt/frmAbout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>

#include "app/WindowLayout.h"
#include "app/qt/AppIcon.h"
#include "app/qt/WindowFonts.h"
#include "core/ProgramInfo.h"

namespace {

namespace layout = zelk::layout;

using layout::logicalPixels;

QFont fontOf(layout::AboutFont font) {
    switch (font) {
        case layout::AboutFont::Title:
            return zelk::titleFont();
        case layout::AboutFont::Version:
            return zelk::versionFont();
        case layout::AboutFont::Default:
            break;
    }
    return zelk::windowFont();
}

// The fixed texts; the description and the version line are set at each load.
QString initialText(const char* name) {
    const std::string label = name;
    if (label == "lblTitle") {
        return zelk::kProgramTitle;
    }
    if (label == "lblCopyright") {
        return QString::fromUtf8(zelk::kCopyright);
    }
    if (label == "lblEmail") {
        return zelk::kEmail;
    }
    return {};
}

QLabel* makeLabel(QWidget* parent, const layout::LabelLayout& labelLayout) {
    auto* label = new QLabel(initialText(labelLayout.name), parent);
    label->setObjectName(labelLayout.name);
    label->setGeometry(logicalPixels(labelLayout.box.left), logicalPixels(labelLayout.box.top),
                       logicalPixels(labelLayout.box.width), logicalPixels(labelLayout.box.height));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setFocusPolicy(Qt::NoFocus);
    label->setFont(fontOf(labelLayout.font));
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
    setFixedSize(logicalPixels(layout::kAboutClient.width),
                 logicalPixels(layout::kAboutClient.height));
    setModal(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window));
    setPalette(background);
    setAutoFillBackground(true);
    for (const layout::LabelLayout& labelLayout : layout::kAboutLabels) {
        makeLabel(this, labelLayout);
    }
    lblTitle = findChild<QLabel*>("lblTitle");
    lblDescription = findChild<QLabel*>("lblDescription");
    lblCopyright = findChild<QLabel*>("lblCopyright");
    lblEmail = findChild<QLabel*>("lblEmail");
    lblVersion = findChild<QLabel*>("lblVersion");
}

QString frmAbout::versionText() {
    return QString::fromStdString(zelk::versionLine());
}

void frmAbout::load() {
    lblDescription->setText(zelk::kProgramDescription);
    lblVersion->setText(versionText());
}

// Until this window's own frame is known, it is taken to be like the main window's.
void frmAbout::showModal(const QWidget* centreOver) {
    load();
    if (centreOver) {
        placement_.centreOn(zelk::frameOf(*centreOver), zelk::frameMarginsOf(*centreOver));
    } else {
        placement_.centreOn(QGuiApplication::primaryScreen()->availableGeometry());
    }
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

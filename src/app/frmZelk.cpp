#include "app/frmZelk.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>
#include <cmath>

#include "about/frmAbout.h"
#include "app/AppIcon.h"
#include "app/ProgramInfo.h"
#include "app/WindowFonts.h"
#include "platform/ConfigFolder.h"
#include "platform/ExecutableFolder.h"
#include "platform/QtPrompter.h"
#include "removal/Removal.h"
#include "scan/PanelScan.h"
#include "scan/UnusedScan.h"
#include "settings/FolderLocation.h"

namespace {

// Layout of the window in twips; 15 twips make one logical pixel.
constexpr int px(int twips) {
    return twips / 15;
}

QRect twipsRect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

template <typename Widget>
Widget* makeControl(QWidget* parent, const char* name, const QRect& geometry) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* text, int left) {
    auto* button = makeControl<QPushButton>(parent, name, twipsRect(left, 2400, 1215, 375));
    button->setText(text);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* text, const QRect& geometry) {
    auto* label = makeControl<QLabel>(parent, name, geometry);
    label->setText(text);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

QProgressBar* makeProgressBar(QWidget* parent, const char* name, int top) {
    auto* bar = makeControl<QProgressBar>(parent, name, twipsRect(120, top, 4335, 255));
    bar->setOrientation(Qt::Horizontal);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setFocusPolicy(Qt::NoFocus);
    return bar;
}

// A status panel: a sunken box placed by hand, so that the three panels keep exactly their
// widths (the first takes what the other two leave).
QLabel* makePanel(QStatusBar* bar, const char* name, const char* text, int left, int widthTwips) {
    auto* panel = new QLabel(text, bar);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(2);
    panel->setGeometry(left, 2, px(widthTwips), bar->height() - 2);
    return panel;
}

}  // namespace

frmZelk::frmZelk(QWidget* parent) : frmZelk(Seams{}, parent) {}

frmZelk::frmZelk(Seams seams, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      prompter_(std::move(seams.prompter)),
      access_(std::move(seams.access)),
      settingsFolders_{
          seams.executableFolder.empty() ? zelk::executableFolder() : seams.executableFolder,
          seams.userConfigFolder.empty() ? zelk::userConfigFolder() : seams.userConfigFolder} {
    if (!prompter_) {
        prompter_ = std::make_unique<zelk::QtPrompter>(this);
    }
    setObjectName("frmZelk");
    setWindowTitle(zelk::kProgramTitle);
    setWindowIcon(zelk::appIcon());
    setFont(zelk::windowFont());
    setFixedSize(px(4575), px(3195));
    buildControls();
    wireCommands();
}

frmZelk::~frmZelk() = default;

void frmZelk::buildControls() {
    Command1 = makeButton(this, "Command1", "Scan", 120);
    Label1 = makeLabel(this, "Label1", "Searching panels...", twipsRect(120, 360, 2655, 255));
    Label2 = makeLabel(this, "Label2", "Removing gauges...", twipsRect(120, 1320, 2775, 255));
    Command2 = makeButton(this, "Command2", "Zelk", 1680);
    ProgressBar1 = makeProgressBar(this, "ProgressBar1", 720);
    ProgressBar2 = makeProgressBar(this, "ProgressBar2", 1680);
    StatusBar1 = makeControl<QStatusBar>(this, "StatusBar1", twipsRect(0, 2820, 4575, 375));
    StatusBar1->setSizeGripEnabled(false);
    constexpr int kGap = 2;
    Panel1 = makePanel(StatusBar1, "Panel1", "Panels:", 0, 1635);
    Panel2 =
        makePanel(StatusBar1, "Panel2", "Gauges:", Panel1->geometry().right() + 1 + kGap, 1440);
    Panel3 = makePanel(StatusBar1, "Panel3", "Zelk:", Panel2->geometry().right() + 1 + kGap, 1440);
    Command3 = makeButton(this, "Command3", "About", 3240);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
}

void frmZelk::wireCommands() {
    connect(Command1, &QPushButton::clicked, this,
            [this] { runHandler([this] { zelk::runScanCommand(context()); }); });
    connect(Command2, &QPushButton::clicked, this,
            [this] { runHandler([this] { zelk::runRemovalCommand(context()); }); });
    connect(Command3, &QPushButton::clicked, this, [this] { runHandler([this] { showAbout(); }); });
}

bool frmZelk::load() {
    if (!runHandler([this] { FindFolder(); })) {
        return false;
    }
    Command2->setEnabled(false);
    centreOnScreen();
    awaitingFrame_ = true;
    show();
    Command1->setFocus(Qt::OtherFocusReason);
    return true;
}

void frmZelk::centreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

// A window manager puts its frame around the window only once it is shown, so the first
// centring could only go by the client area. As soon as the frame is known, the window is
// centred again, frame included; a later move (the user's) is left alone.
void frmZelk::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (awaitingFrame_ && frameGeometry().size() != size()) {
        awaitingFrame_ = false;
        centreOnScreen();
    }
}

// Enter, like Space, presses the button that has the focus; no button is the default one.
void frmZelk::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (enter && button && button->isEnabled() && !event->isAutoRepeat()) {
        event->accept();
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmZelk::FindFolder() {
    zelk::findSimFolder(state_.SimFolder, *this, access_, settingsFolders_);
}

void frmZelk::SelectFolder() {
    zelk::selectSimFolder(state_.SimFolder, *this, access_);
}

// One About window serves the whole run; each showing loads its texts anew.
void frmZelk::showAbout() {
    if (!about_) {
        about_ = std::make_unique<frmAbout>();
    }
    about_->showModal(this);
}

zelk::CommandContext frmZelk::context() {
    return {state_, *this, access_};
}

void frmZelk::ShowFolderList(const std::string& folderspec) {
    zelk::ShowFolderList(context(), folderspec);
}

void frmZelk::ShowFileInfo(const std::string& filespec) {
    zelk::ShowFileInfo(context(), filespec);
}

void frmZelk::ShowFileList(const std::string& folderspec) {
    zelk::ShowFileList(context(), folderspec);
}

void frmZelk::DeleteFileList(const std::string& folderspec) {
    zelk::DeleteFileList(context(), folderspec);
}

// A command runs inside its click, but a user must see its bar move on a large install: let
// Qt paint now and then, without taking any input (clicks and keys wait until the command has
// returned, and so does a request to close the window).
bool frmZelk::paintDue() const {
    constexpr qint64 kPaintIntervalMs = 30;
    return !sincePaint_.isValid() || sincePaint_.elapsed() >= kPaintIntervalMs;
}

void frmZelk::letQtPaint() {
    if (paintDue()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        sincePaint_.start();
    }
}

bool frmZelk::runHandler(const std::function<void()>& handler) {
    const zelk::HandlerOutcome outcome = zelk::runGuarded(*prompter_, handler);
    if (outcome == zelk::HandlerOutcome::Completed) {
        return true;
    }
    endProgram(zelk::exitStatusOf(outcome));
    return false;
}

void frmZelk::endProgram(int exitCode) {
    if (ended_) {
        return;
    }
    ended_ = true;
    exitCode_ = exitCode;
    hide();
    QCoreApplication::exit(exitCode);
}

void frmZelk::closeEvent(QCloseEvent* event) {
    event->accept();
    endProgram(0);
}

QProgressBar* frmZelk::progressBar(int bar) const {
    return bar == 1 ? ProgressBar1 : ProgressBar2;
}

QLabel* frmZelk::panel(int number) const {
    switch (number) {
        case 1:
            return Panel1;
        case 2:
            return Panel2;
        default:
            return Panel3;
    }
}

// Qt's bar takes whole numbers; a maximum of 0 would make it a busy indicator, so the range
// never shrinks below 0..1 and the value is kept inside the range.
void frmZelk::setProgressMax(int bar, float maximum) {
    QProgressBar* target = progressBar(bar);
    const int top = std::max(1, static_cast<int>(std::lround(maximum)));
    target->setRange(0, top);
    target->setValue(std::min(target->value(), top));
}

// A command reports every aircraft and every file, but a bar only needs to change as often as
// it is painted: setting a value costs the style's measurements and often a paint. So the bar
// is told when painting is due, and at once when it reaches its end, goes back or starts.
void frmZelk::setProgressValue(int bar, float value) {
    QProgressBar* target = progressBar(bar);
    const long rounded = std::lround(value);
    const int wanted = static_cast<int>(std::clamp<long>(rounded, 0, target->maximum()));
    const bool shownNothing = target->value() < target->minimum();  // a bar reset by its range
    if (wanted == target->maximum() || wanted < target->value() || shownNothing || paintDue()) {
        target->setValue(wanted);
        letQtPaint();
    }
}

void frmZelk::setPanelText(int number, const std::string& text) {
    panel(number)->setText(zelk::toQString(text));
}

void frmZelk::setCommand2Enabled(bool enabled) {
    Command2->setEnabled(enabled);
}

bool frmZelk::ask(const std::string& question) {
    return prompter_->ask(question);
}

std::optional<std::string> frmZelk::pickFolder(const std::string& title) {
    return prompter_->pickFolder(title);
}

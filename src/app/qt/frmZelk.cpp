#include "app/qt/frmZelk.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>
#include <functional>

#include "app/WindowLayout.h"
#include "app/qt/AppIcon.h"
#include "app/qt/WindowFonts.h"
#include "core/ProgramInfo.h"
#include "platform/qt/QtText.h"

namespace {

namespace layout = zelk::layout;

using layout::logicalPixels;

QRect pixels(const layout::TwipsRect& box) {
    return {logicalPixels(box.left), logicalPixels(box.top), logicalPixels(box.width),
            logicalPixels(box.height)};
}

template <typename Widget>
Widget* makeControl(QWidget* parent, const char* name) {
    const layout::ControlLayout& control = layout::mainControl(name);
    auto* widget = new Widget(parent);
    widget->setObjectName(control.name);
    widget->setGeometry(pixels(control.box));
    return widget;
}

QPushButton* makeButton(QWidget* parent, const char* name) {
    auto* button = makeControl<QPushButton>(parent, name);
    button->setText(layout::mainControl(name).text);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QLabel* makeLabel(QWidget* parent, const char* name) {
    auto* label = makeControl<QLabel>(parent, name);
    label->setText(layout::mainControl(name).text);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

QProgressBar* makeProgressBar(QWidget* parent, const char* name) {
    auto* bar = makeControl<QProgressBar>(parent, name);
    bar->setOrientation(Qt::Horizontal);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setFocusPolicy(Qt::NoFocus);
    return bar;
}

// A status panel: a sunken box placed by hand, so that the three panels keep exactly their
// widths (the first takes what the other two leave).
QLabel* makePanel(QStatusBar* bar, const char* name, const layout::PanelLayout& panelLayout,
                  int left) {
    auto* panel = new QLabel(panelLayout.text, bar);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(2);
    panel->setGeometry(left, 2, logicalPixels(panelLayout.width), bar->height() - 2);
    return panel;
}

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
            return true;
        default:
            return false;
    }
}

// Takes the user's input for the whole application while it is installed: it sees an event
// before the window that it reached passes it to a widget.
class InputSink : public QObject {
protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        return isUserInput(event->type());
    }
};

}  // namespace

frmZelk::frmZelk(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName("frmZelk");
    setWindowTitle(zelk::kProgramTitle);
    setWindowIcon(zelk::appIcon());
    setFont(zelk::windowFont());
    setFixedSize(logicalPixels(layout::kMainClient.width),
                 logicalPixels(layout::kMainClient.height));
    buildControls();
    wireCommands();
}

frmZelk::~frmZelk() = default;

void frmZelk::buildControls() {
    Command1 = makeButton(this, "Command1");
    Label1 = makeLabel(this, "Label1");
    Label2 = makeLabel(this, "Label2");
    Command2 = makeButton(this, "Command2");
    ProgressBar1 = makeProgressBar(this, "ProgressBar1");
    ProgressBar2 = makeProgressBar(this, "ProgressBar2");
    StatusBar1 = makeControl<QStatusBar>(this, "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    constexpr int kGap = 2;
    Panel1 = makePanel(StatusBar1, "Panel1", layout::kStatusPanels[0], 0);
    Panel2 = makePanel(StatusBar1, "Panel2", layout::kStatusPanels[1],
                       Panel1->geometry().right() + 1 + kGap);
    Panel3 = makePanel(StatusBar1, "Panel3", layout::kStatusPanels[2],
                       Panel2->geometry().right() + 1 + kGap);
    Command3 = makeButton(this, "Command3");
    Panel3->installEventFilter(this);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
}

void frmZelk::wireCommands() {
    const auto start = [](const std::function<void()>& command) {
        if (command) {
            command();
        }
    };
    connect(Command1, &QPushButton::clicked, this, [this, start] { start(commands_.scan); });
    connect(Command2, &QPushButton::clicked, this, [this, start] { start(commands_.removal); });
    connect(Command3, &QPushButton::clicked, this, [this, start] { start(commands_.about); });
}

void frmZelk::showAfterLoad() {
    Command2->setEnabled(false);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        placement_.centreOn(screen->availableGeometry());
    }
    show();
    Command1->setFocus(Qt::OtherFocusReason);
}

// Enter, like Space, presses the button that has the focus; no button is the default one.
// Ctrl+L opens the list of files to remove, as a double-click on status panel 3 does.
void frmZelk::keyPressEvent(QKeyEvent* event) {
    if (event->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_L)) {
        event->accept();
        if (!event->isAutoRepeat()) {
            showFilesToRemove();
        }
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (enter && button && button->isEnabled() && !event->isAutoRepeat()) {
        event->accept();
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

// While a command runs, Qt paints now and then; what the user clicks or types meanwhile is
// dropped, never postponed until the command has returned (a request to close the window is
// kept by the program's flow).
void frmZelk::letQtPaint() {
    if (paintPace_.paintDue()) {
        discardInput();
        paintPace_.painted();
    }
}

// Twice: input that the first pass reads from the display is queued by Qt and delivered, into
// the sink, by the second.
void frmZelk::discardInput() {
    InputSink sink;
    QCoreApplication::instance()->installEventFilter(&sink);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(&sink);
}

void frmZelk::endProgram(int exitStatus) {
    ended_ = true;
    hide();
    QCoreApplication::exit(exitStatus);
}

void frmZelk::showFilesToRemove() {
    if (commands_.showFilesToRemove) {
        commands_.showFilesToRemove();
    }
}

// Status panel 3 gets its tooltip when Qt is about to show it: working it out costs a look at
// every file to remove, which a Scan must not wait for. A double-click on it opens the list.
bool frmZelk::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel3 && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        showFilesToRemove();
        return true;
    }
    if (watched == Panel3 && event->type() == QEvent::ToolTip) {
        const std::string text = commands_.zelkToolTip ? commands_.zelkToolTip() : std::string();
        if (ended_) {
            return true;
        }
        Panel3->setToolTip(zelk::toQString(text));
    }
    return QWidget::eventFilter(watched, event);
}

// Closing ends the program, once a command that is running has ended.
void frmZelk::closeEvent(QCloseEvent* event) {
    if (commands_.close) {
        commands_.close();
    } else {
        endProgram(0);
    }
    event->setAccepted(ended_);
}

QProgressBar* frmZelk::progressBar(zelk::ProgressBarId bar) const {
    return bar == zelk::ProgressBarId::Scan ? ProgressBar1 : ProgressBar2;
}

QLabel* frmZelk::panel(zelk::StatusPanel number) const {
    switch (number) {
        case zelk::StatusPanel::Panels:
            return Panel1;
        case zelk::StatusPanel::Gauges:
            return Panel2;
        case zelk::StatusPanel::Zelk:
            break;
    }
    return Panel3;
}

void frmZelk::setProgressMax(zelk::ProgressBarId bar, float maximum) {
    QProgressBar* target = progressBar(bar);
    const int top = zelk::barTop(maximum);
    target->setRange(0, top);
    target->setValue(std::min(target->value(), top));
}

// A command reports every aircraft and every file, but a bar only needs to change as often as
// it is painted: setting a value costs the style's measurements and often a paint. So the bar
// is told when painting is due, and at once when it reaches its end, goes back or starts.
void frmZelk::setProgressValue(zelk::ProgressBarId bar, float value) {
    QProgressBar* target = progressBar(bar);
    const int wanted = zelk::barPosition(value, target->maximum());
    const bool shownNothing = target->value() < target->minimum();  // a bar reset by its range
    if (zelk::paintsAtOnce(wanted, target->value(), target->maximum()) || shownNothing ||
        paintPace_.paintDue()) {
        target->setValue(wanted);
        letQtPaint();
    }
}

void frmZelk::setPanelText(zelk::StatusPanel number, const std::string& text) {
    panel(number)->setText(zelk::toQString(text));
}

void frmZelk::setCommand2Enabled(bool enabled) {
    Command2->setEnabled(enabled);
}

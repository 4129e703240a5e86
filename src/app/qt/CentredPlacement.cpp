#include "app/qt/CentredPlacement.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace zelk {
namespace {

// While a window manager is still putting its frame together, Qt can read the window's place in
// it from the window tree and find margins that are none (negative) or not yet the final ones.
bool isFrame(const QMargins& margins) {
    return !margins.isNull() && margins.left() >= 0 && margins.top() >= 0 && margins.right() >= 0 &&
           margins.bottom() >= 0;
}

}  // namespace

QMargins frameMarginsOf(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

QRect frameOf(const QWidget& window) {
    return window.geometry().marginsAdded(frameMarginsOf(window));
}

// The native window is made here, before the first show, so that the window is placed and
// watched the same way whether or not a dialog it owned has made it already.
void CentredPlacement::centreOn(const QRect& area, const QMargins& likelyFrame) {
    window_.winId();
    area_ = area;
    const QMargins ownFrame = frameMarginsOf(window_);
    placeWithin(isFrame(ownFrame) ? ownFrame : likelyFrame);
    awaitingFrame_ = true;
    window_.windowHandle()->installEventFilter(this);
}

// The window's own geometry is that of its client area, so the frame's centre is worked out
// and the client area placed inside it.
void CentredPlacement::placeWithin(const QMargins& frame) {
    QRect framed = QRect(QPoint(), window_.size()).marginsAdded(frame);
    framed.moveCenter(area_.center());
    window_.setGeometry(framed.marginsRemoved(frame));
}

// The window is placed again by each frame Qt reads until it is first exposed: by then the
// window manager has framed it and announced the frame's size.
bool CentredPlacement::eventFilter(QObject* watched, QEvent* event) {
    const bool exposed = event->type() == QEvent::Expose;
    if (awaitingFrame_ && (exposed || event->type() == QEvent::Move)) {
        const QMargins frame = frameMarginsOf(window_);
        if (isFrame(frame)) {
            placeWithin(frame);  // where it stands already, when the frame was as expected
            awaitingFrame_ = !exposed;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zelk

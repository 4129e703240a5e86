#include "app/qt/CentredPlacement.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace zelk {
namespace {

// While a window manager is still putting its frame together, Qt may read the window's place
// in it from the window tree: the frame smaller than the window (negative margins), or the
// window still in the frame's corner (no left or top edge).
bool isFrame(const QMargins& margins) {
    const bool inside =
        margins.left() >= 0 && margins.top() >= 0 && margins.right() >= 0 && margins.bottom() >= 0;
    return inside && (margins.left() > 0 || margins.top() > 0);
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
    exposed_ = false;
    window_.windowHandle()->installEventFilter(this);
}

// The window's own geometry is that of its client area, so the frame's centre is worked out
// and the client area placed inside it.
void CentredPlacement::placeWithin(const QMargins& frame) {
    QRect framed = QRect(QPoint(), window_.size()).marginsAdded(frame);
    framed.moveCenter(area_.center());
    window_.setGeometry(framed.marginsRemoved(frame));
}

// The window is placed again by each frame Qt reads, until it has been placed by one after it
// was first exposed: by then the window manager has framed it and announced the frame's size.
bool CentredPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (awaitingFrame_) {
        exposed_ = exposed_ || event->type() == QEvent::Expose;
        const QMargins frame = frameMarginsOf(window_);
        if (isFrame(frame)) {
            placeWithin(frame);  // where it stands already, when the frame was as expected
            awaitingFrame_ = !exposed_;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zelk

#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>

class QWidget;

namespace zelk {

// Centres a top-level window, frame included, on an area: the screen or another window.
// A window manager frames a window only once it is shown, and Qt learns the frame's size a
// little later still. Until then the window is placed as if its frame were the one given (that
// of another window of the program, which a window manager frames alike); once its own frame is
// known, the window is centred by that, if it has to be, and after that it stays wherever the
// user puts it.
class CentredPlacement : public QObject {
public:
    explicit CentredPlacement(QWidget& window) : window_(window) {}

    // Places the window, about to be shown, with the centre of its frame on the area's centre.
    void centreOn(const QRect& area, const QMargins& likelyFrame = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeWithin(const QMargins& frame);

    QWidget& window_;
    QRect area_;
    bool awaitingFrame_ = false;
    bool exposed_ = false;
};

// What the window manager has put round a window, as far as it is known yet: nothing for a
// window that has never been shown, or that no window manager frames.
QMargins frameMarginsOf(const QWidget& window);

// A window with its frame as far as it is known.
QRect frameOf(const QWidget& window);

}  // namespace zelk

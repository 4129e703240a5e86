#include "app/qt/AppIcon.h"

#include <QPixmap>

#include "app/qt/zelk_icon.xpm"

namespace zelk {

QIcon appIcon() {
    return QIcon(QPixmap(zelk_icon_xpm));
}

}  // namespace zelk

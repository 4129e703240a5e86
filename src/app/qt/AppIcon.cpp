#include "app/qt/AppIcon.h"

#include <QPixmap>

#include "zelkgauges.xpm"  // data/

namespace zelk {

QIcon appIcon() {
    return QIcon(QPixmap(zelk_icon_xpm));
}

}  // namespace zelk

#include "app/AppIcon.h"

#include <QPixmap>

#include "app/zelk_icon.xpm"

namespace zelk {

QIcon appIcon() {
    return QIcon(QPixmap(zelk_icon_xpm));
}

}  // namespace zelk

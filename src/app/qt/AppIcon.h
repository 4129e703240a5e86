#pragma once

#include <QIcon>

namespace zelk {

// The program icon: a 32x32, 16-colour gauge dial.
QIcon appIcon();

}  // namespace zelk

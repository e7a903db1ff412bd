#pragma once

// The program's icons, drawn rather than shipped: 128 no keyboard, 141 keyboard present,
// 142 keyboard busy. Any other id gives icon 128.

#include <QIcon>

namespace q804 {

QIcon AppIcon(int iconId);

}  // namespace q804

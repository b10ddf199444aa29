#pragma once
// Small pictures drawn in code, so the window looks the same whatever icon theme is installed.

#include <QPixmap>

namespace vornlfrf::gui::icons {

QPixmap menu(int size);
QPixmap key(int size);
QPixmap help(int size);
QPixmap runDot(int size);

}  // namespace vornlfrf::gui::icons

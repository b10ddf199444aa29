#pragma once
// "The folder of the program file": the executable's folder, unless VORNLFRF_HOME names
// another (tests and installed systems set it).

#include <QString>

namespace vornlfrf::gui {

inline constexpr char kHomeVariable[] = "VORNLFRF_HOME";

// Absolute, without a trailing separator. Needs a QCoreApplication for the executable's folder.
QString programFolder();

}  // namespace vornlfrf::gui

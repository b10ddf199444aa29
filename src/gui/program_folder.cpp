#include "program_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace vornlfrf::gui {

QString programFolder() {
    const QString home = qEnvironmentVariable(kHomeVariable);
    const QString folder = home.isEmpty() ? QCoreApplication::applicationDirPath() : home;
    return QDir::cleanPath(QDir(folder).absolutePath());
}

}  // namespace vornlfrf::gui

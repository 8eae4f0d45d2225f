#include "platform/HelpPages.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {

QString HelpPagePath(const QString& helpFolder, int context) {
    return helpFolder + '/' + QString::number(context) + ".html";
}

bool OpenHelpPage(const QString& helpFolder, int context) {
    const QString page = HelpPagePath(helpFolder, context);
    if (!QFileInfo(page).isFile()) {
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

} // namespace platform

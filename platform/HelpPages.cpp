#include "platform/HelpPages.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace platform {

QString HelpPagePath(const QString& helpFolder, int context) {
    return helpFolder + '/' + QString::number(context) + ".html";
}

QString FindHelpPage(const QStringList& folders, int context) {
    for (const QString& folder : folders) {
        const QString page = HelpPagePath(folder, context);
        if (QFileInfo(page).isFile()) {
            return page;
        }
    }
    return {};
}

bool OpenInDesktopBrowser(const QUrl& page) {
    return QDesktopServices::openUrl(page);
}

} // namespace platform

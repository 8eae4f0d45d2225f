#include "platform/HelpPages.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <utility>

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

void OpenInDesktopBrowser(const QUrl& page, std::function<void()> failed) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt's own opener starts xdg-open detached and so never learns that it failed.
    const QString opener = QStandardPaths::findExecutable("xdg-open");
    if (opener.isEmpty()) {
        failed();
        return;
    }
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, failed](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             failed();
                             process->deleteLater();
                         }
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed = std::move(failed)](int status, QProcess::ExitStatus how) {
                         if (how != QProcess::NormalExit || status != 0) {
                             failed();
                         }
                         process->deleteLater();
                     });
    process->start(opener, {page.toString()});
#else
    if (!QDesktopServices::openUrl(page)) {
        failed();
    }
#endif
}

} // namespace platform

#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace platform {

// Hands a page to whatever shows it: the desktop's browser in the program, a recorder in
// tests. False when nothing took the page.
using PageOpener = std::function<bool(const QUrl& page)>;

// The help page of a context number inside a help folder: "<folder>/<context>.html".
QString HelpPagePath(const QString& helpFolder, int context);

// The context's page in the first of `folders` that holds it as a file; empty when none does.
QString FindHelpPage(const QStringList& folders, int context);

// Opens a local page in the desktop's browser. False when the desktop has no way to start one;
// a browser that starts and then fails is not seen here.
bool OpenInDesktopBrowser(const QUrl& page);

} // namespace platform

#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace platform {

// Hands a page to whatever shows it: the desktop's browser in the program, a recorder in
// tests. `failed` is called on the calling thread when nothing shows the page, at once or when
// the desktop gives up later.
using PageOpener = std::function<void(const QUrl& page, std::function<void()> failed)>;

// The help page of a context number inside a help folder: "<folder>/<context>.html".
QString HelpPagePath(const QString& helpFolder, int context);

// The context's page in the first of `folders` that holds it as a file; empty when none does.
QString FindHelpPage(const QStringList& folders, int context);

// Opens a local page in the desktop's browser through xdg-open. A missing xdg-open, and one
// that finds no handler or fails (it ends with a status other than 0), count as failed; an
// xdg-open that waits for the browser it started is not waited for.
void OpenInDesktopBrowser(const QUrl& page, std::function<void()> failed);

} // namespace platform

#pragma once

#include <QString>

namespace platform {

// The help page of a context number inside the help folder: "<folder>/<context>.html".
QString HelpPagePath(const QString& helpFolder, int context);

// Opens the context's page in the user's browser; without the page nothing happens.
// Returns whether a page was handed to the browser.
bool OpenHelpPage(const QString& helpFolder, int context);

} // namespace platform

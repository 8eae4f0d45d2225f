#include "app/ControllerApp.h"
#include "app/TerminalRequest.h"
#include "app/WindowSystemStart.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // Taken before Qt removes the options it knows from argv.
    std::vector<std::string> arguments(argv, argv + argc);

    // Answered before any window system is needed, so they work over ssh and in scripts.
    switch (terminal::RequestOf(arguments)) {
    case terminal::Request::Help:
        std::fputs(terminal::UsageText().c_str(), stdout);
        return 0;
    case terminal::Request::Version:
        std::fputs(terminal::VersionText().c_str(), stdout);
        return 0;
    case terminal::Request::None:
        break;
    }

    const auto application = StartWindowSystem(argc, argv);
    // Numbers are read and written in the C format; the user's separator is applied by hand.
    setlocale(LC_NUMERIC, "C");

    CControllerApp app(std::move(arguments));
    app.InitInstance();
    return app.ExitInstance();
}

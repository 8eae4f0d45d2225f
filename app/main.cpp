#include "app/ControllerApp.h"

#include <QApplication>

#include <clocale>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // Taken before Qt removes the options it knows from argv.
    std::vector<std::string> arguments(argv, argv + argc);

    QApplication application(argc, argv);
    // Numbers are read and written in the C format; the user's separator is applied by hand.
    setlocale(LC_NUMERIC, "C");

    CControllerApp app(std::move(arguments));
    app.InitInstance();
    return app.ExitInstance();
}

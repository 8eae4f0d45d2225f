#pragma once

#include <QApplication>

#include <memory>

// Makes the application object. Without a usable display Qt would print several lines and
// abort with a core dump; a user at a terminal and a driver reading the exit status get one
// line naming the problem and the exit code for "could not start" instead. Qt's messages from
// a start that works are passed on unchanged.
std::unique_ptr<QApplication> StartWindowSystem(int& argc, char** argv);

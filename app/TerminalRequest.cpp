#include "app/TerminalRequest.h"

#include <algorithm>

namespace terminal {

Request RequestOf(const std::vector<std::string>& arguments) {
    const auto asks = [&](const char* option) {
        return std::find(arguments.begin() + std::min<std::size_t>(1, arguments.size()),
                         arguments.end(), option) != arguments.end();
    };
    if (asks("--help")) {
        return Request::Help;
    }
    if (asks("--version")) {
        return Request::Version;
    }
    return Request::None;
}

std::string UsageText() {
    return R"(Usage: quirn [parameter ...]
       quirn --help | --version

Controller for Morvalin USB cutting plotters. A parameter starts with / or -;
keywords are compared without regard to letter case, and a value follows after
a comma or as the next argument. Distances and lengths are millimetres.

  /DEMO[,model]      demonstration mode: no plotter is searched for, nothing is sent
  /MODEL,name        open the plotter of this model without searching for the others
  /LM                do not check the print queues for waiting jobs
  /RM                use the controller's own cutting conditions for the whole run
  /CUTMODE           started for a cutting job: "Cut" closes with exit status 2
  /IR0, /IR1         design orientation
  /FN0, /FN1         media orientation
  /TB2x,x,y          distances between the registration marks (also /TB23)
  /TBM,n             mark correction: 2 two points, 3 three, 4 four, 5 area
  /TB52,n            registration mark type: 1 or 2
  /TBS,step          registration mark step
  /TB51,length       registration mark length
  /TB53,thickness    registration mark line thickness
  /NOTRM             with /CUTMODE: no registration marks
  /OWNER id          the window of the program that started the controller

Exit status:
  0    closed with "Close"
  1    cancelled
  2    closed with "Cut" (/CUTMODE)
  100  another controller is already running; it was brought to the front
  101  could not start (no display, no plotter, port or plotter busy, a print job
       waiting, USB library missing, command set switch refused) or another failure
  199  could not start: unsupported system, model or firmware, out of memory,
       media lists missing, or a program error

See quirn(1) for the files and the environment.
)";
}

std::string VersionText() {
    return std::string("quirn ") + QUIRN_VERSION + "\n";
}

} // namespace terminal

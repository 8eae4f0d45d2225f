// Runs one exchange the way the controller does, through the real libzefralink.so, so that
// tests can run it under plottersim with a fault and read the outcome from its output:
//   open=<code>
//   shown=<code> unsent=<bits> applied=<0|1> ms=<time the exchange took>
//   after=<code> applied=<0|1>          (the same exchange once the fault is over)
// Arguments: LIBRARY MODEL-TYPE opening|setting|tick|poll [--pull-out] [--wait-ms MS].
// --pull-out asks plottersim (the parent) to pull the plotter out right after the opening and
// to plug it in again after the exchange; --wait-ms waits before the second exchange.
#include "tests/retry/FaultRig.h"

#include <chrono>
#include <csignal>
#include <iostream>
#include <map>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// Waits until the node has gone (or is back), for at most ten seconds.
bool WaitForNode(bool present) {
    for (int i = 0; i < 1000; ++i) {
        if ((::access("/dev/usb/lp0", F_OK) == 0) == present) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        return 2;
    }
    const std::map<std::string, Exchange> exchanges = {{"opening", Exchange::Opening},
                                                       {"setting", Exchange::Setting},
                                                       {"tick", Exchange::Tick},
                                                       {"poll", Exchange::Poll}};
    const Exchange exchange = exchanges.at(argv[3]);
    bool pullOut = false;
    int waitMs = 0;
    for (int i = 4; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--pull-out") {
            pullOut = true;
        } else if (arg == "--wait-ms" && i + 1 < argc) {
            waitMs = std::stoi(argv[++i]);
        }
    }

    CFaultRig rig(argv[2]);
    rig.port.SetLibraryCandidates({argv[1]});
    const int opened = rig.port.Open();
    std::cout << "open=" << opened << "\n";
    if (opened != 0) {
        return 0;
    }
    if (pullOut && (::kill(::getppid(), SIGUSR1) != 0 || !WaitForNode(false))) {
        return 3;
    }
    const auto start = std::chrono::steady_clock::now();
    const ExchangeOutcome outcome = rig.Run(exchange);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::cout << "shown=" << outcome.nShown << " unsent=" << outcome.nUnsent
              << " applied=" << outcome.bApplied << " ms=" << ms << "\n";
    if (pullOut && (::kill(::getppid(), SIGUSR2) != 0 || !WaitForNode(true))) {
        return 3;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
    const ExchangeOutcome after = rig.Run(exchange);
    std::cout << "after=" << after.nShown << " applied=" << after.bApplied << "\n";
    return 0;
}

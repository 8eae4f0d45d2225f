#pragma once

#include <cups/cups.h>

// The spooler's client library, bound by name when it is first needed instead of at program
// start: with its own dependencies (TLS, Kerberos, DNS-SD) it is the largest part of loading
// the program, and nothing needs it before the plotter is opened.
struct CupsApi {
    decltype(&::cupsServer) server;
    decltype(&::ippPort) port;
    decltype(&::cupsEncryption) encryption;
    decltype(&::httpConnect2) connect;
    decltype(&::httpSetTimeout) setTimeout;
    decltype(&::httpClose) close;
    decltype(&::cupsGetDests2) getDests;
    decltype(&::cupsFreeDests) freeDests;
    decltype(&::cupsGetOption) getOption;
    decltype(&::cupsGetJobs2) getJobs;
    decltype(&::cupsFreeJobs) freeJobs;
};

namespace cupslib {

inline constexpr const char* kLibraryName = "libcups.so.2";

// The library's functions, loaded on the first call from any thread (a later caller waits for
// that load); nullptr when it is not installed or lacks one of them. A machine without it has no
// spooler, so no queue that could hold a job for the plotter.
const CupsApi* Api();

} // namespace cupslib

// plottersim: simulated plotters as USB printers, for trying and testing the controller
// without a plotter. See --help and docs/simulator.md.
#include "sim/SimDevice.h"
#include "sim/SimOptions.h"

#include <umockdev.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <linux/capability.h>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Set up problems end the program with this code, as env(1) and timeout(1) do.
constexpr int kSetupFailed = 125;
constexpr int kIdlePollMs = 50;

volatile std::sig_atomic_t g_nStopSignal = 0;
volatile std::sig_atomic_t g_nCableSignal = 0; // SIGUSR1: pull out, SIGUSR2: plug in

void OnStopSignal(int signal) {
    g_nStopSignal = signal;
}

void OnCableSignal(int signal) {
    g_nCableSignal = signal;
}

void PrependEnv(const char* name, const std::string& value, char separator) {
    const char* current = std::getenv(name);
    const std::string combined =
        current != nullptr && *current != '\0' ? value + separator + current : value;
    setenv(name, combined.c_str(), 1);
}

// Runs the command under the umockdev preload; returns its pid or -1. `unprivileged`: without
// CAP_SYS_ADMIN, with which a root program would ignore a node held by another program.
pid_t StartCommand(const std::vector<std::string>& command, const std::string& root,
                   bool unprivileged) {
    const pid_t pid = fork();
    if (pid != 0) {
        return pid;
    }
    if (unprivileged) {
        prctl(PR_CAPBSET_DROP, CAP_SYS_ADMIN, 0, 0, 0);
    }
    setenv("UMOCKDEV_DIR", root.c_str(), 1);
    PrependEnv("LD_PRELOAD", "libumockdev-preload.so.0", ':');
    // Sanitizer builds refuse to run when another library is preloaded before theirs.
    PrependEnv("ASAN_OPTIONS", "verify_asan_link_order=0", ':');
    std::vector<char*> argv;
    for (const std::string& arg : command) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    std::fprintf(stderr, "plottersim: cannot run %s: %s\n", argv[0], std::strerror(errno));
    _exit(127);
}

int ExitCodeOf(int status) {
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : 1;
}

void FinishAll(std::vector<std::unique_ptr<CSimDevice>>& devices) {
    for (const auto& device : devices) {
        device->Finish();
    }
}

// Serves every device until the child ends (child > 0) or a stop signal comes.
int Serve(std::vector<std::unique_ptr<CSimDevice>>& devices, pid_t child) {
    for (;;) {
        if (child > 0) {
            int status = 0;
            const pid_t done = waitpid(child, &status, WNOHANG);
            if (done == child) {
                FinishAll(devices);
                return ExitCodeOf(status);
            }
        }
        if (g_nCableSignal != 0) {
            for (const auto& device : devices) {
                if (g_nCableSignal == SIGUSR1) {
                    device->PullOut();
                } else {
                    device->PlugIn();
                }
            }
            g_nCableSignal = 0;
        }
        if (g_nStopSignal != 0) {
            if (child <= 0) {
                FinishAll(devices);
                return 0;
            }
            kill(child, SIGTERM);
            g_nStopSignal = 0;
        }
        std::vector<pollfd> fds;
        std::vector<CSimDevice*> owners;
        auto next = CSimDevice::Clock::time_point::max();
        const auto now = CSimDevice::Clock::now();
        for (const auto& device : devices) {
            if (device->ServerFd() >= 0 && device->TakesInput(now)) {
                fds.push_back({device->ServerFd(), POLLIN, 0});
                owners.push_back(device.get());
            }
            next = std::min(next, device->NextEvent());
        }
        int timeout = kIdlePollMs;
        if (next != CSimDevice::Clock::time_point::max()) {
            const auto wait =
                std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count();
            timeout = static_cast<int>(std::clamp<long long>(wait, 0, kIdlePollMs));
        }
        const int ready = poll(fds.data(), fds.size(), timeout);
        const auto after = CSimDevice::Clock::now();
        for (std::size_t i = 0; ready > 0 && i < fds.size(); ++i) {
            if ((fds[i].revents & POLLIN) != 0) {
                owners[i]->OnReadable(after);
            }
        }
        for (const auto& device : devices) {
            device->OnTime(after);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<SimOptions> options =
        ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "plottersim: %s\nTry 'plottersim --help'.\n", error.c_str());
        return kSetupFailed;
    }
    if (options->help) {
        std::fputs(SimUsage(), stdout);
        return 0;
    }

    std::signal(SIGPIPE, SIG_IGN);
    struct sigaction stop {};
    stop.sa_handler = OnStopSignal;
    sigaction(SIGINT, &stop, nullptr);
    sigaction(SIGTERM, &stop, nullptr);
    struct sigaction cable {};
    cable.sa_handler = OnCableSignal;
    sigaction(SIGUSR1, &cable, nullptr);
    sigaction(SIGUSR2, &cable, nullptr);

    UMockdevTestbed* testbed = umockdev_testbed_new();
    gchar* rootDir = umockdev_testbed_get_root_dir(testbed);
    const std::string root = rootDir;
    g_free(rootDir);

    int result = kSetupFailed;
    {
        std::vector<std::unique_ptr<CSimDevice>> devices;
        bool ready = true;
        for (std::size_t i = 0; i < options->plotters.size() && ready; ++i) {
            devices.push_back(
                std::make_unique<CSimDevice>(testbed, options->plotters[i], static_cast<int>(i)));
            ready = devices.back()->Plug(error);
        }
        if (!ready) {
            std::fprintf(stderr, "plottersim: %s\n", error.c_str());
        } else if (options->command.empty()) {
            std::printf("UMOCKDEV_DIR=%s\n", root.c_str());
            for (const auto& device : devices) {
                std::printf("%s %s\n", device->NodePath().c_str(),
                            device->Config().modelType.c_str());
            }
            std::fflush(stdout);
            result = Serve(devices, 0);
        } else {
            const bool held =
                std::any_of(options->plotters.begin(), options->plotters.end(),
                            [](const SimPlotterConfig& c) { return c.holdAfter >= 0; });
            const pid_t child = StartCommand(options->command, root, held);
            if (child < 0) {
                std::fprintf(stderr, "plottersim: cannot start: %s\n", std::strerror(errno));
            } else {
                result = Serve(devices, child);
            }
        }
    }
    g_object_unref(testbed);
    return result;
}

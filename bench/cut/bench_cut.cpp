// A 5 MB HP-GL job through `quirn-cut --no-controller` beside writing the same bytes straight
// to the same simulated plotter's node. Run it under plottersim with HP-GL active:
//   build/plottersim --hpgl -- build/bench/bench_cut
// Each iteration runs both, alternating which goes first, so that load from other programs
// falls on both alike. The driver's time includes its start: reading the file, splitting it
// into commands, loading libzefralink.so, the command-set and ready queries. `ratio` is the
// driver's rate over the raw rate, the whole run against the raw write; `transfer_ratio` the
// same for the transfer alone, from the driver's first progress line (just before its first
// byte goes out) to its last (all taken). Medians of one repetition.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// plottersim's only plotter.
constexpr const char* kNode = "/dev/usb/lp0";
constexpr std::size_t kJobBytes = 5 * 1000 * 1000;

// HP-GL of small squares, as a real job is: many short commands.
std::string MakeJob() {
    std::string job = "PA;";
    for (int i = 0; job.size() < kJobBytes; ++i) {
        const std::string x = std::to_string(i % 1000 * 40);
        const std::string y = std::to_string(i / 1000 % 1000 * 40);
        job += "PU" + x + ',' + y + ";PD" + x + ',' + y + ',' + x + ',' + y + ';';
    }
    return job + "PU;";
}

struct Job {
    Job() {
        char name[] = "/tmp/bench_cut_XXXXXX";
        const int fd = ::mkstemp(name);
        path = name;
        ok = fd >= 0 &&
             ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        if (fd >= 0) {
            ::close(fd);
        }
    }
    ~Job() { ::unlink(path.c_str()); }
    std::string bytes = MakeJob();
    std::string path;
    bool ok = false;
};

bool RawWrite(const std::string& bytes) {
    const int fd = ::open(kNode, O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        pollfd entry{fd, POLLOUT, 0};
        if (::poll(&entry, 1, 5000) != 1) {
            break;
        }
    }
    ::close(fd);
    return done == bytes.size();
}

// Runs the driver; `transfer` is the time between its first and its last progress line.
bool ThroughDriver(const std::string& path, double& transfer) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    const std::string program = QUIRN_CUT;
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--no-controller"),
                    const_cast<char*>("--skip-queue-check"), const_cast<char*>(path.c_str()),
                    nullptr};
    pid_t pid = 0;
    const bool started = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    Clock::time_point first{};
    Clock::time_point last{};
    std::string said;
    char buffer[4096];
    for (ssize_t n; started && (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        const Clock::time_point now = Clock::now();
        said.append(buffer, static_cast<std::size_t>(n));
        if (said.find(" bytes sent (") != std::string::npos) {
            first = first == Clock::time_point{} ? now : first;
            last = now;
            said.clear();
        }
    }
    ::close(pipeEnds[0]);
    transfer = std::chrono::duration<double>(last - first).count();
    int status = 0;
    return started && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

void BM_CutAgainstRaw(benchmark::State& state) {
    static const Job job;
    if (!job.ok || ::access(kNode, W_OK) != 0) {
        state.SkipWithError("no plotter node; run under plottersim --hpgl");
        return;
    }
    std::vector<double> cut;
    std::vector<double> transfer;
    std::vector<double> raw;
    for (auto _ : state) {
        const bool cutFirst = cut.size() % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool isCut = (turn == 0) == cutFirst;
            const Clock::time_point start = Clock::now();
            double transferred = 0;
            const bool ok = isCut ? ThroughDriver(job.path, transferred) : RawWrite(job.bytes);
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            if (!ok) {
                state.SkipWithError(isCut ? "quirn-cut failed" : "raw write failed");
                return;
            }
            (isCut ? cut : raw).push_back(seconds);
            if (isCut) {
                transfer.push_back(transferred);
            }
        }
    }
    const double megabytes = static_cast<double>(job.bytes.size()) / 1e6;
    state.counters["cut_MBps"] = megabytes / Median(cut);
    state.counters["raw_MBps"] = megabytes / Median(raw);
    state.counters["ratio"] = Median(raw) / Median(cut);
    state.counters["transfer_MBps"] = megabytes / Median(transfer);
    state.counters["transfer_ratio"] = Median(raw) / Median(transfer);
}
BENCHMARK(BM_CutAgainstRaw)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

} // namespace

BENCHMARK_MAIN();

#include "KillDuringWrites.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <random>
#include <sys/mman.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Shared with the child: whether it runs and whether it is inside a rewrite.
struct Shared {
    std::atomic<int> started;
    std::atomic<int> inWrite;
};

[[noreturn]] void RewriteForever(Shared& shared, const std::function<void(int)>& rewrite) {
    shared.started = 1;
    for (int i = 0;; ++i) {
        shared.inWrite = 1;
        rewrite(i);
        shared.inWrite = 0;
    }
}

std::chrono::microseconds TimeOfOneRewrite(const std::function<void(int)>& rewrite) {
    constexpr int kSamples = 20;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kSamples; ++i) {
        rewrite(i);
    }
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 start) /
           kSamples;
}

} // namespace

KillTally KillDuringWrites(int kills, const std::function<void(int)>& rewrite,
                           const std::function<void()>& check) {
    void* memory =
        ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        return {};
    }
    Shared& shared = *new (memory) Shared{};
    const long long spread = 3 * TimeOfOneRewrite(rewrite).count() + 1;
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<long long> delay(0, spread);
    KillTally tally;
    for (int k = 0; k < kills; ++k) {
        shared.started = 0;
        shared.inWrite = 0;
        const pid_t child = ::fork();
        if (child == 0) {
            RewriteForever(shared, rewrite);
        }
        if (child < 0) {
            break;
        }
        while (shared.started == 0) {
            std::this_thread::yield();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ++tally.kills;
        tally.insideWrite += shared.inWrite.load();
        check();
    }
    shared.~Shared();
    ::munmap(memory, sizeof(Shared));
    return tally;
}

std::filesystem::path KillTestFolderBase() {
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error)
               ? std::filesystem::path("/dev/shm")
               : std::filesystem::temp_directory_path();
}

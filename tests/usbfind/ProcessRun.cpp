#include "tests/usbfind/ProcessRun.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

extern char** environ;

std::vector<std::string> ProcessResult::Lines() const {
    std::vector<std::string> lines;
    std::istringstream stream(output);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

ProcessResult RunProcess(const std::vector<std::string>& argv) {
    ProcessResult result;
    int fds[2];
    if (pipe(fds) != 0) {
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        return result;
    }
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) {
        result.output.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

ProcessResult RunProbe(const std::vector<std::string>& simOptions,
                       const std::vector<std::string>& steps) {
    std::vector<std::string> argv{QUIRN_RUNTIME_DIR "/plottersim"};
    argv.insert(argv.end(), simOptions.begin(), simOptions.end());
    argv.insert(argv.end(), {"--", ZEFRA_PROBE, QUIRN_RUNTIME_DIR "/libzefralink.so"});
    argv.insert(argv.end(), steps.begin(), steps.end());
    return RunProcess(argv);
}

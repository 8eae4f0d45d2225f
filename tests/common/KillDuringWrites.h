#pragma once

#include <filesystem>
#include <functional>

// Crash safety under SIGKILL: a child process rewrites files in a loop, `rewrite(i)` for
// i = 0, 1, 2 …, and is killed after a random delay, `kills` times; `check` runs after every
// kill. The delays are spread over a few rewrites, measured first, so the kills land at
// random points inside the writes and between them.
struct KillTally {
    int kills = 0;
    int insideWrite = 0; // kills that met the child inside a rewrite
};

KillTally KillDuringWrites(int kills, const std::function<void(int)>& rewrite,
                           const std::function<void()>& check);

// Where the files of such a test go: a memory file system when there is one. A kill is no
// power loss, so what it can break does not depend on the disk, and without the disk's flushes
// a thousand kills take seconds.
std::filesystem::path KillTestFolderBase();

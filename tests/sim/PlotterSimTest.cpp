#include "tests/usbfind/ProcessRun.h"

#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

extern char** environ;

namespace {

using Lines = std::vector<std::string>;
const std::string kPlotterSim = QUIRN_RUNTIME_DIR "/plottersim";

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Steps of the probe that ask the WX8800 family one query each.
std::vector<std::string> Queries(std::initializer_list<const char*> queries) {
    std::vector<std::string> steps;
    for (const char* query : queries) {
        steps.insert(steps.end(), {"query", "Morvalin", "WX8800", query});
    }
    return steps;
}

TEST(PlotterSimRun, HelpDocumentsTheOptions) {
    const ProcessResult run = RunProcess({kPlotterSim, "--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* option : {"--model",
                               "--log",
                               "--script",
                               "--busy",
                               "--not-ready",
                               "--no-model-answer",
                               "--malformed",
                               "--reply ",
                               "--reply-delay",
                               "--light-pointer",
                               "--hpgl",
                               "--marks-succeed-after",
                               "--marks-fail-after",
                               "--test-cut-waits-for-enter",
                               "--unplug-after",
                               "--unplug-at-byte",
                               "--hold-after",
                               "--late-replies",
                               "SIGUSR1",
                               "--chunk",
                               "--job-log",
                               "--byte-rate",
                               "--pause-at-byte",
                               "--stall-at-byte",
                               "--device-id",
                               "--huge-device-id",
                               "--reply-length",
                               "--zero-bytes",
                               "UMOCKDEV_DIR"}) {
        EXPECT_NE(run.output.find(option), std::string::npos) << option;
    }
}

TEST(PlotterSimRun, PassesTheCommandsExitCodeAndRefusesBadOptions) {
    EXPECT_EQ(RunProcess({kPlotterSim, "--", "/bin/sh", "-c", "exit 7"}).exitCode, 7);
    EXPECT_EQ(RunProcess({kPlotterSim, "--", "/nonexistent/program"}).exitCode, 127);
    EXPECT_EQ(RunProcess({kPlotterSim, "--model", "XY-1", "--", "/bin/true"}).exitCode, 125);
    EXPECT_EQ(
        RunProcess({kPlotterSim, "--log", "/nonexistent/dir/log", "--", "/bin/true"}).exitCode,
        125);
}

TEST(PlotterSimRun, LogsEveryReceivedBytePerPlotter) {
    QTemporaryDir dir;
    const std::string log = dir.filePath("wire.log").toStdString();
    const ProcessResult run =
        RunProbe({"--log", log, "--model", "WX8800-75", "--model", "RX3600-60"},
                 {"query", "Morvalin", "WX8800", "\\e.C31;9:", "command", "Morvalin", "WX8800",
                  "TC4,-999\\x03", "query", "Morvalin", "RX3600", "TC23,\\x03"});
    EXPECT_EQ(run.Lines(), (Lines{"reply WX8800-75,V1.20\\x03", "sent 9", "reply 0\\x03"}));
    EXPECT_EQ(ReadFile(log), "\x1b.C31;9:TC4,-999\x03");
    EXPECT_EQ(ReadFile(log + ".1"), "TC23,\x03");
}

// A job before a query: the reply shows when the plotter has taken the job, and the job log
// what it took of it.
TEST(PlotterSimRun, SlowPlotterTakesTheJobAtItsPaceAndLogsItApart) {
    struct Row {
        const char* what;
        std::vector<std::string> options;
        const char* timeoutMs;
        Lines expected;
        std::size_t jobBytesTaken;
    };
    std::string job = "IN;";
    for (int i = 0; i < 500; ++i) {
        job += "PD1,1;";
    }
    const Row rows[] = {
        {"at full speed", {}, "1000", {"sent 3003", "reply 0\\x03"}, job.size()},
        {"1000 bytes a second",
         {"--byte-rate", "1000"},
         "1000",
         {"sent 3003", "error read timeout"},
         job.size()},
        {"1000 bytes a second, waited for",
         {"--byte-rate", "1000"},
         "6000",
         {"sent 3003", "reply 0\\x03"},
         job.size()},
        {"paused",
         {"--pause-at-byte", "100", "--pause-ms", "3000"},
         "1000",
         {"sent 3003", "error read timeout"},
         100},
        {"paused, waited for",
         {"--pause-at-byte", "100", "--pause-ms", "1500"},
         "4000",
         {"sent 3003", "reply 0\\x03"},
         job.size()},
        {"stalled", {"--stall-at-byte", "100"}, "3000", {"sent 3003", "error read timeout"}, 100},
    };
    for (const Row& row : rows) {
        QTemporaryDir dir;
        const std::string jobLog = dir.filePath("job").toStdString();
        std::vector<std::string> options{"--job-log", jobLog};
        options.insert(options.end(), row.options.begin(), row.options.end());
        const ProcessResult run =
            RunProbe(options, {"timeout", row.timeoutMs, "command", "Morvalin", "WX8800", job,
                               "query", "Morvalin", "WX8800", "\\e.C1:"});
        EXPECT_EQ(run.Lines(), row.expected) << row.what;
        EXPECT_EQ(ReadFile(jobLog), job.substr(0, row.jobBytesTaken)) << row.what;
    }
}

struct FaultCase {
    const char* name;
    std::vector<std::string> options;
    std::vector<std::string> steps;
    Lines expected;
};

TEST(PlotterSimFaults, EachFaultShowsOnTheWire) {
    const FaultCase cases[] = {
        {"not ready", {"--not-ready"}, Queries({"\\e.C1:"}), {"reply 1\\x03"}},
        {"busy", {"--busy"}, Queries({"\\e.C1:"}), {"reply 2\\x03"}},
        {"status bits until ready",
         {"--status", "33", "--status-replies", "1"},
         Queries({"\\e.C1:", "\\e.C1:"}),
         {"reply 33\\x03", "reply 0\\x03"}},
        {"malformed", {"--malformed"}, Queries({"\\e.C31;16:"}), {"reply x\\x03"}},
        {"out of range",
         {"--reply", "C31;13=99\\x03"},
         Queries({"\\e.C31;13:"}),
         {"reply 99\\x03"}},
        {"light pointer", {"--light-pointer"}, Queries({"\\e.C31;14:"}), {"reply 8\\x03"}},
        {"other command set", {"--hpgl"}, Queries({"\\e.C31;24:"}), {"reply 1\\x03"}},
        {"zero bytes", {"--zero-bytes", "2"}, Queries({"\\e.C31;17:"}), {"reply 1\\x00\\x00\\x03"}},
        {"pieces",
         {"--chunk", "1"},
         Queries({"\\e.C31;9:", "\\e.C31;27:"}),
         {"reply WX8800-60,V1.20\\x03", "reply 1,20000\\x03"}},
        {"marks succeed",
         {"--marks-succeed-after", "1"},
         Queries({"\\e.C10:", "\\e.C11:", "\\e.C11:", "TC23,\\x03"}),
         {"error read timeout", "reply 1\\x03", "reply 2\\x03", "reply 1\\x03"}},
        {"marks fail",
         {"--marks-fail-after", "2"},
         Queries({"\\e.C10:", "\\e.C11:", "\\e.C11:", "\\e.C11:"}),
         {"error read timeout", "reply 1\\x03", "reply 1\\x03", "reply 10\\x03"}},
        {"test cut waits for Enter",
         {"--test-cut-waits-for-enter"},
         Queries({"TC7,\\x03", "\\e.C13:", "\\e.C13:", "\\e.C13:", "\\e.C14:", "\\e.C13:"}),
         {"error read timeout", "reply 0\\x03", "reply 6\\x03", "reply 6\\x03",
          "error read timeout", "reply 8\\x03"}},
    };
    for (const FaultCase& c : cases) {
        // Steps that send something without reply wait only briefly for the missing reply.
        std::vector<std::string> steps{"timeout", "300"};
        steps.insert(steps.end(), c.steps.begin(), c.steps.end());
        const ProcessResult run = RunProbe(c.options, steps);
        EXPECT_EQ(run.exitCode, 0) << c.name;
        EXPECT_EQ(run.Lines(), c.expected) << c.name;
    }
}

TEST(PlotterSimFaults, ModelQueryUnansweredWhileOthersAre) {
    const ProcessResult run = RunProbe(
        {"--no-model-answer"}, {"timeout", "500", "query", "Morvalin", "WX8800",
                                "\\e.C31;9:", "query", "Morvalin", "WX8800", "\\e.C31;16:"});
    EXPECT_EQ(run.Lines(), (Lines{"error read timeout", "reply 2\\x03"}));
}

TEST(PlotterSimFaults, LongReplyCarriesItsEtxBeyond512Bytes) {
    const ProcessResult run = RunProbe({"--reply-length", "600"}, Queries({"\\e.C31;16:"}));
    ASSERT_EQ(run.Lines().size(), 1u);
    EXPECT_EQ(run.Lines()[0], "reply " + std::string(598, ' ') + "2\\x03");
}

TEST(PlotterSimFaults, LateReplyIsWhatTheNextExchangeReads) {
    // As with a real plotter, a reply that comes after the reader gave up waits in the
    // device and answers the next query.
    const ProcessResult run =
        RunProbe({"--reply-delay", "1500"},
                 {"timeout", "100", "query", "Morvalin", "WX8800", "\\e.C31;13:", "sleep", "2500",
                  "timeout", "4000", "query", "Morvalin", "WX8800", "\\e.C31;16:"});
    EXPECT_EQ(run.Lines(), (Lines{"error read timeout", "reply 14\\x03"}));
}

TEST(PlotterSimFaults, UnpluggedDeviceComesBack) {
    const ProcessResult run = RunProbe(
        {"--unplug-after", "1", "--unplug-ms", "3000"},
        {"timeout",  "300",      "query",       "Morvalin", "WX8800",    "\\e.C1:", "query",
         "Morvalin", "WX8800",   "\\e.C31;16:", "check",    "Morvalin",  "WX8800",  "open",
         "0",        "Morvalin", "WX8800",      "sleep",    "4000",      "check",   "Morvalin",
         "WX8800",   "query",    "Morvalin",    "WX8800",   "\\e.C31;9:"});
    const Lines lines = run.Lines();
    ASSERT_EQ(lines.size(), 6u) << run.output;
    EXPECT_EQ(lines[0], "reply 0\\x03");
    // The second request is lost with the device; whether the reader's open comes before
    // or after the device has gone is a race between the two processes.
    EXPECT_TRUE(lines[1] == "error open1 errno 2" || lines[1] == "error read timeout") << lines[1];
    EXPECT_EQ(Lines(lines.begin() + 2, lines.end()),
              (Lines{"check 0", "open -1 errno 2", "check 1", "reply WX8800-60,V1.20\\x03"}));
}

TEST(PlotterSimFaults, ScriptFileSetsUpPlotters) {
    QTemporaryDir dir;
    const std::string script = dir.filePath("sim.txt").toStdString();
    std::ofstream(script) << "model RX3600-60\nstatus 33\nfirmware V7.00\n";
    const ProcessResult run =
        RunProbe({"--script", script}, {"query", "Morvalin", "RX3600", "\\e.C1:", "query",
                                        "Morvalin", "RX3600", "\\e.C31;9:"});
    EXPECT_EQ(run.Lines(), (Lines{"reply 33\\x03", "reply RX3600-60,V7.00\\x03"}));
}

TEST(PlotterSimServe, ServesUntilStoppedForOtherPrograms) {
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(kPlotterSim.c_str()), const_cast<char*>("--model"),
                    const_cast<char*>("RX3600-40"), nullptr};
    pid_t server = 0;
    ASSERT_EQ(posix_spawn(&server, argv[0], &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    FILE* announcements = fdopen(out[0], "r");
    char line[1024] = {};
    ASSERT_NE(fgets(line, sizeof line, announcements), nullptr);
    const std::string first(line);
    ASSERT_EQ(first.rfind("UMOCKDEV_DIR=", 0), 0u) << first;
    const std::string dirLine = first.substr(0, first.size() - 1);
    ASSERT_NE(fgets(line, sizeof line, announcements), nullptr);
    EXPECT_EQ(std::string(line), "/dev/usb/lp0 RX3600-40\n");

    const ProcessResult run = RunProcess(
        {"/usr/bin/env", dirLine, "LD_PRELOAD=libumockdev-preload.so.0",
         "ASAN_OPTIONS=verify_asan_link_order=0", ZEFRA_PROBE, QUIRN_RUNTIME_DIR "/libzefralink.so",
         "query", "Morvalin", "RX3600", "\\e.C31;9:"});
    EXPECT_EQ(run.Lines(), Lines{"reply RX3600-40,V1.20\\x03"});

    kill(server, SIGTERM);
    int status = 0;
    waitpid(server, &status, 0);
    fclose(announcements);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(access(dirLine.substr(13).c_str(), F_OK), 0) << "the test bed is removed";
}

} // namespace

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The two languages a plotter speaks; it keeps one of them active.
enum class JobLanguage {
    Native, // QV-CL: commands end with ETX
    Hpgl,   // HP-GL: two-letter mnemonics, parameters, ';'
};

// The command set number the plotter reports and takes for a language (0 QV-CL, 1 HP-GL).
int CommandSetOf(JobLanguage language);
const char* NameOf(JobLanguage language);

// A job ready for the plotter: its bytes and where each of its commands ends, so that it can
// be sent in pieces that never split a command.
struct PlotterJob {
    JobLanguage language = JobLanguage::Hpgl;
    std::string bytes;
    std::vector<std::size_t> commandEnds; // ascending; the last one is bytes.size()
    // Speed and force commands left out: the controller sets the cutting conditions.
    std::size_t droppedConditionCommands = 0;
};

// Reads a ready job, HP-GL or native, and splits it into commands. Speed and force commands
// (HP-GL "VS", "FS"; native "TC1", "TC3") are left out; everything else stays byte for byte.
// Nothing when the bytes are neither, with the reason in `problem`.
std::optional<PlotterJob> ReadPlotterJob(std::string_view bytes, std::string& problem);

// The job that lifts the tool and nothing else, for a job stopped half way; empty when the
// language has no such command the project knows.
std::string LiftToolCommand(JobLanguage language);

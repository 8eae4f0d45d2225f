// Ready jobs split into commands, and the command line turned into launch parameters.
#include "cut/PlotterJob.h"
#include "cut/CutExit.h"
#include "cut/CutOptions.h"

#include <gtest/gtest.h>

namespace {

const std::string kEtx = "\x03";
const std::string kEsc = "\x1b";

TEST(PlotterJob, ReadyJobsSplitAtEveryCommandAndLoseOnlySpeedAndForce) {
    struct Row {
        const char* what;
        std::string input;
        JobLanguage language;
        std::vector<std::string> commands; // the job as sent, command by command
    };
    const Row rows[] = {
        {"HP-GL",
         "IN;PU0,0;PD100,0,100,100;PU;",
         JobLanguage::Hpgl,
         {"IN;", "PU0,0;", "PD100,0,100,100;", "PU;"}},
        {"HP-GL without separators, lower case, lines",
         "in\r\npu0,0pd10,10\n",
         JobLanguage::Hpgl,
         {"in\r\n", "pu0,0", "pd10,10\n"}},
        {"HP-GL labels to ETX or the DT terminator, quoted strings, device control",
         kEsc + ".(" + "LBa;b" + kEtx + "DT#;LBx,y#BP\"name;x\";",
         JobLanguage::Hpgl,
         {kEsc + ".(", "LBa;b" + kEtx, "DT#;", "LBx,y#", "BP\"name;x\";"}},
        {"HP-GL speed and force left out",
         "IN;VS10;FS3;PD1,1;",
         JobLanguage::Hpgl,
         {"IN;", "PD1,1;"}},
        {"QV-CL",
         "TC7," + kEtx + "XY1,2" + kEtx + "\n" + kEsc + ".C1:",
         JobLanguage::Native,
         {"TC7," + kEtx, "XY1,2" + kEtx + "\n", kEsc + ".C1:"}},
        {"QV-CL speed and force left out",
         "TC1,300" + kEtx + "TC3,14" + kEtx + "TC31,2" + kEtx,
         JobLanguage::Native,
         {"TC31,2" + kEtx}},
    };
    for (const Row& row : rows) {
        std::string problem;
        const std::optional<PlotterJob> job = ReadPlotterJob(row.input, problem);
        ASSERT_TRUE(job) << row.what << ": " << problem;
        EXPECT_EQ(job->language, row.language) << row.what;
        std::vector<std::string> commands;
        std::size_t begin = 0;
        for (std::size_t end : job->commandEnds) {
            commands.push_back(job->bytes.substr(begin, end - begin));
            begin = end;
        }
        EXPECT_EQ(commands, row.commands) << row.what;
        EXPECT_EQ(begin, job->bytes.size()) << row.what;
    }
}

TEST(PlotterJob, WhatIsNoJobIsRefusedWithItsReason) {
    struct Row {
        std::string input;
        const char* reason;
    };
    const Row rows[] = {
        {"", "holds no plotter commands"},
        {" \r\n\t", "holds no plotter commands"},
        {std::string("PD1,1;\0\x01\x02", 9), "holds binary data"},
        {"\x89PNG\r\n", "holds binary data"},
        {"Dear John, see you at ten.", "is neither an SVG drawing nor an HP-GL or QV-CL job"},
        {"IN;PD1,1;LBno end", "is neither"},
        {"TC7,", "is neither"},
        {kEsc + "x", "is neither"},
    };
    for (const Row& row : rows) {
        std::string problem;
        EXPECT_FALSE(ReadPlotterJob(row.input, problem)) << row.input;
        EXPECT_EQ(problem.rfind(row.reason, 0), 0u) << row.input << ": " << problem;
    }
}

TEST(CutOptions, OptionsBecomeTheControllersLaunchParameters) {
    struct Row {
        QStringList arguments;
        QStringList launch;
    };
    const Row rows[] = {
        {{"a.svg"}, {}},
        {{"--model", "Nimbo Pro S", "--skip-queue-check", "--controller-settings", "--no-marks",
          "a.svg"},
         {"/MODEL,Nimbo Pro S", "/LM", "/RM", "/NOTRM"}},
        {{"--design-orientation", "1", "--media-orientation", "0", "--marks-distance", "300,200",
          "--marks-correction", "4", "--mark-type", "2", "--mark-step", "50", "--mark-length", "10",
          "--mark-thickness", "0.5", "a.svg"},
         {"/IR1", "/FN0", "/TB23,300,200", "/TBM,4", "/TB52,2", "/TBS,50", "/TB51,10",
          "/TB53,0.5"}},
        {{"--launch", "/OWNER12", "--launch", "/TBM,3", "-"}, {"/OWNER12", "/TBM,3"}},
    };
    for (const Row& row : rows) {
        const CutCommandLine parsed = ParseCutCommandLine(QStringList{"quirn-cut"} + row.arguments);
        ASSERT_TRUE(parsed.options) << parsed.text.toStdString();
        EXPECT_EQ(parsed.options->launchParameters, row.launch)
            << row.arguments.join(' ').toStdString();
        EXPECT_EQ(parsed.options->file, row.arguments.back());
    }
}

TEST(CutOptions, UsageErrorsEndWithTheirCodeAndHelpDoesNot) {
    struct Row {
        QStringList arguments;
        int exitCode;
        const char* says;
    };
    const Row rows[] = {
        {{}, cutexit::kUsage, "no FILE given"},
        {{"a", "b"}, cutexit::kUsage, "more than one FILE"},
        {{"--overcut", "x", "a"}, cutexit::kUsage, "--overcut takes"},
        {{"--overcut", "11", "a"}, cutexit::kUsage, "--overcut takes"},
        {{"--preview", "p.png", "--output", "o", "a"}, cutexit::kUsage, "do not go together"},
        {{"--bogus", "a"}, cutexit::kUsage, "Unknown option"},
        {{"--help"}, 0, "--switch-command-set"},
        {{"--help"}, 0, "Usage: quirn-cut [options] FILE\n"},
        {{"--version"}, 0, "quirn-cut "},
    };
    for (const Row& row : rows) {
        const CutCommandLine parsed = ParseCutCommandLine(QStringList{"quirn-cut"} + row.arguments);
        EXPECT_FALSE(parsed.options) << row.says;
        EXPECT_EQ(parsed.exitCode, row.exitCode) << row.says;
        EXPECT_TRUE(parsed.text.contains(row.says)) << parsed.text.toStdString();
    }
}

} // namespace

// quirn-cut under the simulated plotter: it starts the real controller on a VNC screen, the
// test answers the controller's window as a user would, and the simulator's logs show what
// reached each plotter.
#include "tests/e2e/ControllerRun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>

namespace {

using Launch = CControllerRun::Launch;
constexpr int kScreenTimeoutMs = CControllerRun::kScreenTimeoutMs;
const QString kQuirnCut = QStringLiteral(QUIRN_RUNTIME_DIR "/quirn-cut");
const QString kDrawings = QStringLiteral(QUIRN_SOURCE_DIR "/tests/cut/drawings/");
// What the driver asks before it sends: the command set, then the ready status.
const std::string kDriverQueries = Query("C31;24") + Query("C1");

std::string ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

void WriteFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
              static_cast<qint64>(bytes.size()));
}

// The job quirn-cut makes of a drawing, as it would send it.
std::string JobOf(const QString& drawing) {
    QProcess convert;
    convert.start(kQuirnCut, {"--output", "-", drawing});
    EXPECT_TRUE(convert.waitForFinished(30000));
    EXPECT_EQ(convert.exitCode(), 0);
    return convert.readAllStandardOutput().toStdString();
}

// An HP-GL job of many short commands, `squares` squares of 2 mm.
std::string LongJob(int squares) {
    std::string job = "PA;";
    for (int i = 0; i < squares; ++i) {
        const int x = (i % 100) * 100;
        const int y = (i / 100) * 100;
        job += "PU" + std::to_string(x) + ',' + std::to_string(y) + ";PD" + std::to_string(x + 80) +
               ',' + std::to_string(y) + ',' + std::to_string(x + 80) + ',' +
               std::to_string(y + 80) + ',' + std::to_string(x) + ',' + std::to_string(y + 80) +
               ',' + std::to_string(x) + ',' + std::to_string(y) + ';';
    }
    return job + "PU;";
}

// A run of quirn-cut whose controller ends with the main window's Cut or Cancel.
class CutRun {
public:
    CutRun() {
        m_run.Remember("TomboRead", 0);
        m_run.Remember("CutCondSetting", 1);
        m_run.Remember("MediaListName", "Paper");
    }
    QString JobLog(int plotter = 0) const {
        return m_run.Folder() + "/job.log" + (plotter > 0 ? QString(".%1").arg(plotter) : "");
    }
    // Starts quirn-cut on `arguments` under plotters with `simOptions`.
    bool Start(const QStringList& simOptions, const QStringList& arguments) {
        return m_run.IsValid() &&
               m_run.StartOnScreen(Launch()
                                       .Program(kQuirnCut)
                                       .Sim(QStringList{"--job-log", JobLog()} + simOptions)
                                       .Args(arguments),
                                   m_client);
    }
    // Answers the controller's main window with Return (Cut) or Escape (Cancel).
    bool Answer(quint32 key) {
        return m_client.WaitForScreen(screen::ShowsMainWindowAlone, kScreenTimeoutMs) &&
               m_client.Press(key);
    }

    CControllerRun m_run;
    CVncClient m_client;
};

TEST(CutEndToEnd, CutSendsTheJobAfterTheControllersExchangesAndCancelSendsNothing) {
    const QString drawing = kDrawings + "nested-mm.svg";
    const std::string job = JobOf(drawing);
    ASSERT_EQ(job.substr(0, 3), "PA;");
    struct Row {
        const char* what;
        quint32 key;
        int exitCode;
        std::string jobLog;
    };
    const Row rows[] = {
        {"Cut", CVncClient::kKeyReturn, 0, job},
        {"Cancel", CVncClient::kKeyEscape, 1, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CutRun cut;
        ASSERT_TRUE(cut.Start({"--hpgl"}, {drawing}));
        ASSERT_TRUE(cut.Answer(row.key));
        EXPECT_EQ(cut.m_run.ExitCode(), row.exitCode) << cut.m_run.ErrorOutput().toStdString();
        const std::string wire = cut.m_run.Wire();
        EXPECT_EQ(ReadFile(cut.JobLog()), row.jobLog);
        if (!row.jobLog.empty()) {
            // The controller identified the plotter first; the job ends the wire.
            EXPECT_EQ(wire.rfind(Query("C31;9"), 0), 0u);
            ASSERT_GE(wire.size(), kDriverQueries.size() + job.size());
            EXPECT_EQ(wire.substr(wire.size() - job.size() - kDriverQueries.size()),
                      kDriverQueries + job);
        } else {
            EXPECT_EQ(wire.find("PA;"), std::string::npos);
        }
    }
}

TEST(CutEndToEnd, PlotterInTheOtherCommandSetGetsNothing) {
    CutRun cut;
    ASSERT_TRUE(cut.Start({}, {kDrawings + "shapes-px.svg"}));
    ASSERT_TRUE(cut.Answer(CVncClient::kKeyReturn));
    EXPECT_EQ(cut.m_run.ExitCode(), 69);
    EXPECT_TRUE(cut.m_run.ErrorOutput().contains(
        "the plotter runs QV-CL and this job is HP-GL: nothing was sent"))
        << cut.m_run.ErrorOutput().toStdString();
    EXPECT_EQ(ReadFile(cut.JobLog()), "");
    EXPECT_EQ(cut.m_run.Wire().find("PA;"), std::string::npos);
}

// The plotter stops taking data for longer than the transfer time-out, then goes on.
TEST(CutEndToEnd, StalledPlotterIsReportedAsWaitingAndGetsTheRest) {
    CutRun cut;
    const std::string job = LongJob(6000);
    WriteFile(cut.m_run.Folder() + "/long.plt", job);
    ASSERT_TRUE(cut.Start({"--hpgl", "--pause-at-byte", "20000", "--pause-ms", "8000"},
                          {cut.m_run.Folder() + "/long.plt"}));
    ASSERT_TRUE(cut.Answer(CVncClient::kKeyReturn));
    EXPECT_EQ(cut.m_run.ExitCode(), 0);
    const QString said = cut.m_run.ErrorOutput();
    const qsizetype waiting = said.indexOf("quirn-cut: waiting: the plotter takes no data");
    EXPECT_GE(waiting, 0) << said.toStdString();
    EXPECT_GT(said.indexOf("quirn-cut: the plotter takes data again"), waiting);
    EXPECT_EQ(ReadFile(cut.JobLog()), job);
}

// The driver among the processes the simulator started.
pid_t DriverOf(qint64 simulator) {
    std::ifstream children("/proc/" + std::to_string(simulator) + "/task/" +
                           std::to_string(simulator) + "/children");
    pid_t child = 0;
    children >> child;
    return child;
}

TEST(CutEndToEnd, CtrlCStopsOnACommandBoundaryWithTheToolLifted) {
    CutRun cut;
    const std::string job = LongJob(6000);
    WriteFile(cut.m_run.Folder() + "/long.plt", job);
    ASSERT_TRUE(cut.Start({"--hpgl", "--byte-rate", "40000"}, {cut.m_run.Folder() + "/long.plt"}));
    ASSERT_TRUE(cut.Answer(CVncClient::kKeyReturn));
    QElapsedTimer waited;
    waited.start();
    while (ReadFile(cut.JobLog()).size() < 60000 && waited.elapsed() < kScreenTimeoutMs) {
        QThread::msleep(100);
    }
    const pid_t driver = DriverOf(cut.m_run.ProcessId());
    ASSERT_GT(driver, 0);
    ASSERT_EQ(::kill(driver, SIGINT), 0);
    EXPECT_EQ(cut.m_run.ExitCode(), 130);
    const std::string taken = ReadFile(cut.JobLog());
    ASSERT_GT(taken.size(), 3u);
    EXPECT_EQ(taken.substr(taken.size() - 3), "PU;");
    const std::string sent = taken.substr(0, taken.size() - 3);
    EXPECT_LT(sent.size(), job.size());
    EXPECT_EQ(job.substr(0, sent.size()), sent);
    EXPECT_EQ(sent.back(), ';') << "a command boundary";
    const QString said = cut.m_run.ErrorOutput();
    EXPECT_TRUE(said.contains(QString("quirn-cut: stopped: %1 of %2 bytes")
                                  .arg(job.size() - sent.size())
                                  .arg(job.size())))
        << said.toStdString();
    EXPECT_TRUE(said.contains("were not sent; the tool was lifted"));
}

// The choice window lists the families in table order: Return takes the WX8800, the second
// plotter on the bus. The job follows the controller's choice, not the bus order.
TEST(CutEndToEnd, WithTwoPlottersTheJobReachesTheChosenOneOnly) {
    const QString drawing = kDrawings + "shapes-px.svg";
    const std::string job = JobOf(drawing);
    CutRun cut;
    ASSERT_TRUE(cut.Start({"--hpgl", "--model", "RX3600-60", "--model", "WX8800-60"}, {drawing}));
    ASSERT_TRUE(cut.m_client.WaitForScreen(screen::ShowsAnything, kScreenTimeoutMs));
    ASSERT_TRUE(cut.m_client.Press(CVncClient::kKeyReturn));
    ASSERT_TRUE(cut.Answer(CVncClient::kKeyReturn));
    EXPECT_EQ(cut.m_run.ExitCode(), 0) << cut.m_run.ErrorOutput().toStdString();
    EXPECT_EQ(ReadFile(cut.JobLog(0)), "");
    EXPECT_EQ(ReadFile(cut.JobLog(1)), job);
    EXPECT_EQ(cut.m_run.Wire(0), "");
}

TEST(CutEndToEnd, BadInputIsRefusedBeforeAnythingStarts) {
    CControllerRun run;
    ASSERT_TRUE(run.IsValid());
    const QString folder = run.Folder();
    WriteFile(folder + "/empty.svg", "");
    WriteFile(folder + "/letter.txt", "Dear John,\nthe plotter is ready.\n");
    WriteFile(folder + "/binary.plt",
              std::string("IN;\0\x01\xff\xfe", 8) + std::string(500, '\x90'));
    {
        QFile huge(folder + "/huge.plt");
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(100 * 1024 * 1024));
    }
    struct Row {
        QString file;
        const char* says;
    };
    const Row rows[] = {
        {folder + "/empty.svg", "is empty: nothing was sent"},
        {folder + "/letter.txt", "is neither an SVG drawing nor an HP-GL or QV-CL job"},
        {kDrawings + "nothing.svg", "holds nothing to cut: nothing was sent"},
        {folder + "/huge.plt", "is larger than 64 MiB, which no cutting job is"},
        {folder + "/binary.plt", "holds binary data"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file.toStdString());
        CControllerRun cut;
        ASSERT_TRUE(
            cut.StartOffscreen(Launch().Program(kQuirnCut).Sim({"--hpgl"}).Args({row.file})));
        EXPECT_EQ(cut.ExitCode(), 65);
        EXPECT_TRUE(cut.ErrorOutput().contains(row.says)) << cut.ErrorOutput().toStdString();
        EXPECT_EQ(cut.Wire(), "") << "nothing reached the plotter, not even the controller";
    }
}

} // namespace

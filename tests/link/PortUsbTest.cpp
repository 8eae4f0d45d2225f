// The port with the real libzefralink.so bound by dlopen, against simulated USB plotters.
// Each case lays out a program folder (the probe program and the library it should find
// there) and runs the probe under plottersim, reading what happened from its output.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class PortUsbTest : public ::testing::Test {
protected:
    // The probe's folder holds `library` under the name libzefralink.so, or nothing.
    void LayOut(const QString& library) {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(QFile::copy(PORT_PROBE, Probe()));
        QFile::setPermissions(Probe(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!library.isEmpty()) {
            ASSERT_TRUE(QFile::link(library, m_folder.filePath("libzefralink.so")));
        }
    }

    QString Probe() const { return m_folder.filePath("link_port_probe"); }
    QString LogOf(const QString& name) const { return m_folder.filePath(name); }

    // Runs the probe under plottersim with the simulator's options; returns its output.
    std::string Run(const QStringList& simOptions, const QStringList& probeOptions,
                    const QString& libraryPath = {}) {
        QProcess sim;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("LD_LIBRARY_PATH");
        if (!libraryPath.isEmpty()) {
            environment.insert("LD_LIBRARY_PATH", libraryPath);
        }
        // No spooler to ask: the probe's printer list stays empty.
        environment.insert("CUPS_SERVER", "127.0.0.1:9");
        // A sanitizer build of the probe starts under the umockdev preload.
        const QString asan = environment.value("ASAN_OPTIONS");
        environment.insert("ASAN_OPTIONS",
                           (asan.isEmpty() ? "" : asan + ":") + "verify_asan_link_order=0");
        sim.setProcessEnvironment(environment);
        sim.setProcessChannelMode(QProcess::SeparateChannels);
        sim.start(PLOTTERSIM, simOptions + QStringList{"--", Probe()} + probeOptions);
        EXPECT_TRUE(sim.waitForFinished(30000));
        EXPECT_EQ(sim.exitCode(), 0) << sim.readAllStandardError().toStdString();
        return sim.readAllStandardOutput().toStdString();
    }

    std::string LogBytes(const QString& name) const {
        QFile log(LogOf(name));
        return log.open(QIODevice::ReadOnly) ? log.readAll().toStdString() : std::string();
    }

    QTemporaryDir m_folder;
};

const std::string kStatusQuery = "\x1b.C1:";
const std::string kModelQuery = "\x1b.C31;9:";

TEST_F(PortUsbTest, OnePlotterIsFoundOpenedAndAskedWithNothingLeftOpen) {
    LayOut(ZEFRALINK);
    const std::string output =
        Run({"--model", "RX3600-60", "--log", LogOf("rx.log")}, {"--exchange"});
    EXPECT_EQ(output, "open=0 usbModel=RX3600\n"
                      "exchange=0 reply=RX3600-60,V1.20 deviceFds=0\n");
    EXPECT_EQ(LogBytes("rx.log"), kStatusQuery + kModelQuery);
}

// A command expects no reply: once it is sent no descriptor of the device is left, so a
// print backend can open the plotter, and the query that follows still gets its reply.
TEST_F(PortUsbTest, CommandWithoutReplyLeavesTheDeviceFree) {
    LayOut(ZEFRALINK);
    const std::string output =
        Run({"--model", "RX3600-60", "--log", LogOf("rx.log")}, {"--command", "--exchange"});
    EXPECT_EQ(output, "open=0 usbModel=RX3600\n"
                      "command=0 deviceFds=0\n"
                      "exchange=0 reply=RX3600-60,V1.20 deviceFds=0\n");
    EXPECT_EQ(LogBytes("rx.log"), kStatusQuery + "TC1,100\x03" + kStatusQuery + kModelQuery);
}

// Two plotters answer: the choice window lists both family names in table order, and the
// exchange goes to the one chosen.
TEST_F(PortUsbTest, TwoPlottersOfferTheChoiceAndTheChosenOneIsUsed) {
    LayOut(ZEFRALINK);
    const std::string output = Run({"--model", "RX3600-60", "--log", LogOf("rx.log"), "--model",
                                    "Nimbo Pro S", "--log", LogOf("nimbo.log")},
                                   {"--choose", "0", "--exchange"});
    EXPECT_EQ(output, "open=0 usbModel=RX3600-40-NP offered=Nimbo Pro S|RX3600\n"
                      "exchange=0 reply=Nimbo Pro S,V1.20 deviceFds=0\n");
    EXPECT_EQ(LogBytes("nimbo.log"), kStatusQuery + kModelQuery);
    EXPECT_EQ(LogBytes("rx.log"), "");
}

// Closing the choice window without OK is a cancellation (kChoiceDismissed), not a failure.
TEST_F(PortUsbTest, ChoiceClosedWithoutOkIsDismissed) {
    LayOut(ZEFRALINK);
    const std::string output = Run({"--model", "WX8800-60", "--model", "Nimbo-Pro2"}, {});
    EXPECT_EQ(output, "open=-1 usbModel= offered=WX8800|Nimbo-Pro\n");
}

// A plotter of another vendor is no plotter of ours.
TEST_F(PortUsbTest, NoSupportedPlotterIsNotConnected) {
    LayOut(ZEFRALINK);
    EXPECT_EQ(Run({"--model", "RX3600-60", "--vendor-id", "1234"}, {}), "open=1004 usbModel=\n");
}

TEST_F(PortUsbTest, LaunchModelInOtherLetterCaseIsAccepted) {
    LayOut(ZEFRALINK);
    const std::string output = Run({"--model", "WX8800-100", "--log", LogOf("wx.log")},
                                   {"--model", "wx8800", "--exchange"});
    EXPECT_EQ(output, "open=0 usbModel=WX8800\n"
                      "exchange=0 reply=WX8800-100,V1.20 deviceFds=0\n");
    EXPECT_EQ(LogBytes("wx.log"), kStatusQuery + kModelQuery);
}

// A launch model that names no family is refused before USB is touched.
TEST_F(PortUsbTest, UnknownLaunchModelIsRefusedWithoutTraffic) {
    LayOut(ZEFRALINK);
    EXPECT_EQ(Run({"--model", "RX3600-60", "--log", LogOf("rx.log")},
                  {"--model", "RX3600-60", "--exchange"}),
              "open=1010 usbModel=\n");
    EXPECT_EQ(LogBytes("rx.log"), "");
}

TEST_F(PortUsbTest, LibraryWithOneExportIsReported) {
    LayOut(ONLY_ENTRY_ZEFRALINK);
    EXPECT_EQ(Run({"--model", "RX3600-60"}, {}), "open=1002 usbModel=\n");
}

// Nothing in the program folder: the system's search finds the library, or nothing does.
TEST_F(PortUsbTest, SystemSearchComesAfterTheProgramFolder) {
    LayOut({});
    EXPECT_EQ(Run({"--model", "RX3600-60"}, {}), "open=1001 usbModel=\n");
    EXPECT_EQ(Run({"--model", "RX3600-60"}, {}, ZEFRALINK_DIR), "open=0 usbModel=RX3600\n");
}

} // namespace

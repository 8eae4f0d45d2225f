// The USB transport over real descriptors: pipes stand in for the device node, handed out
// by a stand-in for ZEFR_OpenUsb.
#include "link/UsbTransport.h"
#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <thread>

namespace {

// What the stand-in hands out per pipe, and what it saw. Plain statics: ZEFR_OpenUsb is a
// plain function pointer. Like a library that ignores the flags, it hands out blocking
// descriptors: the time-outs must hold all the same.
struct OpenRecord {
    int nSource[2] = {-1, -1};
    int nLastHandle = -1;
    int nLastPipe = -1;
    unsigned nLastFlags = 0;
    std::string strManufacturer;
    std::string strModel;
};
OpenRecord g_open;

int FakeOpenUsb(int, int pipe, unsigned flags, const char* manufacturer, const char* model) {
    g_open.nLastPipe = pipe;
    g_open.nLastFlags = flags;
    g_open.strManufacturer = manufacturer;
    g_open.strModel = model;
    const int source = (pipe == 0 || pipe == 1) ? g_open.nSource[pipe] : -1;
    g_open.nLastHandle = source >= 0 ? fcntl(source, F_DUPFD_CLOEXEC, 0) : -1;
    return g_open.nLastHandle;
}

bool IsOpen(int fd) {
    return fcntl(fd, F_GETFD) != -1;
}

// Reads everything the peer sends until it closes.
std::string DrainAll(int fd) {
    std::string all;
    char buffer[997];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) != 0) {
        if (n > 0) {
            all.append(buffer, static_cast<std::size_t>(n));
            // A slow device: the writer keeps finding the pipe full.
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    return all;
}

class UsbTransportTest : public ::testing::Test {
protected:
    UsbTransportTest() {
        EXPECT_EQ(pipe2(m_nToDevice, O_CLOEXEC), 0);
        EXPECT_EQ(pipe2(m_nFromDevice, O_CLOEXEC), 0);
        // The smallest pipe buffer, so a long command cannot go out in one write.
        fcntl(m_nToDevice[1], F_SETPIPE_SZ, 4096);
        g_open = OpenRecord{};
        g_open.nSource[0] = m_nToDevice[1];
        g_open.nSource[1] = m_nFromDevice[0];
    }
    ~UsbTransportTest() override {
        for (int fd : {m_nToDevice[0], m_nToDevice[1], m_nFromDevice[0], m_nFromDevice[1]}) {
            if (fd >= 0) {
                close(fd);
            }
        }
    }
    void CloseWriterEnd() {
        close(m_nToDevice[1]);
        m_nToDevice[1] = -1;
    }
    void DeviceSends(const std::string& bytes) {
        ASSERT_EQ(write(m_nFromDevice[1], bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }

    int m_nToDevice[2] = {-1, -1};
    int m_nFromDevice[2] = {-1, -1};
    CUsbTransport m_transport{FakeOpenUsb, "RX3600-40-NP"};
};

TEST_F(UsbTransportTest, WritesThroughPipeZeroAndClosesIt) {
    const std::string command = "\x1b.C31;9:";
    EXPECT_EQ(m_transport.Write(command, 1000), msg::kOk);
    EXPECT_EQ(g_open.nLastPipe, 0);
    EXPECT_EQ(g_open.nLastFlags, static_cast<unsigned>(O_NONBLOCK));
    EXPECT_EQ(g_open.strManufacturer, "Morvalin");
    EXPECT_EQ(g_open.strModel, "RX3600-40-NP");
    EXPECT_FALSE(IsOpen(g_open.nLastHandle));
    CloseWriterEnd();
    EXPECT_EQ(DrainAll(m_nToDevice[0]), command);
}

// A command larger than the device takes at once goes out whole, in order, byte for byte.
TEST_F(UsbTransportTest, ShortWritesAreContinuedUntilEveryByteIsOut) {
    std::string command;
    for (int i = 0; i < 40000; ++i) {
        command += static_cast<char>('0' + i % 75);
    }
    command += '\x03';
    std::string received;
    std::thread device([&] { received = DrainAll(m_nToDevice[0]); });
    EXPECT_EQ(m_transport.Write(command, 5000), msg::kOk);
    EXPECT_FALSE(IsOpen(g_open.nLastHandle));
    CloseWriterEnd();
    device.join();
    EXPECT_EQ(received.size(), command.size());
    EXPECT_EQ(received, command);
}

// A device that stops taking bytes: the rest cannot be sent, and that is no success. How
// much it took is told, so that a stream goes on from there.
TEST_F(UsbTransportTest, WriteThatCannotFinishTimesOut) {
    const std::string command(3 * 65536, 'X');
    std::size_t sent = 0;
    EXPECT_EQ(m_transport.WriteSome(command, 200, sent), msg::kTimeout);
    EXPECT_EQ(m_transport.Write(command, 200), msg::kTimeout);
    EXPECT_FALSE(IsOpen(g_open.nLastHandle));
    CloseWriterEnd();
    const std::string received = DrainAll(m_nToDevice[0]);
    EXPECT_GT(sent, 0u);
    EXPECT_LT(sent, command.size());
    EXPECT_EQ(received.size(), sent);
}

TEST_F(UsbTransportTest, ReadsOneTransferThroughPipeOneAndClosesIt) {
    DeviceSends(std::string("1\x03"
                            "more",
                            6));
    std::string raw;
    EXPECT_EQ(m_transport.Read(raw, 1000), msg::kOk);
    EXPECT_EQ(raw, std::string("1\x03"
                               "more",
                               6));
    EXPECT_EQ(g_open.nLastPipe, 1);
    EXPECT_FALSE(IsOpen(g_open.nLastHandle));
}

// The transport takes what the device has (up to its 1024-byte buffer); the port keeps 512.
TEST_F(UsbTransportTest, LongReplyIsReadWholeAndCutByThePort) {
    const std::string reply = std::string(700, 'R') + "\x03";
    DeviceSends(reply);
    std::string raw;
    EXPECT_EQ(m_transport.Read(raw, 1000), msg::kOk);
    EXPECT_EQ(raw, reply);
    EXPECT_EQ(CPlotterPort::NormaliseReply(raw), ""); // the ETX lies beyond the kept bytes
}

TEST_F(UsbTransportTest, SilentDeviceTimesOut) {
    std::string raw = "stale";
    EXPECT_EQ(m_transport.Read(raw, 150), msg::kTimeout);
    EXPECT_EQ(raw, "");
    EXPECT_FALSE(IsOpen(g_open.nLastHandle));
}

// A reply that comes after the time-out is not taken for the one that was waited for.
TEST_F(UsbTransportTest, ReplyLaterThanTheTimeOutIsATimeOut) {
    std::string raw;
    EXPECT_EQ(m_transport.Read(raw, 100), msg::kTimeout);
    DeviceSends("0\x03");
    EXPECT_EQ(m_transport.Read(raw, 100), msg::kOk);
    EXPECT_EQ(raw, "0\x03");
}

TEST_F(UsbTransportTest, ZeroBytesAreAnEmptyReply) {
    close(m_nFromDevice[1]);
    m_nFromDevice[1] = -1;
    std::string raw = "stale";
    EXPECT_EQ(m_transport.Read(raw, 1000), msg::kOk);
    EXPECT_EQ(raw, "");
}

TEST_F(UsbTransportTest, PipesThatCannotBeOpenedMeanNoPlotter) {
    g_open.nSource[0] = g_open.nSource[1] = -1;
    std::string raw;
    EXPECT_EQ(m_transport.Write("X", 100), msg::kNoPlotter);
    EXPECT_EQ(m_transport.Read(raw, 100), msg::kNoPlotter);
}

// A descriptor that refuses the transfer at once: write and read failures, not time-outs.
TEST_F(UsbTransportTest, TransfersRefusedAtOnceFail) {
    g_open.nSource[0] = m_nFromDevice[0]; // a read end cannot be written
    g_open.nSource[1] = m_nToDevice[1];   // a write end cannot be read
    std::string raw;
    EXPECT_EQ(m_transport.Write("X", 100), msg::kWriteFailed);
    EXPECT_EQ(m_transport.Read(raw, 100), msg::kReadFailed);
}

TEST_F(UsbTransportTest, WriteToAGoneDeviceFails) {
    close(m_nToDevice[0]);
    m_nToDevice[0] = -1;
    signal(SIGPIPE, SIG_IGN);
    EXPECT_EQ(m_transport.Write("X", 100), msg::kWriteFailed);
}

} // namespace

#include "VncClient.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QThread>
#include <QtEndian>

namespace {

constexpr int kReadTimeoutMs = 10000;
constexpr quint8 kSetPixelFormat = 0;
constexpr quint8 kSetEncodings = 2;
constexpr quint8 kUpdateRequest = 3;
constexpr quint8 kKeyEvent = 4;
constexpr quint8 kPointerEvent = 5;
constexpr quint8 kLeftButton = 1;
constexpr quint8 kFramebufferUpdate = 0;
constexpr quint8 kColourMapEntries = 1;
constexpr quint8 kBell = 2;
constexpr quint8 kServerCutText = 3;
constexpr qint32 kRawEncoding = 0;

QByteArray BigEndian16(quint16 value) {
    QByteArray bytes(2, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray BigEndian32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// Big-endian fields of a message the caller has read in full.
quint16 Field16(const QByteArray& data, int at) {
    return quint16(quint8(data[at]) << 8 | quint8(data[at + 1]));
}

quint32 Field32(const QByteArray& data, int at) {
    return quint32(Field16(data, at)) << 16 | Field16(data, at + 2);
}

} // namespace

quint16 CVncClient::FreePort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

bool CVncClient::Connect(quint16 port, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        if (m_socket.waitForConnected(500)) {
            return Handshake();
        }
        m_socket.abort();
        QThread::msleep(100);
    }
    return false;
}

bool CVncClient::Press(quint32 keysym, quint32 modifier) {
    if (modifier != 0 && !SendKey(modifier, true)) {
        return false;
    }
    // The key may end the program before its release arrives; the press is what counts.
    const bool pressed =
        SendKey(keysym, true) &&
        (SendKey(keysym, false) || m_socket.state() != QAbstractSocket::ConnectedState);
    return pressed && (modifier == 0 || SendKey(modifier, false));
}

bool CVncClient::Type(const QString& text) {
    for (const QChar c : text) {
        // Latin-1 characters are their own keysyms.
        if (c.unicode() > 0xff || !Press(c.unicode())) {
            return false;
        }
    }
    return true;
}

bool CVncClient::Click(QPoint at) {
    return SendPointer(0, at) && SendPointer(kLeftButton, at) && SendPointer(0, at) &&
           SendPointer(0, QPoint(0, 0));
}

QImage CVncClient::Capture() {
    QByteArray request(1, char(kUpdateRequest));
    request += char(0); // the whole screen, not only what changed
    request += BigEndian16(0) + BigEndian16(0);
    request += BigEndian16(quint16(m_nWidth)) + BigEndian16(quint16(m_nHeight));
    m_socket.write(request);
    if (!m_socket.waitForBytesWritten(kReadTimeoutMs)) {
        return {};
    }
    QImage screen(m_nWidth, m_nHeight, QImage::Format_RGB32);
    screen.fill(Qt::black);
    return ReadUpdate(screen) ? screen : QImage();
}

bool CVncClient::WaitForScreen(const std::function<bool(const QImage&)>& shows, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        const QImage screen = Capture();
        if (screen.isNull()) {
            return false;
        }
        if (shows(screen)) {
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

bool CVncClient::Read(qint64 count, QByteArray& out) {
    out.clear();
    while (out.size() < count) {
        if (!m_socket.bytesAvailable() && !m_socket.waitForReadyRead(kReadTimeoutMs)) {
            return false;
        }
        out += m_socket.read(count - out.size());
    }
    return true;
}

bool CVncClient::Handshake() {
    QByteArray data;
    if (!Read(12, data) || !data.startsWith("RFB ")) {
        return false;
    }
    m_socket.write("RFB 003.003\n");
    if (!Read(4, data) || Field32(data, 0) != 1) { // no security
        return false;
    }
    m_socket.write(QByteArray(1, '\1')); // shared session
    if (!Read(24, data)) {
        return false;
    }
    m_nWidth = Field16(data, 0);
    m_nHeight = Field16(data, 2);
    const quint32 nameLength = Field32(data, 20);
    if (!Read(nameLength, data)) {
        return false;
    }

    // 32 bits per pixel, little endian, true colour with 8 bits each: the bytes of
    // QImage::Format_RGB32 on this machine.
    QByteArray format(4, '\0');
    format[0] = char(kSetPixelFormat);
    format += char(32); // bits per pixel
    format += char(24); // depth
    format += char(0);  // little endian
    format += char(1);  // true colour
    format += BigEndian16(255) + BigEndian16(255) + BigEndian16(255);
    format += char(16); // red shift
    format += char(8);  // green shift
    format += char(0);  // blue shift
    format += QByteArray(3, '\0');
    QByteArray encodings(1, char(kSetEncodings));
    encodings += char(0);
    encodings += BigEndian16(1) + BigEndian32(quint32(kRawEncoding));
    m_socket.write(format + encodings);
    return m_socket.waitForBytesWritten(kReadTimeoutMs);
}

bool CVncClient::SendKey(quint32 keysym, bool down) {
    QByteArray event(8, '\0');
    event[0] = char(kKeyEvent);
    event[1] = down ? 1 : 0;
    qToBigEndian(keysym, event.data() + 4);
    return Send(event);
}

bool CVncClient::SendPointer(quint8 buttons, QPoint at) {
    QByteArray event(1, char(kPointerEvent));
    event += char(buttons);
    event += BigEndian16(quint16(at.x())) + BigEndian16(quint16(at.y()));
    return Send(event);
}

bool CVncClient::Send(const QByteArray& message) {
    if (m_socket.write(message) != message.size()) {
        return false;
    }
    while (m_socket.bytesToWrite() > 0 && m_socket.waitForBytesWritten(kReadTimeoutMs)) {
    }
    return m_socket.bytesToWrite() == 0 && m_socket.state() == QAbstractSocket::ConnectedState;
}

bool CVncClient::ReadUpdate(QImage& screen) {
    QByteArray data;
    for (;;) {
        if (!Read(1, data)) {
            return false;
        }
        const auto type = quint8(data[0]);
        if (type == kFramebufferUpdate) {
            break;
        }
        if (!SkipServerMessage(type)) {
            return false;
        }
    }
    if (!Read(3, data)) {
        return false;
    }
    const quint16 rectangles = Field16(data, 1);
    for (quint16 i = 0; i < rectangles; ++i) {
        if (!Read(12, data)) {
            return false;
        }
        const int x = Field16(data, 0);
        const int y = Field16(data, 2);
        const int w = Field16(data, 4);
        const int h = Field16(data, 6);
        const auto encoding = qint32(Field32(data, 8));
        if (encoding != kRawEncoding || x + w > m_nWidth || y + h > m_nHeight) {
            return false;
        }
        for (int row = 0; row < h; ++row) {
            if (!Read(qint64(w) * 4, data)) {
                return false;
            }
            memcpy(screen.scanLine(y + row) + x * 4, data.constData(), size_t(w) * 4);
        }
    }
    return true;
}

bool CVncClient::SkipServerMessage(quint8 type) {
    QByteArray data;
    switch (type) {
    case kColourMapEntries: {
        if (!Read(5, data)) {
            return false;
        }
        const quint16 colours = Field16(data, 3);
        return Read(qint64(colours) * 6, data);
    }
    case kBell:
        return true;
    case kServerCutText: {
        if (!Read(7, data)) {
            return false;
        }
        return Read(Field32(data, 3), data);
    }
    default:
        return false;
    }
}

// The smallest RFB client a test needs to act as a user at a controller running on Qt's VNC
// platform: it presses keys and looks at the screen.
#pragma once

#include <QImage>
#include <QString>
#include <QTcpSocket>

#include <functional>

class CVncClient {
public:
    static constexpr quint32 kKeyReturn = 0xff0d;
    static constexpr quint32 kKeyEscape = 0xff1b;
    static constexpr quint32 kKeyBackSpace = 0xff08;
    static constexpr quint32 kKeyEnd = 0xff57;
    static constexpr quint32 kKeyF7 = 0xffc4;

    // A local TCP port nobody listens on at the moment it is asked.
    static quint16 FreePort();

    // Tries until the server answers or the time is up; then agrees on raw 32-bit pixels.
    bool Connect(quint16 port, int timeoutMs);

    bool Press(quint32 keysym);
    // Each character as its key (Latin-1 keysyms are the characters' codes).
    bool Type(const QString& text);
    // A left click at screen pixel (x, y).
    bool Click(int x, int y);

    // The whole screen as it is now; a null image when the server does not answer.
    QImage Capture();

    // Looks at the screen until it shows what the test waits for; false when it never does.
    bool WaitForScreen(const std::function<bool(const QImage&)>& shows, int timeoutMs);

private:
    bool Read(qint64 count, QByteArray& out);
    bool Handshake();
    bool SendKey(quint32 keysym, bool down);
    bool SendPointer(int x, int y, quint8 buttons);
    bool ReadUpdate(QImage& screen);
    bool SkipServerMessage(quint8 type);

    QTcpSocket m_socket;
    int m_nWidth = 0;
    int m_nHeight = 0;
};

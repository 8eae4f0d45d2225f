// The smallest RFB client a test needs to act as a user at a controller running on Qt's VNC
// platform: it presses keys, clicks and looks at the screen.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTcpSocket>

#include <functional>

class CVncClient {
public:
    static constexpr quint32 kKeyReturn = 0xff0d;
    static constexpr quint32 kKeyEscape = 0xff1b;
    static constexpr quint32 kKeyControl = 0xffe3;
    static constexpr quint32 kKeyBackSpace = 0xff08;
    static constexpr quint32 kKeyEnd = 0xff57;
    static constexpr quint32 kKeyF7 = 0xffc4;

    // A local TCP port nobody listens on at the moment it is asked.
    static quint16 FreePort();

    // Tries until the server answers or the time is up; then agrees on raw 32-bit pixels.
    bool Connect(quint16 port, int timeoutMs);

    // A key, with a modifier held around it when one is given.
    bool Press(quint32 keysym, quint32 modifier = 0);
    // The keys of a Latin-1 text, one after another.
    bool Type(const QString& text);
    // Presses and releases the left button at a screen point, then moves the pointer to the
    // screen's corner, so that it neither hovers over a control nor shows in the next picture.
    bool Click(QPoint at);

    // The whole screen as it is now; a null image when the server does not answer.
    QImage Capture();

    // Looks at the screen until it shows what the test waits for; false when it never does.
    bool WaitForScreen(const std::function<bool(const QImage&)>& shows, int timeoutMs);

private:
    bool Read(qint64 count, QByteArray& out);
    bool Handshake();
    bool SendKey(quint32 keysym, bool down);
    bool SendPointer(quint8 buttons, QPoint at);
    bool Send(const QByteArray& message);
    bool ReadUpdate(QImage& screen);
    bool SkipServerMessage(quint8 type);

    QTcpSocket m_socket;
    int m_nWidth = 0;
    int m_nHeight = 0;
};

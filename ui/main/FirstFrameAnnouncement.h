#pragma once

#include <QObject>
#include <QTimer>

#include <cstdio>
#include <functional>

// Start-up measurements end where a user first sees the window: shown and its first frame
// drawn. A window calls AfterPaint from its paintEvent; its children paint in the same pass,
// so the queued announcement runs once the whole frame is drawn. Header-only, so that the
// bare dialog the start-up is measured against announces itself in exactly the same way.
class CFirstFrameAnnouncement {
public:
    // line: printed on the standard error; then: runs right after it (ends the window).
    CFirstFrameAnnouncement(const char* line, std::function<void()> then)
        : m_line(line), m_then(std::move(then)) {}

    void AfterPaint(QObject* window) {
        if (m_bQueued) {
            return;
        }
        m_bQueued = true;
        QTimer::singleShot(0, window, [this] {
            std::fprintf(stderr, "%s\n", m_line);
            std::fflush(stderr);
            m_then();
        });
    }

private:
    const char* m_line;
    std::function<void()> m_then;
    bool m_bQueued = false;
};

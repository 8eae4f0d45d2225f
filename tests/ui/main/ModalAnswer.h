#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the next modal window: scheduled before the click that opens it, it waits for
// QApplication::activeModalWidget() to become a window other than `opener`, remembers it and
// hands it to `answer`. A window that never appears leaves Seen() false.
class ModalAnswer : public QObject {
public:
    ModalAnswer(QWidget* opener, std::function<void(QWidget*)> answer)
        : m_opener(opener), m_fnAnswer(std::move(answer)) {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, &ModalAnswer::Poll);
        m_timer.start();
    }

    bool Seen() const { return m_bSeen; }
    const char* SeenClass() const { return m_strClass; }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == m_opener) {
            if (++m_nPolls > kMaxPolls) {
                m_timer.stop();
            }
            return;
        }
        m_timer.stop();
        m_bSeen = true;
        m_strClass = modal->metaObject()->className();
        m_fnAnswer(modal);
    }

    static constexpr int kMaxPolls = 500;
    QPointer<QWidget> m_opener;
    std::function<void(QWidget*)> m_fnAnswer;
    QTimer m_timer;
    int m_nPolls = 0;
    bool m_bSeen = false;
    const char* m_strClass = "";
};

#pragma once

#include <QIconEngine>
#include <QImage>
#include <QString>

#include <map>

// An icon drawn from one file per size, each read the first time a size it serves is asked
// for. Which sizes a window's icon needs is up to the desktop: X11 takes every size as the
// window appears, Wayland and the offscreen platform none; reading all eight program icon
// files up front was a tenth of the window's start-up work in a profile. Every mode and state draws
// the same.
class CIconFilesEngine : public QIconEngine {
public:
    // Files by their pixel size (square pictures).
    explicit CIconFilesEngine(std::map<int, QString> files);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override;

private:
    // The smallest file at least as large as `size`, or the largest there is.
    int FileSizeFor(const QSize& size) const;
    const QImage& Picture(int fileSize);

    std::map<int, QString> m_files;
    std::map<int, QImage> m_read;
};

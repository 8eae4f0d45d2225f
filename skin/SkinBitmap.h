#pragma once

// One picture drawn into a fixed rectangle of a window (the main window's background, the
// blade, orientation and mark pictures). The file is read and scaled once, at Init.

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

class CSkinBitmap {
public:
    // Reads path and scales it to rect. False when the file cannot be read; Draw then draws
    // nothing.
    bool Init(const QString& path, const QRect& rect);
    // The same with the picture already read and scaled (on another thread).
    bool Init(const QString& path, const QRect& rect, QImage scaled);
    // Copies the scaled picture to its rectangle.
    void Draw(QPainter& painter) const;

    bool IsLoaded() const { return !m_image.isNull(); }
    const QRect& Rect() const { return m_rect; }
    const QString& Path() const { return m_strPath; }

private:
    QString m_strPath;
    QRect m_rect;
    QImage m_image;
};

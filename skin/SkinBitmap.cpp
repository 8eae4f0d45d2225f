#include "skin/SkinBitmap.h"

#include "skin/SkinControl.h"

bool CSkinBitmap::Init(const QString& path, const QRect& rect) {
    return Init(path, rect, skin::LoadScaledPicture(path, rect.size()));
}

bool CSkinBitmap::Init(const QString& path, const QRect& rect, QImage scaled) {
    m_strPath = path;
    m_rect = rect;
    m_image = std::move(scaled);
    return !m_image.isNull();
}

void CSkinBitmap::Draw(QPainter& painter) const {
    if (!m_image.isNull()) {
        painter.drawImage(m_rect.topLeft(), m_image);
    }
}

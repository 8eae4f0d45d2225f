#include "ui/dialogs/common/PicturePane.h"

#include "skin/SkinBitmap.h"

#include <QPainter>

CPicturePane::CPicturePane(const QRect& rect, QWidget* parent) : QWidget(parent) {
    setGeometry(rect);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CPicturePane::Show(const CSkinBitmap* picture) {
    if (picture != m_pPicture) {
        m_pPicture = picture;
        update();
    }
}

void CPicturePane::paintEvent(QPaintEvent*) {
    if (m_pPicture == nullptr) {
        return;
    }
    QPainter painter(this);
    painter.translate(-pos());
    m_pPicture->Draw(painter);
}

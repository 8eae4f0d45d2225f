#pragma once

#include <QWidget>

class CSkinBitmap;

// A window area that shows one skin picture above the controls around it (a group frame
// fills its inside with the style's shade, which would cover a picture the window drew
// itself). The picture is set up for the window's client coordinates; the pane takes the
// picture's rectangle and lets the mouse through.
class CPicturePane : public QWidget {
    Q_OBJECT
public:
    CPicturePane(const QRect& rect, QWidget* parent);

    // The picture to show; nullptr shows nothing. The picture must outlive the pane.
    void Show(const CSkinBitmap* picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CSkinBitmap* m_pPicture = nullptr;
};

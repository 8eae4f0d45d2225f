#pragma once

// A skinned drop-down list: 0 normal, 1 pressed or dropped, 2 disabled. The closed box is a
// face picture with the selected item's text from the combo's own list; the list that drops
// down is drawn with the system's colours, one item per kind height.

#include "skin/SkinFolders.h"

#include <QComboBox>
#include <QImage>
#include <QStringList>

#include <vector>

class CSkinCombo : public QComboBox {
    Q_OBJECT
public:
    CSkinCombo(const CSkinFolders& folders, QWidget* dialog);

    // Attach and Init in one: 0, 1014 or 1015.
    [[nodiscard]] int SetUp(int id, int x, int y, int kind, int fontHeight);
    bool Init(int x, int y, int kind, int fontHeight);

    void ResetContent();
    void AddString(const QString& text);

    int State() const { return m_nState; }
    const QStringList& Items() const { return m_items; }
    const QImage& Picture(int state) const { return m_pictures.at(state); }

    void hidePopup() override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetState(int state);
    void SyncEnabledState();
    bool FilterInput(QEvent* event);

    CSkinFolders m_folders;
    std::vector<QImage> m_pictures;
    QStringList m_items;
    int m_nItemHeight = 0;
    int m_nFontHeight = 0;
    int m_nState = 0;
    bool m_bSwallowChoiceKey = false;
};

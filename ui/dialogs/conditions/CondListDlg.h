#pragma once

#include "skin/SkinFolders.h"
#include "ui/dialogs/conditions/CondEditDlg.h"
#include "ui/dialogs/conditions/ConditionLinks.h"

#include <QDialog>

class QTableWidget;

// The media lists of the store as a table, with New, Edit, Delete, Copy and Close. New, Edit
// and Copy run the condition edit window; the rows follow the store after every change.
class CCondListDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 130;

    // Control ids.
    static constexpr int kIdClose = 1;
    static constexpr int kIdList = 3600;
    static constexpr int kIdNew = 3601;
    static constexpr int kIdEdit = 3602;
    static constexpr int kIdDelete = 3603;
    static constexpr int kIdCopy = 3604;

    explicit CCondListDlg(const ConditionDialogLinks& links, QWidget* parent = nullptr);

    // Sets the window up: 0, or 1014/1015 (shown) when a skinned button fails.
    [[nodiscard]] int OnInitDialog();
    // Sets up and runs the window modally; 1014/1015 at once when the set-up fails.
    int exec() override;

    // The child with this control id, or nullptr.
    QWidget* Control(int id) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    [[nodiscard]] int CreateList();
    void FillList();
    // The first selected row, or -1 after showing 1300.
    int SelectedRow() const;

    void OnNew();
    void OnEdit();
    void OnCopy();
    void OnDelete();
    // Runs the edit window; after OK the store is sorted by name and the rows refilled.
    void RunEdit(CCondEditDlg::Mode mode, int row);

    ConditionDialogLinks m_links;
    CSkinFolders m_folders;
    QTableWidget* m_pList = nullptr;
};

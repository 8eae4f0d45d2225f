#include "ui/dialogs/conditions/CondListDlg.h"

#include "conditions/MediaList.h"
#include "core/ControllerSettings.h"
#include "core/HelpContext.h"
#include "core/LanguageSet.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "skin/SkinButton.h"
#include "skin/SkinControl.h"
#include "ui/dialogs/common/WindowLook.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int kClientWidth = 649;
constexpr int kClientHeight = 252;
constexpr QRect kListPlace(12, 11, 485, 231);
constexpr int kButtonX = 520;
constexpr int kButtonKind = 0;
constexpr int kFontHeight = 12;
constexpr int kColumns = 6;
constexpr int kRowPadding = 4;
constexpr int kFirstHeader = 2200; // "Media Name" … "Offset"
constexpr int kStringTitle = 2840;

} // namespace

CCondListDlg::CCondListDlg(const ConditionDialogLinks& links, QWidget* parent)
    : QDialog(parent), m_links(links),
      m_folders(QString::fromStdString(links.programFolder),
                QString::fromStdString(links.language.GetBitmapFolder())) {
    ApplyWindowLook(*this, WindowText(kStringTitle));
}

QWidget* CCondListDlg::Control(int id) const {
    return skin::FindControl(this, id);
}

int CCondListDlg::exec() {
    if (const int failed = OnInitDialog(); failed != msg::kOk) {
        return failed;
    }
    return QDialog::exec();
}

int CCondListDlg::OnInitDialog() {
    const struct {
        int id;
        int y;
        int caption;
        void (CCondListDlg::*handler)();
    } buttons[] = {
        {kIdNew, 11, 2206, &CCondListDlg::OnNew},
        {kIdEdit, 38, 2207, &CCondListDlg::OnEdit},
        {kIdDelete, 65, 2208, &CCondListDlg::OnDelete},
        {kIdCopy, 92, 2209, &CCondListDlg::OnCopy},
        {kIdClose, 221, 2016, nullptr},
    };
    for (const auto& b : buttons) {
        auto* button = new CSkinButton(m_folders, this);
        if (const int setUp = button->SetUp(b.id, kButtonX, b.y, kButtonKind, WindowText(b.caption),
                                            PixelSizeForCellHeight(kFontHeight));
            setUp != msg::kOk) {
            ShowMessage(setUp);
            setResult(setUp);
            return setUp;
        }
        if (b.handler != nullptr) {
            connect(button, &CSkinButton::clicked, this, b.handler);
        } else {
            connect(button, &CSkinButton::clicked, this, &QDialog::accept);
        }
    }
    setFixedSize(kClientWidth, kClientHeight);
    setFont(WindowFont(kFontHeight));
    if (const int created = CreateList(); created != msg::kOk) {
        ShowMessage(created);
        setResult(created);
        return created;
    }
    FillList();
    return msg::kOk;
}

int CCondListDlg::CreateList() {
    m_pList = new QTableWidget(0, kColumns, this);
    if (!skin::AttachControl(m_pList, this, kIdList)) {
        return msg::kControlAttachFailed;
    }
    m_pList->setGeometry(kListPlace);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setShowGrid(true);
    // Rows one text line high, as a list view has them.
    QHeaderView* rows = m_pList->verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(m_pList->fontMetrics().height() + kRowPadding);
    QHeaderView* header = m_pList->horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < kColumns; ++column) {
        m_pList->setHorizontalHeaderItem(column,
                                         new QTableWidgetItem(WindowText(kFirstHeader + column)));
    }
    // Name and blade by the language's widths, the four levels as wide as their headers.
    header->resizeSection(0, m_links.language.GetWidthC());
    header->resizeSection(1, m_links.language.GetWidthD());
    for (int column = 2; column < kColumns; ++column) {
        header->resizeSection(column, header->sectionSizeHint(column));
    }
    return msg::kOk;
}

void CCondListDlg::FillList() {
    const CMediaList& store = m_links.mediaList;
    m_pList->clearSelection();
    m_pList->setRowCount(0);
    for (int row = 0; row < store.GetCount(); ++row) {
        const CuttingCondition c = store.GetConditionAt(row);
        const QString cells[kColumns] = {
            QString::fromStdString(c.m_strName),   QString::fromStdString(c.m_strBlade),
            QString::asprintf("%d", c.m_nForce),   QString::asprintf("%d", c.m_nSpeed),
            QString::asprintf("%d", c.m_nQuality), QString::asprintf("%d", c.m_nOffset),
        };
        m_pList->insertRow(row);
        for (int column = 0; column < kColumns; ++column) {
            m_pList->setItem(row, column, new QTableWidgetItem(cells[column]));
        }
    }
}

int CCondListDlg::SelectedRow() const {
    const QModelIndexList rows = m_pList->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        ShowMessage(msg::kSelectList);
        return -1;
    }
    int first = rows.front().row();
    for (const QModelIndex& index : rows) {
        first = std::min(first, index.row());
    }
    return first;
}

void CCondListDlg::OnNew() {
    RunEdit(CCondEditDlg::kModeNew, -1);
}

void CCondListDlg::OnEdit() {
    if (const int row = SelectedRow(); row >= 0) {
        RunEdit(CCondEditDlg::kModeEdit, row);
    }
}

void CCondListDlg::OnCopy() {
    if (const int row = SelectedRow(); row >= 0) {
        RunEdit(CCondEditDlg::kModeCopy, row);
    }
}

void CCondListDlg::RunEdit(CCondEditDlg::Mode mode, int row) {
    CCondEditDlg edit(m_links, this);
    edit.SetMode(mode);
    if (row >= 0) {
        edit.SetCondition(m_links.mediaList.GetConditionAt(row));
    }
    if (edit.exec() != QDialog::Accepted) {
        return;
    }
    m_links.mediaList.SortByName();
    FillList();
}

void CCondListDlg::OnDelete() {
    const int row = SelectedRow();
    if (row < 0) {
        return;
    }
    const std::string name = m_links.mediaList.GetConditionAt(row).m_strName;
    if (name == m_links.settings.m_condition.m_strName) {
        ShowMessage(msg::kListInUse);
        return;
    }
    if (!ConfirmMessage(msg::kConfirmDeleteList, name)) {
        return;
    }
    if (const int deleted = m_links.mediaList.DeleteCondition(name); deleted != msg::kOk) {
        ShowMessage(deleted);
        return;
    }
    FillList();
}

void CCondListDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (m_links.showHelp) {
            m_links.showHelp(this, helpcontext::kTopicConditionList);
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

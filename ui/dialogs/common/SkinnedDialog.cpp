#include "ui/dialogs/common/SkinnedDialog.h"

#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "skin/SkinButton.h"
#include "skin/SkinControl.h"
#include "ui/dialogs/common/WindowLook.h"

#include <QKeyEvent>

namespace {

constexpr int kFontHeight = 12;
constexpr int kButtonKind = 0;

} // namespace

CSkinnedDialog::CSkinnedDialog(const CSkinFolders& folders, ShowHelpFn showHelp, int helpTopic,
                               const QString& title, QWidget* parent)
    : QDialog(parent), m_folders(folders), m_showHelp(std::move(showHelp)),
      m_nHelpTopic(helpTopic) {
    ApplyWindowLook(*this, title, folders.ProgramFolder());
    setFont(WindowFont(kFontHeight));
}

QWidget* CSkinnedDialog::Control(int id) const {
    return skin::FindControl(this, id);
}

int CSkinnedDialog::OnInitDialog() {
    int code = OnOpen();
    if (code == msg::kOk && m_bAttachFailed) {
        code = msg::kControlAttachFailed;
    }
    if (code != msg::kOk) {
        ShowMessage(code);
        setResult(code);
    }
    return code;
}

int CSkinnedDialog::exec() {
    if (const int failed = OnInitDialog(); failed != msg::kOk) {
        return failed;
    }
    return QDialog::exec();
}

int CSkinnedDialog::AddButton(int id, int x, int y, int captionId, CSkinButton*& button) {
    button = new CSkinButton(m_folders, this);
    return button->SetUp(id, x, y, kButtonKind, Text(captionId),
                         PixelSizeForCellHeight(kFontHeight));
}

void CSkinnedDialog::Keep(QWidget* control, int id, const QRect& rect) {
    control->setGeometry(rect);
    if (!skin::AttachControl(control, this, id)) {
        m_bAttachFailed = true;
    }
}

QString CSkinnedDialog::Text(int id) {
    return QString::fromStdString(CMessageService::Instance().Strings().LoadString(id));
}

void CSkinnedDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (m_showHelp) {
            m_showHelp(this, m_nHelpTopic);
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CSkinnedDialog::reject() {
    done(kIdCancel);
}

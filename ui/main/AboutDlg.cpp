#include "ui/main/AboutDlg.h"

#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "skin/SkinButton.h"
#include "skin/SkinControl.h"
#include "ui/dialogs/common/WindowLook.h"

#include <QKeyEvent>
#include <QLabel>

namespace {

constexpr int kClientWidth = 300;
constexpr int kClientHeight = 110;
constexpr int kStringOk = 2101;
constexpr int kFontHeight = 12;
constexpr int kIconId = 150;

QString Text(int id) {
    return QString::fromStdString(CMessageService::Instance().Strings().LoadString(id));
}

} // namespace

CAboutDlg::CAboutDlg(const CSkinFolders& folders, std::function<void(QWidget*, int)> showHelp,
                     QWidget* parent)
    : QDialog(parent), m_folders(folders), m_showHelp(std::move(showHelp)) {
    ApplyWindowLook(*this, QString::fromStdString(CMessageService::Instance().Title()),
                    folders.ProgramFolder());
}

QWidget* CAboutDlg::Control(int id) const {
    return skin::FindControl(this, id);
}

int CAboutDlg::exec() {
    auto* ok = new CSkinButton(m_folders, this);
    if (const int setUp = ok->SetUp(QDialog::Accepted, (kClientWidth - 117) / 2, 76, 0,
                                    Text(kStringOk), PixelSizeForCellHeight(kFontHeight));
        setUp != msg::kOk) {
        ShowMessage(setUp);
        return setUp;
    }
    connect(ok, &CSkinButton::clicked, this, &QDialog::accept);
    ok->setDefault(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon(m_folders.ProgramFolder()).pixmap(32, 32));
    icon->setGeometry(16, 18, 32, 32);
    skin::AttachControl(icon, this, kIconId);

    auto* version = new QLabel(Text(kVersionText), this);
    version->setFont(WindowFont(kFontHeight));
    version->setGeometry(64, 26, kClientWidth - 76, 16);
    skin::AttachControl(version, this, kVersionText);

    setFixedSize(kClientWidth, kClientHeight);
    return QDialog::exec();
}

void CAboutDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (m_showHelp) {
            m_showHelp(this, 0);
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

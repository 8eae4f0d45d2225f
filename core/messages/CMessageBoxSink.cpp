#include "core/messages/CMessageBoxSink.h"

#include "core/messages/CStringTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace {

constexpr int kStringOk = 2101;
constexpr int kStringCancel = 2014;

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

bool CMessageBoxSink::Show(const MessageBoxRequest& request) {
    QWidget* parent = QApplication::activeModalWidget();
    if (parent == nullptr) {
        parent = QApplication::activeWindow();
    }
    const QMessageBox::StandardButtons buttons = request.buttons == MessageButtons::OkCancel
                                                     ? QMessageBox::Ok | QMessageBox::Cancel
                                                     : QMessageBox::Ok;
    QMessageBox box(ToQtIcon(request.icon), QString::fromUtf8(request.caption),
                    QString::fromUtf8(request.text), buttons, parent);
    // Texts may quote names the user typed: never let them be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QString::fromStdString(m_strings.LoadString(kStringOk)));
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel)) {
        cancel->setText(QString::fromStdString(m_strings.LoadString(kStringCancel)));
    }
    return box.exec() == QMessageBox::Ok;
}

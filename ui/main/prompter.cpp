#include "ui/main/prompter.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace q804 {

QString ProfileFileFilter() {
    return QStringLiteral("(*.fwc) (*.fwc);;(*.*) (*)");
}

void DialogPrompter::Message(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent_);
    box.exec();
}

bool DialogPrompter::OkCancel(const QString& text, const QString& title, bool english) {
    // No owner window: the prompt must show even while the main window is hidden.
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    english ? nullptr : parent_);
    if (english) {
        box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancel"));
    }
    return box.exec() == QMessageBox::Ok;
}

bool DialogPrompter::YesNo(const QString& text) {
    QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::Yes | QMessageBox::No,
                    parent_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString DialogPrompter::OpenFile(const QString& filter) {
    return QFileDialog::getOpenFileName(parent_, QString(), QString(), filter, nullptr,
                                        QFileDialog::ReadOnly);
}

QString DialogPrompter::SaveFile(const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent_, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().front();
}

}  // namespace q804

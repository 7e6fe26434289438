#include "MessageBoxPrompt.h"

#include <QMessageBox>
#include <QPushButton>

UserPrompt::Answers MessageBoxPrompt::answers() {
    return {&MessageBoxPrompt::inform, &MessageBoxPrompt::warn, &MessageBoxPrompt::askYesNo};
}

void MessageBoxPrompt::inform(const QString& text) {
    QMessageBox::information(nullptr, QString(), text, QMessageBox::Ok);
}

void MessageBoxPrompt::warn(const QString& text) {
    QMessageBox::critical(nullptr, QString(), text, QMessageBox::Ok);
}

bool MessageBoxPrompt::askYesNo(const QString& question) {
    QMessageBox box;
    box.setWindowTitle(QString());
    box.setText(question);
    QPushButton* yes = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes;
}

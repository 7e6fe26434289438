// Qt's own texts in the standard dialogs once start-up has loaded its Chinese translation:
// the message boxes' standard buttons and the folder picker's buttons and labels.
#include "QtTranslations.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {
// A button's text without the mnemonic Qt adds on some platforms ("选择(&C)").
QString WithoutMnemonic(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
}
} // namespace

class tst_QtTranslations : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void messageBoxButtons_data();
    void messageBoxButtons();
    void folderPicker();
};

void tst_QtTranslations::initTestCase() {
    QVERIFY(QtTranslations::install());
}

void tst_QtTranslations::messageBoxButtons_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("OK") << int(QMessageBox::Ok) << QStringLiteral("确定");
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << QStringLiteral("取消");
    QTest::newRow("Yes") << int(QMessageBox::Yes) << QStringLiteral("是");
    QTest::newRow("No") << int(QMessageBox::No) << QStringLiteral("否");
}

void tst_QtTranslations::messageBoxButtons() {
    QFETCH(int, button);
    QFETCH(QString, text);
    QMessageBox box;
    box.setStandardButtons(QMessageBox::StandardButton(button));
    QVERIFY(box.button(QMessageBox::StandardButton(button)));
    QCOMPARE(WithoutMnemonic(box.button(QMessageBox::StandardButton(button))->text()), text);
}

void tst_QtTranslations::folderPicker() {
    // The picker the large-file page opens, as Qt draws it where the system has none.
    QFileDialog dialog(nullptr, QStringLiteral("选择大文件搬家目录"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    QStringList buttons;
    for (QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons())
        buttons << WithoutMnemonic(button->text());
    buttons.sort();
    QCOMPARE(buttons, QStringList({"取消", "选择"}));
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text(),
             QStringLiteral("查找范围："));
}

QTEST_MAIN(tst_QtTranslations)
#include "tst_QtTranslations.moc"

#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

class IWork;
class LM_SoftWareInfoModel;

// The uninstall page's way to its work: scan, uninstall with the user's confirmation, the
// icons of the programs and the drive sentence. GUI thread only.
class Work_UninstallSoftHost : public QObject {
    Q_OBJECT
    // Uninstallers are being started: a new inventory must wait until they are.
    Q_PROPERTY(bool uninstalling READ uninstalling NOTIFY uninstallingChanged)
public:
    // Asks the user a yes-or-no question; true for yes.
    using Confirm = std::function<bool(const QString& question)>;

    Work_UninstallSoftHost(IWork* work, LM_SoftWareInfoModel* model, QObject* parent = nullptr);

    // Replaces the message box, for tests and other front ends.
    void setConfirm(Confirm confirm) { confirm_ = std::move(confirm); }
    static QString confirmQuestion();

    Q_INVOKABLE int scan();
    Q_INVOKABLE int cancelScan();
    // Uninstalls the ticked programs once the user agrees; a refusal unticks them.
    Q_INVOKABLE void clean();
    // The icon a DisplayIcon value names, as Base64 PNG data of 32 x 32 pixels; empty when
    // there is none.
    Q_INVOKABLE QString getProgramIconBase64(const QString& filePath);
    // "C盘(系统盘)共…GB,可用…GB" for drive C: as it is now; empty when it cannot be read.
    Q_INVOKABLE QString diskSentence() const;

    bool uninstalling() const;

signals:
    void uninstallingChanged();

private:
    IWork* work_;
    LM_SoftWareInfoModel* model_;
    Confirm confirm_;
    // Icons by DisplayIcon value, for the delegates the list creates again and again;
    // dropped when a new inventory starts.
    QHash<QString, QString> icons_;
};

#include "AppLog.h"
#include "LogFiles.h"
#include "MessageHandler.h"

#include <QtTest>
#include <thread>
#include <vector>

Q_DECLARE_METATYPE(QtMsgType)

namespace {
QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString stamp = QStringLiteral("\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}");
} // namespace

class tst_Logging : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void lineFormatPerLevel_data();
    void lineFormatPerLevel();
    void installedHandlerAppendsQtMessages();
    void concurrentLinesStayWhole();
    void unwritableApplicationLogDropsSilently();
    void linesFollowTheFolder();
    void appLogLines();
    void unwritableAppLogWarns();

private:
    QTemporaryDir* dir = nullptr;
    QString applicationLog() const { return dir->filePath("application.log"); }
};

void tst_Logging::init() {
    dir = new QTemporaryDir;
    LogFiles::setDirectory(dir->path());
}

void tst_Logging::cleanup() {
    qInstallMessageHandler(nullptr);
    LogFiles::setDirectory(QString());
    delete dir;
}

void tst_Logging::lineFormatPerLevel_data() {
    QTest::addColumn<QtMsgType>("type");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("tail");
    QTest::newRow("debug") << QtDebugMsg << QByteArray("work/RuleFiles.cpp") << 17
                           << "Failed to open the JSON file."
                           << "DEBUG Failed to open the JSON file. (work/RuleFiles.cpp:17)";
    QTest::newRow("info") << QtInfoMsg << QByteArray("a.cpp") << 3 << "扫描完成"
                          << "INFO 扫描完成 (a.cpp:3)";
    QTest::newRow("warning") << QtWarningMsg << QByteArray("C:\\src\\界面.cpp") << 99
                             << "路径 C:\\Users\\张三"
                             << "WARNING 路径 C:\\Users\\张三 (C:\\src\\界面.cpp:99)";
    QTest::newRow("critical") << QtCriticalMsg << QByteArray("b.cpp") << 1 << "x"
                              << "CRITICAL x (b.cpp:1)";
    QTest::newRow("fatal") << QtFatalMsg << QByteArray("c.cpp") << 2 << "y"
                           << "FATAL y (c.cpp:2)";
    QTest::newRow("debug without context") << QtDebugMsg << QByteArray() << 0 << "fontFamilies"
                                           << "DEBUG fontFamilies (:0)";
}

void tst_Logging::lineFormatPerLevel() {
    QFETCH(QtMsgType, type);
    QFETCH(QByteArray, file);
    QFETCH(int, line);
    QFETCH(QString, message);
    QFETCH(QString, tail);
    const QMessageLogContext context(file.isNull() ? nullptr : file.constData(), line, nullptr,
                                     nullptr);
    const QDateTime before = QDateTime::currentDateTime();
    MessageHandler(type, context, message);
    MessageHandler(type, context, message);
    const QDateTime after = QDateTime::currentDateTime();

    const QString text = QString::fromUtf8(readAll(applicationLog()));
    const QString expectedLine =
        "^" + stamp + "\\.\\d{3} " + QRegularExpression::escape(tail) + "\n";
    QVERIFY2(QRegularExpression(expectedLine + expectedLine.mid(1) + "$").match(text).hasMatch(),
             qPrintable(text));
    const QDateTime written =
        QDateTime::fromString(text.left(23), QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    QVERIFY(written >= before.addMSecs(-1) && written <= after.addMSecs(1));
}

void tst_Logging::installedHandlerAppendsQtMessages() {
    qInstallMessageHandler(MessageHandler);
    qWarning("first");
    qDebug() << "second" << 2;
    qInstallMessageHandler(nullptr);
    const QStringList lines = QString::fromUtf8(readAll(applicationLog())).split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].contains(QRegularExpression(" WARNING first \\(.*:\\d+\\)$")));
    QVERIFY(lines[1].contains(QRegularExpression(" DEBUG second 2 \\(.*:\\d+\\)$")));
    QCOMPARE(lines[2], QString());
}

void tst_Logging::concurrentLinesStayWhole() {
    const int threads = 6, perThread = 150;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([t] {
            const QMessageLogContext context("worker.cpp", t, nullptr, nullptr);
            for (int i = 0; i < perThread; ++i)
                MessageHandler(QtDebugMsg, context,
                               QStringLiteral("线程 %1 消息 %2 ").arg(t).arg(i).repeated(8));
        });
    }
    for (auto& worker : workers)
        worker.join();
    const QByteArray bytes = readAll(applicationLog());
    QVERIFY(!bytes.contains('\r'));
    const QStringList lines = QString::fromUtf8(bytes).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), threads * perThread);
    const QRegularExpression whole(
        "^" + stamp + "\\.\\d{3} DEBUG (线程 (\\d) 消息 (\\d+) ){8} \\(worker.cpp:(\\d)\\)$");
    for (const QString& line : lines) {
        const auto match = whole.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        QCOMPARE(match.captured(2), match.captured(4));
    }
}

void tst_Logging::unwritableApplicationLogDropsSilently() {
    LogFiles::setDirectory(dir->filePath("missing/folder"));
    MessageHandler(QtWarningMsg, QMessageLogContext(), "lost");
    QVERIFY(!QFile::exists(dir->filePath("missing/folder/application.log")));
    QCOMPARE(QDir(dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void tst_Logging::linesFollowTheFolder() {
    // The log stays open between lines; a new folder must still get the next line, and the
    // old folder must be free to go (Windows keeps a folder with an open file in it).
    const QMessageLogContext context("a.cpp", 1, nullptr, nullptr);
    MessageHandler(QtDebugMsg, context, QStringLiteral("一"));
    QTemporaryDir other;
    LogFiles::setDirectory(other.path());
    QVERIFY(QDir(dir->path()).removeRecursively());
    MessageHandler(QtDebugMsg, context, QStringLiteral("二"));
    QVERIFY(!QFile::exists(applicationLog()));
    const QString text = QString::fromUtf8(readAll(other.filePath("application.log")));
    QVERIFY2(text.endsWith(QStringLiteral(" DEBUG 二 (a.cpp:1)\n")) && text.count('\n') == 1,
             qPrintable(text));
}

void tst_Logging::appLogLines() {
    AppLog(QStringLiteral("清理运行记录"));
    AppLog(QStringLiteral("second"));
    const QString text = QString::fromUtf8(readAll(dir->filePath("app.log")));
    const QRegularExpression format("^" + stamp + " - 清理运行记录\n" + stamp + " - second\n$");
    QVERIFY2(format.match(text).hasMatch(), qPrintable(text));
    QVERIFY(!QFile::exists(applicationLog()));
}

void tst_Logging::unwritableAppLogWarns() {
    QVERIFY(QDir(dir->path()).mkdir("app.log")); // a folder where the file should be
    qInstallMessageHandler(MessageHandler);
    AppLog(QStringLiteral("never written"));
    qInstallMessageHandler(nullptr);
    const QString text = QString::fromUtf8(readAll(applicationLog()));
    QVERIFY2(
        text.contains(QRegularExpression(
            "^" + stamp + "\\.\\d{3} WARNING Failed to open log file for writing! \\(.*\\)\n$")),
        qPrintable(text));
}

QTEST_GUILESS_MAIN(tst_Logging)
#include "tst_Logging.moc"

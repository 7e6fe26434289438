#include "ExpandEnvString.h"
#include "RuleFiles.h"

#include <QJsonObject>
#include <QtTest>

namespace {
const QString icon = QStringLiteral("qrc:/Icons/resources/icon/");
const QString temp = QStringLiteral("C:\\Users\\张三\\AppData\\Local\\Temp");
const QString profile = QStringLiteral("C:\\Users\\张三");
const QString appData = QStringLiteral("C:\\Users\\张三\\AppData\\Roaming");

QStringList captured;
void captureMessage(QtMsgType, const QMessageLogContext&, const QString& message) {
    captured << message;
}

QJsonDocument load(const QString& name) {
    const QString path = QStringLiteral(":/Merivane/resources/") + name;
    if (name == "CleanData.json")
        return RuleFiles::LoadCleanData();
    if (name == "PrivacyData.json")
        return RuleFiles::LoadPrivacyData();
    if (name == "VXCleanData.json")
        return RuleFiles::LoadVXCleanData();
    if (name == "QQCleanData.json")
        return RuleFiles::LoadQQCleanData();
    if (name == "LargeFileData.json")
        return RuleFiles::LoadLargeFileData();
    if (name == "DuplicateFileData.json")
        return RuleFiles::LoadDuplicateFileData();
    return RuleFiles::Load(path);
}

// One line per item: "groupId|title|itemId|icon|path|description|checked".
QStringList flattenGroups(const QJsonDocument& document) {
    QStringList rows;
    for (const QJsonValue& groupValue : document.array()) {
        const QJsonObject group = groupValue.toObject();
        const QString head = group["id"].toString() + '|' + group["group"].toString();
        const QJsonArray items = group["items"].toArray();
        if (items.isEmpty())
            rows << head + "|(no items)";
        for (const QJsonValue& itemValue : items) {
            const QJsonObject item = itemValue.toObject();
            rows << QStringList{head,
                                item.contains("id") ? item["id"].toString() : "none",
                                item["icon"].toString().replace(icon, QString()),
                                item["path"].toString(),
                                item["description"].toString(),
                                item["checked"].toBool() ? "true" : "false"}
                        .join('|');
        }
    }
    return rows;
}

// One line per category: "id|path|description|checked|ext|icon".
QStringList flattenCategories(const QJsonDocument& document) {
    QStringList rows;
    for (const QJsonValue& value : document.array()) {
        const QJsonObject category = value.toObject();
        QStringList ext;
        for (const QJsonValue& e : category["ext"].toArray())
            ext << e.toString();
        rows << QStringList{category["id"].toString(),
                            RuleFiles::CategoryPath(category["path"]),
                            category["description"].toString(),
                            category["checked"].toBool() ? "true" : "false",
                            ext.join(','),
                            category["icon"].toString()}
                    .join('|');
    }
    return rows;
}
} // namespace

class tst_RuleFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { captured.clear(); }
    void filesAreUtf8WithCrlfAndNoBom_data();
    void filesAreUtf8WithCrlfAndNoBom();
    void cleanDataAsShipped();
    void privacyDataAsShipped();
    void categoryFilesAsShipped_data();
    void categoryFilesAsShipped();
    void missingResourceIsLoggedAndEmpty();
    void malformedJsonIsLoggedAndEmpty();
    void expandEnvString_data();
    void expandEnvString();
    void itemExpansionSkipsWhatIsNotAnObject();
    void groupItemWalk();
    void extensionsAreLowerCasedWithDot();
};

void tst_RuleFiles::initTestCase() {
    qputenv("TEMP", temp.toUtf8());
    qputenv("USERPROFILE", profile.toUtf8());
    qputenv("APPDATA", appData.toUtf8());
    qunsetenv("MERIVANE_UNDEFINED_NAME");
    qInstallMessageHandler(captureMessage);
}

void tst_RuleFiles::filesAreUtf8WithCrlfAndNoBom_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"CleanData.json", "PrivacyData.json", "VXCleanData.json",
                             "QQCleanData.json", "LargeFileData.json", "DuplicateFileData.json"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_RuleFiles::filesAreUtf8WithCrlfAndNoBom() {
    QFETCH(QString, name);
    QFile file(QStringLiteral(":/Merivane/resources/") + name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.contains("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    QCOMPARE(state.invalidChars, 0);
    QVERIFY(QJsonDocument::fromJson(bytes).isArray());
    QVERIFY(!load(name).isNull());
    QVERIFY(captured.isEmpty());
}

void tst_RuleFiles::cleanDataAsShipped() {
    const QStringList expected{
        "group0|虚拟内存(<font "
        "color='#ff0000'>重起之后生效</font>)|none|40004.svg||系统虚拟内存|false",
        "group1|不常用输入法|none|40019.svg||日文输入法|false",
        "group1|不常用输入法|none|40020.svg||韩文输入法|false",
        "group1|不常用输入法|none|40021.svg||繁体输入法|false",
        "group2|应用程序|none|30027.png||腾讯视频|false",
        "group2|应用程序|none|208.png||QQ|false",
        "group2|应用程序|none|30023.png||百度网盘|false",
        "group2|应用程序|none|202.png||Chrome|false",
        "group2|应用程序|none|218.png||Edge|false",
        "group2|应用程序|none|219.png||IE浏览器|false",
        "group2|应用程序|none|40016.svg||Metro通讯|false",
        "group2|应用程序|none|103.png||应用日志和临时文件|false",
        "group2|Windows系列|none|100.png|C:\\Windows\\Temp|系统临时文件|true",
        "group2|Windows系列|none|101.png|" + temp + "|用户临时文件|true",
        "group2|Windows系列|none|102.png|C:\\Windows\\SoftwareDistribution\\Download|"
        "Windows更新缓存|false",
        "group2|Windows系列|none|103.png|C:\\Windows\\Prefetch|预读取文件|false",
        "group2|Windows系列|none|104.png|C:\\Windows\\Logs|系统日志|false",
        "group2|Windows系列|none|106.png|C:\\ProgramData\\Microsoft\\Windows\\WER|崩溃报告|false",
        "group3|应用软件|none|105.png|" + profile + "\\Downloads|下载文件夹|false",
    };
    QCOMPARE(flattenGroups(RuleFiles::LoadCleanData()), expected);
}

void tst_RuleFiles::privacyDataAsShipped() {
    const QStringList expected{
        "group0|Windows运行痕迹|001|100.png|"
        "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU|Win+R运行痕迹|true",
        "group0|Windows运行痕迹|002|101.png|" + appData +
            "\\Microsoft\\Windows\\Recent|开始菜单最近运行程序|true",
        "group0|Windows运行痕迹|none|102.png| |最近访问的文件|false",
        "group0|Windows运行痕迹|none|103.png| |文件扩展名记录|false",
        "group0|Windows运行痕迹|none|104.png| |最近运行的程序|false",
        "group0|Windows运行痕迹|none|105.png| |注册表最后一次位置|false",
        "group1|软件使用痕迹|(no items)",
        "group2|浏览器记录|none|100.png| |Chrome浏览历史|true",
        "group2|浏览器记录|none|101.png|" + temp + "|Chrome下载记录|true",
        "group2|浏览器记录|none|102.png| |Edge浏览历史|false",
        "group2|浏览器记录|none|103.png| |Edge下载记录|false",
        "group3|高危隐私|none|100.png| |文件敏感隐私|true",
        "group3|高危隐私|none|101.png|" + temp + "|网购隐私|true",
    };
    QCOMPARE(flattenGroups(RuleFiles::LoadPrivacyData()), expected);
}

void tst_RuleFiles::categoryFilesAsShipped_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("WeChat") << "VXCleanData.json"
                            << QStringList{
                                   "1|FileStorage\\MsgAttach|新版接受和发送的图片|false||",
                                   "2|FileStorage\\Video|接受和发送的视频|false||",
                                   "3|FileStorage\\General\\Data|好友高清头像|true||",
                                   "4|FileStorage\\File|接受和发送的文件|false||",
                                   "5|FileStorage\\Cache|小程序、公众号、视频号图片缓存|false||",
                                   "6|FileStorage\\CustomEmotion|表情包缓存|false||",
                                   "6|FileStorage\\MPPageFastLoad|公众号页面缓存|false||",
                                   "7|FileStorage\\Sns|朋友圈缓存|true||",
                                   "8|FileStorage\\Temp|临时缓存|true||"};
    QTest::newRow("QQ") << "QQCleanData.json"
                        << QStringList{"1|nt_qq\\nt_data\\log|日志|false||",
                                       "2|nt_qq\\nt_data\\Video|接受到的视频|false||",
                                       "3|nt_qq\\nt_data\\Pic;nt_qq\\nt_data\\avatar;nt_qq\\nt_"
                                       "data\\Emoji;|QQ好友图片|true||",
                                       "4|nt_qq\\nt_data\\File|接受到的文件|false||",
                                       "5|" + appData + "\\Tencent\\QQ\\STemp|缓存|false||"};
    QTest::newRow("large files") << "LargeFileData.json"
                                 << QStringList{"1||临时文件|false|tmp|",
                                                "2||办公文档|false|doc,docx,xls|",
                                                "3||压缩包|true|zip,rar|", "4||安装包|false|exe|"};
    const QString ui = QStringLiteral("qrc:/UI/resources/UI/DF_0");
    QTest::newRow("duplicates") << "DuplicateFileData.json"
                                << QStringList{"1||重复图片|false|jpg,png,jpeg|" + ui + "1.png",
                                               "2||重复文档|false|doc,docx,xls|" + ui + "2.png",
                                               "3||重复视频|true|avi,mp4|" + ui + "3.png",
                                               "4||重复音频|false|mp3|" + ui + "4.png",
                                               "5||重复压缩包|false|rar,zip|" + ui + "5.png",
                                               "6||重复安装包|false|msi,exe|" + ui + "6.png"};
}

void tst_RuleFiles::categoryFilesAsShipped() {
    QFETCH(QString, name);
    QFETCH(QStringList, expected);
    QCOMPARE(flattenCategories(load(name)), expected);
}

void tst_RuleFiles::missingResourceIsLoggedAndEmpty() {
    const QJsonDocument document = RuleFiles::Load(":/Merivane/resources/Missing.json");
    QVERIFY(document.isNull());
    QCOMPARE(captured, QStringList{"Failed to open the JSON file."});
}

void tst_RuleFiles::malformedJsonIsLoggedAndEmpty() {
    QTemporaryDir dir;
    const QString path = dir.filePath("broken.json");
    const QByteArray bytes = "[\r\n    {\"id\": \"group0\", \"items\": [}\r\n]\r\n";
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QJsonParseError error{};
    // Text mode drops the carriage returns before parsing, which moves the offset.
    QJsonDocument::fromJson(QByteArray(bytes).replace("\r\n", "\n"), &error);
    bool processed = false;
    const QJsonDocument document = RuleFiles::Load(path, [&](QJsonDocument d) {
        processed = true;
        return d;
    });
    QVERIFY(document.isNull());
    QVERIFY(!processed);
    QCOMPARE(captured, QStringList{QStringLiteral("Failed to parse JSON. Error: %1 at offset: %2")
                                       .arg(error.errorString())
                                       .arg(error.offset)});
}

void tst_RuleFiles::expandEnvString_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expanded");
    QTest::newRow("whole value") << "%TEMP%" << temp;
    QTest::newRow("Chinese user name") << "%USERPROFILE%\\Downloads" << profile + "\\Downloads";
    QTest::newRow("two names") << "%USERPROFILE%;%APPDATA%" << profile + ";" + appData;
    QTest::newRow("adjacent names") << "%TEMP%%TEMP%" << temp + temp;
    QTest::newRow("no percent") << "C:\\Windows\\Temp"
                                << "C:\\Windows\\Temp";
    QTest::newRow("undefined name") << "%MERIVANE_UNDEFINED_NAME%\\x"
                                    << "%MERIVANE_UNDEFINED_NAME%\\x";
    QTest::newRow("undefined then text") << "%MERIVANE_UNDEFINED_NAME%TEMP%"
                                         << "%MERIVANE_UNDEFINED_NAME%TEMP%";
    QTest::newRow("lone percent") << "%"
                                  << "%";
    QTest::newRow("trailing lone percent") << "%TEMP%\\100%" << temp + "\\100%";
    // The stray "%" pairs with the next one, so the name in between is never looked up.
    QTest::newRow("stray percent pairs with the next") << "50% %TEMP%"
                                                       << "50% %TEMP%";
    QTest::newRow("empty name") << "%%\\a"
                                << "%%\\a";
    QTest::newRow("empty text") << ""
                                << "";
}

void tst_RuleFiles::expandEnvString() {
    QFETCH(QString, text);
    QFETCH(QString, expanded);
    QCOMPARE(ExpandEnvString(text), expanded);
    QCOMPARE(QString::fromStdString(ExpandEnvString(text.toStdString())), expanded);
}

void tst_RuleFiles::itemExpansionSkipsWhatIsNotAnObject() {
    const QByteArray json =
        R"([7, {"id": "g", "items": ["x", {"path": "%TEMP%\\a"}, {"path": 3}]}])";
    const QJsonDocument document = RuleFiles::ExpandItemPaths(QJsonDocument::fromJson(json));
    const QJsonArray groups = document.array();
    QCOMPARE(groups[0].toInt(), 7);
    const QJsonArray items = groups[1].toObject()["items"].toArray();
    QCOMPARE(items[0].toString(), QStringLiteral("x"));
    QCOMPARE(items[1].toObject()["path"].toString(), temp + "\\a");
    QCOMPARE(items[2].toObject()["path"].toInt(), 3);

    const QJsonDocument object = QJsonDocument::fromJson(R"({"path": "%TEMP%"})");
    QCOMPARE(RuleFiles::ExpandItemPaths(object), object);
}

void tst_RuleFiles::groupItemWalk() {
    // What is not an object is passed over; a group without items is still met.
    const QByteArray json = R"([7, {"id": "g1", "items": ["x", {"path": "%TEMP%\\a"}]},
                                {"id": "g2"}, {"id": "g3", "items": [{"id": "001", "path": " "}]}])";
    QStringList walk;
    RuleFiles::ForEachGroupItem(
        QJsonDocument::fromJson(json),
        [&](const QJsonObject& group) { walk << group["id"].toString(); },
        [&](const QJsonObject& item, const QString& path) {
            walk << item["id"].toString() + ":" + path;
        });
    QCOMPARE(walk, QStringList({"g1", ":" + temp + "\\a", "g2", "g3", "001: "}));
}

void tst_RuleFiles::extensionsAreLowerCasedWithDot() {
    const QJsonArray extensions{"ZIP", "Rar", "mp4", "ZIP"};
    QCOMPARE(RuleFiles::ExtensionSet(extensions), (QSet<QString>{".zip", ".rar", ".mp4"}));
    QCOMPARE(RuleFiles::CategoryPath(QJsonArray{"%TEMP%", "b"}), QStringLiteral("%TEMP%;b;"));
}

QTEST_GUILESS_MAIN(tst_RuleFiles)
#include "tst_RuleFiles.moc"

// Where large files go by default: a drive on another volume than C:'s before another
// letter on C:'s own volume, before C: itself; the larger of two of a kind.
#include "DriveFixture.h"
#include "LargeFileDestination.h"
#include "ScratchVolume.h"

#include <QLabel>
#include <QSettings>
#include <QtTest>

namespace fs = std::filesystem;

class tst_LargeFileDestination : public QObject {
    Q_OBJECT
private slots:
    void defaultRoot_data();
    void defaultRoot();
};

void tst_LargeFileDestination::defaultRoot_data() {
    QTest::addColumn<QString>("drives"); // letters; lower case: on a volume of its own
    QTest::addColumn<QString>("expected");
    QTest::newRow("C: alone") << "C"
                              << "C:\\";
    QTest::newRow("D: on C:'s volume") << "CD"
                                       << "D:\\";
    QTest::newRow("a small other volume beats a large letter on C:'s") << "CdE"
                                                                       << "D:\\";
    QTest::newRow("the larger of two other volumes") << "Cde"
                                                     << "E:\\";
}

void tst_LargeFileDestination::defaultRoot() {
    QFETCH(QString, drives);
    QFETCH(QString, expected);
    DriveFixture tree;
    std::vector<std::unique_ptr<ScratchVolume>> volumes;
    QByteArray map;
    for (int i = 0; i < drives.size(); ++i) {
        const QChar letter = drives.at(i).toUpper();
        const fs::path folder = tree.root() / ("drive" + std::string(1, letter.toLatin1()));
        fs::create_directories(folder);
        if (drives.at(i).isLower()) {
            // Each a little larger than the one before.
            volumes.push_back(std::make_unique<ScratchVolume>(folder, (16ull + 8 * i) << 20));
            if (!volumes.back()->mounted())
                QSKIP(qPrintable(volumes.back()->skipReason()));
        }
        map += QByteArray(map.isEmpty() ? "" : ";") + letter.toLatin1() + '=' +
               QByteArray::fromStdString(folder.native());
    }
    tree.setEnv("MERIVANE_DRIVES", map);
    QCOMPARE(LargeFileDestination::defaultRoot(), expected);
}

QTEST_MAIN(tst_LargeFileDestination)
#include "tst_LargeFileDestination.moc"

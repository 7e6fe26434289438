#pragma once

#include <array>

class AnimatedLabel;
class QLabel;
class QObject;
class QProgressBar;
class QPushButton;
class QWidget;

// The home page: the state of drive C: and the five summary rows with their animated
// progress strips.
class HomeOverview {
public:
    static constexpr int rowCount = 5;
    struct Row {
        QLabel* image = nullptr;
        QLabel* info = nullptr;
        QPushButton* status = nullptr;
        const char* tagline = "";
        // The navigation button of the row's page.
        QPushButton* navigation = nullptr;
    };
    struct DiskWidgets {
        QLabel* information = nullptr;
        QLabel* status = nullptr;
        QProgressBar* bar = nullptr;
    };

    // The word (and its colour) that tells how full drive C: is.
    struct SpaceStatus {
        const char* word;
        const char* style;
    };
    static SpaceStatus spaceStatus(int usedPercent);

    HomeOverview(QWidget* page, const std::array<Row, rowCount>& rows, const DiskWidgets& disk);

    // Each row waits for its first scan: tagline and "等待扫描".
    void setUpRows();
    // A click on a row's status button leads to the row's page once its scan has results.
    void followRow(QObject* statusButton) const;
    // Shows how full drive C: is; an unreadable drive keeps the previous texts.
    void refreshDiskStatus();
    // One animated strip per row, running hidden until its row's scan shows it.
    void createAnimations();
    void startAnimation(int row);
    void stopAnimation(int row);
    AnimatedLabel* animation(int row) const;

    const Row& row(int index) const { return rows[index]; }

private:
    QWidget* page;
    std::array<Row, rowCount> rows;
    DiskWidgets disk;
    std::array<AnimatedLabel*, rowCount> homeRowAnimations{};
};

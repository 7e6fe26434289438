#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// The progress line on standard error while a run works (files and bytes so far, the folder
// in hand), rewritten a few times a second; only when standard error is a terminal, so that
// a script's log holds nothing but what went wrong. stop() clears the line.
class Progress : public QObject {
public:
    explicit Progress(QObject* parent = nullptr);
    ~Progress() override;

    void start(std::function<QString()> line);
    void stop();

private:
    void show();

    bool terminal_;
    int width_;
    bool shown_ = false;
    QTimer timer_;
    std::function<QString()> line_;
};

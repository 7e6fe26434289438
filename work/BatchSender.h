#pragma once

#include <QMetaObject>
#include <QObject>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// Hands values collected on a worker thread to the thread of a receiving object in
// batches: one queued call per batch instead of one per value, so a scan of a hundred
// thousand files costs the GUI thread a few hundred events. One sender per worker; the
// receiving function runs on the receiver's thread, in the order the batches were sent.
// The receiver must outlive the workers; batches still queued when it goes are dropped.
template <typename T> class BatchSender {
public:
    using Receive = std::function<void(std::vector<T>& batch)>;

    BatchSender(QObject* receiver, Receive receive, std::size_t limit = 512,
                std::chrono::milliseconds interval = std::chrono::milliseconds(50))
        : receiver_(receiver), receive_(std::make_shared<Receive>(std::move(receive))),
          limit_(limit), interval_(interval), lastSent_(std::chrono::steady_clock::now()) {}
    // What is left goes now; a batch that cannot be sent (out of memory) is lost rather
    // than ending the program from a destructor.
    ~BatchSender() {
        try {
            send();
        } catch (...) {
        }
    }
    BatchSender(const BatchSender&) = delete;
    BatchSender& operator=(const BatchSender&) = delete;

    void add(T value) {
        batch_.push_back(std::move(value));
        if (batch_.size() >= limit_)
            send();
    }
    // Sends what is collected when the batch is full or has waited long enough; for the
    // pauses of a worker (after a folder), so that a slow walk still shows its results.
    void sendIfDue() {
        if (!batch_.empty() && std::chrono::steady_clock::now() - lastSent_ >= interval_)
            send();
    }
    void send() {
        lastSent_ = std::chrono::steady_clock::now();
        if (batch_.empty())
            return;
        auto batch = std::make_shared<std::vector<T>>(std::move(batch_));
        batch_.clear();
        QMetaObject::invokeMethod(
            receiver_, [receive = receive_, batch] { (*receive)(*batch); }, Qt::QueuedConnection);
    }

private:
    QObject* receiver_;
    std::shared_ptr<Receive> receive_;
    std::size_t limit_;
    std::chrono::milliseconds interval_;
    std::chrono::steady_clock::time_point lastSent_;
    std::vector<T> batch_;
};

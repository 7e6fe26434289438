#pragma once

#include "TestChatWork.h"

// The WeChat or the QQ work, as a table row chooses, for behaviour the two share.
class EitherChatWork {
public:
    explicit EitherChatWork(bool qq) {
        if (qq)
            qq_ = std::make_unique<TestQQ>();
        else
            vx_ = std::make_unique<TestVX>();
    }

    Work_ChatClean& operator*() const {
        return qq_ ? *static_cast<Work_ChatClean*>(qq_.get()) : *vx_;
    }
    Work_ChatClean* operator->() const { return &**this; }
    LM_ChatListModel& list() const { return *(*this)->chatListModel(); }

    bool scan() { return qq_ ? qq_->scan() : vx_->scan(); }
    bool clean() { return qq_ ? qq_->clean() : vx_->clean(); }
    QList<int> statuses() const { return qq_ ? qq_->statuses() : vx_->statuses(); }
    QStringList& messages() { return qq_ ? qq_->messages : vx_->messages; }
    void failDelete(std::function<std::optional<std::uint32_t>(const fs::path&)> fail) {
        if (qq_)
            qq_->failDelete = std::move(fail);
        else
            vx_->failDelete = std::move(fail);
    }

private:
    std::unique_ptr<TestVX> vx_;
    std::unique_ptr<TestQQ> qq_;
};

import QtQuick 2.15

// The QQ page. Its quick boxes name rows of the shipped QQ rules: 0 logs, 1 videos,
// 2 pictures, 3 files, 4 cache.
ChatPage {
    visibleRole: "visiable"
    quickTicks: [
        { label: "收发图片", indexes: [2] },
        { label: "视频语音", indexes: [1] },
        { label: "收发文件", indexes: [3] },
        { label: "缓存备份", indexes: [0, 4] }
    ]
}

import QtQuick 2.15

// The WeChat page. Its quick boxes name rows of the shipped WeChat rules: 0 pictures,
// 1 videos, 3 files, 4 to 8 caches (2, friends' avatars, has no box).
ChatPage {
    visibleRole: "visible"
    quickTicks: [
        { label: "收发图片", indexes: [0] },
        { label: "视频语音", indexes: [1] },
        { label: "收发文件", indexes: [3] },
        { label: "缓存备份", indexes: [4, 5, 6, 7, 8] }
    ]
}

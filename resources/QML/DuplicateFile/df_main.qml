import QtQuick 2.15

// The duplicate-file page: a start page that picks a drive, and the result page with the
// groups of every file type. Driven through "Host" and fed by "TypeGroups".
Rectangle {
    id: root
    objectName: "dfRoot"

    property int page: 0
    property var drives: Host.GetDrives()

    // The page follows the work: a scan that starts reports itself (and the result page
    // shows it); one refused leaves the page as it was, and says why.
    function startScan(drive) {
        if (!Host.scan(drive))
            tip.show("上一次扫描或清理还没有完全结束，请稍后再试。")
    }

    width: 970
    height: 712
    color: "#FFFFFF"

    PAGE1 {
        id: start
        anchors.fill: parent
        visible: root.page === 0
        drives: root.drives
        onScanRequested: root.startScan(drive)
    }

    PAGE2 {
        id: results
        anchors.fill: parent
        visible: root.page === 1
        drives: root.drives
        onScanRequested: root.startScan(drive)
    }

    DF_TipDialog {
        id: tip
        anchors.fill: parent
    }

    Connections {
        target: TypeGroups
        function onPopMsgTip(text) { tip.show(text) }
        // However a run started, its progress shows on the result page.
        function onScanStatusChanged(code) { root.page = 1 }
    }
}

import QtQuick 2.15

// The software-uninstall page. The window starts the inventory on the first visit, so the
// page opens on the program list; the introduction page serves a scan started by hand.
Item {
    id: root
    width: 970
    height: 712

    // 0: introduction, 1: program list.
    property int currentPage: 1

    UninstPage1 {
        objectName: "introPage"
        anchors.fill: parent
        visible: root.currentPage === 0
        onScanClicked: {
            uninstHost.scan()
            root.currentPage = 1
        }
    }

    UninstSoft {
        objectName: "softPage"
        anchors.fill: parent
        visible: root.currentPage === 1
    }
}

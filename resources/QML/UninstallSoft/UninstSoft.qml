import QtQuick 2.15
import ".."

// The program list: the inventory's result sentence and button, the search field, the
// column titles with the date sort, and one row per program of "softwareList".
Item {
    id: page

    // The last status the inventory reported: 2 running, 3 finished.
    property int lastStatus: 0
    // The order the sort arrow shows: true for oldest first (the inventory's order).
    property bool ascending: true
    readonly property var columns: ({ icon: 48, name: 88, size: 470, date: 610, action: 800 })
    // What can run now: no uninstall while the list is still being read, no new list while
    // uninstallers are being started.
    readonly property bool listed: lastStatus === 3
    readonly property bool rescanBlocked: !listed || uninstHost.uninstalling

    function refreshDisk() {
        diskLine.text = uninstHost.diskSentence()
    }

    Component.onCompleted: refreshDisk()

    Connections {
        target: softwareList
        function onScanStatusChanged(nStatus) {
            page.lastStatus = nStatus
            if (nStatus === 2) {
                statusText.text = "扫描中"
                page.ascending = true
            } else if (nStatus === 3) {
                page.refreshDisk()
            }
        }
        function onScanFinishedInfo(SoftCount, SoftSize, CheckedCount) {
            statusText.text = SoftCount === 0
                    ? "扫描结束，暂未发现软件安装信息"
                    : "已安装<font color=\"#FF0000\">" + SoftCount + "</font>款软件，占用<font color=\"#FF0000\">"
                      + SoftSize + "</font>"
        }
    }

    Rectangle {
        id: card
        x: 20
        y: 16
        width: parent.width - 40
        height: parent.height - 32
        radius: 10
        color: "#FFFFFF"
        border.color: "#E3ECEC"
    }

    Text {
        id: statusText
        objectName: "statusText"
        x: 48
        y: 42
        width: 640
        elide: Text.ElideRight
        textFormat: Text.StyledText
        text: "扫描中..."
        color: "#333333"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 22
        font.bold: true
    }

    Text {
        id: diskLine
        objectName: "diskLine"
        x: 48
        y: 80
        color: "#999999"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 14
    }

    ProgressBtn {
        id: progressBtn
        objectName: "progressBtn"
        x: card.x + card.width - width - 28
        y: 36
        caption: !page.listed ? "扫描中..." : uninstHost.uninstalling ? "卸载中..." : "重新扫描"
        running: page.rescanBlocked
        onClicked: {
            if (!page.rescanBlocked)
                uninstHost.scan()
        }
    }

    // The search field; its hint shows until the field takes the focus.
    Rectangle {
        x: 48
        y: 118
        width: 320
        height: 34
        radius: 17
        color: "#FFFFFF"
        border.color: search.activeFocus ? "#29DDD3" : "#D8E0E0"

        Canvas {
            id: lens
            x: 14
            anchors.verticalCenter: parent.verticalCenter
            width: 16
            height: 16
            onPaint: {
                var ctx = getContext("2d")
                ctx.reset()
                ctx.strokeStyle = "#9AA8A8"
                ctx.lineWidth = 1.8
                ctx.beginPath()
                ctx.arc(6.5, 6.5, 5, 0, 2 * Math.PI)
                ctx.moveTo(10.2, 10.2)
                ctx.lineTo(14.5, 14.5)
                ctx.stroke()
            }
        }

        TextInput {
            id: search
            objectName: "searchField"
            anchors.left: lens.right
            anchors.leftMargin: 8
            anchors.right: parent.right
            anchors.rightMargin: 14
            anchors.verticalCenter: parent.verticalCenter
            clip: true
            selectByMouse: true
            color: "#333333"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 14
            onTextChanged: softwareList.filterString = text
        }

        Text {
            anchors.fill: search
            verticalAlignment: Text.AlignVCenter
            visible: search.text === "" && !search.activeFocus
            text: "搜索软件或应用"
            color: "#AAB4B4"
            font: search.font
        }
    }

    // Column titles.
    Rectangle {
        id: titles
        x: 36
        y: 168
        width: card.width - 32
        height: 40
        radius: 6
        color: "#F2F7F7"

        Repeater {
            model: [
                { text: "软件名称", x: page.columns.name },
                { text: "大小", x: page.columns.size },
                { text: "安装时间", x: page.columns.date },
                { text: "操作", x: page.columns.action + 22 }
            ]
            Text {
                x: modelData.x - titles.x
                anchors.verticalCenter: parent.verticalCenter
                text: modelData.text
                color: "#456767"
                font.family: "HarmonyOS Sans SC"
                font.pixelSize: 14
            }
        }

        Image {
            id: sortIcon
            objectName: "sortIcon"
            x: page.columns.date - titles.x + 64
            anchors.verticalCenter: parent.verticalCenter
            width: 16
            height: 16
            visible: page.lastStatus === 3
            rotation: page.ascending ? 180 : 0
            source: "qrc:/UI/resources/UI/Arrow_Down.png"

            MouseArea {
                anchors.fill: parent
                anchors.margins: -6
                cursorShape: Qt.PointingHandCursor
                onClicked: {
                    page.ascending = !page.ascending
                    if (softwareList.rowCount() > 0) {
                        if (page.ascending)
                            softwareList.SortAscending()
                        else
                            softwareList.SortDescending()
                    }
                }
            }
        }
    }

    ListView {
        id: list
        objectName: "softList"
        x: 36
        y: titles.y + titles.height + 4
        width: titles.width - scrollBar.width - 6
        height: card.y + card.height - y - 12
        clip: true
        interactive: false
        boundsBehavior: Flickable.StopAtBounds
        model: softwareList
        delegate: SoftInfoItem {
            objectName: "soft_" + model.softName
            width: list.width
            visible: model.visible
            columns: ({ icon: page.columns.icon - list.x, name: page.columns.name - list.x,
                        size: page.columns.size - list.x, date: page.columns.date - list.x,
                        action: page.columns.action - list.x })
            iconPath: model.iconPath
            softName: model.softName
            sizeText: model.size
            installDate: model.installDate
            uninstallEnabled: page.listed
            onUninstallClicked: {
                model.checked = true
                uninstHost.clean()
            }
        }
    }

    MouseArea {
        anchors.fill: list
        acceptedButtons: Qt.NoButton
        onWheel: scrollBar.wheel(wheel.angleDelta.y)
    }

    ThinScrollBar {
        id: scrollBar
        objectName: "scrollBar"
        target: list
        x: list.x + list.width + 2
    }

    // What the empty list means.
    Text {
        objectName: "emptyText"
        anchors.horizontalCenter: list.horizontalCenter
        y: list.y + 60
        visible: list.contentHeight < 1
        text: page.lastStatus !== 3 ? "正在读取软件安装信息..."
                                    : softwareList.filterString !== "" ? "没有找到匹配的软件"
                                                                       : ""
        color: "#999999"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 14
    }
}

import QtQuick 2.15

// The start page: what the page finds, the space of drive C: and of all drives, and the
// split button that scans C: or, from its menu, one drive or all of them.
Item {
    id: page

    property var drives: []
    signal scanRequested(string drive)

    function driveNamed(test) {
        for (var i = 0; i < drives.length; ++i) {
            if (test(drives[i].name))
                return drives[i]
        }
        return null
    }
    function sizeText(bytes) {
        if (bytes / 1073741824 > 1)
            return (bytes / 1073741824).toFixed(2) + "GB"
        if (bytes / 1048576 > 1)
            return (bytes / 1048576).toFixed(2) + "MB"
        return (bytes / 1024).toFixed(2) + "KB"
    }

    readonly property var cDrive: driveNamed(function (name) { return name.charAt(0) === "C" })
    readonly property var allDrives: driveNamed(function (name) { return name === "*" })

    Text {
        x: 60
        y: 82
        text: "重复文件清理，找回被占用的空间"
        color: "#333333"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 28
    }

    Text {
        x: 60
        y: 138
        text: "逐字节比对文件内容，找出完全相同的图片、文档、视频、音频、压缩包和安装包"
        color: "#333333"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 15
    }

    Grid {
        x: 60
        y: 210
        columns: 3
        columnSpacing: 40
        rowSpacing: 26

        Repeater {
            model: [["DF_01", "重复图片"], ["DF_02", "重复文档"], ["DF_03", "重复视频"],
                    ["DF_04", "重复音频"], ["DF_05", "重复压缩包"], ["DF_06", "重复安装包"]]
            delegate: Row {
                spacing: 10
                Image {
                    width: 32
                    height: 32
                    sourceSize: Qt.size(64, 64)
                    source: "qrc:/UI/resources/UI/" + modelData[0] + ".png"
                }
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 90
                    text: modelData[1]
                    color: "#666666"
                    font.family: "HarmonyOS Sans SC"
                    font.pixelSize: 14
                }
            }
        }
    }

    // Two twin cards, the picture of a copy.
    Item {
        x: 640
        y: 190
        width: 260
        height: 220
        Repeater {
            model: 2
            delegate: Rectangle {
                x: index * 70
                y: index * 40
                width: 150
                height: 170
                radius: 14
                color: index === 0 ? "#DEF4F3" : "#FFFFFF"
                border.color: "#29DDD3"
                border.width: 3
                Column {
                    x: 22
                    y: 26
                    spacing: 14
                    Repeater {
                        model: 5
                        delegate: Rectangle {
                            width: index === 4 ? 60 : 106
                            height: 8
                            radius: 4
                            color: index === 0 ? "#29DDD3" : "#A8E6E1"
                        }
                    }
                }
            }
        }
        Rectangle {
            x: 198
            y: 14
            width: 46
            height: 46
            radius: 23
            color: "#FF7A45"
            Text {
                anchors.centerIn: parent
                text: "="
                color: "#FFFFFF"
                font.pixelSize: 30
                font.bold: true
            }
        }
    }

    Repeater {
        model: [{"label": "C盘空间", "drive": page.cDrive, "y": 440},
                {"label": "磁盘空间", "drive": page.allDrives, "y": 520}]
        delegate: Item {
            id: gauge
            x: 60
            y: modelData.y
            width: 441
            height: 45
            readonly property real total: modelData.drive && modelData.drive.totalBytes ? modelData.drive.totalBytes : 0
            readonly property real used: modelData.drive && modelData.drive.freeBytes !== undefined ? total - modelData.drive.freeBytes : 0
            Text {
                text: modelData.label
                color: "#333333"
                font.family: "HarmonyOS Sans SC"
                font.pixelSize: 14
            }
            Text {
                anchors.right: parent.right
                text: "已用" + page.sizeText(gauge.used) + " / 共" + page.sizeText(gauge.total)
                color: "#999999"
                font.family: "HarmonyOS Sans SC"
                font.pixelSize: 13
            }
            Rectangle {
                y: 28
                width: parent.width
                height: 10
                radius: 5
                color: "#E8EEEE"
                Rectangle {
                    width: gauge.total > 0 ? parent.width * Math.min(1, gauge.used / gauge.total) : 0
                    height: parent.height
                    radius: 5
                    color: "#29DDD3"
                }
            }
        }
    }

    // The split button: the left part scans C:, the right part opens the drive menu.
    Item {
        id: split
        x: 640
        y: 76
        width: 200
        height: 45

        DF_Button {
            id: quick
            objectName: "dfQuickScan"
            width: 160
            height: parent.height
            text: "快速扫描C盘"
            fontSize: 16
            onClicked: page.scanRequested("C:\\")
        }
        Rectangle {
            id: more
            objectName: "dfMoreDrives"
            x: 156
            width: 44
            height: parent.height
            radius: height / 2
            color: moreMouse.containsMouse ? "#51D891" : "#29DDD3"
            Text {
                anchors.centerIn: parent
                text: "▾"
                color: "#FFFFFF"
                font.pixelSize: 18
            }
            MouseArea {
                id: moreMouse
                anchors.fill: parent
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                onClicked: menu.visible = !menu.visible
                onContainsMouseChanged: closer.restart()
            }
        }
    }

    Rectangle {
        id: menu
        objectName: "dfDriveMenu"
        x: split.x
        y: split.y + split.height + 4
        width: split.width
        height: menuColumn.height + 8
        radius: 8
        visible: false
        color: "#FFFFFF"
        border.color: "#DDE6E6"

        // Closes a moment after the pointer has left both the button and the menu. The items
        // lie inside the menu's own area, so pointing at one keeps the menu hovered.
        Timer {
            id: closer
            objectName: "dfMenuCloser"
            interval: 80
            onTriggered: {
                if (!moreMouse.containsMouse && !menuMouse.containsMouse)
                    menu.visible = false
            }
        }
        MouseArea {
            id: menuMouse
            anchors.fill: parent
            hoverEnabled: true
            onContainsMouseChanged: closer.restart()

            Column {
                id: menuColumn
                y: 4
                width: parent.width
                Repeater {
                    model: page.drives
                    delegate: Rectangle {
                        objectName: "dfDriveMenuItem_" + modelData.name
                        width: menuColumn.width
                        height: 34
                        color: itemMouse.containsMouse ? "#E4F8F6" : "transparent"
                        Text {
                            x: 16
                            anchors.verticalCenter: parent.verticalCenter
                            text: modelData.name === "*" ? "全盘扫描" : "本地磁盘(" + modelData.name + ")"
                            color: "#333333"
                            font.family: "HarmonyOS Sans SC"
                            font.pixelSize: 14
                        }
                        MouseArea {
                            id: itemMouse
                            anchors.fill: parent
                            hoverEnabled: true
                            cursorShape: Qt.PointingHandCursor
                            onClicked: {
                                menu.visible = false
                                page.scanRequested(modelData.name)
                            }
                        }
                    }
                }
            }
        }
    }
}

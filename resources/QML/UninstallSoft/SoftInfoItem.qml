import QtQuick 2.15

// One program of the list: icon, name, size, install date and its "卸载" button. A row
// hidden by the search filter takes no room.
Item {
    id: row

    property string iconPath
    property string softName
    property string sizeText
    property string installDate
    // Set by the page: the x of each column.
    property var columns
    // False while the list is still being read: the button is grey and takes no click.
    property bool uninstallEnabled: true

    signal uninstallClicked()

    height: visible ? 40 : 0

    // Looked up once per row the list creates; the host keeps the icons it has made.
    readonly property string iconData: uninstHost.getProgramIconBase64(iconPath)

    Rectangle {
        anchors.fill: parent
        color: hover.containsMouse ? "#F2FBFA" : "transparent"
    }

    Image {
        objectName: "icon"
        x: row.columns.icon
        anchors.verticalCenter: parent.verticalCenter
        width: 28
        height: 28
        sourceSize: Qt.size(32, 32)
        smooth: true
        source: row.iconData !== "" ? "data:image/png;base64," + row.iconData
                                    : "qrc:/QML/resources/QML/UninstallSoft/DefaultSoft.svg"
    }

    Text {
        objectName: "name"
        x: row.columns.name
        width: row.columns.size - row.columns.name - 20
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        text: row.softName
        color: "#333333"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 14
    }

    Text {
        objectName: "size"
        x: row.columns.size
        anchors.verticalCenter: parent.verticalCenter
        text: row.sizeText
        color: "#666666"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 14
    }

    Text {
        objectName: "date"
        x: row.columns.date
        anchors.verticalCenter: parent.verticalCenter
        text: row.installDate
        color: "#666666"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 14
    }

    Rectangle {
        id: uninstallButton
        objectName: "uninstallButton"
        x: row.columns.action
        anchors.verticalCenter: parent.verticalCenter
        width: 72
        height: 28
        radius: 14
        enabled: row.uninstallEnabled
        color: enabled && buttonMouse.containsMouse ? "#29DDD3" : "#FFFFFF"
        border.width: 1
        border.color: enabled ? "#29DDD3" : "#D5DCDC"

        Text {
            anchors.centerIn: parent
            text: "卸载"
            color: !uninstallButton.enabled ? "#B4BEBE"
                   : buttonMouse.containsMouse ? "#FFFFFF" : "#29B8B0"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 14
        }

        MouseArea {
            id: buttonMouse
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: row.uninstallClicked()
        }
    }

    Rectangle {
        anchors.bottom: parent.bottom
        x: row.columns.icon - 8
        width: parent.width - x - 8
        height: 1
        color: "#EEF2F2"
    }

    MouseArea {
        id: hover
        anchors.fill: parent
        acceptedButtons: Qt.NoButton
        hoverEnabled: true
    }
}

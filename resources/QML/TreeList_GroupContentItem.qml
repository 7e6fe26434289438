import QtQuick 2.15

// One folder tile: icon with its tick box, name and the size found.
Item {
    id: tile
    property string icon
    property bool checked
    property string name
    property string sizeText
    signal checkClicked()

    width: 80
    height: 96

    Image {
        id: image
        anchors.horizontalCenter: parent.horizontalCenter
        y: 0
        width: 50
        height: 50
        sourceSize: Qt.size(100, 100)
        smooth: true
        source: tile.icon
    }

    // The tick box sits on the icon's lower right corner.
    Rectangle {
        id: box
        objectName: "tickBox"
        x: image.x + image.width - width / 2 - 2
        y: image.y + image.height - height / 2 - 2
        width: 18
        height: 18
        radius: 4
        color: tile.checked ? "#29DDD3" : "#FFFFFF"
        border.width: tile.checked ? 0 : 1
        border.color: boxMouse.containsMouse ? "#29DDD3" : "#A9B7B7"

        Canvas {
            anchors.fill: parent
            visible: tile.checked
            onPaint: {
                var ctx = getContext("2d")
                ctx.reset()
                ctx.strokeStyle = "#FFFFFF"
                ctx.lineWidth = 2.2
                ctx.lineCap = "round"
                ctx.lineJoin = "round"
                ctx.beginPath()
                ctx.moveTo(4.5, 9.5)
                ctx.lineTo(7.8, 12.8)
                ctx.lineTo(13.5, 5.5)
                ctx.stroke()
            }
        }

        MouseArea {
            id: boxMouse
            anchors.fill: parent
            anchors.margins: -4
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: tile.checkClicked()
        }
    }

    Text {
        id: label
        anchors.horizontalCenter: parent.horizontalCenter
        y: image.height + 6
        width: Math.min(implicitWidth, 130)
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        text: tile.name
        color: "#333333"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 12
    }

    Rectangle {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        width: 70
        height: 20
        radius: 10
        color: "#51DB9E"

        Text {
            anchors.centerIn: parent
            text: tile.sizeText
            color: "#FFFFFF"
            font.family: "HarmonyOS Sans SC"
            font.pixelSize: 12
        }
    }
}

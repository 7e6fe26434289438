import QtQuick 2.12

// A transparent image button. It reports a click only when the press is released over it,
// so pressing and sliding off cancels.
Rectangle {
    id: control

    property string imageSource: ""
    property string toolTip: ""
    property alias image: picture
    property int imageSize: 0
    property bool hovered: false
    property bool pressed: false

    signal clicked()

    color: "transparent"

    Image {
        id: picture
        anchors.centerIn: parent
        width: control.imageSize > 0 ? control.imageSize : control.width
        height: control.imageSize > 0 ? control.imageSize : control.height
        sourceSize: Qt.size(width, height)
        fillMode: Image.Stretch
        source: control.imageSource
    }

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onEntered: control.hovered = true
        onExited: {
            control.hovered = false
            control.pressed = false
        }
        onPressed: control.pressed = true
        onReleased: {
            control.pressed = false
            if (containsMouse)
                control.clicked()
        }
    }
}

import QtQuick 2.15

// The rounded teal button of the page; grey while disabled.
Rectangle {
    id: button

    property alias text: label.text
    property bool enabled: true
    property int fontSize: 15
    signal clicked()

    radius: height / 2
    color: !enabled ? "#C8CFCF" : mouse.pressed ? "#00796B" : mouse.containsMouse ? "#51D891" : "#29DDD3"

    Text {
        id: label
        anchors.centerIn: parent
        color: "#FFFFFF"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: button.fontSize
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        enabled: button.enabled
        cursorShape: Qt.PointingHandCursor
        onClicked: button.clicked()
    }
}

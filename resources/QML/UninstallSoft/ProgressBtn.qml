import QtQuick 2.15
import QtGraphicalEffects 1.15

// The page's pill button. While `running` a light band sweeps across it, as on the
// progress buttons of the other pages, and it takes no clicks.
Item {
    id: button

    property string caption
    property bool running: false

    signal clicked()

    width: 170
    height: 50

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        visible: !button.running
        color: mouse.pressed ? "#29FFD3" : mouse.containsMouse ? "#20D0D0" : "#29DDD3"
    }

    Item {
        id: busyLook
        anchors.fill: parent
        visible: button.running
        layer.enabled: true
        layer.effect: OpacityMask {
            maskSource: Rectangle {
                width: busyLook.width
                height: busyLook.height
                radius: busyLook.height / 2
            }
        }

        Rectangle {
            anchors.fill: parent
            color: "#D4F6F3"
        }

        Image {
            id: band
            height: parent.height
            width: 36
            source: "qrc:/UI/resources/UI/CClean_CheckingProgress.svg"
            sourceSize: Qt.size(width, height)

            NumberAnimation on x {
                from: -band.width
                to: button.width
                duration: 1900
                loops: Animation.Infinite
                running: button.running
            }
        }
    }

    Text {
        objectName: "caption"
        anchors.centerIn: parent
        text: button.caption
        color: button.running ? "#456767" : "#FFFFFF"
        font.family: "HarmonyOS Sans SC"
        font.pixelSize: 16
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        enabled: !button.running
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: button.clicked()
    }
}

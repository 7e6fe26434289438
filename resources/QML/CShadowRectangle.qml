import QtQuick 2.12

// A soft shadow around its target, drawn under it: rings one pixel apart, darkest at the
// target's edge and fading out over `radius` pixels. Plain Qt Quick, so it draws the same
// wherever Qt Quick runs, without a blur pass.
Item {
    id: shadow

    property var target: null
    property int radius: 10
    property color color: "#99000000"

    anchors.fill: target
    z: target ? target.z - 1 : 0

    Repeater {
        model: shadow.radius

        Rectangle {
            readonly property real spread: index + 1
            // Falls off like the tail of a blur: steep near the edge, long and faint out.
            readonly property real weight: Math.pow(1 - spread / (shadow.radius + 1), 2.2)

            anchors.fill: parent
            anchors.margins: -spread
            radius: (shadow.target && shadow.target.radius !== undefined ? shadow.target.radius : 0) + spread
            color: "transparent"
            border.width: 1
            border.color: Qt.rgba(shadow.color.r, shadow.color.g, shadow.color.b, shadow.color.a * 0.45 * weight)
            antialiasing: true
        }
    }
}

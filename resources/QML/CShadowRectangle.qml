import QtQuick 2.12
import QtGraphicalEffects 1.12

// A soft shadow cast by its target onto whatever lies around it.
DropShadow {
    property var target: null

    anchors.fill: target
    source: target
    horizontalOffset: 0
    verticalOffset: 0
    radius: 10
    samples: 25
    color: "#99000000"
}

import QtQuick 2.15

// The thin scroll bar of our list pages, instead of flicking: 6 px, grey, proportional to
// the visible part of `target`, dragged to move the content. The page forwards its wheel
// events to wheel(), which moves the content by wheelStep pixels a notch while the bar
// shows.
Rectangle {
    id: bar

    property Flickable target
    property int wheelStep: 20
    readonly property real travel: target ? target.height - height : 0
    readonly property real scrollRange: target ? Math.max(1, target.contentHeight - target.height) : 1

    function clamp(y) {
        var top = target.originY
        var bottom = target.originY + Math.max(0, target.contentHeight - target.height)
        return Math.max(top, Math.min(y, bottom))
    }
    function wheel(angleDeltaY) {
        if (visible)
            target.contentY = clamp(target.contentY - angleDeltaY / 120 * wheelStep)
    }

    width: 6
    radius: 3
    color: "#888888"
    opacity: barMouse.pressed || barMouse.containsMouse ? 0.9 : 0.6
    visible: target !== null && target.contentHeight > target.height
    height: target ? Math.max(20, target.height * target.height / Math.max(1, target.contentHeight)) : 0
    y: target ? target.y + (target.contentY - target.originY) / scrollRange * travel : 0

    // Content that shrinks (a group folding away) must not leave the view past its end.
    Connections {
        target: bar.target
        function onContentHeightChanged() { bar.target.contentY = bar.clamp(bar.target.contentY) }
    }

    MouseArea {
        id: barMouse
        property real pressY: 0
        property real pressContentY: 0

        anchors.fill: parent
        anchors.margins: -3
        hoverEnabled: true
        onPressed: {
            pressY = mapToItem(null, mouse.x, mouse.y).y
            pressContentY = bar.target.contentY
        }
        onPositionChanged: {
            if (!pressed || bar.travel <= 0)
                return
            var dy = mapToItem(null, mouse.x, mouse.y).y - pressY
            bar.target.contentY = bar.clamp(pressContentY + dy * bar.scrollRange / bar.travel)
        }
    }
}

import QtQuick 2.15

// One copy: tick box, name, folder, size and last change. Groups alternate two tints, so
// the copies of neighbouring groups stand apart.
Rectangle {
    id: row

    property string typeIcon

    height: model.visible ? 30 : 0
    visible: model.visible
    color: model.ID % 2 === 0 ? "#EDF9FA" : "#DEF4F3"

    Rectangle {
        id: box
        objectName: "dfTick"
        x: 14
        anchors.verticalCenter: parent.verticalCenter
        width: 18
        height: 18
        radius: 4
        color: model.checked ? "#29DDD3" : "#FFFFFF"
        border.width: model.checked ? 0 : 1
        border.color: boxMouse.containsMouse ? "#29DDD3" : "#A9B7B7"

        Canvas {
            anchors.fill: parent
            visible: model.checked
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
            anchors.margins: -5
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: Host.SetCheckedFromQml(row.typeIcon, index, !model.checked)
        }
    }

    Row {
        x: 44
        anchors.verticalCenter: parent.verticalCenter
        Repeater {
            model: [[row.shortName, 230, "#333333"], [row.folder, 330, "#777777"],
                    [row.sizeText, 100, "#333333"], [row.changed, 140, "#777777"]]
            delegate: Text {
                width: modelData[1] - 10
                rightPadding: 10
                text: modelData[0]
                elide: Text.ElideMiddle
                color: modelData[2]
                font.family: "HarmonyOS Sans SC"
                font.pixelSize: 13
            }
        }
    }

    readonly property string shortName: model.ShortName
    readonly property string folder: model.Path
    readonly property string sizeText: model.Size
    readonly property string changed: model.CreateTime
}

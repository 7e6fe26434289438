import QtQuick 2.15

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
        // The band may only show inside the pill: the layer is cut to the pill's shape,
        // with a one-pixel soft edge.
        layer.effect: ShaderEffect {
            property size size: Qt.size(busyLook.width, busyLook.height)

            fragmentShader: "
                varying highp vec2 qt_TexCoord0;
                uniform sampler2D source;
                uniform lowp float qt_Opacity;
                uniform highp vec2 size;
                void main() {
                    highp vec2 p = qt_TexCoord0 * size;
                    highp float r = size.y * 0.5;
                    highp vec2 centre = vec2(clamp(p.x, r, size.x - r), r);
                    lowp float inside = clamp(r - length(p - centre) + 0.5, 0.0, 1.0);
                    gl_FragColor = texture2D(source, qt_TexCoord0) * inside * qt_Opacity;
                }"
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

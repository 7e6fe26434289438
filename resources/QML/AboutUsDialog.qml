import QtQuick 2.12

// The about box. HostWindow is the dialog that shows it; the margin around the panel stays
// transparent so the panel's shadow falls on the desktop.
Rectangle {
    id: root

    readonly property string version: "6.0.1.6"
    readonly property string privacyUrl: "https://merivane.example.com/privacy"
    readonly property string agreementUrl: "https://merivane.example.com/agreement"

    width: 366
    height: 440
    color: "transparent"

    CShadowRectangle {
        target: panel
    }

    Rectangle {
        id: panel
        anchors.fill: parent
        anchors.margins: 10
        color: "#f2f2f2"
        radius: 8

        Item {
            id: titleRow
            anchors.top: parent.top
            anchors.left: parent.left
            anchors.right: parent.right
            height: 40

            Text {
                anchors.centerIn: parent
                text: "关于我们"
                font.bold: true
                font.pixelSize: 18
                color: "#FB740E"
            }

            CButton {
                objectName: "closeButton"
                width: 14
                height: 14
                anchors.right: parent.right
                anchors.rightMargin: 14
                anchors.verticalCenter: parent.verticalCenter
                imageSource: "qrc:/UI/resources/UI/System_Close.svg"
                onClicked: {
                    console.log("close button clicked")
                    HostWindow.go_reject()
                }
            }
        }

        Rectangle {
            id: card
            width: 320
            height: 360
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 14
            color: "white"
            radius: 6

            Column {
                anchors.fill: parent
                anchors.leftMargin: 50
                anchors.rightMargin: 50
                topPadding: 40
                spacing: 16

                Image {
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: 52
                    height: 52
                    source: "qrc:/Merivane/Merivane.ico"
                    smooth: true
                    mipmap: true
                }

                Text {
                    objectName: "appNameText"
                    width: parent.width
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideRight
                    text: HostWindow ? HostWindow.appName() : ""
                    font.bold: true
                    font.pixelSize: 16
                    color: "#333333"
                }

                Item {
                    width: parent.width
                    height: 8
                }

                Repeater {
                    model: [
                        { label: "版本", value: root.version },
                        { label: "开发", value: HostWindow ? HostWindow.developer() : "" },
                        { label: "客服电话", value: HostWindow ? HostWindow.phone() : "" }
                    ]

                    Row {
                        width: parent.width

                        Text {
                            width: 60
                            text: modelData.label
                            font.pixelSize: 14
                            font.weight: Font.Medium
                            color: "#333333"
                        }

                        Text {
                            width: parent.width - 60
                            elide: Text.ElideRight
                            text: modelData.value
                            font.pixelSize: 14
                            color: "#999999"
                        }
                    }
                }

                Row {
                    anchors.horizontalCenter: parent.horizontalCenter
                    height: 30
                    spacing: 30

                    Repeater {
                        model: [
                            { label: "隐私协议", url: root.privacyUrl },
                            { label: "用户协议", url: root.agreementUrl }
                        ]

                        Text {
                            anchors.verticalCenter: parent.verticalCenter
                            text: modelData.label
                            font.pixelSize: 12
                            font.underline: true
                            color: "#999999"

                            MouseArea {
                                anchors.fill: parent
                                cursorShape: Qt.PointingHandCursor
                                onClicked: Qt.openUrlExternally(modelData.url)
                            }
                        }
                    }
                }
            }
        }
    }
}

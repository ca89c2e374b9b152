import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tessaro

// The sample plant in the Qt Quick chart, the selected work order's times beside it and a Save
// button that writes the pending changes to the file named in the field, then accepts them.
ApplicationWindow {
    id: window

    required property string plantFolder
    property string message: ""

    width: 1400
    height: 800
    visible: true
    title: qsTr("Tessaro Qt Quick demo")

    header: ToolBar {
        RowLayout {
            anchors.fill: parent
            ToolButton { text: qsTr("Undo"); enabled: chart.canUndo; onClicked: chart.undo() }
            ToolButton { text: qsTr("Redo"); enabled: chart.canRedo; onClicked: chart.redo() }
            ToolButton { text: qsTr("Next overlap"); onClicked: chart.showNextConflict(false) }
            Label { text: qsTr("Pending changes: %1").arg(chart.pendingChanges) }
            Item { Layout.fillWidth: true }
            TextField {
                id: saveFile
                objectName: "saveFile"
                Layout.preferredWidth: 320
                text: "changes.xml"
            }
            Button {
                objectName: "saveButton"
                text: qsTr("Save")
                enabled: chart.pendingChanges > 0
                onClicked: {
                    if (chart.saveChanges(saveFile.text)) {
                        chart.acceptChanges()
                        window.message = qsTr("Saved to %1").arg(saveFile.text)
                    } else {
                        window.message = qsTr("Cannot write %1").arg(saveFile.text)
                    }
                }
            }
        }
    }

    footer: Label { padding: 4; text: window.message }

    RowLayout {
        anchors.fill: parent
        spacing: 0

        TessaroChart {
            id: chart
            objectName: "chart"
            Layout.fillWidth: true
            Layout.fillHeight: true
            focus: true
            nowTime: new Date()
            Component.onCompleted: window.message = loadPlantFolder(window.plantFolder)
            onErrorRaised: (number, source, description) => window.message = description
            onStatusHint: text => window.message = text
        }

        Pane {
            Layout.preferredWidth: 300
            Layout.fillHeight: true
            ColumnLayout {
                anchors.fill: parent
                Label { text: qsTr("Selected work order"); font.bold: true }
                Repeater {
                    model: chart.details
                    delegate: RowLayout {
                        required property var modelData
                        Label { text: modelData.caption; Layout.preferredWidth: 130 }
                        Label { text: modelData.text; font.bold: true }
                    }
                }
                Item { Layout.fillHeight: true }
            }
        }
    }
}

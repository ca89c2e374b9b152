import QtQuick
import QtQuick.Controls

// The control's pop-up menus (Scheduler, Drag) as the chart shows them: rebuilt from the model's
// entries each time the control shows one, opened where the planner clicked or held a finger.
Menu {
    id: menu

    property Item chart
    property string model: ""

    Component { id: entryComponent; MenuItem {} }
    Component { id: separatorComponent; MenuSeparator {} }

    Connections {
        target: menu.chart
        function onMenuRequested(name, caption, entries, x, y) {
            while (menu.count > 0)
                menu.takeItem(0).destroy()
            menu.model = name
            menu.objectName = name
            menu.title = caption
            for (const entry of entries) {
                if (entry.separator) {
                    menu.addItem(separatorComponent.createObject(menu))
                    continue
                }
                const item = entryComponent.createObject(menu, {
                    text: entry.caption, enabled: entry.enabled, objectName: entry.name })
                const chosen = entry.name
                item.triggered.connect(() => menu.chart.chooseMenuItem(name, chosen))
                menu.addItem(item)
            }
            menu.popup(x, y)
        }
    }
}

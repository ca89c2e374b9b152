// What a screen reader hears of the control beyond its parts' own texts: the detail fields and
// the conflict list by name, and each applied change, undo, redo and refusal said through the
// chart once the command stands whole.

#include <memory>
#include <string>

#include <QAction>
#include <QTimer>

#include <tessaro/qt/list_grid_view.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/qt/tessaro_widget.hpp>

#include "accessibility/accessibility.hpp"
#include "spoken_texts.hpp"
#include "tessaro_widget_private.hpp"

namespace tessaro {
namespace {

struct FieldName {
    const char* box;
    const char* name;
};

// The detail frame's captions are terse and some boxes have none.
constexpr FieldName kFieldNames[] = {
    {"TxtWONo", QT_TRANSLATE_NOOP("tessaro::TessaroWidget", "Work order")},
    {"TxtWOStatus", QT_TRANSLATE_NOOP("tessaro::TessaroWidget", "Work order status")},
    {"TxtItemNo", QT_TRANSLATE_NOOP("tessaro::TessaroWidget", "Item")},
    {"TxtActStartDate", QT_TRANSLATE_NOOP("tessaro::TessaroWidget", "Start date")},
    {"TxtWOStTime", QT_TRANSLATE_NOOP("tessaro::TessaroWidget", "Start time")},
    {"TxtReqDt", QT_TRANSLATE_NOOP("tessaro::TessaroWidget", "Required date")},
    {"TxtWOAct", QT_TRANSLATE_NOOP("tessaro::TessaroWidget", "Activity")},
    {"TxtOrdNo", QT_TRANSLATE_NOOP("tessaro::TessaroWidget", "Sales order")},
    {"TxtCustNo", QT_TRANSLATE_NOOP("tessaro::TessaroWidget", "Customer")},
    {"TxtactEndDate", QT_TRANSLATE_NOOP("tessaro::TessaroWidget", "End date")},
    {"TxtWOEndTime", QT_TRANSLATE_NOOP("tessaro::TessaroWidget", "End time")},
    {"TxtPromisedDt", QT_TRANSLATE_NOOP("tessaro::TessaroWidget", "Promised date")},
};

// What the next announcement is about: a command's changes come in several notifications.
enum class Heard { Nothing, Change, Undo, Redo };

}  // namespace

void TessaroWidget::Private::installAnnouncements(TessaroWidget& widget) {
    qt_detail::InstallAccessibility();
    for (const FieldName& field : kFieldNames) {
        if (QWidget* box = widget.surfaceWidget(QString::fromLatin1(field.box))) {
            box->setAccessibleName(TessaroWidget::tr(field.name));
        }
    }
    if (QWidget* conflicts = widget.surfaceWidget(QStringLiteral("lstConflictWorkOrders"))) {
        conflicts->setAccessibleName(TessaroWidget::tr("Conflicts"));
    }
    gridView_->setAccessibleName(TessaroWidget::tr("Activities of the selected work order"));

    auto heard = std::make_shared<Heard>(Heard::Nothing);
    const auto sayLater = [this, heard, &widget](Heard what) {
        if (!qt_detail::AccessibilityListening()) {
            return;
        }
        const bool scheduled = *heard != Heard::Nothing;
        // Undo and redo move the change count too: they, not the change, are what is said.
        if (!scheduled || what != Heard::Change) {
            *heard = what;
        }
        if (scheduled) {
            return;
        }
        QTimer::singleShot(0, &widget, [this, heard] {
            const std::vector<ActivityChange> changes = control_->Changes();
            QString text;
            switch (*heard) {
                case Heard::Undo:
                    text = TessaroWidget::tr("Undone; %n change(s) pending", nullptr,
                                             static_cast<int>(changes.size()));
                    break;
                case Heard::Redo:
                    text = TessaroWidget::tr("Redone; %n change(s) pending", nullptr,
                                             static_cast<int>(changes.size()));
                    break;
                case Heard::Change:
                    text = changes.empty() ? TessaroWidget::tr("No change pending")
                                           : TessaroWidget::tr("Change applied: %1")
                                                 .arg(qt_detail::SpokenChange(changes.back()));
                    break;
                case Heard::Nothing:
                    break;
            }
            *heard = Heard::Nothing;
            qt_detail::Announce(*chartView_, text);
        });
    };
    QObject::connect(&widget, &TessaroWidget::changesChanged, &widget,
                     [sayLater](int) { sayLater(Heard::Change); });
    QObject::connect(undoAction_, &QAction::triggered, &widget,
                     [sayLater] { sayLater(Heard::Undo); });
    QObject::connect(redoAction_, &QAction::triggered, &widget,
                     [sayLater] { sayLater(Heard::Redo); });
    QObject::connect(
        &widget, &TessaroWidget::changeRefused, &widget, [this](const QString& reason) {
            qt_detail::Announce(*chartView_, TessaroWidget::tr("Refused: %1").arg(reason));
        });
}

}  // namespace tessaro

#pragma once

// What a TessaroWidget keeps: the control it owns, the widgets placed from its design surface,
// its subscriptions to the control's models and what the host set.

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <QList>
#include <QRect>

#include <tessaro/qt/tessaro_widget.hpp>

namespace tessaro {

namespace qt_detail {
class ConflictPanel;
class ResourceFinder;
}  // namespace qt_detail

struct TESSARO_QT_NO_EXPORT TessaroWidget::Private {
    struct Placed {
        const SurfaceElement* element;
        QWidget* widget;
    };

    struct HostSubscriptions {
        int pending = 0;
        int selection = 0;
        int undo = 0;
        int redo = 0;
        int refused = 0;
    };

    // Creating the control may raise its creation error.
    explicit Private(TessaroWidget& widget)
        : q(&widget), control_(std::make_unique<Tessaro_Ctrl>()) {}

    void buildSurface();
    QWidget* createElement(const SurfaceElement& element, QWidget* parent);
    // Places every element from its twips, the chart and grid heights from their models.
    void relayoutSurface();
    void forwardErrors(const QObject* source);
    // The undo and redo actions, their shortcuts on the chart and the control's events as signals.
    void connectHostEvents();
    void disconnectHostEvents();
    // The bar gestures, the host's menu entries and the veto's refusals as the widget's signals.
    void connectHostHooks();
    void showRefusal(const QString& reason);
    void reportError(int number, const QString& source, const QString& description);
    int pixels(double twips) const;
    void showConflictEntryBars(int index);
    void updateZoomButtons();
    void scheduleActivityNow();
    void updateActivityNow();

    // A pending change with where its activity was loaded and is now, for the chart's outlines;
    // nothing for an activity without a loaded placement.
    std::optional<ScheduleChartView::ChangedActivity> changedActivity(
        const Vadel_Class2& record) const;

    // Ctrl+C on the chart and the surface's tab order (tessaro_widget_keyboard.cpp).
    void installChartKeys(TessaroWidget& widget);
    void copyFocused(TessaroWidget& widget);
    // The conflict panel beside the chart (tessaro_widget_conflicts.cpp): built once, refreshed
    // once after a burst of chart changes, placed where the chart gives it room.
    void installConflictPanel();
    void scheduleConflicts();
    void refreshLegendStatuses();
    void showConflictBar(int row, int bar);
    // Narrows the chart's rectangle by the panel's width and places the panel there.
    void placeConflictPanel(QRect& chart);

    // The find field over the resource list, in the top line where the one-line conflict box
    // was (tessaro_widget_finder.cpp).
    void installResourceFinder();
    void placeResourceFinder(const QRect& slot);

    // What a screen reader hears: field names and announcements (tessaro_widget_speech.cpp).
    void installAnnouncements(TessaroWidget& widget);

    TessaroWidget* q;
    std::unique_ptr<Tessaro_Ctrl> control_;
    std::vector<Placed> placed_;
    ScheduleChartView* chartView_ = nullptr;
    ListGridView* gridView_ = nullptr;
    qt_detail::ListBoxView* conflictList_ = nullptr;
    qt_detail::LegendStrip* legend_ = nullptr;
    qt_detail::ConflictPanel* conflictPanel_ = nullptr;
    bool conflictsPending_ = false;
    // The bars were reloaded: the legend names the statuses again.
    bool statusesDirty_ = true;
    qt_detail::ResourceFinder* resourceFinder_ = nullptr;
    int hiddenListSubscription_ = 0;
    std::vector<qt_detail::MenuPresenter*> menus_;
    std::function<bool(int)> confirmRefresh_;
    int chartSubscription_ = 0;
    int gridSubscription_ = 0;
    std::vector<std::pair<TextBox*, int>> textSubscriptions_;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    HostSubscriptions hostSubscriptions_;
    std::set<SurfacePart> hiddenParts_;
    QList<QAction*> contextActions_;
    ActivityKey contextActivity_;
    float laidOutChartHeight_ = -1;
    float laidOutGridHeight_ = -1;
    bool screenConnected_ = false;
    bool activityNowPending_ = false;
};

}  // namespace tessaro

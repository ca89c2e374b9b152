#include <tessaro/qt/tessaro_widget.hpp>

#include <algorithm>
#include <exception>
#include <map>
#include <string>
#include <unordered_map>

#include <QCoreApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QResizeEvent>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <tessaro/bars/bar_description.hpp>
#include <tessaro/qt/conversions.hpp>
#include <tessaro/qt/list_grid_view.hpp>
#include <tessaro/qt/schedule_chart_view.hpp>
#include <tessaro/runtime/calendar.hpp>

#include "activity_placement.hpp"
#include "activity_texts.hpp"
#include "conflict_panel.hpp"
#include "core_captions.hpp"
#include "discard_question.hpp"
#include "grid_cell_text.hpp"
#include "precedence_links.hpp"
#include "surface_parts.hpp"
#include "surface_widgets.hpp"
#include "tessaro_widget_private.hpp"

namespace tessaro {

using qt_detail::ColourSwatch;
using qt_detail::ComboBoxView;
using qt_detail::LegendStrip;
using qt_detail::ListBoxView;
using qt_detail::MenuPresenter;
using qt_detail::TextBoxView;
using qt_detail::ToolbarStrip;

namespace {

// A top-level element whose right edge comes this close to the surface's stretches with it.
constexpr int32_t kStretchSlackTwips = 120;
// Elements in a frame whose tops differ by less than this share a line.
constexpr int kSameLinePixels = 8;

struct DesignExtent {
    int32_t width = 0;
    int32_t height = 0;
};

DesignExtent SurfaceExtent() {
    DesignExtent extent;
    for (const SurfaceElement& element : DesignSurface()) {
        if (element.Visible && element.Parent.empty()) {
            extent.width = std::max(extent.width, element.Bounds.Left + element.Bounds.Width);
            extent.height = std::max(extent.height, element.Bounds.Top + element.Bounds.Height);
        }
    }
    return extent;
}

// Widens captions that would be cut and moves their neighbours on, inside each frame line.
void SettleFrameLine(std::vector<QWidget*> line) {
    std::sort(line.begin(), line.end(), [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
    // Captions sit on the middle of the line's text boxes.
    int middle = -1;
    for (QWidget* widget : line) {
        if (qobject_cast<QLineEdit*>(widget) != nullptr) {
            middle = widget->geometry().center().y();
            break;
        }
    }
    int previousRight = -1;
    for (QWidget* widget : line) {
        QRect rect = widget->geometry();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            rect.setWidth(std::max(rect.width(), label->sizeHint().width()));
            if (middle >= 0) {
                rect.moveTop(middle - rect.height() / 2);
            }
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            const QMargins margins = box->textMargins();
            const int needed = box->fontMetrics().horizontalAdvance(box->text()) + margins.left() +
                               margins.right() + 8;
            rect.setWidth(std::max(rect.width(), needed));
        }
        if (previousRight >= 0 && rect.left() <= previousRight + 2) {
            rect.moveLeft(previousRight + 4);
        }
        widget->setGeometry(rect);
        previousRight = rect.right();
    }
}

}  // namespace

TessaroWidget::TessaroWidget(QWidget* parent)
    : QWidget(parent), d(std::make_unique<Private>(*this)) {
    setAutoFillBackground(true);
    d->buildSurface();
    d->installConflictPanel();
    d->installResourceFinder();
    d->chartSubscription_ =
        d->control_->ctResSched().Changed.Subscribe([this](const ChartChange& c) {
            d->scheduleConflicts();
            if (c.What == ChartChange::Kind::Container &&
                d->control_->ctResSched().Height() != d->laidOutChartHeight_) {
                d->relayoutSurface();
            }
            if (c.What == ChartChange::Kind::Bars || c.What == ChartChange::Kind::Rows) {
                d->statusesDirty_ = true;
            }
            if (c.What == ChartChange::Kind::Bars || c.What == ChartChange::Kind::Bar ||
                c.What == ChartChange::Kind::Rows) {
                d->scheduleActivityNow();
            }
        });
    d->gridSubscription_ = d->control_->vaSpread().Changed.Subscribe([this] {
        if (d->control_->vaSpread().Height() != d->laidOutGridHeight_) {
            d->relayoutSurface();
        }
    });
    d->connectHostEvents();
    d->connectHostHooks();
    d->installChartKeys(*this);
    d->installAnnouncements(*this);
    d->hiddenListSubscription_ = d->control_->lstConflictHidden().Changed.Subscribe([this] {
        if (d->conflictList_ != nullptr) {
            d->conflictList_->refreshTexts();
        }
    });
    if (d->conflictList_ != nullptr) {
        d->conflictList_->setDisplayText([this](int index, const QString&) {
            const ListBox& hidden = d->control_->lstConflictHidden();
            return index >= 0 && index < hidden.ListCount()
                       ? qt_detail::ConflictEntryText(d->control_->ctResSched(), hidden.List(index))
                       : QString();
        });
        connect(d->conflictList_, &QListWidget::itemDoubleClicked, this,
                [this](QListWidgetItem* item) {
                    d->showConflictEntryBars(d->conflictList_->row(item));
                });
    }
    // F8 anywhere in the control: the next overlap, Shift+F8 the one before.
    for (const bool backwards : {false, true}) {
        auto* shortcut = new QShortcut(
            QKeySequence(backwards ? Qt::SHIFT | Qt::Key_F8 : QKeyCombination(Qt::Key_F8)), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, backwards] { d->chartView_->showNextConflict(backwards); });
    }
    connect(d->chartView_, &ScheduleChartView::statusHint, this, &TessaroWidget::statusHint);
    // A record is replaced, never edited, whenever its activity changes: an activity whose record
    // is the one seen last keeps its outline and tooltip, so a change of the chart costs the
    // activities it changed, not every pending one.
    struct Seen {
        std::shared_ptr<Vadel_Class2> record;
        ScheduleChartView::ChangedActivity activity;
    };
    d->chartView_->setChangeSource(
        [this, seen = std::make_shared<std::unordered_map<std::string, Seen>>()] {
            std::unordered_map<std::string, Seen> now;
            std::vector<ScheduleChartView::ChangedActivity> changed;
            for (const auto& [key, record] : d->control_->PendingChanges()) {
                if (!record) {
                    continue;
                }
                if (const auto kept = seen->find(key);
                    kept != seen->end() && kept->second.record == record) {
                    changed.push_back(kept->second.activity);
                    now.emplace(key, std::move(kept->second));
                    continue;
                }
                if (std::optional<ScheduleChartView::ChangedActivity> activity =
                        d->changedActivity(*record)) {
                    changed.push_back(*activity);
                    now.emplace(key, Seen{record, std::move(*activity)});
                }
            }
            *seen = std::move(now);
            return changed;
        });
    d->chartView_->setConflictSource([this](int firstRow, int lastRow) {
        return d->control_->PlanConflictsOfRows(
            static_cast<int16_t>(std::clamp(firstRow, 0, 32767)),
            static_cast<int16_t>(std::clamp(lastRow, 0, 32767)));
    });
    d->chartView_->setPrecedenceSource([this](const std::string& workOrder) {
        std::vector<ScheduleChartView::PrecedenceLine> lines;
        for (const qt_detail::LinkLine& link :
             qt_detail::PrecedenceLinksOf(*d->control_, workOrder)) {
            lines.push_back({link.fromRow, link.fromBar, link.toRow, link.toBar, link.outOfOrder});
        }
        return lines;
    });
    d->chartView_->setDropPreviewSource(
        [this](int row, PlanTime start) { return d->control_->PreviewCopyDrop(row, start); });
    connect(d->chartView_, &ScheduleChartView::zoomChanged, this,
            [this] { d->updateZoomButtons(); });
    resize(sizeHint());
    d->relayoutSurface();
    d->updateZoomButtons();
}

TessaroWidget::~TessaroWidget() {
    d->disconnectHostEvents();
    d->control_->ctResSched().Changed.Unsubscribe(d->chartSubscription_);
    d->control_->vaSpread().Changed.Unsubscribe(d->gridSubscription_);
    d->control_->lstConflictHidden().Changed.Unsubscribe(d->hiddenListSubscription_);
    for (const auto& [box, id] : d->textSubscriptions_) {
        box->Changed.Unsubscribe(id);
    }
    // The parts subscribe to the control's models, so they go before the control does.
    // One at a time: deleting a part may delete others (a menu presenter takes its menu along).
    while (!children().isEmpty()) {
        delete children().constFirst();
    }
}

int TessaroWidget::Private::pixels(double twips) const {
    return twipsToPixels(twips, q->logicalDpiY());
}

void TessaroWidget::Private::forwardErrors(const QObject* source) {
    QObject::connect(source, SIGNAL(errorRaised(int, QString, QString)), q,
                     SIGNAL(errorRaised(int, QString, QString)));
}

// ---- Building ----

void TessaroWidget::Private::buildSurface() {
    for (const SurfaceElement& element : DesignSurface()) {
        if (!element.Visible) {
            continue;
        }
        QWidget* parent = q;
        if (!element.Parent.empty()) {
            parent = q->surfaceWidget(toQString(element.Parent));
            if (parent == nullptr) {
                continue;
            }
        }
        QWidget* widget = createElement(element, parent);
        if (widget == nullptr) {
            continue;
        }
        widget->setObjectName(toQString(element.Name));
        placed_.push_back({&element, widget});
    }
    legend_ = new LegendStrip(control_->NormalBarColours(), q);
    legend_->setObjectName(QStringLiteral("legendDetails"));
    for (PopupMenu* menu : {&control_->mnuSchedPopUp(), &control_->mnuDrag()}) {
        auto* presenter = new MenuPresenter(*menu, q);
        presenter->setObjectName(toQString(menu->Name()) + QStringLiteral("Presenter"));
        // The planner's Refresh asks before it throws changes away; a host's call does not.
        presenter->setChoiceCheck([this](const std::string& name) {
            return name != "miRefresh" ||
                   qt_detail::MayDiscardChanges(q, control_->PendingChanges().Count(),
                                                confirmRefresh_);
        });
        forwardErrors(presenter);
        menus_.push_back(presenter);
    }
}

QWidget* TessaroWidget::Private::createElement(const SurfaceElement& element, QWidget* parent) {
    Tessaro_Ctrl& ctrl = *control_;
    const QFont font = toQFont(element.Font);
    QWidget* widget = nullptr;
    switch (element.Kind) {
        case SurfaceElementKind::Toolbar: {
            auto* strip = new ToolbarStrip(ctrl.ctToolBar1(), parent);
            forwardErrors(strip);
            widget = strip;
            break;
        }
        case SurfaceElementKind::Label: {
            auto* label = new QLabel(qt_detail::CoreCaption(element.Caption), parent);
            label->setFont(font);
            label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
            widget = label;
            break;
        }
        case SurfaceElementKind::ListBox: {
            ListBox& model = element.Name == "lstConflictHidden" ? ctrl.lstConflictHidden()
                                                                 : ctrl.lstConflictWorkOrders();
            auto* list = new ListBoxView(model, parent);
            forwardErrors(list);
            if (&model == &ctrl.lstConflictWorkOrders()) {
                conflictList_ = list;
            }
            widget = list;
            break;
        }
        case SurfaceElementKind::ComboBox: {
            auto* combo = new ComboBoxView(ctrl.CmbConflictTB(), parent);
            combo->setPlaceholder(
                toQString(element.Caption),
                QCoreApplication::translate("tessaro::TessaroWidget", "Conflicting bars"));
            forwardErrors(combo);
            widget = combo;
            break;
        }
        case SurfaceElementKind::Chart: {
            chartView_ = new ScheduleChartView(ctrl.ctResSched(), parent);
            chartView_->setFrameShape(QFrame::StyledPanel);
            forwardErrors(chartView_);
            widget = chartView_;
            break;
        }
        case SurfaceElementKind::Grid: {
            gridView_ = new ListGridView(ctrl.vaSpread(), parent);
            gridView_->setFont(font);
            gridView_->setFrameShape(QFrame::StyledPanel);
            forwardErrors(gridView_);
            widget = gridView_;
            break;
        }
        case SurfaceElementKind::Frame: {
            auto* frame = new QGroupBox(qt_detail::CoreCaption(element.Caption), parent);
            if (element.Name == "Frame2") {
                // The design's status row shows how a selected bar looks; the strip below it
                // is titled "Not selected".
                frame->setTitle(QCoreApplication::translate("tessaro::TessaroWidget", "Selected:"));
            }
            frame->setFont(font);
            // Frames are opaque panels: the detail frame lies over the grid.
            frame->setAutoFillBackground(true);
            widget = frame;
            break;
        }
        case SurfaceElementKind::TextBox: {
            TextBox* model = ctrl.DetailTextBox(element.Name);
            if (model == nullptr) {
                return nullptr;
            }
            auto* box = new TextBoxView(*model, parent);
            box->setFont(font);
            box->setDisplayText(qt_detail::DetailBoxText(element.Name));
            // A box grows to show its whole text; its line in the frame makes room.
            textSubscriptions_.push_back({model, model->Changed.Subscribe([this] {
                                              relayoutSurface();
                                              scheduleActivityNow();
                                          })});
            widget = box;
            break;
        }
        case SurfaceElementKind::ColourBox:
            widget = new ColourSwatch(element.FillColour, parent);
            break;
        case SurfaceElementKind::TextStore:
            // Payload holders: never on screen.
            return nullptr;
    }
    return widget;
}

// ---- Look-ups ----

QWidget* TessaroWidget::surfaceWidget(const QString& name) const {
    const std::string key = name.toStdString();
    for (const Private::Placed& placed : d->placed_) {
        if (placed.element->Name == key) {
            return placed.widget;
        }
    }
    return nullptr;
}

QToolButton* TessaroWidget::toolButton(int position) const {
    const auto* strip = qobject_cast<ToolbarStrip*>(surfaceWidget(QStringLiteral("ctToolBar1")));
    return strip != nullptr ? strip->button(position) : nullptr;
}

QMenu* TessaroWidget::popupMenu(const QString& name) const {
    const std::string key = name.toStdString();
    for (const MenuPresenter* presenter : d->menus_) {
        if (presenter->model().Name() == key) {
            return presenter->menu();
        }
    }
    return nullptr;
}

// ---- Layout ----

QWidget* TessaroWidget::legendDetails() const {
    return d->legend_;
}

bool TessaroWidget::exportChartPng(const QString& path) {
    return d->chartView_->exportPng(path);
}

bool TessaroWidget::exportChartPdf(const QString& path) {
    return d->chartView_->exportPdf(path);
}

QSize TessaroWidget::sizeHint() const {
    const int width = d->pixels(SurfaceExtent().width);
    const int legendHeight =
        isSurfacePartVisible(SurfacePart::Legend) ? d->legend_->heightForWidth(width) : 0;
    return QSize(width, d->pixels(qt_detail::SurfaceHeightTwips(d->hiddenParts_)) + legendHeight);
}

// ---- Conflicts and zoom ----

void TessaroWidget::Private::showConflictEntryBars(int index) {
    const ListBox& hidden = control_->lstConflictHidden();
    if (index < 0 || index >= hidden.ListCount()) {
        return;
    }
    const ScheduleChart& chart = control_->ctResSched();
    const std::string& key = hidden.List(index);
    const int16_t row = chart.FindTimeBarRow(key);
    const int16_t bar = row > 0 ? chart.FindTimeBarInRow(key, row) : 0;
    if (bar != 0) {
        chartView_->scrollToBar(row, bar);
    }
}

std::optional<ScheduleChartView::ChangedActivity> TessaroWidget::Private::changedActivity(
    const Vadel_Class2& record) const {
    const std::optional<LoadedPlacement> loaded =
        control_->LoadedPlacementOf(record.wonumber, record.woact);
    if (!loaded) {
        return std::nullopt;
    }
    ScheduleChartView::ChangedActivity activity;
    activity.workOrder = record.wonumber;
    activity.activity = std::to_string(record.woact);
    activity.loadedRow = loaded->Row;
    activity.loadedStart = loaded->Start.AbsoluteMinutes();
    activity.loadedEnd = loaded->End.AbsoluteMinutes();
    activity.summary = qt_detail::ChangeSummary(record, *loaded);
    const qt_detail::ActivityPlacement now = qt_detail::FindActivityPlacement(
        control_->ctResSched(), record.wonumber, activity.activity);
    if (now.row != 0) {
        activity.currentRow = now.row;
        activity.currentStart = now.start;
        activity.currentEnd = std::max<int64_t>(0, now.end);
    }
    activity.placed = true;
    return activity;
}

void TessaroWidget::Private::scheduleActivityNow() {
    // Many model changes in a row (a load, a Pack) cost one look-up, once they are done.
    if (!activityNowPending_) {
        activityNowPending_ = true;
        QTimer::singleShot(0, q, [this] {
            activityNowPending_ = false;
            updateActivityNow();
        });
    }
}

void TessaroWidget::Private::updateActivityNow() {
    if (auto* frame = qobject_cast<QGroupBox*>(q->surfaceWidget(QStringLiteral("frameWO")))) {
        frame->setTitle(qt_detail::ActivityNowText(*control_, control_->TxtWONo().Text(),
                                                   control_->TxtWOAct().Text()));
    }
}

void TessaroWidget::Private::updateZoomButtons() {
    const auto* strip = qobject_cast<ToolbarStrip*>(q->surfaceWidget(QStringLiteral("ctToolBar1")));
    if (strip != nullptr) {
        // Past the whole window zooming out shows nothing more.
        strip->setZoomOutEnabled(chartView_->canZoomOut());
    }
}

QSize TessaroWidget::minimumSizeHint() const {
    return sizeHint();
}

void TessaroWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    d->relayoutSurface();
}

void TessaroWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!d->screenConnected_ && window()->windowHandle() != nullptr) {
        // Twips are inches: a move to a screen of another DPI re-places everything.
        connect(window()->windowHandle(), &QWindow::screenChanged, this,
                [this] { d->relayoutSurface(); });
        d->screenConnected_ = true;
    }
    d->relayoutSurface();
}

void TessaroWidget::Private::relayoutSurface() {
    const DesignExtent extent = SurfaceExtent();
    const int surfaceHeight = pixels(qt_detail::SurfaceHeightTwips(hiddenParts_));
    const int extraWidth = std::max(0, q->width() - pixels(extent.width));
    const bool legendShown = q->isSurfacePartVisible(SurfacePart::Legend);
    const int legendHeight =
        legendShown ? legend_->heightForWidth(std::max(q->width(), pixels(extent.width))) : 0;
    const int extraHeight = std::max(0, q->height() - surfaceHeight - legendHeight);
    const SurfaceElement* chart = FindSurfaceElement("ctResSched");
    const int32_t chartBottom = chart->Bounds.Top + chart->Bounds.Height;
    laidOutChartHeight_ = control_->ctResSched().Height();
    laidOutGridHeight_ = control_->vaSpread().Height();

    std::map<QWidget*, std::vector<QWidget*>> frameChildren;
    std::vector<QWidget*> topLine;
    for (const Private::Placed& placed : placed_) {
        const SurfaceElement& element = *placed.element;
        const TwipRect& b = element.Bounds;
        QRect rect(pixels(b.Left), pixels(b.Top), pixels(b.Width), pixels(b.Height));
        if (element.Parent.empty()) {
            const bool stretches = (element.Kind == SurfaceElementKind::Chart ||
                                    element.Kind == SurfaceElementKind::Grid ||
                                    element.Kind == SurfaceElementKind::Frame) &&
                                   b.Left + b.Width >= extent.width - kStretchSlackTwips;
            if (stretches) {
                rect.setWidth(rect.width() + extraWidth);
            }
            // What lies below the chart moves down with the height the chart is given.
            if (b.Top >= chartBottom - kStretchSlackTwips / 4) {
                rect.translate(
                    0, extraHeight - pixels(qt_detail::CollapsedTwips(hiddenParts_, element)));
            }
            if (element.Kind == SurfaceElementKind::Chart) {
                rect.setHeight(std::max(0, pixels(control_->ctResSched().Height())) + extraHeight);
                placeConflictPanel(rect);
            } else if (element.Kind == SurfaceElementKind::Grid) {
                rect.setHeight(std::max(0, pixels(control_->vaSpread().Height())));
            }
            if (b.Top < chart->Bounds.Top && !qt_detail::IsElementHidden(hiddenParts_, element)) {
                topLine.push_back(placed.widget);
            }
        } else {
            frameChildren[placed.widget->parentWidget()].push_back(placed.widget);
        }
        placed.widget->setGeometry(rect);
        placed.widget->raise();
    }
    SettleFrameLine(topLine);
    if (conflictList_ != nullptr) {
        placeResourceFinder(conflictList_->geometry());
    }
    legend_->setGeometry(0, surfaceHeight + extraHeight, std::max(q->width(), pixels(extent.width)),
                         legendHeight);
    legend_->setVisible(legendShown);

    for (auto& [frame, children] : frameChildren) {
        std::sort(children.begin(), children.end(), [](QWidget* a, QWidget* c) {
            return std::pair(a->y(), a->x()) < std::pair(c->y(), c->x());
        });
        std::vector<QWidget*> line;
        for (QWidget* child : children) {
            if (!line.empty() && std::abs(child->y() - line.front()->y()) >= kSameLinePixels) {
                SettleFrameLine(line);
                line.clear();
            }
            line.push_back(child);
        }
        SettleFrameLine(line);
        int right = frame->width();
        for (QWidget* child : children) {
            right = std::max(right, child->geometry().right() + pixels(120));
        }
        frame->resize(right, frame->height());
    }

    // A chart grown over the grid (the grid hidden by the toolbar) covers what lies there.
    if (chartView_ != nullptr) {
        chartView_->raise();
        // The conflict panel beside the chart counts as the chart's: the two span the width.
        QRect chartRect = chartView_->geometry();
        if (!conflictPanel_->isHidden()) {
            chartRect = chartRect.united(conflictPanel_->geometry());
        }
        for (const Private::Placed& placed : placed_) {
            if (placed.element->Parent.empty() && placed.widget != chartView_) {
                // The conflict panel beside the chart shows what the one-line box listed.
                placed.widget->setVisible(
                    placed.widget != conflictList_ &&
                    !qt_detail::IsElementHidden(hiddenParts_, *placed.element) &&
                    !chartRect.contains(placed.widget->geometry()));
            }
        }
    }
}

// ---- Plain reads ----

Tessaro_Ctrl& TessaroWidget::control() {
    return *d->control_;
}

const Tessaro_Ctrl& TessaroWidget::control() const {
    return *d->control_;
}

ScheduleChartView* TessaroWidget::chartView() const {
    return d->chartView_;
}

ListGridView* TessaroWidget::gridView() const {
    return d->gridView_;
}

QAction* TessaroWidget::undoAction() const {
    return d->undoAction_;
}

QAction* TessaroWidget::redoAction() const {
    return d->redoAction_;
}

}  // namespace tessaro

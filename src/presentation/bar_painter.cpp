// One bar as the chart paints it, and the ghost a drag shows of it.

#include <algorithm>
#include <array>
#include <cmath>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <tessaro/bars/chart_conventions.hpp>
#include <tessaro/qt/conversions.hpp>

#include "bar_texts.hpp"
#include "chart_painter.hpp"

namespace tessaro::qt_detail {
namespace {

using chart_palette::ChartColours;

// Below this width a bar shows no text: the label would be an ellipsis.
constexpr int kLabelMinimumWidth = 24;

// The one-pixel outline on the rect's edge, as drawRect(rect.adjusted(0, 0, -1, -1)) draws it
// with a solid pen of width 1: filled, it costs a fraction of a stroke.
void FillOutline(QPainter& painter, const QRect& rect, const QColor& colour) {
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), colour);
    if (rect.height() > 1) {
        painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
    }
    if (rect.height() > 2) {
        painter.fillRect(QRect(rect.left(), rect.top() + 1, 1, rect.height() - 2), colour);
        if (rect.width() > 1) {
            painter.fillRect(QRect(rect.right(), rect.top() + 1, 1, rect.height() - 2), colour);
        }
    }
}

void DrawOutline(QPainter& painter, const QRect& rect, const QColor& colour, Qt::PenStyle style) {
    if (style == Qt::SolidLine && colour.alpha() == 255) {
        FillOutline(painter, rect, colour);
        return;
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, 1, style));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void PaintLabel(QPainter& painter, ChartPaintInput& input, const QRect& rect, int16_t row,
                int16_t index, const BarGlance& glance, const QColor& fill) {
    // The text stays readable when the bar starts left of the visible chart.
    const QRect shown = rect.intersected(input.geometry.chartArea());
    if (shown.width() < kLabelMinimumWidth) {
        return;
    }
    const QRect textRect = shown.adjusted(chart_palette::kTextPadding - 2, 0, -3, 0);
    const bool temporary = glance.Role == BarRole::Temporary;
    LabelCache& cache = input.labels;
    if (glance.Role == BarRole::WorkOrder || temporary) {
        // The record names the activity (the control's text is often only "."): the whole name
        // where it fits, else the work order, else the activity; never a stub. Only bars with
        // room read their record.
        const std::optional<BarActivity> named = ActivityOfBar(input.chart, row, index);
        if (!named) {
            return;
        }
        LabelCache::ActivityLabels& labels =
            cache.activity({named->WorkOrder, named->ScheduleNumber, temporary}, [&] {
                const QString order = toQString(named->WorkOrder).trimmed();
                const QString activity = QString::number(named->ScheduleNumber);
                const QString whole = order + QStringLiteral(" / ") + activity;
                // Translated where the chart view's own texts are.
                return std::array<QString, 3>{
                    temporary
                        ? QCoreApplication::translate("tessaro::ScheduleChartView", "Copy of %1")
                              .arg(whole)
                        : whole,
                    order, activity};
            });
        for (int i = 0; i < labels.count; ++i) {
            LabelCache::Entry& entry = labels.candidates[static_cast<size_t>(i)];
            if (entry.width() <= textRect.width()) {
                painter.setPen(input.colours.inkOn(fill));
                cache.draw(painter, entry, textRect.left(),
                           textRect.top() + (textRect.height() - cache.height()) / 2);
                return;
            }
        }
    } else if (const ChartBar& bar = input.chart.Bar(row, index); !bar.Text.empty()) {
        const QFont& font = input.geometry.layout.barFont;
        painter.setFont(font);
        const QFontMetrics metrics(font);
        const QString elided =
            metrics.elidedText(toQString(bar.Text), Qt::ElideRight, textRect.width());
        if (!elided.isEmpty() && elided != QStringLiteral("\u2026")) {
            painter.setPen(input.colours.inkOn(fill));
            painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                             elided);
        }
    }
}

}  // namespace

void PaintBar(QPainter& painter, ChartPaintInput& input, const QRect& rect, int16_t row,
              int16_t index, const BarGlance& glance, bool ghost, bool conflicting) {
    const ChartColours& colours = input.colours;
    const ScheduleChart& chart = input.chart;
    const ChartBar& bar = chart.Bar(row, index);
    if (glance.Role == BarRole::Calendar) {
        painter.fillRect(rect, colours.calendarBlock);
        return;
    }
    const BarStyle style =
        bar.Style >= 1 && bar.Style <= chart.StyleCount() ? chart.Style(bar.Style) : BarStyle{};
    const bool temporary = glance.Role == BarRole::Temporary;
    const bool selected = glance.Selected;
    QColor fill =
        temporary ? colours.temporaryBar : toQColor(bar.Colour != -1 ? bar.Colour : style.Colour);
    QColor outline = temporary  ? colours.temporaryOutline
                     : selected ? colours.selectedOutline
                                : fill.darker(160);
    Qt::PenStyle outlineStyle = temporary ? Qt::DashLine : Qt::SolidLine;
    if (ghost) {
        fill.setAlpha(160);
        outline = colours.selectedOutline;
        outlineStyle = Qt::DashLine;
    }

    painter.fillRect(rect, fill);
    DrawOutline(painter, rect, outline, outlineStyle);
    if (selected && !ghost && rect.width() > 4 && rect.height() > 4) {
        // A selected bar carries a double outline: visibly stronger than any other.
        DrawOutline(painter, rect.adjusted(1, 1, -1, -1), outline, outlineStyle);
    }
    if (conflicting && !ghost) {
        // Overlapping work: a thick outline in the conflict colour, outside the bar so that the
        // bar's own colour still shows its status.
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(colours.conflict, 2));
        painter.drawRect(QRectF(rect).adjusted(-1, -1, 0, 0));
    }
    PaintLabel(painter, input, rect, row, index, glance, fill);

    const double centre = rect.top() + rect.height() / 2.0;
    const int rowHeight = input.geometry.layout.rowHeight;
    auto markSize = [&](int16_t size) {
        const int pixels = static_cast<int>(std::lround((size > 0 ? size : 8) * input.dpiScale));
        return std::clamp(pixels, 3, std::max(3, rowHeight - 4));
    };
    // Far zoomed out a mark wider than its bar would only bury the bars around it.
    const int startSize = markSize(style.StartMarkSize);
    const int endSize = markSize(style.EndMarkSize);
    if (rect.width() >= startSize) {
        input.marks.draw(painter, style.StartMark, startSize, {double(rect.left()), centre});
    }
    if (rect.width() >= endSize) {
        input.marks.draw(painter, style.EndMark, endSize, {double(rect.right() + 1), centre});
    }
}

void PaintGhost(QPainter& painter, ChartPaintInput& input) {
    if (!input.ghost) {
        return;
    }
    const GhostBar& ghost = *input.ghost;
    const ScheduleChart& chart = input.chart;
    if (ghost.row < 1 || ghost.row > chart.RowCount() || ghost.bar < 1 ||
        ghost.bar > chart.TimeBarCount(static_cast<int16_t>(ghost.row))) {
        return;
    }
    const auto row = static_cast<int16_t>(ghost.row);
    const auto index = static_cast<int16_t>(ghost.bar);
    const ChartBar& bar = chart.Bar(row, index);
    const QRect rect = input.geometry.spanRect(ghost.targetRow, ghost.start, ghost.end,
                                               bar.Kind == CalendarBarKind);
    PaintBar(painter, input, rect, row, index, GlanceAtBar(chart, row, index), true, false);

    // Where the bar would go, spelt out beside the ghost.
    QString caption;
    switch (ghost.follows) {
        case GhostBar::Follows::Start:
            caption = TimeCaption(chart, ghost.start);
            break;
        case GhostBar::Follows::End:
            caption = TimeCaption(chart, ghost.end);
            break;
        case GhostBar::Follows::Bar:
            caption = TimeCaption(chart, ghost.start) + QStringLiteral(" \u2013 ") +
                      TimeCaption(chart, ghost.end);
            break;
    }
    const QFont& font = input.geometry.layout.headerFont;
    const QFontMetrics metrics(font);
    QRect label(0, 0, metrics.horizontalAdvance(caption) + 10, metrics.height() + 4);
    const QRect area = input.geometry.chartArea();
    const int anchorX = ghost.follows == GhostBar::Follows::End ? rect.right() : rect.left();
    int top = rect.top() - label.height() - 3;
    if (top < area.top()) {
        top = rect.bottom() + 3;
    }
    label.moveTo(
        std::clamp(anchorX, area.left(), std::max(area.left(), area.right() - label.width())), top);
    const ChartColours& colours = input.colours;
    painter.setFont(font);
    painter.setPen(colours.border);
    painter.setBrush(colours.labelBackground);
    painter.drawRect(label.adjusted(0, 0, -1, -1));
    painter.setPen(colours.labelText);
    painter.drawText(label, Qt::AlignCenter, caption);
}

}  // namespace tessaro::qt_detail

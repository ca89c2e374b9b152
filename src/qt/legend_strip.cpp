#include <QPainter>
#include <QPolygonF>

#include <tessaro/qt/conversions.hpp>

#include "chart_palette.hpp"
#include "surface_widgets.hpp"

namespace tessaro::qt_detail {
namespace {

constexpr int kMargin = 4;
constexpr int kSwatchWidth = 22;
constexpr int kGap = 5;
constexpr int kEntryGap = 14;
constexpr int kLineGap = 3;

// Indices into the control's normal colour table, and the status each stands for.
struct StatusColour {
    int index;
    const char* caption;
};
constexpr StatusColour kStatusColours[] = {
    {0, QT_TRANSLATE_NOOP("tessaro::qt_detail::LegendStrip", "Planned")},
    {1, QT_TRANSLATE_NOOP("tessaro::qt_detail::LegendStrip", "Request")},
    {5, QT_TRANSLATE_NOOP("tessaro::qt_detail::LegendStrip", "Accepted")},
    {2, QT_TRANSLATE_NOOP("tessaro::qt_detail::LegendStrip", "Firmed")},
    {3, QT_TRANSLATE_NOOP("tessaro::qt_detail::LegendStrip", "Released")},
    {4, QT_TRANSLATE_NOOP("tessaro::qt_detail::LegendStrip", "Other status")},
    {6, QT_TRANSLATE_NOOP("tessaro::qt_detail::LegendStrip", "Special activity")},
};

// Where a status past Released takes its colour from.
constexpr int kOtherColour = 4;

}  // namespace

LegendStrip::LegendStrip(const std::array<int32_t, 7>& normalColours, QWidget* parent)
    : QWidget(parent) {
    setFont(toQFont(Font{"Arial", 8.25, false}));
    entries_.push_back({Look::Heading, {}, tr("Not selected:")});
    for (const StatusColour& status : kStatusColours) {
        if (status.index == kOtherColour) {
            otherEntry_ = static_cast<int>(entries_.size());
        }
        entries_.push_back({Look::Fill, toQColor(normalColours[static_cast<size_t>(status.index)]),
                            tr(status.caption)});
    }
    entries_.push_back({Look::Calendar, {}, tr("Not available")});
    entries_.push_back({Look::Copy, {}, tr("Copy to move")});
    entries_.push_back({Look::Overlap, {}, tr("Overlap")});
    entries_.push_back({Look::Moved, {}, tr("Changed: loaded here")});
    // The marks come from the host's check flags and its online flag.
    entries_.push_back({Look::StartMarks, {}, tr("Start mark: host check 1 or 2")});
    entries_.push_back({Look::EndMark, {}, tr("End mark: runs online")});
    entries_.push_back({Look::Now, {}, tr("Now")});
}

QStringList LegendStrip::captions() const {
    QStringList all;
    for (const Entry& entry : entries_) {
        all << entry.caption;
    }
    return all;
}

void LegendStrip::setOtherStatuses(const QStringList& statuses) {
    if (otherEntry_ < 0) {
        return;
    }
    const QString caption = statuses.isEmpty() ? tr("Other status") : statuses.join(tr(", "));
    QString& shown = entries_[static_cast<size_t>(otherEntry_)].caption;
    if (caption != shown) {
        shown = caption;
        updateGeometry();
        update();
    }
}

std::vector<LegendStrip::Placed> LegendStrip::place(int width) const {
    const QFontMetrics metrics(font());
    const int lineHeight = std::max(metrics.height(), 14);
    std::vector<Placed> placed;
    int x = kMargin;
    int y = kMargin;
    for (const Entry& entry : entries_) {
        const bool heading = entry.look == Look::Heading;
        const int swatch = heading ? 0 : kSwatchWidth + kGap;
        QFont captionFont = font();
        captionFont.setBold(heading);
        const int text = QFontMetrics(captionFont).horizontalAdvance(entry.caption) + 1;
        const int needed = swatch + text;
        if (x > kMargin && x + needed > width - kMargin) {
            x = kMargin;
            y += lineHeight + kLineGap;
        }
        const QRect swatchRect =
            heading ? QRect(x, y, 0, lineHeight) : QRect(x, y + 2, kSwatchWidth, lineHeight - 4);
        placed.push_back({swatchRect, QRect(x + swatch, y, text, lineHeight)});
        x += needed + kEntryGap;
    }
    return placed;
}

int LegendStrip::heightForWidth(int width) const {
    const std::vector<Placed> placed = place(width);
    return placed.empty() ? 0 : placed.back().caption.bottom() + 1 + kMargin;
}

QSize LegendStrip::sizeHint() const {
    const int width = std::max(this->width(), 600);
    return {width, heightForWidth(width)};
}

QRect LegendStrip::swatchRect(int entry) const {
    const std::vector<Placed> placed = place(width());
    return entry >= 0 && entry < static_cast<int>(placed.size())
               ? placed[static_cast<size_t>(entry)].swatch
               : QRect();
}

void LegendStrip::paintSwatch(QPainter& painter, const Entry& entry, const QRect& r) const {
    const auto colours = chart_palette::ChartColours::from(palette());
    const QRectF inner = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    switch (entry.look) {
        case Look::Heading:
            break;
        case Look::Fill:
            painter.fillRect(r, entry.colour);
            painter.setPen(entry.colour.darker(160));
            painter.drawRect(inner);
            break;
        case Look::Calendar:
            painter.fillRect(r, colours.calendarBlock);
            break;
        case Look::Copy:
            painter.fillRect(r, colours.temporaryBar);
            painter.setPen(QPen(colours.temporaryOutline, 1, Qt::DashLine));
            painter.drawRect(inner);
            break;
        case Look::Overlap:
            painter.fillRect(r, QColor(180, 226, 255));
            painter.fillRect(r, QBrush(colours.conflict, Qt::BDiagPattern));
            painter.setPen(QPen(colours.conflict, 2));
            painter.drawRect(QRectF(r).adjusted(1, 1, -1, -1));
            break;
        case Look::Moved:
            painter.setPen(QPen(colours.changeOutline, 2, Qt::DashLine));
            painter.drawRect(QRectF(r).adjusted(1, 1, -1, -1));
            painter.setPen(Qt::NoPen);
            painter.setBrush(colours.changeMarker);
            painter.drawEllipse(QPointF(r.right() - 3, r.top() + 2), 3, 3);
            break;
        case Look::StartMarks:
        case Look::EndMark: {
            painter.fillRect(r, QColor(170, 170, 170));
            const double h = r.height() / 2.0 - 1;
            const double y = r.center().y() + 0.5;
            painter.setPen(QPen(colours.markOutline, 1));
            painter.setBrush(colours.markFill);
            if (entry.look == Look::StartMarks) {
                const double x1 = r.left() + h + 1;
                const double x2 = r.right() - h - 1;
                painter.drawPolygon(QPolygonF{{x1 - h, y - h}, {x1 + h, y}, {x1 - h, y + h}});
                painter.drawPolygon(QPolygonF{{x2, y - h}, {x2 + h, y}, {x2, y + h}, {x2 - h, y}});
            } else {
                const double x = r.center().x() + 0.5;
                painter.drawPolygon(QPolygonF{{x - h, y - h}, {x + h, y - h}, {x, y + h}});
            }
            break;
        }
        case Look::Now:
            painter.setPen(QPen(colours.nowLine, 2));
            painter.drawLine(r.center().x(), r.top(), r.center().x(), r.bottom());
            break;
    }
}

void LegendStrip::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const std::vector<Placed> placed = place(width());
    for (size_t i = 0; i < entries_.size(); ++i) {
        painter.save();
        paintSwatch(painter, entries_[i], placed[i].swatch);
        painter.restore();
        painter.setPen(palette().color(QPalette::WindowText));
        QFont font = this->font();
        font.setBold(entries_[i].look == Look::Heading);
        painter.setFont(font);
        painter.drawText(placed[i].caption, Qt::AlignVCenter | Qt::AlignLeft, entries_[i].caption);
    }
}

}  // namespace tessaro::qt_detail

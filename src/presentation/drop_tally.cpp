#include "drop_tally.hpp"

#include <QCoreApplication>
#include <QStringList>

namespace tessaro::qt_detail {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("tessaro::DropTally", text);
}

// "1 day", "3 days": the count and the word that fits it.
QString Counted(int64_t n, const char* one, const char* many) {
    return n == 1 ? tr(one) : tr(many).arg(n);
}

}  // namespace

QString DurationText(int64_t minutes) {
    minutes = minutes < 0 ? -minutes : minutes;
    const int64_t days = minutes / 1440;
    const int64_t hours = minutes % 1440 / 60;
    const int64_t rest = minutes % 60;
    QStringList parts;
    if (days > 0) {
        parts << Counted(days, "1 day", "%1 days");
    }
    if (hours > 0) {
        parts << tr("%1 h").arg(hours);
    }
    if (rest > 0 || parts.isEmpty()) {
        parts << tr("%1 min").arg(rest);
    }
    return parts.join(QLatin1Char(' '));
}

QString DropTallyText(const DropPreview& preview) {
    if (!preview.Valid) {
        return {};
    }
    QStringList lines;
    if (preview.Refusal) {
        lines << tr("Refused: %1").arg(QString::fromStdString(*preview.Refusal));
    }
    const auto overlaps = static_cast<int>(preview.NewlyOverlapping.size());
    lines << (overlaps == 0 ? tr("No new overlap")
                            : Counted(overlaps, "1 new overlap", "%1 new overlaps"));
    if (preview.PrecedenceConflicts > 0) {
        lines << Counted(preview.PrecedenceConflicts, "1 precedence conflict",
                         "%1 precedence conflicts");
    }
    if (preview.NonWorkingMinutes > 0) {
        lines << tr("%1 in non-working time").arg(DurationText(preview.NonWorkingMinutes));
    }
    if (preview.LateBy) {
        const int64_t late = preview.LateBy->count();
        if (late > 0) {
            lines << tr("Late %1").arg(DurationText(late));
        } else if (late < 0) {
            lines << tr("On time, %1 early").arg(DurationText(-late));
        } else {
            lines << tr("On time");
        }
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace tessaro::qt_detail

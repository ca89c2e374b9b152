#include "legend_texts.hpp"

#include <map>

#include <tessaro/bars/chart_conventions.hpp>

#include "bar_facts.hpp"

namespace tessaro::qt_detail {

QStringList OtherStatusesInUse(const ScheduleChart& chart) {
    // The colour goes by the letter; a name is what the planner reads beside it.
    std::map<QString, QString> byLetter;
    for (int16_t row = 1; row <= chart.RowCount(); ++row) {
        for (int16_t bar = 1; bar <= chart.TimeBarCount(row); ++bar) {
            if (chart.Bar(row, bar).Kind != WorkOrderBarKind) {
                continue;
            }
            const BarFacts facts = ReadBarFacts(chart, row, bar);
            const QString& letter = facts.statusLetter;
            if (letter.isEmpty() || letter <= QLatin1String("G") || byLetter.count(letter) != 0) {
                continue;
            }
            byLetter.emplace(letter, facts.statusName.isEmpty() ? letter : facts.statusName);
        }
    }
    QStringList statuses;
    for (const auto& [letter, name] : byLetter) {
        statuses << (name == letter ? letter : QStringLiteral("%1 (%2)").arg(name, letter));
    }
    return statuses;
}

}  // namespace tessaro::qt_detail

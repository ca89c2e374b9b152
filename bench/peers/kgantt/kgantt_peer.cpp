// The KGantt side of the start-up benchmark's comparison: 200 rows of 50 bars in a
// QStandardItemModel shown by a KGantt view of 1600 x 900 with a day 200 pixels wide. Prints the
// time to fill the model, setModel, the first show, two grabs (each into a new pixmap, both kept)
// and the median of nine repaints of the whole view into a pixmap painted before.

#include <algorithm>
#include <array>
#include <cstdio>

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QPixmap>
#include <QStandardItemModel>

#include <KGanttDateTimeGrid>
#include <KGanttGlobal>
#include <KGanttView>

namespace {

QStandardItem* Item(const QVariant& value, int role = Qt::DisplayRole) {
    auto* item = new QStandardItem;
    item->setData(value, Qt::DisplayRole);
    if (role != Qt::DisplayRole) {
        item->setData(value, role);
    }
    item->setEditable(false);
    return item;
}

// A summary row per machine with its bars as children, each bar two hours long.
void Fill(QStandardItemModel& model, int rows, int perRow, const QDateTime& t0) {
    for (int r = 0; r < rows; ++r) {
        QList<QStandardItem*> row{
            Item(QString("Machine %1").arg(r)), Item(int(KGantt::TypeMulti), KGantt::ItemTypeRole),
            Item(t0, KGantt::StartTimeRole),
            Item(t0.addSecs(3600LL * 3 * perRow), KGantt::EndTimeRole), Item(0)};
        for (int k = 0; k < perRow; ++k) {
            const QDateTime start = t0.addSecs(3600LL * (3 * k + (r % 3)));
            row[0]->appendRow(QList<QStandardItem*>{
                Item(QString("Op %1.%2").arg(r).arg(k)),
                Item(int(KGantt::TypeTask), KGantt::ItemTypeRole),
                Item(start, KGantt::StartTimeRole), Item(start.addSecs(7200), KGantt::EndTimeRole),
                Item((k * 7) % 100)});
        }
        model.appendRow(row);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDateTime t0(QDate(2025, 1, 6), QTime(6, 0));
    QElapsedTimer timer;
    QStandardItemModel model(0, 5);
    timer.start();
    Fill(model, 200, 50, t0);
    const qint64 fill = timer.elapsed();
    KGantt::View view;
    view.resize(1600, 900);
    auto* grid = new KGantt::DateTimeGrid;  // the view takes it
    grid->setStartDateTime(t0.addDays(-1));
    grid->setDayWidth(200);
    view.setGrid(grid);
    timer.restart();
    view.setModel(&model);
    const qint64 set = timer.elapsed();
    view.show();
    timer.restart();
    QApplication::processEvents();
    const qint64 show = timer.elapsed();
    timer.restart();
    const QPixmap first = view.grab();
    const qint64 grab1 = timer.elapsed();
    timer.restart();
    const QPixmap second = view.grab();
    const qint64 grab2 = timer.elapsed();
    QPixmap canvas(view.size());
    view.render(&canvas);
    std::array<double, 9> repaints{};
    for (double& repaint : repaints) {
        timer.restart();
        view.render(&canvas);
        repaint = static_cast<double>(timer.nsecsElapsed()) * 1e-6;
    }
    std::nth_element(repaints.begin(), repaints.begin() + 4, repaints.end());
    std::printf(
        "fill_model=%lldms setModel=%lldms show+events=%lldms grab1=%lldms grab2=%lldms "
        "repaint=%.2fms\n",
        fill, set, show, grab1, grab2, repaints[4]);
    return first.isNull() || second.isNull() ? 1 : 0;
}

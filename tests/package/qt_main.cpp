#include <tessaro/qt.hpp>

#include <cstdio>

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tessaro::TessaroWidget widget;
    widget.control().ctToolBar1().PressButton(3);
    if (widget.chartView()->dayWidth() != 300 * widget.logicalDpiX() / 96.0) {
        std::puts("the installed widget does not follow its control");
        return 1;
    }
    return 0;
}

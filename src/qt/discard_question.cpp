#include "discard_question.hpp"

#include <QCoreApplication>
#include <QMessageBox>

namespace tessaro::qt_detail {

bool MayDiscardChanges(QWidget* parent, int pending, const std::function<bool(int)>& ask) {
    if (pending <= 0) {
        return true;
    }
    if (ask) {
        return ask(pending);
    }
    const QString text =
        QCoreApplication::translate("TessaroWidget",
                                    "Refresh reloads the plan and discards %n change(s) not saved "
                                    "yet. Discard them?",
                                    nullptr, pending);
    return QMessageBox::question(parent, QCoreApplication::translate("TessaroWidget", "Refresh"),
                                 text, QMessageBox::Discard | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Discard;
}

}  // namespace tessaro::qt_detail

#include <tessaro/qt/translation.hpp>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QToolButton>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <tessaro/control/design_surface.hpp>
#include <tessaro/qt/tessaro_widget.hpp>

#include "core_captions.hpp"
#include "grid_cell_text.hpp"
#include "surface_widgets.hpp"

namespace tessaro {
namespace {

// The placeholders a text fills in (%1, %2, ...), in the order of their numbers.
std::set<QString> Placeholders(const QString& text) {
    std::set<QString> found;
    for (const QRegularExpressionMatch& match :
         QRegularExpression(QStringLiteral("%\\d")).globalMatch(text)) {
        found.insert(match.captured());
    }
    return found;
}

// Every message of the shipped German translation is finished, not left from a text the sources
// no longer have, and fills in the same placeholders as its English.
TEST(GermanTranslation, EveryEntryIsFinishedAndKeepsItsPlaceholders) {
    QFile file(QStringLiteral(TESSARO_TRANSLATIONS_DIR "/tessaro_de.ts"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    int messages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            const QString type = xml.attributes().value(QStringLiteral("type")).toString();
            // Plural messages hold their forms as child elements.
            const QString translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            const std::string where = (context + QStringLiteral(": ") + source).toStdString();
            EXPECT_TRUE(type.isEmpty()) << type.toStdString() << " " << where;
            EXPECT_FALSE(translation.trimmed().isEmpty()) << where;
            EXPECT_EQ(Placeholders(translation), Placeholders(source)) << where;
            ++messages;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 100);
}

// A caption the core gives the views is translated only if the table lupdate reads lists it.
TEST(CoreCaptions, EveryCaptionTheCoreShowsIsListedForTranslation) {
    const std::set<std::string> listed(qt_detail::CoreCaptions().begin(),
                                       qt_detail::CoreCaptions().end());
    TessaroWidget widget;
    Tessaro_Ctrl& ctrl = widget.control();
    std::vector<std::string> shown;
    for (int16_t position = 1; position <= ctrl.ctToolBar1().ButtonCount(); ++position) {
        shown.push_back(ctrl.ctToolBar1().ButtonCaption(position));
    }
    for (const PopupMenu* menu : {&ctrl.mnuSchedPopUp(), &ctrl.mnuDrag()}) {
        shown.push_back(menu->Caption());
        for (const MenuItem& item : menu->Items()) {
            if (!item.IsSeparator()) {
                shown.push_back(item.Caption());
            }
        }
    }
    for (int32_t column = 1; column <= ctrl.vaSpread().GridColumnCount(); ++column) {
        shown.push_back(ctrl.vaSpread().ColumnTitle(column));
    }
    for (const SurfaceElement& element : DesignSurface()) {
        if (element.Kind == SurfaceElementKind::Label && !element.Caption.empty()) {
            shown.push_back(element.Caption);
        }
    }
    const ScheduleChart& chart = ctrl.ctResSched();
    shown.insert(shown.end(), {chart.ListColumnTitle(), chart.DayNames(), chart.MonthNames()});
    for (const std::string& caption : shown) {
        EXPECT_TRUE(listed.count(caption) == 1) << caption;
    }
}

class TranslationTest : public ::testing::Test {
protected:
    // The next test finds the control English, as every other widget test expects.
    void TearDown() override {
        InstallTranslation(QLocale(QLocale::English));
        QLocale::setDefault(before_);
    }

private:
    QLocale before_;
};

// Each installation replaces the one before; a language without a translation leaves English.
TEST_F(TranslationTest, AnInstalledLanguageReplacesTheOneBefore) {
    const struct {
        QLocale locale;
        bool installed;
        const char* zoomIn;
    } steps[] = {
        {QLocale(QLocale::C), true, "Zoom In"},
        {QLocale(QLocale::German, QLocale::Germany), true, "Vergrößern"},
        {QLocale(QLocale::Japanese), false, "Zoom In"},
        {QLocale(QLocale::German, QLocale::Austria), true, "Vergrößern"},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), true, "Zoom In"},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(InstallTranslation(step.locale), step.installed)
            << step.locale.name().toStdString();
        EXPECT_EQ(QCoreApplication::translate("Tessaro", "Zoom In"), QString::fromUtf8(step.zoomIn))
            << step.locale.name().toStdString();
    }
}

// A widget made after German is installed shows German captions: the core's toolbar and labels,
// the widget's own actions and legend. The core keeps its English.
TEST_F(TranslationTest, AWidgetShowsGermanOnceGermanIsInstalled) {
    ASSERT_TRUE(InstallTranslation(QLocale(QLocale::German)));
    TessaroWidget widget;
    ASSERT_NE(widget.toolButton(3), nullptr);
    EXPECT_EQ(widget.toolButton(3)->toolTip(), QStringLiteral("Vergrößern"));
    EXPECT_FALSE(widget.toolButton(3)->icon().isNull());
    EXPECT_EQ(qobject_cast<QLabel*>(widget.surfaceWidget(QStringLiteral("LabelCustName")))->text(),
              QStringLiteral("Kunde"));
    EXPECT_EQ(widget.undoAction()->text(), QStringLiteral("&Rückgängig"));
    const auto* legend = qobject_cast<qt_detail::LegendStrip*>(widget.legendDetails());
    ASSERT_NE(legend, nullptr);
    EXPECT_TRUE(legend->captions().contains(QStringLiteral("Freigegeben")));
    EXPECT_EQ(widget.control().ctToolBar1().ButtonCaption(3), "Zoom In");
    EXPECT_EQ(widget.control().mnuDrag().Items().front().Caption(), "Paste Forward schedule");
}

// The grid writes the payload's dates and times in the locale's short forms and durations as hours
// and minutes; the C locale, and a text that is no date, keep the payload's text.
TEST_F(TranslationTest, GridDatesAndTimesFollowTheLocale) {
    const struct {
        QLocale locale;
        int column;
        const char* text;
        const char* shown;
    } cells[] = {
        {QLocale(QLocale::German, QLocale::Germany), 4, "01/04/2027", "04.01.27"},
        {QLocale(QLocale::German, QLocale::Germany), 11, "1/12/2027", "12.01.27"},
        {QLocale(QLocale::German, QLocale::Germany), 5, "08:30", "08:30"},
        {QLocale(QLocale::English, QLocale::UnitedStates), 10, "01/11/2027", "1/11/27"},
        {QLocale(QLocale::English, QLocale::UnitedStates), 7, "18:00", "6:00 PM"},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), 6, "01/05/2027", "05/01/2027"},
        {QLocale::c(), 4, "01/04/2027", "01/04/2027"},
        {QLocale::c(), 5, "14:00", "14:00"},
        {QLocale(QLocale::German, QLocale::Germany), 4, "soon", "soon"},
        {QLocale(QLocale::German, QLocale::Germany), 1, "01/04/2027", "01/04/2027"},
        {QLocale(QLocale::German, QLocale::Germany), 12, "14:00", "14:00"},
        {QLocale(QLocale::German, QLocale::Germany), 13, "14400", "4:00"},
        {QLocale::c(), 13, "5430", "1:31"},
        {QLocale::c(), 13, "90000", "25:00"},
        {QLocale::c(), 13, "n/a", "n/a"},
    };
    TessaroWidget widget;
    for (const auto& cell : cells) {
        QLocale::setDefault(cell.locale);
        EXPECT_EQ(
            qt_detail::GridCellNow(widget.control(), cell.column, 1, QString::fromUtf8(cell.text)),
            QString::fromUtf8(cell.shown))
            << cell.locale.name().toStdString() << " " << cell.column << " " << cell.text;
    }
}

}  // namespace
}  // namespace tessaro

#pragma once

// The small widgets of the control's surface, each bound to its model: they show what the model
// holds, follow its Changed notifications and hand the planner's input to the model's entry
// points. Errors a handler raises leave through errorRaised, never through Qt.

#include <functional>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QToolButton>
#include <QWidget>

#include <array>
#include <vector>

#include <tessaro/components/combo_box.hpp>
#include <tessaro/components/list_box.hpp>
#include <tessaro/components/popup_menu.hpp>
#include <tessaro/components/text_box.hpp>
#include <tessaro/components/toolbar.hpp>

namespace tessaro::qt_detail {

// The toolbar's buttons side by side; a press calls Toolbar::PressButton with the position.
// Known captions get a drawn icon (the caption becomes the tooltip); others show their caption.
class ToolbarStrip : public QWidget {
    Q_OBJECT

public:
    ToolbarStrip(Toolbar& toolbar, QWidget* parent);
    ~ToolbarStrip() override;

    // The button at the 1-based position; nullptr when there is none.
    QToolButton* button(int position) const;
    // Greys the zoom-out button (known by its caption), also after the toolbar is rebuilt.
    void setZoomOutEnabled(bool enabled) const;

signals:
    void errorRaised(int number, const QString& source, const QString& description);

private:
    void rebuild();

    Toolbar& toolbar_;
    int subscription_ = 0;
    QList<QToolButton*> buttons_;
    mutable bool zoomOutEnabled_ = true;
};

// A list box: selecting an entry calls ListBox::SelectItem, a double click SelectItem and then
// ListBox::DoubleClick. The entries' texts stay the model's; how each is shown may differ.
class ListBoxView : public QListWidget {
    Q_OBJECT

public:
    ListBoxView(ListBox& list, QWidget* parent);
    ~ListBoxView() override;

    // What the entry at index shows for the model's text; an empty result shows the text itself.
    void setDisplayText(std::function<QString(int index, const QString& text)> display);
    // Asks the display function again, e.g. after what it reads has changed.
    void refreshTexts();

signals:
    void errorRaised(int number, const QString& source, const QString& description);

private:
    void sync();

    ListBox& list_;
    int subscription_ = 0;
    std::function<QString(int, const QString&)> display_;
};

// A combo box with an edit text: choosing an item sets the model's list index, typing sets its
// text.
class ComboBoxView : public QComboBox {
    Q_OBJECT

public:
    ComboBoxView(ComboBox& combo, QWidget* parent);
    ~ComboBoxView() override;

    // While the model holds its design text (e.g. "Combo1") and no items, the box stays empty
    // and shows the placeholder; the model's text is then its tooltip and description.
    void setPlaceholder(const QString& designText, const QString& placeholder);

signals:
    void errorRaised(int number, const QString& source, const QString& description);

private:
    void sync();

    ComboBox& combo_;
    int subscription_ = 0;
    QString designText_;
};

// A text box; a locked model makes it read-only. The full text is also its tooltip, for boxes
// narrower than what they hold.
class TextBoxView : public QLineEdit {
    Q_OBJECT

public:
    TextBoxView(TextBox& box, QWidget* parent);
    ~TextBoxView() override;

    // What the box shows of the model's text (a date in the locale's form, say); the text itself
    // until this is set.
    void setDisplayText(std::function<QString(const QString&)> display);

private:
    void sync();

    TextBox& box_;
    std::function<QString(const QString&)> display_;
    int subscription_ = 0;
};

// A filled box of the colour legend.
class ColourSwatch : public QWidget {
    Q_OBJECT

public:
    // -1 is the system button-text colour.
    ColourSwatch(int32_t rgb, QWidget* parent);

    // The colour the swatch is filled with.
    QColor fill() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int32_t rgb_;
};

// The legend beside the status boxes: what every colour and mark on the chart means, the bars
// as they look unselected (the normal colour of each status), calendar blocks, the copy, overlaps,
// changed activities and the now line. Its entries flow onto as many lines as the width needs.
class LegendStrip : public QWidget {
    Q_OBJECT

public:
    // normalColours: the control's seven normal bar colours (RGB numbers).
    LegendStrip(const std::array<int32_t, 7>& normalColours, QWidget* parent);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    // The captions in the order painted.
    QStringList captions() const;
    // Names the statuses that take the "other" colour (e.g. "Started (H)"); none names the
    // colour itself.
    void setOtherStatuses(const QStringList& statuses);
    // Where an entry's swatch is painted at the current width; empty past the last entry.
    QRect swatchRect(int entry) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    enum class Look { Fill, Calendar, Copy, Overlap, Moved, StartMarks, EndMark, Now, Heading };
    struct Entry {
        Look look;
        QColor colour;
        QString caption;
    };
    struct Placed {
        QRect swatch;
        QRect caption;
    };
    std::vector<Placed> place(int width) const;
    void paintSwatch(QPainter& painter, const Entry& entry, const QRect& rect) const;

    std::vector<Entry> entries_;
    int otherEntry_ = -1;
};

// Pops up a QMenu built from a PopupMenu model whenever the control calls Show on it; choosing
// an entry calls PopupMenu::Choose with the item's name.
class MenuPresenter : public QObject {
    Q_OBJECT

public:
    MenuPresenter(PopupMenu& menu, QWidget* parent);
    ~MenuPresenter() override;

    // The Qt menu of the last Show; nullptr before the first.
    QMenu* menu() const { return menu_; }
    const PopupMenu& model() const { return model_; }
    // The host's own entries, below the model's after a separator; the host keeps owning them
    // and hears their triggers itself (they never reach the model).
    void setHostActions(QList<QAction*> actions);
    // Asked with an entry's name before the model hears the planner chose it; false drops the
    // choice.
    void setChoiceCheck(std::function<bool(const std::string& name)> check) {
        check_ = std::move(check);
    }

signals:
    void errorRaised(int number, const QString& source, const QString& description);

private:
    void popup();
    void rebuild();

    PopupMenu& model_;
    QWidget* owner_;
    QPointer<QMenu> menu_;
    QList<QAction*> hostActions_;
    std::function<bool(const std::string&)> check_;
    int shownSubscription_ = 0;
    int changedSubscription_ = 0;
};

}  // namespace tessaro::qt_detail

#include "surface_widgets.hpp"

#include <cmath>

#include <QCursor>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>

#include <tessaro/qt/conversions.hpp>

#include "core_captions.hpp"
#include "guarded_call.hpp"
#include "menu_anchor.hpp"

namespace tessaro::qt_detail {

namespace {

// The icons the toolbar's buttons are known by, drawn rather than shipped as files.
enum class ToolIcon { None, HideGrid, ShowGrid, ZoomIn, ZoomOut };

// A button shows its caption translated; its icon is told by the core's caption, kept here.
constexpr const char* kToolIconProperty = "tessaroToolIcon";

ToolIcon IconFor(const QString& caption) {
    const QString lower = caption.toLower();
    if (lower.startsWith(QStringLiteral("hide"))) {
        return ToolIcon::HideGrid;
    }
    if (lower.startsWith(QStringLiteral("show"))) {
        return ToolIcon::ShowGrid;
    }
    if (lower.startsWith(QStringLiteral("zoom in"))) {
        return ToolIcon::ZoomIn;
    }
    if (lower.startsWith(QStringLiteral("zoom out"))) {
        return ToolIcon::ZoomOut;
    }
    return ToolIcon::None;
}

QIcon DrawIcon(ToolIcon kind, const QPalette& palette) {
    constexpr int kSize = 48;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette.color(QPalette::ButtonText);
    const QColor accent(0, 120, 215);
    const QColor paper = palette.color(QPalette::Base);
    p.setPen(QPen(ink, 3));

    if (kind == ToolIcon::HideGrid || kind == ToolIcon::ShowGrid) {
        // A chart panel over a grid panel; the arrow says which way the boundary moves.
        const bool hide = kind == ToolIcon::HideGrid;
        p.setBrush(paper);
        p.drawRect(QRectF(5, 5, 38, 38));
        p.setBrush(QColor(0, 145, 72));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(10, 11, 16, 6));
        p.setBrush(accent);
        p.drawRect(QRectF(18, 20, 18, 6));
        p.setPen(QPen(ink, 3));
        p.drawLine(QPointF(5, 31), QPointF(43, 31));
        p.setPen(QPen(hide ? ink : accent, 2, hide ? Qt::DashLine : Qt::SolidLine));
        p.drawLine(QPointF(10, 37), QPointF(38, 37));
        QPainterPath arrow;
        if (hide) {
            arrow.moveTo(24, 45);
            arrow.lineTo(16, 36);
            arrow.lineTo(32, 36);
        } else {
            arrow.moveTo(24, 27);
            arrow.lineTo(16, 36);
            arrow.lineTo(32, 36);
        }
        arrow.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(hide ? ink : accent);
        p.drawPath(arrow);
    } else if (kind == ToolIcon::ZoomIn || kind == ToolIcon::ZoomOut) {
        // A magnifier with a plus or a minus.
        p.setBrush(paper);
        p.setPen(QPen(ink, 4));
        p.drawEllipse(QPointF(20, 20), 13, 13);
        p.setPen(QPen(ink, 7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(30, 30), QPointF(42, 42));
        p.setPen(QPen(accent, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(13, 20), QPointF(27, 20));
        if (kind == ToolIcon::ZoomIn) {
            p.drawLine(QPointF(20, 13), QPointF(20, 27));
        }
    }
    return QIcon(pixmap);
}

}  // namespace

// ---- Toolbar ----

ToolbarStrip::ToolbarStrip(Toolbar& toolbar, QWidget* parent) : QWidget(parent), toolbar_(toolbar) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    subscription_ = toolbar_.Changed.Subscribe([this] { rebuild(); });
    rebuild();
}

ToolbarStrip::~ToolbarStrip() {
    toolbar_.Changed.Unsubscribe(subscription_);
}

QToolButton* ToolbarStrip::button(int position) const {
    return position >= 1 && position <= buttons_.size() ? buttons_[position - 1] : nullptr;
}

void ToolbarStrip::setZoomOutEnabled(bool enabled) const {
    zoomOutEnabled_ = enabled;
    for (QToolButton* button : buttons_) {
        if (static_cast<ToolIcon>(button->property(kToolIconProperty).toInt()) ==
            ToolIcon::ZoomOut) {
            button->setEnabled(enabled);
        }
    }
}

void ToolbarStrip::rebuild() {
    // Later, not now: the toolbar may change from inside one of these buttons' clicks.
    for (QToolButton* old : buttons_) {
        layout()->removeWidget(old);
        old->hide();
        old->deleteLater();
    }
    buttons_.clear();
    // The counter is wider than a button position, so that it can pass the last of 32767.
    const int32_t count = toolbar_.ButtonCount();
    for (int32_t at = 1; at <= count; ++at) {
        const auto position = static_cast<int16_t>(at);
        const std::string& model = toolbar_.ButtonCaption(position);
        const QString caption = ToolbarCaption(model);
        const ToolIcon icon = IconFor(toQString(model));
        auto* button = new QToolButton(this);
        button->setText(caption);
        button->setToolTip(caption);
        button->setAccessibleName(caption);
        // The model's own words stay within reach of a screen reader.
        button->setAccessibleDescription(toQString(model));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::TabFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        button->setProperty(kToolIconProperty, static_cast<int>(icon));
        if (icon != ToolIcon::None) {
            button->setIcon(DrawIcon(icon, palette()));
            const int side = static_cast<int>(std::lround(22 * logicalDpiY() / 96.0));
            button->setIconSize(QSize(side, side));
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        } else {
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        }
        connect(button, &QToolButton::clicked, this, [this, position] {
            runGuarded([&] { toolbar_.PressButton(position); },
                       [this](int number, const QString& source, const QString& text) {
                           emit errorRaised(number, source, text);
                       });
        });
        layout()->addWidget(button);
        buttons_.append(button);
    }
    setZoomOutEnabled(zoomOutEnabled_);
}

// ---- List box ----

ListBoxView::ListBoxView(ListBox& list, QWidget* parent) : QListWidget(parent), list_(list) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    auto report = [this](int number, const QString& source, const QString& text) {
        emit errorRaised(number, source, text);
    };
    connect(this, &QListWidget::currentRowChanged, this, [this, report](int row) {
        if (row != list_.ListIndex()) {
            runGuarded([&] { list_.SelectItem(row); }, report);
        }
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this, report](QListWidgetItem* item) {
        const int row = this->row(item);
        runGuarded(
            [&] {
                list_.SelectItem(row);
                list_.DoubleClick();
            },
            report);
    });
    subscription_ = list_.Changed.Subscribe([this] { sync(); });
    sync();
}

ListBoxView::~ListBoxView() {
    list_.Changed.Unsubscribe(subscription_);
}

void ListBoxView::setDisplayText(std::function<QString(int, const QString&)> display) {
    display_ = std::move(display);
    refreshTexts();
}

void ListBoxView::refreshTexts() {
    for (int i = 0; i < count(); ++i) {
        QListWidgetItem* entry = item(i);
        const QString text = entry->data(Qt::UserRole).toString();
        const QString shown = display_ ? display_(i, text) : QString();
        entry->setText(shown.isEmpty() ? text : shown);
        // The control's own text stays at hand for the planner who knows it.
        entry->setToolTip(shown.isEmpty() ? QString() : text);
    }
}

void ListBoxView::sync() {
    const QSignalBlocker blocker(this);
    const auto& items = list_.Items();
    bool same = count() == static_cast<int>(items.size());
    for (int i = 0; same && i < count(); ++i) {
        same = item(i)->data(Qt::UserRole).toString() == toQString(items[static_cast<size_t>(i)]);
    }
    if (!same) {
        clear();
        for (const std::string& text : items) {
            auto* entry = new QListWidgetItem(toQString(text), this);
            entry->setData(Qt::UserRole, toQString(text));
        }
        refreshTexts();
    }
    setFont(toQFont(list_.Font()));
    setCurrentRow(list_.ListIndex());
}

// ---- Combo box ----

ComboBoxView::ComboBoxView(ComboBox& combo, QWidget* parent) : QComboBox(parent), combo_(combo) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    auto report = [this](int number, const QString& source, const QString& text) {
        emit errorRaised(number, source, text);
    };
    connect(this, &QComboBox::activated, this,
            [this, report](int index) { runGuarded([&] { combo_.SetListIndex(index); }, report); });
    connect(this, &QComboBox::editTextChanged, this, [this, report](const QString& text) {
        if (toQString(combo_.Text()) != text) {
            runGuarded([&] { combo_.SetText(text.toStdString()); }, report);
        }
    });
    subscription_ = combo_.Changed.Subscribe([this] { sync(); });
    sync();
}

ComboBoxView::~ComboBoxView() {
    combo_.Changed.Unsubscribe(subscription_);
}

void ComboBoxView::sync() {
    const QSignalBlocker blocker(this);
    const auto& items = combo_.Items();
    bool same = count() == static_cast<int>(items.size());
    for (int i = 0; same && i < count(); ++i) {
        same = itemText(i) == toQString(items[static_cast<size_t>(i)]);
    }
    if (!same) {
        clear();
        for (const std::string& text : items) {
            addItem(toQString(text));
        }
    }
    setFont(toQFont(combo_.Font()));
    setCurrentIndex(combo_.ListIndex());
    const QString text = toQString(combo_.Text());
    const bool placeholder = !designText_.isEmpty() && items.empty() && text == designText_;
    setEditText(placeholder ? QString() : text);
    setToolTip(placeholder ? text : QString());
    setAccessibleDescription(placeholder ? text : QString());
}

void ComboBoxView::setPlaceholder(const QString& designText, const QString& placeholder) {
    designText_ = designText;
    lineEdit()->setPlaceholderText(placeholder);
    sync();
}

// ---- Text box ----

TextBoxView::TextBoxView(TextBox& box, QWidget* parent) : QLineEdit(parent), box_(box) {
    setTextMargins(1, 0, 1, 0);
    subscription_ = box_.Changed.Subscribe([this] { sync(); });
    sync();
}

TextBoxView::~TextBoxView() {
    box_.Changed.Unsubscribe(subscription_);
}

void TextBoxView::setDisplayText(std::function<QString(const QString&)> display) {
    display_ = std::move(display);
    sync();
}

void TextBoxView::sync() {
    const QString text = display_ ? display_(toQString(box_.Text())) : toQString(box_.Text());
    setText(text);
    setCursorPosition(0);
    setToolTip(text);
    setReadOnly(box_.Locked());
}

// ---- Colour legend ----

ColourSwatch::ColourSwatch(int32_t rgb, QWidget* parent) : QWidget(parent), rgb_(rgb) {}

QColor ColourSwatch::fill() const {
    return rgb_ == -1 ? palette().color(QPalette::ButtonText) : toQColor(rgb_);
}

void ColourSwatch::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), fill());
    painter.setPen(fill().darker(170));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- Pop-up menus ----

MenuPresenter::MenuPresenter(PopupMenu& menu, QWidget* parent)
    : QObject(parent), model_(menu), owner_(parent) {
    shownSubscription_ = model_.Shown.Subscribe([this] { popup(); });
    changedSubscription_ = model_.Changed.Subscribe([this] {
        if (menu_ != nullptr && menu_->isVisible()) {
            rebuild();
        }
    });
}

MenuPresenter::~MenuPresenter() {
    model_.Shown.Unsubscribe(shownSubscription_);
    model_.Changed.Unsubscribe(changedSubscription_);
    delete menu_;
}

void MenuPresenter::popup() {
    if (menu_ == nullptr) {
        menu_ = new QMenu(owner_);
        menu_->setObjectName(toQString(model_.Name()));
        connect(menu_, &QMenu::triggered, this, [this](QAction* action) {
            if (hostActions_.contains(action)) {
                return;
            }
            const std::string name = action->data().toString().toStdString();
            if (check_ && !check_(name)) {
                return;
            }
            runGuarded([&] { model_.Choose(name); },
                       [this](int number, const QString& source, const QString& text) {
                           emit errorRaised(number, source, text);
                       });
        });
    }
    const MenuAnchor anchor = CurrentMenuAnchor();
    if (anchor.silent) {
        return;
    }
    menu_->hide();
    rebuild();
    // Never exec: the control asked from inside a notification and must get its call back.
    menu_->popup(anchor.at.value_or(QCursor::pos()));
    if (anchor.fromKeyboard) {
        SelectFirstEntry(*menu_);
    }
}

void MenuPresenter::rebuild() {
    menu_->clear();
    menu_->setTitle(CoreCaption(model_.Caption()));
    for (const MenuItem& item : model_.Items()) {
        if (!item.Visible()) {
            continue;
        }
        if (item.IsSeparator()) {
            menu_->addSeparator();
            continue;
        }
        QAction* action = menu_->addAction(CoreCaption(item.Caption()));
        action->setObjectName(toQString(item.Name()));
        action->setData(toQString(item.Name()));
        action->setEnabled(item.Enabled());
    }
    if (!hostActions_.isEmpty()) {
        menu_->addSeparator();
        menu_->addActions(hostActions_);
    }
}

void MenuPresenter::setHostActions(QList<QAction*> actions) {
    hostActions_ = std::move(actions);
    if (menu_ != nullptr && menu_->isVisible()) {
        rebuild();
    }
}

}  // namespace tessaro::qt_detail

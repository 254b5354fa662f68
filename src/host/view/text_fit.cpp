#include "host/view/text_fit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QTableView>
#include <QToolButton>

namespace hostfw::view {
namespace {

// Room for the window manager's title bar beside the title: icon, buttons, margins.
constexpr int kTitleBarRoom = 150;

QString Shown(QString text) {
    // A mnemonic's "&" is not drawn; "&&" is one "&".
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(1), QLatin1Char('&'));
    return text;
}

QString Named(const QWidget& widget, const QString& text) {
    const QString name = widget.objectName().isEmpty()
                             ? QString::fromLatin1(widget.metaObject()->className())
                             : widget.objectName();
    return name + QStringLiteral(": ") + text;
}

bool Fits(const QFontMetrics& metrics, const QString& text, int room) {
    return metrics.horizontalAdvance(text) <= room;
}

void CheckLabel(const QLabel& label, QStringList& cut) {
    if (label.wordWrap() || label.text().isEmpty() || label.textFormat() == Qt::RichText)
        return;
    const QString text = label.buddy() != nullptr ? Shown(label.text()) : label.text();
    if (!Fits(label.fontMetrics(), text, label.contentsRect().width() + 1))
        cut << Named(label, text);
}

void CheckButton(const QAbstractButton& button, QStringList& cut) {
    const QString text = Shown(button.text());
    if (text.isEmpty())
        return;
    if (const auto* tool = qobject_cast<const QToolButton*>(&button);
        tool != nullptr && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
        return;
    // What the style asks for the whole button, its text included.
    if (button.sizeHint().width() > button.width() + 1)
        cut << Named(button, text);
}

void CheckGroup(const QGroupBox& group, QStringList& cut) {
    if (group.title().isEmpty())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.text = group.title();
    option.subControls = QStyle::SC_GroupBoxLabel;
    option.lineWidth = 1;
    const QRect label = group.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                      QStyle::SC_GroupBoxLabel, &group);
    const QString text = Shown(group.title());
    if (!Fits(group.fontMetrics(), text, label.width() + 1) || label.right() > group.width())
        cut << Named(group, text);
}

void CheckCombo(const QComboBox& combo, QStringList& cut) {
    if (combo.currentText().isEmpty())
        return;
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.currentText = combo.currentText();
    const QRect field = combo.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, &combo);
    if (!Fits(combo.fontMetrics(), combo.currentText(), field.width() + 1))
        cut << Named(combo, combo.currentText());
}

void CheckField(const QLineEdit& field, QStringList& cut) {
    // A field that cannot be typed into shows its whole value or the person never reads it.
    if (field.isEnabled() && !field.isReadOnly())
        return;
    const int margins = 2 * field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 4;
    if (!Fits(field.fontMetrics(), field.text(), field.width() - margins))
        cut << Named(field, field.text());
}

void CheckTable(const QTableView& table, QStringList& cut) {
    const QAbstractItemModel* model = table.model();
    if (model == nullptr)
        return;
    const QHeaderView& header = *table.horizontalHeader();
    const int margin = 2 * table.style()->pixelMetric(QStyle::PM_HeaderMargin);
    const int columns = model->columnCount();
    const int lastShown = header.logicalIndexAt(table.viewport()->width() - 1);
    for (int column = 0; column < columns; ++column) {
        if (table.isColumnHidden(column))
            continue;
        const int room = table.columnWidth(column);
        // The last column may run past the window: what scrolls is not cut.
        const bool stretched = header.stretchLastSection() && column == columns - 1;
        if (!header.isHidden()) {
            const QString caption = model->headerData(column, Qt::Horizontal).toString();
            if (!Fits(header.fontMetrics(), caption, room - margin))
                cut << Named(table, caption);
        }
        if (stretched || (lastShown >= 0 && column > lastShown))
            continue;
        const int first = std::max(0, table.rowAt(0));
        const int last = table.rowAt(table.viewport()->height() - 1);
        for (int row = first; row <= (last < 0 ? model->rowCount() - 1 : last); ++row) {
            const QString text = model->data(model->index(row, column)).toString();
            if (!Fits(table.fontMetrics(), text, room - margin))
                cut << Named(table, text);
        }
    }
}

}  // namespace

int TitleWidth(const QWidget& window) {
    return window.fontMetrics().horizontalAdvance(window.windowTitle()) + kTitleBarRoom;
}

QStringList CutTexts(const QWidget& window) {
    // Measured as laid out for what it shows now: a text just changed (the session after the
    // sign-in) has its room once the pending layouts are done.
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QStringList cut;
    if (window.isWindow() && window.width() < TitleWidth(window))
        cut << Named(window, window.windowTitle());
    QList<const QWidget*> widgets{&window};
    for (const QWidget* child : window.findChildren<QWidget*>())
        widgets << child;
    for (const QWidget* widget : widgets) {
        if (!widget->isVisible() || (widget != &window && widget->isWindow()))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            CheckLabel(*label, cut);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            CheckButton(*button, cut);
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            CheckGroup(*group, cut);
        else if (const auto* combo = qobject_cast<const QComboBox*>(widget))
            CheckCombo(*combo, cut);
        else if (const auto* field = qobject_cast<const QLineEdit*>(widget))
            CheckField(*field, cut);
        else if (const auto* table = qobject_cast<const QTableView*>(widget))
            CheckTable(*table, cut);
    }
    return cut;
}

}  // namespace hostfw::view

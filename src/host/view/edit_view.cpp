#include "host/view/edit_view.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <utility>

#include "host/ui/user_actions.h"
#include "host/view/model_events.h"

namespace hostfw::view {
namespace {

constexpr unsigned char kBackspace = 8;
constexpr unsigned char kReturn = 13;

}  // namespace

EditView::EditView(TCustomEdit& edit, QWidget* parent)
    : QLineEdit(parent), ControlView(edit, *this), edit_(edit) {
    TakeFocusFromTheForm(*this);
    setAlignment(edit.Alignment() == TAlignment::taRightJustify ? Qt::AlignRight : Qt::AlignLeft);
}

void EditView::RefreshOwn() {
    const QString shown = QString::fromStdString(edit_.Text());
    if (text() != shown)
        setText(shown);
    setReadOnly(edit_.ReadOnly());
    if (edit_.Focused()) {
        const int start = static_cast<int>(edit_.SelStart());
        const int length = static_cast<int>(edit_.SelLength());
        if (length > 0)
            setSelection(start, length);
        else
            setCursorPosition(start);
    } else {
        deselect();
    }
}

bool EditView::event(QEvent* event) {
    // Tab never reaches keyPressEvent otherwise: Qt moves the focus itself.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
    }
    return QLineEdit::event(event);
}

void EditView::keyPressEvent(QKeyEvent* event) {
    if (RouteFocusKey(edit_, *event))
        return;
    switch (event->key()) {
        case Qt::Key_Backspace:
            PressKey(kBackspace);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Ctrl+Enter is the form's (preview), not a character.
            if (event->modifiers() & Qt::ControlModifier)
                event->ignore();
            else
                PressKey(kReturn);
            return;
        case Qt::Key_Delete:
            // Forward delete: the character after the caret is selected and deleted as a
            // backspace would, through the same key path.
            if (!hasSelectedText())
                UserActions::MoveCaret(edit_, static_cast<size_t>(cursorPosition()), 1);
            PressKey(kBackspace);
            return;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            QLineEdit::keyPressEvent(event);
            SyncSelection();
            return;
        default:
            break;
    }
    if (event->matches(QKeySequence::Paste)) {
        TypeText(QApplication::clipboard()->text());
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        SyncSelection();
    } else if (event->matches(QKeySequence::Copy)) {
        QLineEdit::keyPressEvent(event);
    } else if (event->modifiers() & Qt::ControlModifier) {
        // Ctrl+P, Ctrl+E, ...: the form's commands, never letters typed.
        event->ignore();
    } else if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
        TypeText(event->text());
    } else {
        event->ignore();
    }
}

void EditView::TypeText(const QString& text) {
    // Only what the toolkit can take (Latin-1) is typed; the line breaks of a paste are keys.
    QString typed;
    for (const QChar c : text) {
        if (c.unicode() <= 0xFF && c.isPrint())
            typed += c;
    }
    if (typed.isEmpty())
        return;
    RunUserAction([&] { UserActions::Type(edit_, typed.toStdString()); });
}

void EditView::PressKey(unsigned char code) {
    RunUserAction([&] { UserActions::PressKey(edit_, code); });
}

void EditView::mousePressEvent(QMouseEvent* event) {
    // The click that brings the focus leaves the text as the toolkit enters an edit (all of
    // it selected); a click in the focused edit places the caret.
    entering_ = !edit_.Focused();
    RouteFocusClick(edit_);
    if (entering_ || !edit_.Focused())
        return;
    QLineEdit::mousePressEvent(event);
    SyncSelection();
}

void EditView::mouseMoveEvent(QMouseEvent* event) {
    if (entering_ || !edit_.Focused())
        return;
    QLineEdit::mouseMoveEvent(event);
    SyncSelection();
}

void EditView::mouseReleaseEvent(QMouseEvent* event) {
    if (std::exchange(entering_, false) || !edit_.Focused())
        return;
    QLineEdit::mouseReleaseEvent(event);
    SyncSelection();
}

void EditView::contextMenuEvent(QContextMenuEvent* event) {
    // The standard menu would edit the text behind the model's back.
    event->ignore();
}

void EditView::SyncSelection() {
    if (hasSelectedText()) {
        UserActions::MoveCaret(edit_, static_cast<size_t>(selectionStart()),
                               static_cast<size_t>(selectedText().size()));
    } else {
        UserActions::MoveCaret(edit_, static_cast<size_t>(cursorPosition()), 0);
    }
}

}  // namespace hostfw::view

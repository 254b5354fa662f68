#include "host/view/label_view.h"

#include <QEvent>

#include "host/view/mnemonics.h"
#include "host/view/screen_scale.h"

namespace hostfw::view {

LabelView::LabelView(TLabel& label, QWidget* parent) : QLabel(parent), ControlView(label, *this) {
    setTextFormat(Qt::PlainText);
    const Qt::Alignment horizontal = label.Alignment() == TAlignment::taRightJustify
                                         ? Qt::AlignRight
                                     : label.Alignment() == TAlignment::taCenter ? Qt::AlignHCenter
                                                                                 : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignTop);
}

void LabelView::RefreshOwn() {
    const QString caption = QString::fromStdString(Control().Caption());
    setText(target_ != nullptr ? WithMnemonic(caption, mnemonic_) : caption);
    FitCaption();
}

std::string LabelView::ShownText() const {
    return (target_ != nullptr ? WithoutMnemonic(text()) : text()).toStdString();
}

void LabelView::SetMnemonic(int place, TWinControl& target) {
    mnemonic_ = place;
    target_ = &target;
    setTextFormat(Qt::AutoText);
    // The buddy makes Qt draw the letter underlined and hear Alt+letter; the focus itself
    // goes where the form lets it (event below).
    if (auto* view = parentWidget()->findChild<QWidget*>(QString::fromStdString(target.Name())))
        setBuddy(view);
    RefreshOwn();
}

bool LabelView::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut && target_ != nullptr) {
        GoToMnemonicTarget(*target_, false);
        return true;
    }
    return QLabel::event(event);
}

void LabelView::FitCaption() {
    // Labels size themselves to their caption. The installed sans font is a little wider than
    // the one the form was drawn in, so a caption may need more than its stored width: the
    // label grows away from its aligned edge rather than cut the caption.
    const int stored = Scaled(Control().Width());
    const int wider = fontMetrics().horizontalAdvance(text()) + 1 - stored;
    int left = Scaled(Control().Left());
    int width = stored;
    if (wider > 0) {
        width += wider;
        if (alignment() & Qt::AlignRight)
            left -= wider;
        else if (alignment() & Qt::AlignHCenter)
            left -= wider / 2;
    }
    setGeometry(left, y(), width, height());
}

}  // namespace hostfw::view

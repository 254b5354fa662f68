#include "host/view/label_view.h"

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
    setText(QString::fromStdString(Control().Caption()));
    FitCaption();
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

#include "host/view/label_view.h"

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
}

}  // namespace hostfw::view

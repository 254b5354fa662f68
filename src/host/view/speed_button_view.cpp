#include "host/view/speed_button_view.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "host/ui/user_actions.h"
#include "host/view/button_views.h"

namespace hostfw::view {
namespace {

// The stored glyph: a bitmap file after a four-byte length, written as hex; with two glyphs
// side by side the first is the normal look, the second the disabled one.
QIcon StoredGlyph(const TSpeedButton& button) {
    const auto& design = button.DesignValues();
    const auto data = design.find("Glyph.Data");
    if (data == design.end())
        return {};
    const QByteArray bytes = QByteArray::fromHex(QByteArray::fromStdString(data->second));
    QImage image;
    if (bytes.size() <= 4 || !image.loadFromData(bytes.mid(4), "BMP"))
        return {};
    const auto glyphs = design.find("NumGlyphs");
    const int count = glyphs != design.end() && glyphs->second == "2" ? 2 : 1;
    const int width = image.width() / count;
    // The bottom-left pixel is the transparent colour of such glyphs.
    QImage normal = image.copy(0, 0, width, image.height());
    const QColor transparent = normal.pixelColor(0, normal.height() - 1);
    QPixmap pixmap = QPixmap::fromImage(normal);
    pixmap.setMask(pixmap.createMaskFromColor(transparent));
    QIcon icon(pixmap);
    if (count == 2) {
        QPixmap disabled = QPixmap::fromImage(image.copy(width, 0, width, image.height()));
        disabled.setMask(disabled.createMaskFromColor(transparent));
        icon.addPixmap(disabled, QIcon::Disabled);
    }
    return icon;
}

}  // namespace

SpeedButtonView::SpeedButtonView(TSpeedButton& button, QWidget* parent)
    : QToolButton(parent), ControlView(button, *this) {
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(false);
    const QIcon glyph = StoredGlyph(button);
    if (!glyph.isNull()) {
        setIcon(glyph);
        setToolButtonStyle(Qt::ToolButtonIconOnly);
    } else {
        setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    connect(this, &QToolButton::clicked, this, [this] { ClickControl(Control()); });
}

void SpeedButtonView::RefreshOwn() {
    setText(QString::fromStdString(Control().Caption()));
}

}  // namespace hostfw::view

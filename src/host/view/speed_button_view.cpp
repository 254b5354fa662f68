#include "host/view/speed_button_view.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <QLabel>
#include <QLocale>

#include "host/controls/btn_pesquisa.h"
#include "host/view/button_views.h"
#include "host/view/command_keys.h"
#include "host/view/picked_counts.h"
#include "host/view/screen_scale.h"

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

// The room left of a search button, up to the end of the caption of the control it serves (a
// "Lista" radio button), where the count of its list is shown.
QRect CountPlace(const TBtnPesquisa& button) {
    constexpr int kGap = 2;
    int left = button.Left() - 44;
    if (const TControl* served = button.Associate();
        served != nullptr && served->Parent() == button.Parent() && served->Left() < button.Left())
        left = std::max(left, served->Left() + served->Width() + kGap);
    return {Scaled(left), Scaled(button.Top()), Scaled(button.Left() - kGap - left),
            Scaled(button.Height())};
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
    // The form hears a command's key (FormView) and presses the button: one path for both.
    if (const QKeySequence key = CommandKeyOf(button); !key.isEmpty())
        keyBinding_ = key.toString(QKeySequence::NativeText);
    if (const auto* search = dynamic_cast<const TBtnPesquisa*>(&button)) {
        keyBinding_ = KeyText(keys::kSearch);
        count_ = new QLabel(parent);
        count_->setObjectName(QString::fromStdString(button.Name()) + QStringLiteral("_contagem"));
        count_->setFont(font());
        count_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        count_->setGeometry(CountPlace(*search));
    }
    connect(this, &QToolButton::clicked, this, [this] { Press(); });
}

void SpeedButtonView::Press() {
    const PickerOpener opener(Control());
    ClickControl(Control());
}

void SpeedButtonView::RefreshOwn() {
    setText(QString::fromStdString(Control().Caption()));
    if (count_ == nullptr)
        return;
    const auto picked = PickedCount(Control());
    count_->setVisible(picked.has_value() && Control().Visible());
    count_->setEnabled(Control().IsUsable());
    if (!picked)
        return;
    const QString number = QLocale().toString(static_cast<qlonglong>(*picked));
    count_->setText(QStringLiteral("(") + number + QStringLiteral(")"));
    const QString said =
        *picked == 1 ? QStringLiteral("1 escolhido") : number + QStringLiteral(" escolhidos");
    count_->setToolTip(said);
    count_->setAccessibleName(said);
}

QString SpeedButtonView::ToolTipText() const {
    const std::string& hint = Control().Hint();
    QString tip = QString::fromStdString(hint.empty() ? Control().Caption() : hint);
    if (dynamic_cast<const TBtnPesquisa*>(&Control()) != nullptr && !keyBinding_.isEmpty())
        return WithKey(tip, keyBinding_ + QStringLiteral(" no campo"));
    return WithKey(tip, keyBinding_);
}

}  // namespace hostfw::view

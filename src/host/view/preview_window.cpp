#include "host/view/preview_window.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "host/report/laid_out_report.h"
#include "host/report/page_painter.h"
#include "host/report/run_monitor.h"
#include "host/view/command_keys.h"

namespace hostfw::view {
namespace {

constexpr double kMillimetresPerInch = 25.4;
// The zoom's steps in and out, in percent of the page's own size.
constexpr std::array<int, 12> kZoomSteps = {25, 33, 50, 67, 75, 100, 125, 150, 200, 250, 300, 400};

QSizeF PageMillimetres(const ReportDefinition& definition) {
    return definition.orientation == PageOrientation::Portrait ? QSizeF(210, 297)
                                                               : QSizeF(297, 210);
}

// What the export dialog offers for a kind of file: a name filter per format.
struct ExportChoice {
    QString title;
    QString suffix;
    QStringList filters;
    std::vector<ReportFileFormat> formats;
};

ExportChoice ExportChoiceFor(PreviewWindow::ExportKind kind) {
    switch (kind) {
        case PreviewWindow::ExportKind::Pdf:
            return {QStringLiteral("PDF"),
                    QStringLiteral("pdf"),
                    {QStringLiteral("PDF (*.pdf)")},
                    {ReportFileFormat::Pdf}};
        case PreviewWindow::ExportKind::Csv:
            return {QStringLiteral("CSV"),
                    QStringLiteral("csv"),
                    {QStringLiteral("CSV para planilha em português: ponto e vírgula, vírgula "
                                    "decimal (*.csv)"),
                     QStringLiteral("CSV padrão: vírgulas, valores como no relatório (*.csv)")},
                    {ReportFileFormat::CsvBrazil, ReportFileFormat::Csv}};
        case PreviewWindow::ExportKind::Xlsx:
            break;
    }
    return {QStringLiteral("planilha XLSX"),
            QStringLiteral("xlsx"),
            {QStringLiteral("Planilha XLSX (*.xlsx)")},
            {ReportFileFormat::Xlsx}};
}

}  // namespace

// One page on a white sheet, drawn with the PDF's painter at the window's zoom.
class PageCanvas : public QWidget {
public:
    PageCanvas(const LaidOutReport& pages, QWidget* parent) : QWidget(parent), pages_(pages) {
        setObjectName(QStringLiteral("pagina"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void SetPage(int number) {
        page_ = pages_.Page(number);
        update();
    }
    // Pixels per millimetre at this zoom.
    void SetScale(double pixelsPerMillimetre) {
        const QSizeF size = PageMillimetres(pages_.Definition()) * pixelsPerMillimetre;
        if (std::abs(pixelsPerMillimetre - scale_) < 1e-9)
            return;
        scale_ = pixelsPerMillimetre;
        painter_.reset();
        setFixedSize(size.toSize());
        update();
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        const double margin = kPageMarginMillimetres * scale_;
        if (!painter_) {
            painter_ = std::make_unique<PagePainter>(pages_.Definition(), *this,
                                                     width() - 2 * margin, height() - 2 * margin);
        }
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.translate(margin, margin);
        painter_->Paint(painter, page_);
    }

private:
    const LaidOutReport& pages_;
    FramedPage page_;
    double scale_ = 0;
    std::unique_ptr<PagePainter> painter_;
};

PreviewWindow::PreviewWindow(std::shared_ptr<const ReportPreview> preview, QWidget* parent)
    : QWidget(parent, Qt::Window),
      preview_(std::move(preview)),
      pages_(dynamic_cast<const LaidOutReport*>(preview_.get())) {
    setObjectName(QStringLiteral("visualizacao"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Visualização - ") + QString::fromStdString(preview_->Title()));
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    // A button of the bar: its key presses it, its tool tip and assistive technology say the
    // key, and the focus stays on the page.
    const auto button = [&](const QString& text, const QString& name, const QString& said,
                            QKeySequence key, auto&& action) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setObjectName(name);
        b->setAccessibleName(said);
        b->setFocusPolicy(Qt::NoFocus);
        if (!key.isEmpty())
            b->setShortcut(key);
        b->setToolTip(WithKey(said, key.toString(QKeySequence::NativeText)));
        connect(b, &QToolButton::clicked, this, action);
        bar->addWidget(b);
        return b;
    };
    button(QStringLiteral("|◀"), QStringLiteral("primeira"), QStringLiteral("Primeira página"),
           QKeySequence(Qt::Key_Home), [this] { ShowPage(1); });
    button(QStringLiteral("◀"), QStringLiteral("anterior"), QStringLiteral("Página anterior"),
           QKeySequence(Qt::Key_PageUp), [this] { ShowPage(page_ - 1); });
    pageBox_ = new QSpinBox(this);
    pageBox_->setObjectName(QStringLiteral("ir_para_pagina"));
    pageBox_->setAccessibleName(QStringLiteral("Ir para a página"));
    pageBox_->setToolTip(
        WithKey(QStringLiteral("Digite a página e Enter"), KeyText(keys::kGoToPage)));
    pageBox_->setRange(1, std::max(1, PageCount()));
    pageBox_->setKeyboardTracking(false);
    pageBox_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int number) { ShowPage(number); });
    bar->addWidget(pageBox_);
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName(QStringLiteral("paginas"));
    bar->addWidget(pageLabel_);
    button(QStringLiteral("▶"), QStringLiteral("proxima"), QStringLiteral("Próxima página"),
           QKeySequence(Qt::Key_PageDown), [this] { ShowPage(page_ + 1); });
    button(QStringLiteral("▶|"), QStringLiteral("ultima"), QStringLiteral("Última página"),
           QKeySequence(Qt::Key_End), [this] { ShowPage(PageCount()); });
    zoom_ = new QComboBox(this);
    zoom_->setObjectName(QStringLiteral("zoom"));
    zoom_->setAccessibleName(QStringLiteral("Zoom"));
    zoom_->addItems({QStringLiteral("Ajustar à largura"), QStringLiteral("Página inteira"),
                     QStringLiteral("100%"), QStringLiteral("100%")});
    zoom_->setToolTip(QStringLiteral("Zoom: ") + KeyText(keys::kZoomIn) + QStringLiteral(", ") +
                      KeyText(keys::kZoomOut) + QStringLiteral(", ") + KeyText(keys::kActualSize) +
                      QStringLiteral(" ou Ctrl+roda do mouse"));
    zoom_->setFocusPolicy(Qt::NoFocus);
    connect(zoom_, &QComboBox::activated, this,
            [this](int index) { SetZoom(static_cast<Zoom>(index)); });
    bar->addWidget(zoom_);
    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("aviso"));
    bar->addWidget(notice_, 1);
    button(QStringLiteral("Imprimir…"), QStringLiteral("imprimir"), QStringLiteral("Imprimir"),
           QKeySequence(keys::kPrint), [this] { Print(); });
    button(QStringLiteral("Exportar PDF…"), QStringLiteral("exportar_pdf"),
           QStringLiteral("Exportar PDF"), QKeySequence(keys::kExportPdf),
           [this] { ExportTo(ExportKind::Pdf); });
    button(QStringLiteral("Exportar CSV…"), QStringLiteral("exportar_csv"),
           QStringLiteral("Exportar CSV"), QKeySequence(keys::kExportCsv),
           [this] { ExportTo(ExportKind::Csv); });
    button(QStringLiteral("Exportar XLSX…"), QStringLiteral("exportar_xlsx"),
           QStringLiteral("Exportar XLSX"), QKeySequence(keys::kExportXlsx),
           [this] { ExportTo(ExportKind::Xlsx); });
    layout->addLayout(bar);
    scroll_ = new QScrollArea(this);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->viewport()->installEventFilter(this);
    scroll_->setAccessibleName(QStringLiteral("Página do relatório"));
    layout->addWidget(scroll_, 1);
    if (pages_ != nullptr) {
        canvas_ = new PageCanvas(*pages_, scroll_);
        scroll_->setWidget(canvas_);
    } else {
        auto* text = new QPlainTextEdit(QString::fromStdString(preview_->Text()), scroll_);
        text->setReadOnly(true);
        scroll_->setWidget(text);
        scroll_->setWidgetResizable(true);
    }
    new QShortcut(QKeySequence(keys::kClose), this, [this] { close(); });
    new QShortcut(QKeySequence(keys::kGoToPage), this, [this] {
        pageBox_->setFocus(Qt::ShortcutFocusReason);
        pageBox_->selectAll();
    });
    new QShortcut(QKeySequence(keys::kZoomIn), this, [this] { ZoomStep(1); });
    new QShortcut(QKeySequence(keys::kZoomInToo), this, [this] { ZoomStep(1); });
    new QShortcut(QKeySequence(keys::kZoomOut), this, [this] { ZoomStep(-1); });
    new QShortcut(QKeySequence(keys::kActualSize), this, [this] { SetZoom(Zoom::Actual); });
    new QShortcut(QKeySequence(keys::kFitWidth), this, [this] { SetZoom(Zoom::FitWidth); });
    new QShortcut(QKeySequence(keys::kFitPage), this, [this] { SetZoom(Zoom::FitPage); });
    resize(1000, 720);
    ShowPage(1);
    SetZoom(Zoom::FitWidth);
}

PreviewWindow::~PreviewWindow() = default;

int PreviewWindow::PageCount() const {
    return pages_ != nullptr ? pages_->PageCount() : 1;
}

void PreviewWindow::ShowPage(int number) {
    page_ = std::clamp(number, 1, std::max(1, PageCount()));
    if (canvas_ != nullptr && pages_->PageCount() > 0)
        canvas_->SetPage(page_);
    ShowPageLabel();
}

void PreviewWindow::ShowPageLabel() {
    pageLabel_->setText(QStringLiteral("Página %1 de %2").arg(page_).arg(PageCount()));
    const QSignalBlocker quiet(pageBox_);
    pageBox_->setValue(page_);
}

void PreviewWindow::SetZoom(Zoom zoom) {
    if (zoom == Zoom::Actual)
        percent_ = 100;
    zoom_->setItemText(static_cast<int>(Zoom::Percent), QString::number(percent_) + "%");
    if (zoom_->currentIndex() != static_cast<int>(zoom))
        zoom_->setCurrentIndex(static_cast<int>(zoom));
    if (canvas_ == nullptr)
        return;
    const QSizeF page = PageMillimetres(pages_->Definition());
    const double actual = logicalDpiX() / kMillimetresPerInch;
    const QSize room = scroll_->viewport()->size() - QSize(8, 8);
    double scale = actual * percent_ / 100.0;
    if (zoom == Zoom::FitWidth)
        scale = room.width() / page.width();
    else if (zoom == Zoom::FitPage)
        scale = std::min(room.width() / page.width(), room.height() / page.height());
    scale = std::max(scale, 0.5);
    canvas_->SetScale(scale);
    percent_ = static_cast<int>(std::lround(scale / actual * 100));
}

int PreviewWindow::ZoomPercent() const {
    return percent_;
}

void PreviewWindow::ZoomStep(int direction) {
    const int now = percent_;
    int next = now;
    if (direction > 0) {
        const auto step = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), now);
        next = step != kZoomSteps.end() ? *step : kZoomSteps.back();
    } else {
        const auto step = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), now);
        next = step != kZoomSteps.begin() ? *(step - 1) : kZoomSteps.front();
    }
    percent_ = next;
    SetZoom(Zoom::Percent);
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_->viewport() && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            if (wheel->angleDelta().y() != 0)
                ZoomStep(wheel->angleDelta().y() > 0 ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (zoom_ != nullptr)
        SetZoom(static_cast<Zoom>(zoom_->currentIndex()));
}

void PreviewWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The room to fit is known only once the window is laid out on screen.
    scroll_->widget()->adjustSize();
    layout()->activate();
    SetZoom(static_cast<Zoom>(zoom_->currentIndex()));
}

bool PreviewWindow::RunLong(const QString& what, const std::function<bool()>& run) {
    try {
        if (!run()) {
            notice_->setText(what + QStringLiteral(" cancelada."));
            return false;
        }
        return true;
    } catch (const ReportCancelled&) {
        notice_->setText(what + QStringLiteral(" cancelada."));
    } catch (const std::exception& e) {
        QMessageBox::critical(this, QStringLiteral("Erro"), QString::fromStdString(e.what()));
    }
    return false;
}

std::unique_ptr<QPrintDialog> PreviewWindow::MakePrintDialog(QPrinter& printer) {
    printer.setDocName(QString::fromStdString(preview_->Title()));
    if (pages_ != nullptr) {
        printer.setPageOrientation(pages_->Definition().orientation == PageOrientation::Portrait
                                       ? QPageLayout::Portrait
                                       : QPageLayout::Landscape);
    }
    printer.setPageMargins(QMarginsF(kPageMarginMillimetres, kPageMarginMillimetres,
                                     kPageMarginMillimetres, kPageMarginMillimetres),
                           QPageLayout::Millimeter);
    printer.setFromTo(1, PageCount());
    auto dialog = std::make_unique<QPrintDialog>(&printer, this);
    dialog->setObjectName(QStringLiteral("impressao"));
    return dialog;
}

void PreviewWindow::Print() {
    if (pages_ == nullptr)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (MakePrintDialog(printer)->exec() != QDialog::Accepted)
        return;
    const int first = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int last = printer.toPage() > 0 ? printer.toPage() : PageCount();
    QPainter painter;
    if (!painter.begin(&printer)) {
        QMessageBox::warning(this, QStringLiteral("Aviso"),
                             QStringLiteral("Não foi possível abrir a impressora."));
        return;
    }
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const PagePainter pagePainter(pages_->Definition(), printer, area.width(), area.height());
    for (int number = first; number <= last; ++number) {
        if (number > first)
            printer.newPage();
        pagePainter.Paint(painter, pages_->Page(number));
    }
    painter.end();
}

bool PreviewWindow::ExportPdf(const std::filesystem::path& file) {
    if (pages_ == nullptr)
        return false;
    return RunLong(QStringLiteral("Exportação"), [&] {
        pages_->ExportPdf(file);
        return true;
    });
}

bool PreviewWindow::ExportRows(const std::filesystem::path& file, ReportFileFormat format) {
    if (pages_ == nullptr)
        return false;
    return RunLong(QStringLiteral("Exportação"), [&] {
        progress_.Start(preview_->Title());
        try {
            pages_->ExportRows(file, format,
                               [this](const RunStep& step) { return progress_.Update(step); });
        } catch (...) {
            progress_.Finish();
            throw;
        }
        progress_.Finish();
        return true;
    });
}

void PreviewWindow::ExportTo(ExportKind kind) {
    if (pages_ == nullptr)
        return;
    const ExportChoice choice = ExportChoiceFor(kind);
    QFileDialog dialog(this, QStringLiteral("Exportar ") + choice.title);
    dialog.setObjectName(QStringLiteral("exportar"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(choice.filters);
    // Brazilian spreadsheets first: the people of the branches read the file in one.
    dialog.selectNameFilter(choice.filters.front());
    dialog.setDefaultSuffix(choice.suffix);
    dialog.selectFile(QString::fromStdString(pages_->Definition().reportCode) +
                      QStringLiteral(".") + choice.suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString file = dialog.selectedFiles().front();
    const int filter = static_cast<int>(choice.filters.indexOf(dialog.selectedNameFilter()));
    const ReportFileFormat format = choice.formats.at(std::max(0, filter));
    const bool written = format == ReportFileFormat::Pdf ? ExportPdf(file.toStdString())
                                                         : ExportRows(file.toStdString(), format);
    if (written)
        notice_->setText(QStringLiteral("Exportado: ") + file);
}

}  // namespace hostfw::view

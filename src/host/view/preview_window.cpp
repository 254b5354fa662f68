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
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "host/report/laid_out_report.h"
#include "host/report/page_painter.h"
#include "host/report/run_monitor.h"

namespace hostfw::view {
namespace {

constexpr double kMillimetresPerInch = 25.4;

QSizeF PageMillimetres(const ReportDefinition& definition) {
    return definition.orientation == PageOrientation::Portrait ? QSizeF(210, 297)
                                                               : QSizeF(297, 210);
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
    const auto button = [&](const QString& text, const QString& name, auto&& action) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setObjectName(name);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, action);
        bar->addWidget(b);
        return b;
    };
    button(QStringLiteral("|◀"), QStringLiteral("primeira"), [this] { ShowPage(1); });
    button(QStringLiteral("◀"), QStringLiteral("anterior"), [this] { ShowPage(page_ - 1); });
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName(QStringLiteral("paginas"));
    bar->addWidget(pageLabel_);
    button(QStringLiteral("▶"), QStringLiteral("proxima"), [this] { ShowPage(page_ + 1); });
    button(QStringLiteral("▶|"), QStringLiteral("ultima"), [this] { ShowPage(PageCount()); });
    zoom_ = new QComboBox(this);
    zoom_->setObjectName(QStringLiteral("zoom"));
    zoom_->addItems({QStringLiteral("Ajustar à largura"), QStringLiteral("Página inteira"),
                     QStringLiteral("100%")});
    zoom_->setFocusPolicy(Qt::NoFocus);
    connect(zoom_, &QComboBox::currentIndexChanged, this,
            [this](int index) { SetZoom(static_cast<Zoom>(index)); });
    bar->addWidget(zoom_);
    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("aviso"));
    bar->addWidget(notice_, 1);
    button(QStringLiteral("Imprimir…"), QStringLiteral("imprimir"), [this] { Print(); });
    button(QStringLiteral("Exportar PDF…"), QStringLiteral("exportar_pdf"), [this] {
        ExportTo(QStringLiteral("PDF"), QStringLiteral("pdf"),
                 [this](const std::filesystem::path& file) { return ExportPdf(file); });
    });
    button(QStringLiteral("Exportar CSV…"), QStringLiteral("exportar_csv"), [this] {
        ExportTo(QStringLiteral("CSV"), QStringLiteral("csv"),
                 [this](const std::filesystem::path& file) {
                     return ExportRows(file, ReportFileFormat::Csv);
                 });
    });
    button(QStringLiteral("Exportar XLSX…"), QStringLiteral("exportar_xlsx"), [this] {
        ExportTo(QStringLiteral("planilha XLSX"), QStringLiteral("xlsx"),
                 [this](const std::filesystem::path& file) {
                     return ExportRows(file, ReportFileFormat::Xlsx);
                 });
    });
    layout->addLayout(bar);
    scroll_ = new QScrollArea(this);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);
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
    new QShortcut(QKeySequence(Qt::Key_PageDown), this, [this] { ShowPage(page_ + 1); });
    new QShortcut(QKeySequence(Qt::Key_PageUp), this, [this] { ShowPage(page_ - 1); });
    new QShortcut(QKeySequence(Qt::Key_Home), this, [this] { ShowPage(1); });
    new QShortcut(QKeySequence(Qt::Key_End), this, [this] { ShowPage(PageCount()); });
    new QShortcut(QKeySequence::Print, this, [this] { Print(); });
    new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] { close(); });
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
}

void PreviewWindow::SetZoom(Zoom zoom) {
    if (zoom_->currentIndex() != static_cast<int>(zoom))
        zoom_->setCurrentIndex(static_cast<int>(zoom));
    if (canvas_ == nullptr)
        return;
    const QSizeF page = PageMillimetres(pages_->Definition());
    const double actual = logicalDpiX() / kMillimetresPerInch;
    const QSize room = scroll_->viewport()->size() - QSize(8, 8);
    double scale = actual;
    if (zoom == Zoom::FitWidth)
        scale = room.width() / page.width();
    else if (zoom == Zoom::FitPage)
        scale = std::min(room.width() / page.width(), room.height() / page.height());
    canvas_->SetScale(std::max(scale, 0.5));
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

void PreviewWindow::Print() {
    if (pages_ == nullptr)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(preview_->Title()));
    printer.setPageOrientation(pages_->Definition().orientation == PageOrientation::Portrait
                                   ? QPageLayout::Portrait
                                   : QPageLayout::Landscape);
    printer.setPageMargins(QMarginsF(kPageMarginMillimetres, kPageMarginMillimetres,
                                     kPageMarginMillimetres, kPageMarginMillimetres),
                           QPageLayout::Millimeter);
    printer.setFromTo(1, PageCount());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
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
                               [this](long long rows) { return progress_.Update(rows); });
        } catch (...) {
            progress_.Finish();
            throw;
        }
        progress_.Finish();
        return true;
    });
}

void PreviewWindow::ExportTo(const QString& kind, const QString& suffix,
                             const std::function<bool(const std::filesystem::path&)>& write) {
    if (pages_ == nullptr)
        return;
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Exportar ") + kind,
        QString::fromStdString(pages_->Definition().reportCode) + QStringLiteral(".") + suffix,
        kind + QStringLiteral(" (*.") + suffix + QStringLiteral(")"));
    if (file.isEmpty())
        return;
    if (write(file.toStdString()))
        notice_->setText(QStringLiteral("Exportado: ") + file);
}

}  // namespace hostfw::view

#include "app/preview_dialog.h"

#include "layout/twips.h"
#include "texts/texts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace virdamo::app {

using namespace Qt::StringLiterals;

namespace {

constexpr int kGap = 16;  // pixels around and between pages
constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 4.0;
constexpr double kZoomStep = 1.25;

}  // namespace

/// The pages drawn at a zoom, where they are exposed only: a class set has up to eighty.
class PreviewDialog::PagesView final : public QWidget {
public:
    PagesView(std::vector<pages::Page> pages, const output::Paper& paper, QWidget* parent)
        : QWidget(parent)
        , pages_(std::move(pages))
        , paper_(paper)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setZoom(1.0);
    }

    [[nodiscard]] int pageCount() const { return static_cast<int>(pages_.size()); }
    [[nodiscard]] double zoom() const { return zoom_; }
    /// Pixels of one millimetre of paper at zoom 1: the paper at its real size on screen.
    [[nodiscard]] double pixelsPerMillimetre() const { return logicalDpiX() / 25.4; }
    [[nodiscard]] QSizeF paperPixels(double zoom) const { return paper_.size * pixelsPerMillimetre() * zoom; }

    void setZoom(double zoom)
    {
        zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
        const QSizeF page = paperPixels(zoom_);
        const int count = std::max(1, pageCount());
        setFixedSize(static_cast<int>(std::ceil(page.width())) + 2 * kGap,
                     count * (static_cast<int>(std::ceil(page.height())) + kGap) + kGap);
        update();
    }

    /// The top of page i, pixels from the top of the view.
    [[nodiscard]] int pageTop(int i) const
    {
        return kGap + i * (static_cast<int>(std::ceil(paperPixels(zoom_).height())) + kGap);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), palette().color(QPalette::Dark));
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        const QSizeF page = paperPixels(zoom_);
        for (int i = 0; i < pageCount(); ++i) {
            const QRectF sheet(kGap, pageTop(i), page.width(), page.height());
            if (!event->rect().intersects(sheet.toAlignedRect())) {
                continue;
            }
            painter.fillRect(sheet, Qt::white);
            painter.setPen(QPen(Qt::black, 0));
            painter.drawRect(sheet);
            painter.save();
            painter.setClipRect(sheet);
            const double perMillimetre = pixelsPerMillimetre() * zoom_;
            painter.translate(sheet.left() + paper_.margins.left() * perMillimetre,
                              sheet.top() + paper_.margins.top() * perMillimetre);
            painter.scale(zoom_, zoom_);
            output::drawPage(painter, pages_[static_cast<std::size_t>(i)]);
            painter.restore();
        }
    }

private:
    std::vector<pages::Page> pages_;
    output::Paper paper_;
    double zoom_ = 1.0;
};

PreviewDialog::PreviewDialog(std::vector<pages::Page> pages, const output::Paper& paper, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(texts::kPreviewTitle);
    setObjectName(u"anteprima"_s);
    view_ = new PagesView(std::move(pages), paper, this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);

    auto* smaller = new QPushButton(texts::kZoomOut, this);
    auto* larger = new QPushButton(texts::kZoomIn, this);
    auto* width = new QPushButton(texts::kFitWidth, this);
    auto* whole = new QPushButton(texts::kFitPage, this);
    pageLabel_ = new QLabel(this);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton(texts::kPrintEllipsis, QDialogButtonBox::AcceptRole);
    print->setObjectName(u"stampa"_s);
    QPushButton* close = buttons->addButton(texts::kClose, QDialogButtonBox::RejectRole);
    close->setObjectName(u"chiudi"_s);
    close->setDefault(true);

    auto* tools = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(smaller), static_cast<QWidget*>(larger), static_cast<QWidget*>(width),
                       static_cast<QWidget*>(whole)}) {
        tools->addWidget(w);
    }
    tools->addStretch(1);
    tools->addWidget(pageLabel_);
    tools->addStretch(1);
    tools->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(scroll_, 1);

    connect(smaller, &QPushButton::clicked, this, [this] { zoomBy(1.0 / kZoomStep); });
    connect(larger, &QPushButton::clicked, this, [this] { zoomBy(kZoomStep); });
    connect(width, &QPushButton::clicked, this, &PreviewDialog::fitWidth);
    connect(whole, &QPushButton::clicked, this, &PreviewDialog::fitPage);
    connect(scroll_->verticalScrollBar(), &QScrollBar::valueChanged, this, &PreviewDialog::showCurrentPage);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        outcome_ = PreviewOutcome::PrintRequested;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // Most of the screen, and the page as wide as the window allows.
    const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(static_cast<int>(available.width() * 0.6), static_cast<int>(available.height() * 0.85));
    showCurrentPage();
}

void PreviewDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!opened_) {
        // It opens on the first page whole, as tall as the window: the viewport has its
        // size only once the dialog is laid out for showing.
        opened_ = true;
        layout()->activate();
        fitPage();
        scroll_->verticalScrollBar()->setValue(0);
        showCurrentPage();
    }
}

PreviewDialog::~PreviewDialog() = default;

void PreviewDialog::zoomBy(double factor)
{
    view_->setZoom(view_->zoom() * factor);
    showCurrentPage();
}

void PreviewDialog::fitWidth()
{
    const double room = scroll_->viewport()->width() - 2.0 * kGap - scroll_->verticalScrollBar()->sizeHint().width();
    view_->setZoom(room / view_->paperPixels(1.0).width());
    showCurrentPage();
}

void PreviewDialog::fitPage()
{
    const QSizeF paper = view_->paperPixels(1.0);
    const double room = std::min((scroll_->viewport()->width() - 2.0 * kGap) / paper.width(),
                                 (scroll_->viewport()->height() - 2.0 * kGap) / paper.height());
    view_->setZoom(room);
    showCurrentPage();
}

void PreviewDialog::showCurrentPage()
{
    const int middle = scroll_->verticalScrollBar()->value() + scroll_->viewport()->height() / 2;
    int current = 0;
    while (current + 1 < view_->pageCount() && view_->pageTop(current + 1) <= middle) {
        ++current;
    }
    pageLabel_->setText(texts::kPageOf.arg(current + 1).arg(std::max(1, view_->pageCount())));
}

}  // namespace virdamo::app

#include "print/page_output.h"

#include <QApplication>
#include <QBuffer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include "files/pdf_text.h"
#include "session/save_file.h"

// The time a page is being drawn: the style leaves focus out, and the control with the focus
// is told the window lost it for that time, so that no text cursor is drawn either. Its
// selection and place stay as they are.
class PageDrawing {
public:
    explicit PageDrawing(QWidget* content) : style_(qobject_cast<PageStyle*>(content->style())) {
        if (style_) style_->drawingPage_ = true;
        QWidget* focus = QApplication::focusWidget();
        if (focus && content->isAncestorOf(focus)) focus_ = focus;
        tellFocus(QEvent::FocusOut);
    }
    ~PageDrawing() {
        if (style_) style_->drawingPage_ = false;
        tellFocus(QEvent::FocusIn);
    }
    PageDrawing(const PageDrawing&) = delete;
    PageDrawing& operator=(const PageDrawing&) = delete;

private:
    void tellFocus(QEvent::Type type) {
        if (!focus_) return;
        QFocusEvent event(type, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(focus_, &event);
    }

    PageStyle* style_;
    QPointer<QWidget> focus_;
};

namespace {

// Runs a drawing with the option's focus taken away; the option is the caller's, and gets its
// state back.
template <class Draw>
void withoutFocus(const QStyleOption* option, Draw&& draw) {
    auto* o = const_cast<QStyleOption*>(option);
    const QStyle::State state = o->state;
    o->state &= ~QStyle::State_HasFocus;
    draw();
    o->state = state;
}

}  // namespace

// On the same style as the rest of the application, so that the screen looks as it always has.
PageStyle::PageStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

void PageStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
    if (!drawingPage_ || !option) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    if (element == PE_FrameFocusRect) return;
    if (element == PE_PanelButtonCommand) {
        // A raised panel of lines and fills, like the screen's, without its cached image.
        const QRectF r = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(option->palette.color(QPalette::Dark));
        painter->setBrush(option->palette.color(QPalette::Button));
        painter->drawRoundedRect(r, 2, 2);
        painter->restore();
        return;
    }
    withoutFocus(option, [&] { QProxyStyle::drawPrimitive(element, option, painter, widget); });
}

void PageStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
    if (!drawingPage_ || !option) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    withoutFocus(option, [&] { QProxyStyle::drawControl(element, option, painter, widget); });
}

void PageStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (!drawingPage_ || !option) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    withoutFocus(option,
                 [&] { QProxyStyle::drawComplexControl(control, option, painter, widget); });
}

namespace page_output {

QByteArray pdf(QWidget* content, bool flat) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle("ボールの軌道");
    writer.setCreator("ballview");
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(content->width() > content->height() ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait);
    writer.setResolution(300);
    // PDF/A-1b has no transparency: a print system that turns the page into PostScript, which
    // has none either, would otherwise send it as one large image.
    if (flat) writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    QPainter painter(&writer);
    // The window drawn straight onto the page, as large as it fits and centred: lines and text
    // stay vectors, sharp at any size.
    const QRect page = painter.viewport();
    const QSize full = content->size();
    const double scale =
        std::min(double(page.width()) / full.width(), double(page.height()) / full.height());
    painter.translate((page.width() - full.width() * scale) / 2,
                      (page.height() - full.height() * scale) / 2);
    painter.scale(scale, scale);
    {
        const PageDrawing drawing(content);
        content->render(&painter);
    }
    painter.end();
    std::string text = bytes.toStdString();
    ball::unifyRadicalsInTextLayer(text);  // so that 見, 角 and 水 are found by a search
    return QByteArray::fromStdString(text);
}

QByteArray png(QWidget* content) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    content->grab().toImage().save(&buffer, "PNG");
    return bytes;
}

const QStringList kImageFilters = {"PNG 画像 (*.png)", "PDF (*.pdf)"};

QString saveImage(QWidget* content, const QString& path) {
    const QByteArray bytes =
        path.endsWith(".pdf", Qt::CaseInsensitive) ? pdf(content) : png(content);
    const std::optional<std::string> failure =
        ball::saveFile(path.toStdString(), bytes.toStdString());
    return failure ? QString::fromStdString(*failure) : QString();
}

QString askSaveName(QWidget* parent, const QString& title, const QString& name,
                    const QStringList& filters, const QString& chosen) {
    // "PDF (*.pdf)" -> "pdf"
    const auto suffixOf = [](const QString& filter) {
        return filter.mid(filter.lastIndexOf("*.") + 2).chopped(1);
    };
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(chosen);
    dialog.setDefaultSuffix(suffixOf(chosen));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    // A native dialog may not add the default suffix itself.
    QString path = dialog.selectedFiles().first();
    if (QFileInfo(path).suffix().isEmpty()) path += "." + suffixOf(dialog.selectedNameFilter());
    return path;
}

}  // namespace page_output

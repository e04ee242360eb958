#include "page_output.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QWidget>

#include "print_status.h"
#include "session/messages.h"

namespace page_output {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QPageLayout::Orientation orientation(const QWidget* content) {
    return content->width() > content->height() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void paintPage(QPainter& painter, QWidget* content) {
    // The window drawn straight onto the page, as large as it fits and centred: lines and text
    // stay vectors, sharp at any size.
    const QRect page = painter.viewport();
    const QSize full = content->size();
    const double scale =
        std::min(double(page.width()) / full.width(), double(page.height()) / full.height());
    painter.translate((page.width() - full.width() * scale) / 2,
                      (page.height() - full.height() * scale) / 2);
    painter.scale(scale, scale);
    content->render(&painter);
}

}  // namespace

PrintOutcome print(QWidget* content) {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty()) {
        info = QPrinterInfo::availablePrinters().first();
    }
    if (info.isNull()) return {qs(ball::noPrinterMessage()), true};
    const QString name = info.printerName();
    const std::string who = name.toStdString();
    const QString refusal = printerRefusal(name);
    if (!refusal.isEmpty()) {
        return {qs(ball::printerRefusedMessage(who, refusal.toStdString()))};
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName("ballview");
    printer.setPageOrientation(orientation(content));
    QPainter painter;
    if (!painter.begin(&printer)) return {qs(ball::printStartFailedMessage(who))};
    paintPage(painter, content);
    if (!painter.end()) return {qs(ball::printFailedMessage(who, {}))};
    const QString failure = lastJobFailure();
    if (!failure.isEmpty()) return {qs(ball::printFailedMessage(who, failure.toStdString()))};
    return {};
}

QString saveImage(QWidget* content, const QString& path) {
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok && path.endsWith(".pdf", Qt::CaseInsensitive)) {
        QPdfWriter pdf(&file);
        pdf.setTitle("ボールの軌道");
        pdf.setCreator("ballview");
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(orientation(content));
        pdf.setResolution(300);
        QPainter painter;
        ok = painter.begin(&pdf);
        if (ok) paintPage(painter, content);
        ok = ok && painter.end();
    } else if (ok) {
        ok = content->grab().toImage().save(&file, "PNG");
    }
    ok = ok && file.commit();
    return ok ? QString() : qs(ball::imageSaveFailedMessage(path.toStdString()));
}

}  // namespace page_output

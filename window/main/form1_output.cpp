// Form1's printing and saving: the print dialog and its outcome, the image and the CSV.
#include <QMessageBox>
#include <QPushButton>

#include "kit/error_box.h"
#include "main/form1.h"
#include "print/page_output.h"
#include "print/print_dialog.h"
#include "print/print_worker.h"
#include "session/messages.h"

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

void Form1::printWithDialog() {
    if (printer_->isBusy()) return;
    PrintDialog dialog(this);
    const int chosen = dialog.exec();
    if (chosen == QDialog::Accepted) printer_->print(content_, dialog.choice());
    if (chosen == PrintDialog::SavePdf) askSaveImage("PDF (*.pdf)");
}

void Form1::printFinished(const PrintOutcome& out) {
    if (out.message.isEmpty()) return said(ball::printedMessage(out.printer.toStdString()));
    QMessageBox* box = showError(this, out.message);
    if (out.noPrinter) {
        // Offer the same page as a PDF instead.
        QPushButton* pdf = box->addButton("PDFとして保存…", QMessageBox::ActionRole);
        pdf->setObjectName("savePdfButton");
        connect(pdf, &QPushButton::clicked, this, [this] { askSaveImage("PDF (*.pdf)"); });
    }
}

bool Form1::saveImage(const QString& path) {
    const QString failure = page_output::saveImage(content_, path);
    return saidSaved(path, failure);
}

bool Form1::saveCsv(const QString& path) {
    const std::optional<std::string> failure = session_.saveCsv(path.toStdString());
    return saidSaved(path, failure ? qs(*failure) : QString());
}

bool Form1::saidSaved(const QString& path, const QString& failure) {
    if (!failure.isEmpty()) return showError(this, failure), false;
    said(ball::savedMessage(path.toStdString()));
    return true;
}

void Form1::askSaveImage(const QString& filter) {
    const QString path = page_output::askSaveName(
        this, "画像を保存", filter.contains("pdf") ? "ballview.pdf" : "ballview.png",
        page_output::kImageFilters, filter);
    if (!path.isEmpty()) saveImage(path);
}

void Form1::askSaveCsv() {
    const QString path = page_output::askSaveName(this, "軌道を保存", "ballview.csv",
                                                  {"CSV (*.csv)"}, "CSV (*.csv)");
    if (!path.isEmpty()) saveCsv(path);
}

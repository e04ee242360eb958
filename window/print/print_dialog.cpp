#include "print/print_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtConcurrent>
#include <algorithm>

PrintDialog::PrintDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("printDialog");
    setWindowTitle("印刷");
    printer_ = new QComboBox(this);
    printer_->setObjectName("printerBox");
    printer_->addItem("プリンタを探しています…");
    printer_->setEnabled(false);
    copies_ = new QSpinBox(this);
    copies_->setObjectName("copiesBox");
    copies_->setRange(1, 99);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);  // a server's own words, never markup
    status_->hide();
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText("印刷");
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow("プリンタ", printer_);
    form->addRow("部数", copies_);
    form->addRow(status_);
    form->addRow(buttons_);
    printers_ = new QFutureWatcher<PrinterList>(this);
    connect(printers_, &QFutureWatcherBase::finished, this, &PrintDialog::showPrinters);
    printers_->setFuture(QtConcurrent::run(printThreads(), listPrinters, stop_));
    // However slowly the server answers, the dialog says so within the deadline.
    QTimer::singleShot(kPrintDeadlineSeconds * 1000, this,
                       [stop = stop_] { stop->stop(PrintStop::Why::Late); });
}

PrintDialog::~PrintDialog() { stop_->stop(PrintStop::Why::Cancelled); }

void PrintDialog::showPrinters() {
    const PrinterList list = printers_->result();
    printer_->clear();
    printer_->addItems(list.queues);
    printer_->setEnabled(!list.queues.isEmpty());
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!list.queues.isEmpty());
    status_->setText(list.failure);
    status_->setVisible(!list.failure.isEmpty());
    // Wide enough that each sentence keeps to its line, tall enough for all of them.
    int widest = 0;
    for (const QString& line : list.failure.split('\n')) {
        widest = std::max(widest, status_->fontMetrics().horizontalAdvance(line));
    }
    status_->setMinimumWidth(std::min(widest + 2, 800));
    if (list.queues.isEmpty()) {
        QPushButton* pdf = buttons_->addButton("PDFとして保存…", QDialogButtonBox::ActionRole);
        pdf->setObjectName("savePdfButton");
        connect(pdf, &QPushButton::clicked, this, [this] { done(SavePdf); });
    }
    adjustSize();
}

PrintChoice PrintDialog::choice() const {
    return {.queue = printer_->isEnabled() ? printer_->currentText() : QString(),
            .copies = copies_->value()};
}

#pragma once

#include <QDialog>
#include <QFutureWatcher>
#include <memory>

#include "print/print_job.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QSpinBox;

/// "印刷": where to print and how many copies, before the page goes. The queues are asked for
/// off the window's thread; until they come, and when none can be had, it says so, growing to
/// its message, and offers the page as a PDF instead.
class PrintDialog : public QDialog {
    Q_OBJECT

public:
    explicit PrintDialog(QWidget* parent);
    ~PrintDialog() override;

    /// What exec() returns when the user asks for the page as a PDF instead: there is no
    /// printer to choose.
    static constexpr int SavePdf = 2;

    /// The queue and copies chosen.
    PrintChoice choice() const;

private:
    void showPrinters();

    QComboBox* printer_;
    QSpinBox* copies_;
    QLabel* status_;
    QDialogButtonBox* buttons_;
    QFutureWatcher<PrinterList>* printers_;
    std::shared_ptr<PrintStop> stop_ = std::make_shared<PrintStop>();
};

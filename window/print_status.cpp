#include "print_status.h"

#ifdef BALL_HAVE_CUPS
#include <cups/cups.h>

#include <cstring>
#endif

#ifdef BALL_HAVE_CUPS

QString printerRefusal(const QString& printer) {
    const QByteArray name = printer.toLocal8Bit();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest) return {};
    const auto option = [dest](const char* key) {
        const char* v = cupsGetOption(key, dest->num_options, dest->options);
        return v ? QString::fromUtf8(v) : QString();
    };
    QString refusal;
    if (option("printer-is-accepting-jobs") == "false") {
        refusal = "印刷ジョブを受け付けていません";
    } else if (option("printer-state") == QString::number(IPP_PSTATE_STOPPED)) {
        refusal = "停止しています";
    }
    const QString message = option("printer-state-message");
    if (!refusal.isEmpty() && !message.isEmpty()) refusal += "（" + message + "）";
    cupsFreeDests(1, dest);
    return refusal;
}

QString lastJobFailure() {
    // Qt sends the job through CUPS on this thread without looking at the answer; CUPS keeps
    // the answer of the last request per thread.
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return {};
    return QString::fromUtf8(cupsLastErrorString());
}

#else

QString printerRefusal(const QString&) { return {}; }
QString lastJobFailure() { return {}; }

#endif

#include "print/print_job.h"

#include <sys/socket.h>

#include <QThreadPool>

#include "session/messages.h"

void PrintStop::stop(Why why) {
    const std::lock_guard lock(mutex_);
    if (why_ != Why::None) return;
    why_ = why;
    if (socket_ >= 0) ::shutdown(socket_, SHUT_RDWR);
}

PrintStop::Why PrintStop::why() const {
    const std::lock_guard lock(mutex_);
    return why_;
}

void PrintStop::attach(int socket) {
    const std::lock_guard lock(mutex_);
    socket_ = socket;
    if (socket_ >= 0 && why_ != Why::None) ::shutdown(socket_, SHUT_RDWR);
}

QThreadPool* printThreads() {
    // Never destroyed, so that ending the program waits for no job; a stopped one ends soon.
    static QThreadPool* const threads = new QThreadPool;
    return threads;
}

#ifdef BALL_HAVE_CUPS

#include <cups/cups.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace {

// How long the print server may stay silent before the job is given up.
constexpr int kServerTimeoutSeconds = 10;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// One connection to the print server, for one job and this thread alone; a request that meets
// kServerTimeoutSeconds of silence fails and marks the server silent, and one the job's stop
// ends fails at once.
class PrintServer {
public:
    explicit PrintServer(std::shared_ptr<PrintStop> stop)
        : name_(cupsServer()), stop_(std::move(stop)) {
        // A server by address is named with its port; a local socket by its path.
        if (!name_.empty() && name_[0] != '/') name_ += ':' + std::to_string(ippPort());
        const auto start = std::chrono::steady_clock::now();
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             kServerTimeoutSeconds * 1000, nullptr);
        if (!http_) {
            // Refused at once: no print server, so no printer. Silent until the timeout: one
            // that does not answer.
            silent_ = std::chrono::steady_clock::now() - start >=
                      std::chrono::seconds(kServerTimeoutSeconds) - std::chrono::milliseconds(500);
            return;
        }
        httpSetTimeout(http_, kServerTimeoutSeconds, &PrintServer::giveUp, this);
        stop_->attach(httpGetFd(http_));
    }
    ~PrintServer() {
        if (!http_) return;
        stop_->attach(-1);  // before the socket closes, so that no stop shuts another's
        httpClose(http_);
    }
    PrintServer(const PrintServer&) = delete;
    PrintServer& operator=(const PrintServer&) = delete;

    http_t* http() const { return http_; }
    /// Whether the job is to end now: the server fell silent, or the job was stopped.
    bool stopped() const { return silent_ || stop_->why() != PrintStop::Why::None; }
    /// Why, in the user's words; empty for a job cancelled by the program.
    QString stopMessage() const {
        switch (stop_->why()) {
            case PrintStop::Why::Late:
                return qs(ball::printServerLateMessage(name_, kPrintDeadlineSeconds));
            case PrintStop::Why::Cancelled: return {};
            case PrintStop::Why::None: break;
        }
        return qs(ball::printServerSilentMessage(name_, kServerTimeoutSeconds));
    }

private:
    static int giveUp(http_t*, void* self) {
        static_cast<PrintServer*>(self)->silent_ = true;
        return 0;
    }

    std::string name_;
    std::shared_ptr<PrintStop> stop_;
    http_t* http_ = nullptr;
    bool silent_ = false;
};

// The queue the user named for this program, and the variable that named it; LPDEST comes
// before PRINTER, and PRINTER=lp names no queue, as for the print system's own commands.
std::pair<std::string, std::string> namedQueue() {
    for (const char* variable : {"LPDEST", "PRINTER"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value) continue;
        if (std::string(variable) == "PRINTER" && std::string(value) == "lp") continue;
        return {value, variable};
    }
    return {};
}

// The default queue, or failing one the first there is; empty when there is none or the server
// fell silent.
std::string defaultQueue(const PrintServer& server) {
    if (cups_dest_t* dest = cupsGetNamedDest(server.http(), nullptr, nullptr)) {
        std::string name = dest->name;
        cupsFreeDests(1, dest);
        return name;
    }
    if (server.stopped()) return {};
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(server.http(), &dests);
    std::string name = count > 0 ? dests[0].name : "";
    cupsFreeDests(count, dests);
    return name;
}

// The queue to print on and the variable that named it: the one the user named for this
// program, or else the default one; empty when there is none or the server fell silent.
std::pair<std::string, std::string> queueFor(const PrintServer& server) {
    auto named = namedQueue();
    if (!named.first.empty()) return named;
    return {defaultQueue(server), std::string()};
}

// What a queue says of itself over IPP.
struct QueueState {
    bool found = false;
    bool accepting = true;
    bool stopped = false;
    std::string reason;  // its state message and reasons, as the queue gives them
};

QueueState queueState(http_t* http, const std::string& queue) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", queue.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const kWanted[] = {"printer-state", "printer-state-message",
                                          "printer-state-reasons", "printer-is-accepting-jobs"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  std::size(kWanted), nullptr, kWanted);
    ipp_t* response = cupsDoRequest(http, request, "/");
    QueueState state;
    state.found = response && cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
    if (state.found) {
        if (ipp_attribute_t* a =
                ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN)) {
            state.accepting = ippGetBoolean(a, 0);
        }
        if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM)) {
            state.stopped = ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
        }
        const auto add = [&](const char* text) {
            if (!text || !*text || std::string(text) == "none") return;
            state.reason += (state.reason.empty() ? "" : "、") + std::string(text);
        };
        if (ipp_attribute_t* a =
                ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT)) {
            add(ippGetString(a, 0, nullptr));
        }
        if (ipp_attribute_t* a =
                ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD)) {
            for (int i = 0; i < ippGetCount(a); ++i) add(ippGetString(a, i, nullptr));
        }
    }
    ippDelete(response);
    return state;
}

// Sends the document as one job; the print system's answer when it did not take it.
std::string sendJob(http_t* http, const std::string& queue, const QByteArray& pdf, int copies) {
    // A printer that takes PostScript gets the page through pdftops; its cairo renderer keeps
    // the text as text, where the default one leaves shapes that no longer read as words.
    cups_option_t* options = nullptr;
    int count = cupsAddOption("pdftops-renderer", "pdftocairo", 0, &options);
    count = cupsAddIntegerOption("copies", copies, count, &options);
    const int job = cupsCreateJob(http, queue.c_str(), "ballview", count, options);
    cupsFreeOptions(count, options);
    if (job == 0) return cupsLastErrorString();
    bool sent = cupsStartDocument(http, queue.c_str(), job, "ballview", CUPS_FORMAT_PDF, 1) ==
                HTTP_STATUS_CONTINUE;
    sent = sent && cupsWriteRequestData(http, pdf.constData(), static_cast<size_t>(pdf.size())) ==
                       HTTP_STATUS_CONTINUE;
    if (cupsFinishDocument(http, queue.c_str()) <= IPP_STATUS_OK_EVENTS_COMPLETE && sent) {
        return {};
    }
    const std::string failure = cupsLastErrorString();
    cupsCancelJob2(http, queue.c_str(), job, 0);
    return failure.empty() ? "?" : failure;
}

}  // namespace

PrintOutcome sendToPrinter(const QByteArray& pdf, const PrintChoice& choice,
                           const std::shared_ptr<PrintStop>& stop) {
    PrintServer server(stop);
    if (server.stopped()) return {server.stopMessage()};
    if (!server.http()) return {qs(ball::noPrinterMessage()), true};

    const auto [queue, variable] = choice.queue.isEmpty()
                                       ? queueFor(server)
                                       : std::pair{choice.queue.toStdString(), std::string()};
    if (server.stopped()) return {server.stopMessage()};
    if (queue.empty()) return {qs(ball::noPrinterMessage()), true};
    const QueueState state = queueState(server.http(), queue);
    if (server.stopped()) return {server.stopMessage()};
    // A queue the user named that does not exist: nothing goes to another one.
    if (!state.found) return {qs(ball::printerMissingMessage(queue, variable))};
    if (!state.accepting || state.stopped) {
        return {qs(ball::printerRefusedMessage(queue, !state.accepting, state.reason))};
    }
    const std::string failure = sendJob(server.http(), queue, pdf, choice.copies);
    if (server.stopped()) return {server.stopMessage()};
    if (!failure.empty()) return {qs(ball::printFailedMessage(queue, failure))};
    return {.message = {}, .noPrinter = false, .printer = qs(queue)};
}

PrinterList listPrinters(const std::shared_ptr<PrintStop>& stop) {
    PrintServer server(stop);
    if (server.stopped()) return {{}, server.stopMessage()};
    if (!server.http()) return {{}, qs(ball::noPrinterMessage())};
    const std::string first = queueFor(server).first;
    if (server.stopped()) return {{}, server.stopMessage()};
    PrinterList list;
    if (!first.empty()) list.queues << qs(first);
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(server.http(), &dests);
    for (int i = 0; i < count; ++i) {
        if (dests[i].instance || dests[i].name == first) continue;
        list.queues << qs(dests[i].name);
    }
    cupsFreeDests(count, dests);
    if (server.stopped()) return {{}, server.stopMessage()};
    if (list.queues.isEmpty()) list.failure = qs(ball::noPrinterMessage());
    return list;
}

#else

PrinterList listPrinters(const std::shared_ptr<PrintStop>&) {
    return {{}, QString::fromStdString(ball::noPrinterMessage())};
}

// Without CUPS there is no print server to send the page to: offer the PDF instead.
PrintOutcome sendToPrinter(const QByteArray&, const PrintChoice&,
                           const std::shared_ptr<PrintStop>&) {
    return {QString::fromStdString(ball::noPrinterMessage()), true};
}

#endif

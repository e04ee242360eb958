#include "main/read_as_marks.h"

#include <QLineEdit>
#include <QVariant>

#include "files/number_text.h"
#include "session/messages.h"

namespace read_as {

namespace {

constexpr const char* kMarked = "readAsMarked";
constexpr const char* kPlainTip = "readAsPlainTip";

void unmark(QLineEdit* box) {
    if (!box->property(kMarked).toBool()) return;
    box->setStyleSheet({});
    box->setToolTip(box->property(kPlainTip).toString());
    box->setProperty(kMarked, false);
}

}  // namespace

std::string mark(const std::vector<QLineEdit*>& boxes) {
    std::string first;
    int more = 0;
    for (QLineEdit* box : boxes) {
        const std::string text = box->text().toStdString();
        if (ball::parseWholeNumber(text)) {
            unmark(box);
            continue;
        }
        // What a screen reader calls the box, without its units and hints.
        const std::string caption = box->accessibleName().section(" (", 0, 0).toStdString();
        const std::string said = ball::readAsMessage(caption, text, ball::parseNumber(text));
        if (!box->property(kPlainTip).isValid()) {  // the first time: unmarked when edited
            box->setProperty(kPlainTip, box->toolTip());
            QObject::connect(box, &QLineEdit::textEdited, box, [box] { unmark(box); });
        }
        if (!box->property(kMarked).toBool()) box->setProperty(kPlainTip, box->toolTip());
        box->setProperty(kMarked, true);
        box->setToolTip(QString::fromStdString(said));
        box->setStyleSheet("QLineEdit { border: 2px solid #c07000; }");
        if (first.empty()) {
            first = said;
        } else {
            ++more;
        }
    }
    return more > 0 ? first + "（ほか " + std::to_string(more) + " か所）" : first;
}

}  // namespace read_as

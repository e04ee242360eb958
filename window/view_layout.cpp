#include "view_layout.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <tuple>

#include "form1_ui.h"
#include "picture_box.h"

ViewLayout::ViewLayout(QWidget* content, const std::array<PictureBox*, 3>& views)
    : QObject(content), content_(content), views_(views) {
    for (int v = 0; v < 3; ++v) base_[v] = views_[v]->geometry();
    // Each control with the view it stays centred on as the views grow (kRightOfViews: it
    // stays right of them), and the view whose bottom it keeps its distance to (kKeepsTop: it
    // keeps its own top).
    constexpr int kRightOfViews = -1, kKeepsTop = -1;
    const std::tuple<const char*, int, int> anchors[] = {
        {"Label18", 0, 0},
        {"Label19", 1, 1},
        {"Label20", 2, 2},
        {"Command1", 2, 2},
        {"Command2", 2, 2},
        {"Command3", 2, 2},
        {"Command4", 2, 1},
        {"Ball1setFrm", kRightOfViews, kKeepsTop},
        {"Ball2Frm", kRightOfViews, kKeepsTop},
    };
    for (const auto& [name, across, below] : anchors) {
        QWidget* w = content_->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        anchored_.push_back({w, w->geometry(), across, below});
    }
    content_->installEventFilter(this);
    place();
}

void ViewLayout::fitTo(QWidget* window, const QRect& available) {
    // Room the window system takes around the window; before it is first shown, the size of a
    // common title bar and border.
    const QRect inner = window->geometry(), outer = window->frameGeometry();
    QMargins frame(outer.left() - inner.left(), inner.top() - outer.top(),
                   outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (frame.isNull()) frame = QMargins(8, 32, 8, 8);
    const QSize room = available.size().shrunkBy(frame);
    const QSize full = Form1Ui::kLayoutSize;
    if (room.width() >= full.width() && room.height() >= full.height()) {
        window->resize(full);
        return;
    }
    window->setMinimumSize(QSize(240, 180).boundedTo(room));
    window->resize(full.boundedTo(room));
    window->move(available.topLeft() + QPoint(frame.left(), frame.top()));
}

bool ViewLayout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == content_ && event->type() == QEvent::Resize) place();
    return QObject::eventFilter(watched, event);
}

void ViewLayout::place() {
    // The views scale by the largest factor that lets them and the panels fit.
    const QSize size = content_->size();
    const double k =
        std::max(Form1Ui::kSmallestViews,
                 std::min(double(size.width() - Form1Ui::kPanelsWidth) / Form1Ui::kViewsWidth,
                          double(size.height()) / Form1Ui::kLayoutSize.height()));
    const auto scaled = [k](const QRect& r) {
        return QRect(qRound(r.x() * k), qRound(r.y() * k), qRound(r.width() * k),
                     qRound(r.height() * k));
    };
    QRect now[3];
    for (int v = 0; v < 3; ++v) views_[v]->setGeometry(now[v] = scaled(base_[v]));
    const auto right = [](const QRect& r) { return r.x() + r.width(); };
    const auto bottom = [](const QRect& r) { return r.y() + r.height(); };
    for (const Anchored& a : anchored_) {
        QRect g = a.base;
        if (a.across < 0) {
            g.moveLeft(right(now[2]) + a.base.x() - right(base_[2]));
        } else {
            const double centre = a.base.x() + a.base.width() / 2.0 - base_[a.across].x();
            g.moveLeft(now[a.across].x() + qRound(centre * k - a.base.width() / 2.0));
        }
        if (a.below >= 0) g.moveTop(bottom(now[a.below]) + a.base.y() - bottom(base_[a.below]));
        a.widget->setGeometry(g);
    }
}

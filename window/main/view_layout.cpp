#include "main/view_layout.h"

#include <QEvent>
#include <QWidget>
#include <QtMath>
#include <algorithm>
#include <tuple>

#include "main/form1_ui.h"
#include "views/picture_box.h"

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
    // Below this the buttons under the views would run into one another.
    const int across = base_[2].x() - (base_[0].x() + base_[0].width());
    content_->setMinimumSize(Form1Ui::kPanelsWidth + across +
                                 qCeil((Form1Ui::kViewsWidth - across) * Form1Ui::kSmallestViews),
                             Form1Ui::kLayoutSize.height());
    content_->installEventFilter(this);
    if (QWidget* shown = content_->parentWidget()) shown->installEventFilter(this);
    place();
}

void ViewLayout::fitTo(QWidget* window, const QRect& available, QSize full) {
    // Room the window system takes around the window; before it is first shown, the size of a
    // common title bar and border.
    const QRect inner = window->geometry(), outer = window->frameGeometry();
    QMargins frame(outer.left() - inner.left(), inner.top() - outer.top(),
                   outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (frame.isNull()) frame = QMargins(8, 32, 8, 8);
    const QSize room = available.size().shrunkBy(frame);
    if (room.width() >= full.width() && room.height() >= full.height()) {
        window->resize(full);
        return;
    }
    window->setMinimumSize(QSize(240, 180).boundedTo(room));
    window->resize(full.boundedTo(room));
    window->move(available.topLeft() + QPoint(frame.left(), frame.top()));
}

bool ViewLayout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) place();  // of the surface, or of what shows of it
    return QObject::eventFilter(watched, event);
}

void ViewLayout::place() {
    // The views fill the room the panels leave, across and down each by its own factor; the
    // gaps between them, where their captions stand, and the room below them keep their size,
    // so that no caption runs into a view whatever the factors.
    const auto right = [](const QRect& r) { return r.x() + r.width(); };
    const auto bottom = [](const QRect& r) { return r.y() + r.height(); };
    const int across = base_[2].x() - right(base_[0]);  // between the side and catcher views
    const int down = base_[1].y() - bottom(base_[0]);   // between the side and top views
    const int below = Form1Ui::kLayoutSize.height() - bottom(base_[1]);
    // The views fit what shows of the surface: on a small screen the panels beside them may
    // scroll, the views do not.
    const QWidget* shown = content_->parentWidget();
    const QSize size(content_->width(),
                     shown ? std::min(shown->height(), content_->height()) : content_->height());
    const double kx =
        std::max(Form1Ui::kSmallestViews, double(size.width() - Form1Ui::kPanelsWidth - across) /
                                              (Form1Ui::kViewsWidth - across));
    const double ky =
        std::max(Form1Ui::kSmallestViews, double(size.height() - down - below) /
                                              (Form1Ui::kLayoutSize.height() - down - below));
    const auto scaled = [kx, ky](const QRect& r, int x, int y) {
        return QRect(x, y, qRound(r.width() * kx), qRound(r.height() * ky));
    };
    QRect now[3];
    now[0] = scaled(base_[0], base_[0].x(), base_[0].y());
    now[1] = scaled(base_[1], base_[1].x(), bottom(now[0]) + down);
    now[2] = scaled(base_[2], right(now[0]) + across, base_[2].y());
    for (int v = 0; v < 3; ++v) views_[v]->setGeometry(now[v]);
    for (const Anchored& a : anchored_) {
        QRect g = a.base;
        if (a.across < 0) {
            g.moveLeft(right(now[2]) + a.base.x() - right(base_[2]));
        } else {
            const double centre = a.base.x() + a.base.width() / 2.0 - base_[a.across].x();
            g.moveLeft(now[a.across].x() + qRound(centre * kx - a.base.width() / 2.0));
            // Never into the panels: a caption wider than its shrunken view moves left.
            if (g.right() >= right(now[2])) g.moveRight(right(now[2]) - 1);
        }
        if (a.below >= 0) g.moveTop(bottom(now[a.below]) + a.base.y() - bottom(base_[a.below]));
        a.widget->setGeometry(g);
    }
}

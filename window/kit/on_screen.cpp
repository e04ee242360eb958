#include "kit/on_screen.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

void present(QWidget* window) {
    window->show();
    if (const QScreen* screen = window->screen()) {
        const QRect room = screen->availableGeometry();
        // The title bar and borders around it, where the window system gives them.
        const QSize frame = window->frameGeometry().size() - window->size();
        window->resize(window->size().boundedTo(room.size() - frame).expandedTo(
            window->minimumSize()));
        const QRect at = window->frameGeometry();
        const int x = std::clamp(at.left(), room.left(),
                                 std::max(room.left(), room.right() + 1 - at.width()));
        const int y = std::clamp(at.top(), room.top(),
                                 std::max(room.top(), room.bottom() + 1 - at.height()));
        if (QPoint(x, y) != at.topLeft()) window->move(x, y);
    }
    window->raise();
    window->activateWindow();
}

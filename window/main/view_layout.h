#pragma once

#include <QObject>
#include <QRect>
#include <array>
#include <vector>

class PictureBox;
class QWidget;

/// The form's layout as the window grows: the three views fill the width the panels leave and
/// the height, each way by its own factor, down to kSmallestViews; every other control keeps
/// its size and its place relative to a view, the panels right of the views, and the surface is
/// never smaller than that smallest layout, where nothing overlaps. It follows the surface's
/// resizes by itself.
class ViewLayout : public QObject {
    Q_OBJECT

public:
    /// Takes the surface as laid out now as the layout at factor 1.
    ViewLayout(QWidget* content, const std::array<PictureBox*, 3>& views);

    /// Fits a window holding the layout to a free area, in screen coordinates: at its full size
    /// where that fits, otherwise as large as the area allows, with the content scrolling.
    static void fitTo(QWidget* window, const QRect& available, QSize full);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    // A control placed relative to the views as they grow: the index of the view it stays
    // centred on (-1: right of the views) and of the view below which it keeps its distance
    // (-1: it keeps its top).
    struct Anchored {
        QWidget* widget;
        QRect base;  // its place in the layout as drawn
        int across;
        int below;
    };

    QWidget* content_;
    std::array<PictureBox*, 3> views_;
    std::array<QRect, 3> base_;  // the views' places in the layout as drawn
    std::vector<Anchored> anchored_;
};

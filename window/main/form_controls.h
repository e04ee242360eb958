#pragma once

#include <QRect>
#include <QString>
#include <utility>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

// The kit the form is built with: controls placed by their designed geometry in twips, named
// as the form names them (with the member index, as in SpeedTxt_0).
namespace form_controls {

/// A rectangle given in twips; 15 twips are one logical pixel.
constexpr QRect twips(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

/// A control's objectName: its name, with "_index" for a member of a control array.
QString controlName(const char* name, int index);

/// A new control of type W on the parent, named and at its geometry.
template <class W, class... Args>
W* place(QWidget* parent, const char* name, int index, QRect geometry, Args&&... args) {
    W* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(controlName(name, index));
    w->setGeometry(geometry);
    return w;
}

/// A caption at its place, in the window's one text size. One laid out a line high grows to
/// the right when the font needs more room; a taller one wraps and grows downward.
QLabel* label(QWidget* parent, const char* name, int index, const QString& text, QRect g);

/// A caption whose place is too small for this font: it takes the empty room around its place,
/// given here, so that it neither shrinks nor runs into its neighbours.
QLabel* roomyLabel(QWidget* parent, const char* name, int index, const QString& text, QRect room);

QLineEdit* textBox(QWidget* parent, const char* name, int index, const QString& text, QRect g);

/// An option button; it grows about its middle and to the right to fit its indicator and
/// caption.
QRadioButton* option(QWidget* parent, const char* name, int index, const QString& text, QRect g,
                     bool checked);

QGroupBox* frame(QWidget* parent, const char* name, int index, const QString& title, QRect g);

/// A line control from (x1, y1) to (x2, y2) in twips, horizontal or vertical.
void lineControl(QWidget* parent, const char* name, int index, int x1, int y1, int x2, int y2);

}  // namespace form_controls

#pragma once

#include <QByteArray>
#include <QProxyStyle>
#include <QString>
#include <QStringList>

class QWidget;

/// The style of the window's controls: the application's own on screen. While a page is being
/// drawn it leaves out focus rings, and paints push buttons as plain vector shapes rather than
/// the cached images with transparency that the screen style uses, so that a page stays lines
/// and text.
class PageStyle : public QProxyStyle {
    Q_OBJECT

public:
    PageStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;

private:
    friend class PageDrawing;
    bool drawingPage_ = false;
};

/// The window on paper and in files: the layout drawn straight onto a page, landscape, centred
/// and as large as it fits, lines and text kept as vectors.
namespace page_output {

/// The page as a one-page A4 PDF; drawn with a PageStyle when the layout's controls have one. A
/// flat page has no transparency (what the screen draws half-transparent comes out solid), for
/// printing.
QByteArray pdf(QWidget* content, bool flat = false);

/// The layout as a PNG of its size, as the screen shows it.
QByteArray png(QWidget* content);

/// Saves the widget as an image at the path: a PDF page of vectors for a name ending in .pdf,
/// a PNG otherwise, replacing the file whole. The message when it cannot; empty when saved.
QString saveImage(QWidget* content, const QString& path);

/// The image filters a save dialog offers, PNG first.
extern const QStringList kImageFilters;

/// Asks where to save, in a dialog over the parent, starting from a name and one of the
/// filters ("PDF (*.pdf)"). A name typed without an extension takes the chosen filter's, and
/// is saved as that type. Empty when the user cancels.
QString askSaveName(QWidget* parent, const QString& title, const QString& name,
                    const QStringList& filters, const QString& chosen);

}  // namespace page_output

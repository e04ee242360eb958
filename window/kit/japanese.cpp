#include "kit/japanese.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QToolTip>
#include <QTranslator>

void speakJapanese(QApplication& app) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    auto* qt = new QTranslator(&app);
    if (qt->load(japanese, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(qt);
    }
    // A tooltip mixes Japanese and figures: in one Japanese font, the digits after a Japanese
    // word no longer come out narrower than the others.
    QFont tip = QToolTip::font();
    tip.setFamilies({"Noto Sans CJK JP"});
    QToolTip::setFont(tip);
}

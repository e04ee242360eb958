#pragma once

class QApplication;

/// Puts Qt's own texts (the standard buttons, the file dialogs, the text boxes' menus) in
/// Japanese like the rest of the window, whatever the system's language, and tooltips in one
/// Japanese font. Without Qt's translation installed its texts stay as Qt has them.
void speakJapanese(QApplication& app);

#pragma once

class QWidget;

/// Shows a window of its own, in front and to the keyboard, wholly on its screen: moved in
/// where it would stand partly off, and made smaller (never below its minimum) where it is
/// larger than the screen's free area.
void present(QWidget* window);

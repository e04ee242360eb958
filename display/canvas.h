#pragma once

#include <cstdint>
#include <string>

namespace ball {

/// An 8-bit (red, green, blue) colour.
struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRed{255, 0, 0};

/// The drawing operations of a picture box, in world coordinates.
class Canvas {
public:
    virtual ~Canvas() = default;

    /// Fills the box with the colour, erasing everything drawn before.
    virtual void setBackground(Rgb colour) = 0;
    /// World coordinates of the top-left and bottom-right corners of the drawing area.
    virtual void setScale(double left, double top, double right, double bottom) = 0;
    /// Colour of the lines and texts that follow.
    virtual void setForeground(Rgb colour) = 0;
    /// A plain line in the foreground colour.
    virtual void line(float x1, float y1, float x2, float y2) = 0;
    /// A number's text in the foreground colour, the top-left of the text at (x, y).
    virtual void printNumber(float x, float y, const std::string& text) = 0;
};

/// A canvas that keeps nothing: for a run whose pictures nobody looks at.
class NoCanvas : public Canvas {
public:
    void setBackground(Rgb) override {}
    void setScale(double, double, double, double) override {}
    void setForeground(Rgb) override {}
    void line(float, float, float, float) override {}
    void printNumber(float, float, const std::string&) override {}
};

}  // namespace ball

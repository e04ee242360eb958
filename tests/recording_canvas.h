#pragma once

#include <charconv>
#include <string>
#include <vector>

#include "display/canvas.h"

namespace ball::test {

/// A canvas that records each operation as a line of text, numbers in shortest form.
class RecordingCanvas : public Canvas {
public:
    std::vector<std::string> ops;

    void setBackground(Rgb c) override { ops.push_back("background " + rgb(c)); }
    void setScale(double l, double t, double r, double b) override {
        ops.push_back("scale " + num(l) + " " + num(t) + " " + num(r) + " " + num(b));
    }
    void setForeground(Rgb c) override { ops.push_back("foreground " + rgb(c)); }
    void line(float x1, float y1, float x2, float y2) override {
        ops.push_back("line " + num(x1) + " " + num(y1) + " " + num(x2) + " " + num(y2));
    }
    void printNumber(float x, float y, const std::string& text) override {
        ops.push_back("print " + num(x) + " " + num(y) + " [" + text + "]");
    }

    /// How many recorded operations start with the prefix.
    int count(const std::string& prefix) const {
        int n = 0;
        for (const std::string& op : ops) n += op.rfind(prefix, 0) == 0;
        return n;
    }

    template <class T>
    static std::string num(T v) {
        char buf[32];
        return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    }

private:
    static std::string rgb(Rgb c) {
        return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
    }
};

}  // namespace ball::test

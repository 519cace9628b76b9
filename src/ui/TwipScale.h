#pragma once
// Converts twips (1/1440 inch), the unit the windows' layouts are given in, to pixels of the widget's screen.

#include <QWidget>

namespace vorix {

class TwipScale {
public:
    explicit TwipScale(const QWidget& widget) : dpiX_(widget.logicalDpiX()), dpiY_(widget.logicalDpiY()) {}
    int x(int twips) const { return twips * dpiX_ / 1440; }
    int y(int twips) const { return twips * dpiY_ / 1440; }

private:
    int dpiX_;
    int dpiY_;
};

} // namespace vorix

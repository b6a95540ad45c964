#include "ui/framework/ScreenDensity.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

struct Density {
    bool known = false;
    int x = 96;
    int y = 96;
};

Density& TheDensity() {
    static Density density;
    return density;
}

} // namespace

int ScreenDpiX() {
    return TheDensity().x;
}

int ScreenDpiY() {
    return TheDensity().y;
}

bool ScreenDpiKnown() {
    return TheDensity().known;
}

void ReadScreenDpi() {
    Density& density = TheDensity();
    if (density.known)
        return;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        density.x = int(std::lround(screen->logicalDotsPerInchX()));
        density.y = int(std::lround(screen->logicalDotsPerInchY()));
    }
    density.known = true;
}

void SetScreenDpi(int dpiX, int dpiY) {
    Density& density = TheDensity();
    density.x = dpiX;
    density.y = dpiY;
    density.known = true;
}

void ForgetScreenDpi() {
    TheDensity() = Density{};
}

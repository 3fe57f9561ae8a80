// The frame's input sample, the wheel difference and the clock with its frame-rate display.
#include "app/frame.h"

#include <string>

#include "app/state.h"

using namespace gfx;

int UserInput() {
    G.MOUSE1HIT = static_cast<uint8_t>(MouseHit(1));
    G.MOUSESCROLL = MouseZSpeed(MouseZ());
    G.MX = MouseX();
    G.MY = MouseY();
    return 0;
}

int MouseZSpeed(int z) {
    const int d = z - G.MZSpeedOld;
    G.MZSpeedOld = z;
    return d;
}

int FPS() {
    G.TIME = MilliSecs();
    if (KeyHit(70)) G.DEBUG = 1 - G.DEBUG;
    // Counting windows of a quarter second; the frame that opens one counts toward it.
    if (G.FPSTime < G.TIME) {
        G.FPSTime = G.TIME + 250;
        G.FPSDraw = G.FPSCounter * 4;
        G.FPSCounter = 0;
    }
    G.FPSCounter = G.FPSCounter + 1;
    if (G.DEBUG == 1) {
        SetImageFont(G.FArial20);
        DrawText(std::to_string(G.FPSDraw), 5, 582);
        SetImageFont(G.FArial30);
    }
    return 0;
}

// A fixture for tests of the drawing layer itself: the off-screen window in the state a new
// window opens with, and small helpers to make pictures and read the frame.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "gfx/gfx.h"
#include "tests/support/driver.h"

class Layer : public ::testing::Test {
protected:
    void SetUp() override {
        drive::OpenWindow();
        gfx::SetColor(255, 255, 255);
        gfx::SetAlpha(1);
        gfx::SetScale(1, 1);
        gfx::SetBlend(gfx::MASKBLEND);
        gfx::SetMaskColor(0, 0, 0);
        gfx::SetClsColor(0, 0, 0);
        gfx::SetImageFont(nullptr);
        gfx::Cls();
        gfx::FlushKeys();
        gfx::FlushMouse();
        gfx::PumpEvents();
        gfx::AppTerminate();
    }
    void TearDown() override { gfx::SetFrameHook(nullptr); }
};

// A picture of one colour, 0xAARRGGBB.
inline gfx::Pixmap Filled(int width, int height, uint32_t argb, bool hasAlpha = true) {
    gfx::Pixmap p = gfx::CreatePixmap(width, height, hasAlpha);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) gfx::WritePixel(p, x, y, argb);
    return p;
}

inline drive::RGB Rgb(uint32_t argb) {
    return {int((argb >> 16) & 255), int((argb >> 8) & 255), int(argb & 255)};
}

// Pixels in [x0, x1) x [y0, y1) of the frame that are not black.
inline int LitPixels(int x0, int y0, int x1, int y1) {
    int lit = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if ((gfx::FramePixel(x, y) & 0xFFFFFF) != 0) ++lit;
    return lit;
}

// The frame's pixel (x, y) is `expected`, each channel within `tolerance`.
inline ::testing::AssertionResult PixelIs(int x, int y, drive::RGB expected, int tolerance) {
    const drive::RGB actual = drive::Pixel(x, y);
    if (drive::Near(actual, expected, tolerance)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << drive::Show(actual)
                                         << ", expected " << drive::Show(expected);
}
#define EXPECT_PIXEL(x, y, expected, tolerance) EXPECT_TRUE(PixelIs(x, y, expected, tolerance))

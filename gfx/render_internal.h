// Inside the drawing layer: surfaces (pixels that can be drawn), texture pages, the quad batch
// and the drawing state. Only the layer's own files include this.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gfx/gfx.h"

namespace gfx::detail {

struct Page;

// Pixels that can be drawn: one frame of an image, or one glyph of a font. The CPU copy is
// always kept; the GPU copy is made, and renewed after a change, when the surface is next drawn.
// A surface outlives windows: after a new window it is simply placed and uploaded again.
struct Surface {
    Pixmap pixels;
    bool filtered = false;   // smoothed when drawn scaled
    bool dirty = true;       // pixels changed since they were last written to the GPU copy

    // Where the GPU copy lives; only valid while `generation` is the window's generation.
    long generation = -1;
    Page* page = nullptr;
    int shelf = -1;           // -1: the page belongs to this surface alone
    int slot = -1;
    int x = 0, y = 0;         // top-left of the pixels inside the page (past the padding)
    int placedWidth = 0, placedHeight = 0;
    uint64_t lastBatch = 0;   // the batch it was last drawn in

    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface();
};

// The drawing state set by SetColor, SetAlpha, SetBlend, SetScale and SetMaskColor.
struct DrawState {
    uint8_t red = 255, green = 255, blue = 255;
    float alpha = 1.0f;
    int blend = MASKBLEND;
    float scaleX = 1.0f, scaleY = 1.0f;
    uint8_t maskRed = 0, maskGreen = 0, maskBlue = 0;
    uint8_t clsRed = 0, clsGreen = 0, clsBlue = 0;
};
DrawState& State();
void ResetDrawState();   // the state a new window opens with

// Renderer life cycle, tied to the window's GL context. Start throws GraphicsFailure.
void StartRenderer(int width, int height);
void StopRenderer();
bool RendererRunning();
long Generation();   // changes with every window

// Quads. Corners may come in any order: a negative scale mirrors.
void DrawSurface(Surface& surface, float x0, float y0, float x1, float y1);
void DrawSolid(float x0, float y0, float x1, float y1);
void ClearFrame();
void FlushBatch();
bool DrawnInOpenBatch(const Surface& surface);
// Shows the frame in the window's drawable, scaled into the given area (top-left origin);
// ResumeFrame turns drawing back to the off-screen frame after the swap.
void PresentFrame(int viewX, int viewY, int viewWidth, int viewHeight, int drawableWidth,
                  int drawableHeight);
void ResumeFrame();
int FinishFrameCount();   // draw calls since the last call

// The frame's pixels, read back once and kept until something is drawn. Rows top-down,
// R G B A, alpha always 255.
const std::vector<uint8_t>& FrameReadback();
int FrameWidth();
int FrameHeight();

long& LiveImages();

}  // namespace gfx::detail

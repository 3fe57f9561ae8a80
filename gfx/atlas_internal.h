// Inside the drawing layer: the texture pages that surfaces are packed into.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/gl_internal.h"
#include "gfx/render_internal.h"

namespace gfx::detail {

// Small pictures share big textures (pages), so a frame of many tiles needs few texture
// changes. Each sits in a slot one pixel larger on every side, filled with copies of its edge
// pixels, so smoothing at its border never picks up a neighbour. Big pictures get a page each.
constexpr int PAGE_SIZE = 1024;
constexpr int MAX_PACKED_SIDE = 510;   // larger surfaces get a texture of their own

// A row of equal slots across a page.
struct Shelf {
    int y = 0, height = 0;
    int slotWidth = 0, slotHeight = 0;
    int nextSlot = 0;                // slots below this have been handed out at some time
    int used = 0;
    std::vector<int> freeSlots;
};

struct Page {
    GLuint texture = 0;
    int width = 0, height = 0;
    bool filtered = false;
    bool own = false;                // belongs to one big surface
    std::vector<uint8_t> shadow;     // the texture's pixels on the CPU (packed pages only)
    int dirtyX0 = 0, dirtyY0 = 0, dirtyX1 = 0, dirtyY1 = 0;   // still to upload; empty when x0 >= x1
    std::vector<Shelf> shelves;
    int top = 0;                     // first row not taken by a shelf
    // Centre of the white block every packed page carries for filled rectangles.
    float whiteU = 0, whiteV = 0;
};

bool PlaceSurface(Surface& surface);   // false when it can't be drawn (empty or too big)
void ReleaseSurface(Surface& surface); // gives its place back
void WriteSurface(Surface& surface);   // its pixels into its page
void UploadPage(Page& page);           // pending changes of a packed page to the GPU
Page& AnyPackedPage(bool filtered);
void ReleaseDeferredSlots();           // slots freed while still in the unflushed batch
void DestroyPages();                   // with the GL context
int MaxTextureSize();
void SetMaxTextureSize(int size);

}  // namespace gfx::detail

// One picture of the motive catalogue: its number, file name, picture and reflection.
#pragma once

#include <cstdint>
#include <string>

#include "gfx/gfx.h"

struct TMotives {
    uint16_t ID = 0;           // catalogue number, 0, 1, 2 ... in listing order
    std::string Filename;      // as listed in "Motives/"
    gfx::Image Motiv;          // the picture, masked, not filtered
    gfx::Image Mirror;         // its reflection (mirrorImage)
    float Motivwidth = 0.0f;
    float Motivheight = 0.0f;
    float widthfaktor = 0.0f;  // 512 / Motivwidth
    float heightfaktor = 0.0f; // 512 / Motivheight

    // Fills the current record G.M from the picture file `name` (relative to the working
    // directory, read by content). Returns false, leaving the record without pictures, when the
    // file can't be decoded; the catalogue pass then drops the record.
    static bool AddMotiv(uint16_t id, const std::string& name);
    gfx::Image getImage() const { return Motiv; }
    uint16_t getID() const { return ID; }
};

// A new image: the lowest seventh of `image` (all of it up to 100 rows high) turned upside
// down, fading from alpha 80 to 0 downwards. Draws into and clears the back buffer for tall
// pictures. `image` is not changed.
gfx::Image mirrorImage(const gfx::Image& image);

// Texture pages: packing surfaces into shared textures, writing their pixels, freeing slots.
#include <algorithm>
#include <cstring>
#include <memory>

#include "gfx/atlas_internal.h"

namespace gfx::detail {

namespace {

struct Pages {
    std::vector<std::unique_ptr<Page>> all;
    std::vector<std::pair<Page*, std::pair<int, int>>> deferredFrees;   // page, (shelf, slot)
    std::vector<std::unique_ptr<Page>> deadPages;   // own pages of dead surfaces, until the batch is drawn
    int maxTextureSize = 2048;
};

// Never destroyed: images may die after everything else at program exit.
Pages& P() {
    static Pages* pages = new Pages;
    return *pages;
}

void MarkDirty(Page& page, int x0, int y0, int x1, int y1) {
    if (page.dirtyX0 >= page.dirtyX1) {
        page.dirtyX0 = x0, page.dirtyY0 = y0, page.dirtyX1 = x1, page.dirtyY1 = y1;
        return;
    }
    page.dirtyX0 = std::min(page.dirtyX0, x0);
    page.dirtyY0 = std::min(page.dirtyY0, y0);
    page.dirtyX1 = std::max(page.dirtyX1, x1);
    page.dirtyY1 = std::max(page.dirtyY1, y1);
}

GLuint MakeTexture(int width, int height, bool filtered, const void* pixels) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const GLint filter = filtered ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    return texture;
}

Page& NewPackedPage(bool filtered) {
    auto page = std::make_unique<Page>();
    page->width = page->height = PAGE_SIZE;
    page->filtered = filtered;
    page->shadow.assign(size_t(PAGE_SIZE) * PAGE_SIZE * 4, 0);
    // A 4x4 white block at the top-left; rectangles sample its middle.
    for (int y = 0; y < 4; ++y) std::memset(&page->shadow[size_t(y) * PAGE_SIZE * 4], 255, 4 * 4);
    page->whiteU = 2.0f / PAGE_SIZE;
    page->whiteV = 2.0f / PAGE_SIZE;
    page->top = 4;
    page->texture = MakeTexture(PAGE_SIZE, PAGE_SIZE, filtered, page->shadow.data());
    P().all.push_back(std::move(page));
    return *P().all.back();
}

// A slot of (w, h) in this page, or false.
bool TakeSlot(Page& page, int w, int h, int& shelfIndex, int& slot) {
    const int count = int(page.shelves.size());
    for (int i = 0; i < count; ++i) {
        Shelf& shelf = page.shelves[i];
        if (shelf.slotWidth != w || shelf.slotHeight != h) continue;
        if (!shelf.freeSlots.empty()) {
            slot = shelf.freeSlots.back();
            shelf.freeSlots.pop_back();
        } else if ((shelf.nextSlot + 1) * w <= page.width) {
            slot = shelf.nextSlot++;
        } else {
            continue;
        }
        ++shelf.used;
        shelfIndex = i;
        return true;
    }
    // An empty shelf of a fitting height takes the new size; it keeps its height.
    for (int i = 0; i < count; ++i) {
        Shelf& shelf = page.shelves[i];
        if (shelf.used != 0 || shelf.height < h || shelf.height > 2 * h) continue;
        shelf.slotWidth = w, shelf.slotHeight = h;
        shelf.freeSlots.clear();
        shelf.nextSlot = 1, shelf.used = 1;
        shelfIndex = i, slot = 0;
        return true;
    }
    if (page.top + h > page.height) return false;
    Shelf shelf;
    shelf.y = page.top, shelf.height = h, shelf.slotWidth = w, shelf.slotHeight = h;
    shelf.nextSlot = 1, shelf.used = 1;
    page.top += h;
    page.shelves.push_back(shelf);
    shelfIndex = count, slot = 0;
    return true;
}

void FreeSlot(Page& page, int shelfIndex, int slot) {
    Shelf& shelf = page.shelves[shelfIndex];
    --shelf.used;
    shelf.freeSlots.push_back(slot);
    // Empty shelves at the top of the page give their rows back.
    while (!page.shelves.empty() && page.shelves.back().used == 0) {
        page.top = page.shelves.back().y;
        page.shelves.pop_back();
    }
}

}  // namespace

int MaxTextureSize() { return P().maxTextureSize; }
void SetMaxTextureSize(int size) { P().maxTextureSize = size; }

bool PlaceSurface(Surface& s) {
    const int w = s.pixels.width, h = s.pixels.height;
    if (w <= 0 || h <= 0 || s.pixels.pixels.size() < size_t(w) * h * 4) return false;
    s.generation = Generation();
    s.dirty = true;
    s.placedWidth = w, s.placedHeight = h;
    if (w > MAX_PACKED_SIDE || h > MAX_PACKED_SIDE) {
        if (w > MaxTextureSize() || h > MaxTextureSize()) {
            s.page = nullptr;
            return false;
        }
        auto page = std::make_unique<Page>();
        page->width = w, page->height = h;
        page->filtered = s.filtered;
        page->own = true;
        page->texture = MakeTexture(w, h, s.filtered, nullptr);
        s.page = page.get();
        s.shelf = -1, s.slot = -1, s.x = 0, s.y = 0;
        P().all.push_back(std::move(page));
        return true;
    }
    const int slotW = w + 2, slotH = h + 2;
    for (auto& page : P().all) {
        if (page->own || page->filtered != s.filtered) continue;
        if (TakeSlot(*page, slotW, slotH, s.shelf, s.slot)) {
            s.page = page.get();
            s.x = s.slot * slotW + 1;
            s.y = page->shelves[s.shelf].y + 1;
            return true;
        }
    }
    Page& page = NewPackedPage(s.filtered);
    TakeSlot(page, slotW, slotH, s.shelf, s.slot);
    s.page = &page;
    s.x = s.slot * slotW + 1;
    s.y = page.shelves[s.shelf].y + 1;
    return true;
}

void WriteSurface(Surface& s) {
    Page& page = *s.page;
    const int w = s.pixels.width, h = s.pixels.height;
    const uint8_t* src = s.pixels.pixels.data();
    s.dirty = false;
    if (page.own) {
        glBindTexture(GL_TEXTURE_2D, page.texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, src);
        return;
    }
    // Rows with a copy of the first and last pixel on either side, then the first and last
    // rows once more above and below.
    const size_t pitch = size_t(page.width) * 4;
    uint8_t* first = &page.shadow[size_t(s.y) * pitch + size_t(s.x - 1) * 4];
    for (int y = 0; y < h; ++y) {
        uint8_t* row = first + size_t(y) * pitch;
        const uint8_t* line = src + size_t(y) * w * 4;
        std::memcpy(row, line, 4);
        std::memcpy(row + 4, line, size_t(w) * 4);
        std::memcpy(row + 4 + size_t(w) * 4, line + size_t(w - 1) * 4, 4);
    }
    std::memcpy(first - pitch, first, size_t(w + 2) * 4);
    std::memcpy(first + size_t(h) * pitch, first + size_t(h - 1) * pitch, size_t(w + 2) * 4);
    MarkDirty(page, s.x - 1, s.y - 1, s.x + w + 1, s.y + h + 1);
}

void UploadPage(Page& page) {
    if (page.own || page.dirtyX0 >= page.dirtyX1) return;
    glBindTexture(GL_TEXTURE_2D, page.texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, page.width);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, page.dirtyX0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, page.dirtyY0);
    glTexSubImage2D(GL_TEXTURE_2D, 0, page.dirtyX0, page.dirtyY0, page.dirtyX1 - page.dirtyX0,
                    page.dirtyY1 - page.dirtyY0, GL_RGBA, GL_UNSIGNED_BYTE, page.shadow.data());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    page.dirtyX0 = page.dirtyX1 = 0;
}

Page& AnyPackedPage(bool filtered) {
    for (auto& page : P().all)
        if (!page->own && page->filtered == filtered) return *page;
    return NewPackedPage(filtered);
}

void ReleaseDeferredSlots() {
    for (auto& [page, where] : P().deferredFrees) FreeSlot(*page, where.first, where.second);
    P().deferredFrees.clear();
    for (auto& page : P().deadPages) glDeleteTextures(1, &page->texture);
    P().deadPages.clear();
}

void DestroyPages() {
    for (auto& page : P().all) glDeleteTextures(1, &page->texture);
    for (auto& page : P().deadPages) glDeleteTextures(1, &page->texture);
    P().all.clear();
    P().deferredFrees.clear();
    P().deadPages.clear();
}

// A dying surface gives its slot back; while the batch still holds a quad of it, only after
// that batch is drawn. Nothing touches GL here: images may die when no context is current.
void ReleaseSurface(Surface& s) {
    Page* page = s.page;
    s.page = nullptr;
    if (!page || s.generation != Generation() || !RendererRunning()) return;
    if (page->own) {
        auto& all = P().all;
        auto it = std::find_if(all.begin(), all.end(), [&](auto& p) { return p.get() == page; });
        P().deadPages.push_back(std::move(*it));
        all.erase(it);
    } else if (DrawnInOpenBatch(s)) {
        P().deferredFrees.push_back({page, {s.shelf, s.slot}});
    } else {
        FreeSlot(*page, s.shelf, s.slot);
    }
}

Surface::~Surface() { ReleaseSurface(*this); }

}  // namespace gfx::detail

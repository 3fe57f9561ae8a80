// Images: pictures that can be drawn, made from pixmaps, files or the back buffer.
#include "gfx/gfx.h"

namespace gfx {

struct ImageData {
    int width = 0, height = 0;
    std::vector<Pixmap> frames;
};

void DrawImage(const Image&, float, float, int) {}
Image LoadImage(const std::string& url, int flags) {
    auto p = LoadPixmap(url);
    return p ? LoadImage(*p, flags) : nullptr;
}
Image LoadImage(const Pixmap& pixmap, int) {
    auto img = std::make_shared<ImageData>();
    img->width = pixmap.width;
    img->height = pixmap.height;
    img->frames.push_back(pixmap);
    return img;
}
Image CreateImage(int width, int height, int frames, int) {
    auto img = std::make_shared<ImageData>();
    img->width = width;
    img->height = height;
    img->frames.assign(frames, CreatePixmap(width, height));
    return img;
}
void GrabImage(const Image&, int, int, int) {}
Pixmap& LockImage(const Image& img, int frame, bool, bool) { return img->frames[frame]; }
int ImageWidth(const Image& img) { return img ? img->width : 0; }
int ImageHeight(const Image& img) { return img ? img->height : 0; }
long LiveImageCount() { return 0; }

}  // namespace gfx

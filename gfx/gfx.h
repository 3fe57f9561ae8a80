// Kachelzauber's drawing, input and timing layer: everything the game may call to draw, read
// input, keep time and handle pictures. Nothing outside gfx/ includes SDL or GL.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace gfx {

//------------------------------------------------------------------------------------------------
// Handles. An empty handle is "none". Images and fonts are shared: a tile stays alive as long as
// any board array (or the held-tile cursor) still refers to it.
//------------------------------------------------------------------------------------------------
struct ImageData;
struct FontData;
struct TimerData;
using Image = std::shared_ptr<ImageData>;
using ImageFont = std::shared_ptr<FontData>;
using Timer = std::shared_ptr<TimerData>;

// Plain pixels in memory: decoded, resized, encoded and edited without any window.
struct Pixmap {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;         // the source carried an alpha channel of its own
    std::vector<uint8_t> pixels;   // width * height * 4 bytes, R G B A, rows top-down
};

// Thrown by End(): unwinds every nested screen loop back to main (or to a test).
struct ProgramEnd {};
// Thrown by Graphics() when no window can be opened; what() names the cause.
struct GraphicsFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Image flags
constexpr int MASKEDIMAGE = 1;    // mask colour becomes transparent when the picture lacks alpha
constexpr int FILTEREDIMAGE = 2;  // smoothed when drawn scaled
constexpr int DYNAMICIMAGE = 8;   // pixels replaced often (tiles)
constexpr int DEFAULTFLAGS = -1;  // masked and filtered

// Blend modes
constexpr int MASKBLEND = 1;   // alpha below one half skipped, the rest drawn opaque (the opening state)
constexpr int SOLIDBLEND = 2;  // source replaces destination
constexpr int ALPHABLEND = 3;  // src * a + dst * (1 - a)
constexpr int LIGHTBLEND = 4;  // src * a + dst

// Pixmap format for ConvertPixmap
constexpr int PF_RGBA8888 = 6;

//------------------------------------------------------------------------------------------------
// Window and frame
//------------------------------------------------------------------------------------------------
void AppTitle(const std::string& title);       // title of windows opened later
void Graphics(int width, int height, int depth = 0, int hz = 60, int flags = 0);  // closes any window, opens one; throws GraphicsFailure
int GraphicsWidth();                            // size of the game's drawing area in pixels
int GraphicsHeight();
void HideMouse();                               // system pointer hidden over the window
void ShowMouse();
void SetClsColor(int r, int g, int b);          // 0..255
void Cls();                                     // back buffer filled with the clear colour
void Flip(int sync = 0);                        // show the back buffer; 0: no wait for the vertical blank; pumps events
bool AppTerminate();                            // close requested since the last call; clears it
[[noreturn]] void End();                        // ends the program at once (throws ProgramEnd)
void CloseGraphics();                           // closes the window and releases GL objects

//------------------------------------------------------------------------------------------------
// Drawing state: persists until changed
//------------------------------------------------------------------------------------------------
void SetColor(int r, int g, int b);             // 0..255; tints images, text and rectangles
void SetAlpha(float alpha);                     // clamped to 0..1
void SetBlend(int mode);                        // MASKBLEND, SOLIDBLEND, ALPHABLEND, LIGHTBLEND
void SetScale(float sx, float sy);              // about the drawing point; negative mirrors
void SetMaskColor(int r, int g, int b);         // colour made transparent by masking
int GetBlend();
float GetAlpha();

//------------------------------------------------------------------------------------------------
// Drawing
//------------------------------------------------------------------------------------------------
void DrawRect(float x, float y, float w, float h);            // filled, top-left at (x, y)
void DrawImage(const Image& img, float x, float y, int frame = 0);  // top-left at (x, y); nothing for none

//------------------------------------------------------------------------------------------------
// Images: what can be drawn
//------------------------------------------------------------------------------------------------
Image LoadImage(const std::string& url, int flags = DEFAULTFLAGS);  // file or "incbin::name", decoded by content; none on failure
Image LoadImage(const Pixmap& pixmap, int flags = DEFAULTFLAGS);    // a pixmap with alpha keeps its alpha
Image CreateImage(int width, int height, int frames = 1, int flags = DEFAULTFLAGS);  // blank (transparent black)
void GrabImage(const Image& img, int x, int y, int frame = 0);      // back-buffer area of the image's size at (x, y); masked if the image is
Pixmap& LockImage(const Image& img, int frame = 0, bool read = true, bool write = true);  // the frame's pixels; changes show when next drawn
int ImageWidth(const Image& img);                                   // 0 for none
int ImageHeight(const Image& img);
long LiveImageCount();                                              // images alive now (for soak tests and benchmarks)

//------------------------------------------------------------------------------------------------
// Text (UTF-8)
//------------------------------------------------------------------------------------------------
ImageFont LoadImageFont(const std::string& url, int px, int style = 4);  // TrueType at px pixels; style 4 smoothed; none on failure
void SetImageFont(const ImageFont& font);
ImageFont GetImageFont();
void DrawText(const std::string& text, float x, float y);         // top-left of the text at (x, y), scaled like images
int TextWidth(const std::string& text);                           // unscaled width in whole pixels
int TextHeight(const std::string& text);

//------------------------------------------------------------------------------------------------
// Input: counters filled from the window's events, read once per frame
//------------------------------------------------------------------------------------------------
// Key codes: 9 Tab, 13 Return, 27 Escape, 32 Space, 37 Left, 38 Up, 39 Right, 40 Down,
// 48-57 digits, 65-90 letters (70 F).
int KeyHit(int key);        // presses since the last call; clears
bool KeyDown(int key);      // held now
int MouseHit(int button);   // presses since the last call (1 left, 2 right, 3 middle); clears
bool MouseDown(int button); // held now
int MouseX();               // pointer in game pixels, origin top-left
int MouseY();
int MouseZ();               // sum of wheel steps, away from the player positive
void FlushKeys();
void FlushMouse();

//------------------------------------------------------------------------------------------------
// Timing and random numbers
//------------------------------------------------------------------------------------------------
int MilliSecs();                                  // ms since start, wraps like the system clock
Timer CreateTimer(int hz);                        // ticks hz times a second
int WaitTimer(const Timer& timer);                // waits for a tick since the last wait, pumping events; ticks passed
void Delay(int ms);
void SeedRnd(int seed);
int Rand(int min, int max);                       // uniform, both ends included
double Rnd(double min = 0.0, double max = 1.0);   // uniform, min included, max excluded

//------------------------------------------------------------------------------------------------
// Pixmaps: plain pixels, no window needed
//------------------------------------------------------------------------------------------------
// Pictures larger than this are refused after reading their header, before any allocation.
constexpr long long MAX_PICTURE_PIXELS = 100'000'000;  // 100 megapixels
constexpr int MAX_PICTURE_SIDE = 32768;

std::optional<Pixmap> LoadPixmap(const std::string& url);       // file or "incbin::name"; PNG, JPEG, BMP, TGA by content
std::optional<Pixmap> DecodePixmap(std::span<const uint8_t> bytes);
std::optional<Pixmap> LoadPixmapPNG(const std::string& url);    // only data that starts with the PNG signature
// JPEG by content; minSide > 0 lets the decoder scale down (1/2, 1/4, 1/8) while both sides
// stay at least minSide. The EXIF orientation is applied, so the result is upright.
std::optional<Pixmap> LoadPixmapJPeg(const std::string& url, int minSide = 0);
bool SavePixmapJPeg(const Pixmap& pixmap, const std::string& path, int quality = 75);  // false when it can't be written
std::vector<uint8_t> EncodePNG(const Pixmap& pixmap);          // for tools and tests
std::vector<uint8_t> EncodeJPeg(const Pixmap& pixmap, int quality = 75);
Pixmap CreatePixmap(int width, int height, bool hasAlpha = true);  // transparent black
Pixmap ResizePixmap(const Pixmap& pixmap, int width, int height);  // area average down, bilinear up
Pixmap ConvertPixmap(const Pixmap& pixmap, int format);        // PF_RGBA8888: a copy with an alpha channel
Pixmap YFlipPixmap(const Pixmap& pixmap);                      // rows in reverse order
inline int PixmapWidth(const Pixmap& p) { return p.width; }
inline int PixmapHeight(const Pixmap& p) { return p.height; }
uint32_t ReadPixel(const Pixmap& pixmap, int x, int y);        // 0xAARRGGBB
void WritePixel(Pixmap& pixmap, int x, int y, uint32_t argb);

//------------------------------------------------------------------------------------------------
// Embedded files and the debug log
//------------------------------------------------------------------------------------------------
void IncBin(const std::string& name, std::span<const uint8_t> bytes);  // registers bytes under "incbin::name"; bytes must outlive the program
std::optional<std::span<const uint8_t>> IncBinData(const std::string& name);
std::optional<std::vector<uint8_t>> ReadUrl(const std::string& url);   // a file's or a registered resource's bytes
void DebugLog(const std::string& line);   // one line to stderr in debug builds; release builds discard it

//------------------------------------------------------------------------------------------------
// Test driving: the test suite runs the real layer on an off-screen GL context. The game never calls these.
//------------------------------------------------------------------------------------------------
void UseTestClock(bool on);                       // MilliSecs stands still except for AdvanceClock and WaitTimer
void AdvanceClock(int ms);
void SetFrameHook(std::function<void()> hook);    // runs inside every Flip, after the frame is shown and before events are pumped
void InjectMouseMove(int x, int y);               // in game pixels; goes through the window's event queue
void InjectMouseButton(int button, bool down);
void InjectMouseWheel(int steps);
void InjectKey(int key, bool down);
void InjectQuit();                                // a close request
void InjectFocus(bool gained);
void PumpEvents();                                // takes in queued events now
// The game's picture now, 0xAARRGGBB; inside the frame hook that is the frame just shown.
uint32_t FramePixel(int x, int y);
std::vector<uint32_t> FramePixels();              // all of it, row-major, top-down
int DrawCallCount();                              // GL draw calls of the last shown frame

}  // namespace gfx

// The drawing state and the quad batch: every image, glyph and rectangle of a frame becomes a
// textured quad in one vertex stream, drawn into the off-screen frame in as few calls as the
// changes of texture and blend mode allow.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "gfx/atlas_internal.h"
#include "gfx/gl_internal.h"
#include "gfx/render_internal.h"

namespace gfx::detail {

namespace {

struct Vertex {
    float x, y, u, v;
    uint8_t r, g, b, a;
};

constexpr int MAX_QUADS = 16384;   // 65536 vertices: indices still fit 16 bits

struct Renderer {
    bool running = false;
    long generation = 0;
    int width = 0, height = 0;
    GLuint program = 0, vertexBuffer = 0, indexBuffer = 0;
    GLuint frameBuffer = 0, colourBuffer = 0;
    GLint viewLocation = -1, alphaCutLocation = -1;

    // The open batch: quads not yet drawn, all from one texture in one blend mode.
    std::vector<Vertex> vertices;
    Page* page = nullptr;          // also kept after a flush, for rectangles
    bool onlySolid = true;         // the open batch holds rectangles only
    int blend = MASKBLEND;
    uint64_t serial = 1;           // counts batches; surfaces remember the last one they were in
    int drawCalls = 0;

    std::vector<uint8_t> readback;
    bool readbackValid = false;
};

Renderer& R() {
    static Renderer* renderer = new Renderer;
    return *renderer;
}

DrawState& TheState() {
    static DrawState* state = new DrawState;
    return *state;
}

const char* VERTEX_SHADER = R"(#version 110
attribute vec2 position;
attribute vec2 texturePosition;
attribute vec4 colour;
uniform vec2 view;
varying vec2 uv;
varying vec4 tint;
void main() {
    uv = texturePosition;
    tint = colour;
    gl_Position = vec4(position.x * view.x - 1.0, 1.0 - position.y * view.y, 0.0, 1.0);
}
)";

// In mask mode a fragment below half alpha is skipped and the rest is drawn opaque; the other
// modes never skip (alphaCut below zero).
const char* FRAGMENT_SHADER = R"(#version 110
uniform sampler2D picture;
uniform float alphaCut;
varying vec2 uv;
varying vec4 tint;
void main() {
    vec4 c = texture2D(picture, uv) * tint;
    if (c.a < alphaCut) discard;
    gl_FragColor = c;
}
)";

GLuint CompileShader(GLenum kind, const char* source) {
    const GLuint shader = gl::CreateShader(kind);
    gl::ShaderSource(shader, 1, &source, nullptr);
    gl::CompileShader(shader);
    GLint ok = 0;
    gl::GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        gl::GetShaderInfoLog(shader, sizeof log, nullptr, log);
        throw GraphicsFailure(std::string("the drawing shader does not compile: ") + log);
    }
    return shader;
}

void MakeProgram() {
    Renderer& r = R();
    const GLuint vs = CompileShader(GL_VERTEX_SHADER, VERTEX_SHADER);
    const GLuint fs = CompileShader(GL_FRAGMENT_SHADER, FRAGMENT_SHADER);
    r.program = gl::CreateProgram();
    gl::AttachShader(r.program, vs);
    gl::AttachShader(r.program, fs);
    gl::BindAttribLocation(r.program, 0, "position");
    gl::BindAttribLocation(r.program, 1, "texturePosition");
    gl::BindAttribLocation(r.program, 2, "colour");
    gl::LinkProgram(r.program);
    gl::DeleteShader(vs);
    gl::DeleteShader(fs);
    GLint ok = 0;
    gl::GetProgramiv(r.program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        gl::GetProgramInfoLog(r.program, sizeof log, nullptr, log);
        throw GraphicsFailure(std::string("the drawing shader does not link: ") + log);
    }
    gl::UseProgram(r.program);
    gl::Uniform1i(gl::GetUniformLocation(r.program, "picture"), 0);
    r.viewLocation = gl::GetUniformLocation(r.program, "view");
    r.alphaCutLocation = gl::GetUniformLocation(r.program, "alphaCut");
    gl::Uniform2f(r.viewLocation, 2.0f / r.width, 2.0f / r.height);
}

void MakeBuffers() {
    Renderer& r = R();
    std::vector<uint16_t> indices(size_t(MAX_QUADS) * 6);
    for (int q = 0; q < MAX_QUADS; ++q) {
        const uint16_t v = uint16_t(q * 4);
        const uint16_t quad[6] = {v, uint16_t(v + 1), uint16_t(v + 2), v, uint16_t(v + 2), uint16_t(v + 3)};
        std::memcpy(&indices[size_t(q) * 6], quad, sizeof quad);
    }
    gl::GenBuffers(1, &r.indexBuffer);
    gl::BindBuffer(GL_ELEMENT_ARRAY_BUFFER, r.indexBuffer);
    gl::BufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * 2), indices.data(), GL_STATIC_DRAW);
    gl::GenBuffers(1, &r.vertexBuffer);
    gl::BindBuffer(GL_ARRAY_BUFFER, r.vertexBuffer);
    gl::EnableVertexAttribArray(0);
    gl::EnableVertexAttribArray(1);
    gl::EnableVertexAttribArray(2);
    r.vertices.reserve(size_t(MAX_QUADS) * 4);
}

void BindVertexLayout() {
    gl::VertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), (void*)offsetof(Vertex, x));
    gl::VertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), (void*)offsetof(Vertex, u));
    gl::VertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), (void*)offsetof(Vertex, r));
}

void MakeFrame() {
    Renderer& r = R();
    gl::GenRenderbuffers(1, &r.colourBuffer);
    gl::BindRenderbuffer(GL_RENDERBUFFER, r.colourBuffer);
    gl::RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, r.width, r.height);
    gl::GenFramebuffers(1, &r.frameBuffer);
    gl::BindFramebuffer(GL_FRAMEBUFFER, r.frameBuffer);
    gl::FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, r.colourBuffer);
    if (gl::CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        throw GraphicsFailure("the off-screen frame can't be made");
    glViewport(0, 0, r.width, r.height);
}

void ApplyBlend(int blend) {
    Renderer& r = R();
    switch (blend) {
    case ALPHABLEND:
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        gl::Uniform1f(r.alphaCutLocation, -1.0f);
        break;
    case LIGHTBLEND:
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        gl::Uniform1f(r.alphaCutLocation, -1.0f);
        break;
    case SOLIDBLEND:
        glDisable(GL_BLEND);
        gl::Uniform1f(r.alphaCutLocation, -1.0f);
        break;
    default:   // MASKBLEND
        glDisable(GL_BLEND);
        gl::Uniform1f(r.alphaCutLocation, 0.5f);
        break;
    }
}

// Rectangles sample the white block that every packed page has, so they join whatever batch is
// open. A batch of nothing but rectangles can move to the next picture's page without drawing.
void AddQuad(Page& page, bool solid, float x0, float y0, float x1, float y1, float u0, float v0, float u1,
             float v1) {
    Renderer& r = R();
    const DrawState& s = TheState();
    const bool full = r.vertices.size() >= size_t(MAX_QUADS) * 4;
    if (&page != r.page && !full && s.blend == r.blend && r.onlySolid && !page.own) {
        for (Vertex& v : r.vertices) v.u = page.whiteU, v.v = page.whiteV;
        r.page = &page;
    }
    if (&page != r.page || s.blend != r.blend || full) {
        FlushBatch();
        r.page = &page;
        r.blend = s.blend;
    }
    r.onlySolid = r.onlySolid && solid;
    const uint8_t a = uint8_t(std::lround(s.alpha * 255.0f));
    r.vertices.push_back({x0, y0, u0, v0, s.red, s.green, s.blue, a});
    r.vertices.push_back({x1, y0, u1, v0, s.red, s.green, s.blue, a});
    r.vertices.push_back({x1, y1, u1, v1, s.red, s.green, s.blue, a});
    r.vertices.push_back({x0, y1, u0, v1, s.red, s.green, s.blue, a});
    r.readbackValid = false;
}

}  // namespace

DrawState& State() { return TheState(); }

void ResetDrawState() { TheState() = DrawState{}; }

void StartRenderer(int width, int height) {
    Renderer& r = R();
    r.width = width, r.height = height;
    ++r.generation;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    SetMaxTextureSize(maxSize > 0 ? maxSize : 2048);
    MakeProgram();
    MakeBuffers();
    MakeFrame();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // The frame keeps alpha 1 everywhere; drawing changes only the colours.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    r.vertices.clear();
    r.page = nullptr;
    r.blend = MASKBLEND;
    ApplyBlend(r.blend);
    r.drawCalls = 0;
    r.readbackValid = false;
    r.running = true;
}

void StopRenderer() {
    Renderer& r = R();
    if (!r.running) return;
    r.vertices.clear();
    r.page = nullptr;
    DestroyPages();
    gl::DeleteProgram(r.program);
    gl::DeleteBuffers(1, &r.vertexBuffer);
    gl::DeleteBuffers(1, &r.indexBuffer);
    gl::DeleteFramebuffers(1, &r.frameBuffer);
    gl::DeleteRenderbuffers(1, &r.colourBuffer);
    r.program = r.vertexBuffer = r.indexBuffer = r.frameBuffer = r.colourBuffer = 0;
    r.readback.clear();
    r.readbackValid = false;
    r.running = false;
    ++r.generation;   // surfaces placed in this window are placed anew in the next
}

bool RendererRunning() { return R().running; }
long Generation() { return R().generation; }
int FrameWidth() { return R().width; }
int FrameHeight() { return R().height; }

bool DrawnInOpenBatch(const Surface& surface) {
    return surface.lastBatch == R().serial && !R().vertices.empty();
}

void FlushBatch() {
    Renderer& r = R();
    if (!r.vertices.empty()) {
        UploadPage(*r.page);
        glBindTexture(GL_TEXTURE_2D, r.page->texture);
        ApplyBlend(r.blend);
        gl::BindBuffer(GL_ARRAY_BUFFER, r.vertexBuffer);
        gl::BufferData(GL_ARRAY_BUFFER, GLsizeiptr(r.vertices.size() * sizeof(Vertex)), r.vertices.data(),
                       GL_STREAM_DRAW);
        BindVertexLayout();
        glDrawElements(GL_TRIANGLES, GLsizei(r.vertices.size() / 4 * 6), GL_UNSIGNED_SHORT, nullptr);
        ++r.drawCalls;
        r.vertices.clear();
    }
    r.onlySolid = true;
    ++r.serial;
    if (r.page && r.page->own) r.page = nullptr;   // own pages may go away with their surface
    ReleaseDeferredSlots();
}

void DrawSurface(Surface& s, float x0, float y0, float x1, float y1) {
    if (!R().running) return;
    const bool resized = s.pixels.width != s.placedWidth || s.pixels.height != s.placedHeight ||
                         s.pixels.pixels.size() != size_t(s.pixels.width) * s.pixels.height * 4;
    if (s.page && s.generation == R().generation && resized) ReleaseSurface(s);
    if (!s.page || s.generation != R().generation) {
        if (!PlaceSurface(s)) return;
    }
    if (s.dirty) {
        if (DrawnInOpenBatch(s)) FlushBatch();   // the queued quads must show the old pixels
        WriteSurface(s);
    }
    Page& page = *s.page;
    const float u0 = float(s.x) / page.width, v0 = float(s.y) / page.height;
    const float u1 = float(s.x + s.pixels.width) / page.width, v1 = float(s.y + s.pixels.height) / page.height;
    AddQuad(page, false, x0, y0, x1, y1, u0, v0, u1, v1);
    s.lastBatch = R().serial;
}

void DrawSolid(float x0, float y0, float x1, float y1) {
    Renderer& r = R();
    if (!r.running) return;
    Page& page = r.page && !r.page->own ? *r.page : AnyPackedPage(false);
    AddQuad(page, true, x0, y0, x1, y1, page.whiteU, page.whiteV, page.whiteU, page.whiteV);
}

void ClearFrame() {
    Renderer& r = R();
    if (!r.running) return;
    // Whatever is still queued would be covered by the clear anyway.
    r.vertices.clear();
    FlushBatch();
    const DrawState& s = TheState();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(s.clsRed / 255.0f, s.clsGreen / 255.0f, s.clsBlue / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    r.readbackValid = false;
}

void PresentFrame(int viewX, int viewY, int viewWidth, int viewHeight, int drawableWidth, int drawableHeight) {
    Renderer& r = R();
    if (!r.running) return;
    FlushBatch();
    gl::BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    gl::BindFramebuffer(GL_READ_FRAMEBUFFER, r.frameBuffer);
    glViewport(0, 0, drawableWidth, drawableHeight);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    if (viewWidth < drawableWidth || viewHeight < drawableHeight) {   // black bars
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    // Whole multiples stay sharp; other sizes are smoothed.
    const bool whole = viewWidth % r.width == 0 && viewHeight % r.height == 0;
    const int bottom = drawableHeight - viewY - viewHeight;
    gl::BlitFramebuffer(0, 0, r.width, r.height, viewX, bottom, viewX + viewWidth, bottom + viewHeight,
                        GL_COLOR_BUFFER_BIT, whole ? GL_NEAREST : GL_LINEAR);
}

void ResumeFrame() {
    Renderer& r = R();
    if (!r.running) return;
    gl::BindFramebuffer(GL_FRAMEBUFFER, r.frameBuffer);
    glViewport(0, 0, r.width, r.height);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
}

int FinishFrameCount() {
    const int count = R().drawCalls;
    R().drawCalls = 0;
    return count;
}

const std::vector<uint8_t>& FrameReadback() {
    Renderer& r = R();
    if (!r.running) {
        r.readback.clear();
        return r.readback;
    }
    if (!r.readbackValid) {
        FlushBatch();
        const size_t pitch = size_t(r.width) * 4;
        std::vector<uint8_t> bottomUp(pitch * r.height);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, r.width, r.height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
        r.readback.resize(bottomUp.size());
        for (int y = 0; y < r.height; ++y)
            std::memcpy(&r.readback[size_t(y) * pitch], &bottomUp[size_t(r.height - 1 - y) * pitch], pitch);
        r.readbackValid = true;
    }
    return r.readback;
}

long& LiveImages() {
    static long count = 0;
    return count;
}

}  // namespace gfx::detail

//------------------------------------------------------------------------------------------------
// The drawing state and rectangles, as the game calls them
//------------------------------------------------------------------------------------------------
namespace gfx {

namespace {
uint8_t Channel(int value) { return uint8_t(std::clamp(value, 0, 255)); }
}  // namespace

void SetColor(int r, int g, int b) {
    auto& s = detail::State();
    s.red = Channel(r), s.green = Channel(g), s.blue = Channel(b);
}

void SetAlpha(float alpha) {
    detail::State().alpha = std::isnan(alpha) ? 0.0f : std::clamp(alpha, 0.0f, 1.0f);
}

void SetBlend(int mode) {
    if (mode >= MASKBLEND && mode <= LIGHTBLEND) detail::State().blend = mode;
}

void SetScale(float sx, float sy) {
    detail::State().scaleX = sx;
    detail::State().scaleY = sy;
}

void SetMaskColor(int r, int g, int b) {
    auto& s = detail::State();
    s.maskRed = Channel(r), s.maskGreen = Channel(g), s.maskBlue = Channel(b);
}

void SetClsColor(int r, int g, int b) {
    auto& s = detail::State();
    s.clsRed = Channel(r), s.clsGreen = Channel(g), s.clsBlue = Channel(b);
}

int GetBlend() { return detail::State().blend; }
float GetAlpha() { return detail::State().alpha; }

void DrawRect(float x, float y, float w, float h) {
    const auto& s = detail::State();
    detail::DrawSolid(x, y, x + w * s.scaleX, y + h * s.scaleY);
}

void Cls() { detail::ClearFrame(); }

}  // namespace gfx

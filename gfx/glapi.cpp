// Looks up the OpenGL entry points past version 1.1 in the current context.
#include "gfx/gl_internal.h"

#include <SDL.h>

namespace gfx::gl {

PFNGLGENBUFFERSPROC GenBuffers = nullptr;
PFNGLDELETEBUFFERSPROC DeleteBuffers = nullptr;
PFNGLBINDBUFFERPROC BindBuffer = nullptr;
PFNGLBUFFERDATAPROC BufferData = nullptr;
PFNGLCREATESHADERPROC CreateShader = nullptr;
PFNGLSHADERSOURCEPROC ShaderSource = nullptr;
PFNGLCOMPILESHADERPROC CompileShader = nullptr;
PFNGLGETSHADERIVPROC GetShaderiv = nullptr;
PFNGLGETSHADERINFOLOGPROC GetShaderInfoLog = nullptr;
PFNGLDELETESHADERPROC DeleteShader = nullptr;
PFNGLCREATEPROGRAMPROC CreateProgram = nullptr;
PFNGLATTACHSHADERPROC AttachShader = nullptr;
PFNGLBINDATTRIBLOCATIONPROC BindAttribLocation = nullptr;
PFNGLLINKPROGRAMPROC LinkProgram = nullptr;
PFNGLGETPROGRAMIVPROC GetProgramiv = nullptr;
PFNGLGETPROGRAMINFOLOGPROC GetProgramInfoLog = nullptr;
PFNGLDELETEPROGRAMPROC DeleteProgram = nullptr;
PFNGLUSEPROGRAMPROC UseProgram = nullptr;
PFNGLGETUNIFORMLOCATIONPROC GetUniformLocation = nullptr;
PFNGLUNIFORM1IPROC Uniform1i = nullptr;
PFNGLUNIFORM1FPROC Uniform1f = nullptr;
PFNGLUNIFORM2FPROC Uniform2f = nullptr;
PFNGLVERTEXATTRIBPOINTERPROC VertexAttribPointer = nullptr;
PFNGLENABLEVERTEXATTRIBARRAYPROC EnableVertexAttribArray = nullptr;
PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus = nullptr;
PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer = nullptr;

namespace {

template <typename F>
void Find(F& function, const char* name, std::string& missing) {
    function = reinterpret_cast<F>(SDL_GL_GetProcAddress(name));
    if (!function) missing += std::string(missing.empty() ? "" : ", ") + name;
}

}  // namespace

std::string LoadFunctions() {
    std::string missing;
    Find(GenBuffers, "glGenBuffers", missing);
    Find(DeleteBuffers, "glDeleteBuffers", missing);
    Find(BindBuffer, "glBindBuffer", missing);
    Find(BufferData, "glBufferData", missing);
    Find(CreateShader, "glCreateShader", missing);
    Find(ShaderSource, "glShaderSource", missing);
    Find(CompileShader, "glCompileShader", missing);
    Find(GetShaderiv, "glGetShaderiv", missing);
    Find(GetShaderInfoLog, "glGetShaderInfoLog", missing);
    Find(DeleteShader, "glDeleteShader", missing);
    Find(CreateProgram, "glCreateProgram", missing);
    Find(AttachShader, "glAttachShader", missing);
    Find(BindAttribLocation, "glBindAttribLocation", missing);
    Find(LinkProgram, "glLinkProgram", missing);
    Find(GetProgramiv, "glGetProgramiv", missing);
    Find(GetProgramInfoLog, "glGetProgramInfoLog", missing);
    Find(DeleteProgram, "glDeleteProgram", missing);
    Find(UseProgram, "glUseProgram", missing);
    Find(GetUniformLocation, "glGetUniformLocation", missing);
    Find(Uniform1i, "glUniform1i", missing);
    Find(Uniform1f, "glUniform1f", missing);
    Find(Uniform2f, "glUniform2f", missing);
    Find(VertexAttribPointer, "glVertexAttribPointer", missing);
    Find(EnableVertexAttribArray, "glEnableVertexAttribArray", missing);
    Find(GenFramebuffers, "glGenFramebuffers", missing);
    Find(DeleteFramebuffers, "glDeleteFramebuffers", missing);
    Find(BindFramebuffer, "glBindFramebuffer", missing);
    Find(FramebufferRenderbuffer, "glFramebufferRenderbuffer", missing);
    Find(CheckFramebufferStatus, "glCheckFramebufferStatus", missing);
    Find(GenRenderbuffers, "glGenRenderbuffers", missing);
    Find(DeleteRenderbuffers, "glDeleteRenderbuffers", missing);
    Find(BindRenderbuffer, "glBindRenderbuffer", missing);
    Find(RenderbufferStorage, "glRenderbufferStorage", missing);
    Find(BlitFramebuffer, "glBlitFramebuffer", missing);
    return missing;
}

}  // namespace gfx::gl

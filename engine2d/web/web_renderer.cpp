// web_renderer.cpp
// One shader for everything: position in target pixels, a colour per corner that multiplies the
// texture. OpenGL counts rows from the bottom, so the scene's top row is its texture's last: reading
// the scene back and showing it both turn it the right way up.
#include "engine2d/web/web_renderer.h"

#include "engine2d/scene_scaling.h"

#include <GLES2/gl2.h>

#include <algorithm>

namespace {

constexpr const char* kVertexShader = R"(
attribute vec2 position;
attribute vec4 colour;
attribute vec2 texel;
uniform vec2 scale;
varying vec4 vColour;
varying vec2 vTexel;
void main() {
    gl_Position = vec4(position * scale + vec2(-1.0, 1.0), 0.0, 1.0);
    vColour = colour;
    vTexel = texel;
})";

constexpr const char* kFragmentShader = R"(
precision mediump float;
uniform sampler2D image;
varying vec4 vColour;
varying vec2 vTexel;
void main() { gl_FragColor = texture2D(image, vTexel) * vColour; })";

constexpr int kTriangleCorners[6] = {0, 1, 2, 0, 2, 3};

GLuint CompileShader(GLenum kind, const char* source, std::string* error) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled) return shader;
    char log[512] = "";
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    *error = std::string("shader: ") + log;
    glDeleteShader(shader);
    return 0;
}

// ARGB, as the engine keeps pixels, to the RGBA bytes WebGL takes.
std::vector<std::uint8_t> RgbaBytes(const PixelImage& image) {
    std::vector<std::uint8_t> bytes(image.pixels.size() * 4);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const std::uint32_t p = image.pixels[i];
        bytes[4 * i] = static_cast<std::uint8_t>(p >> 16);
        bytes[4 * i + 1] = static_cast<std::uint8_t>(p >> 8);
        bytes[4 * i + 2] = static_cast<std::uint8_t>(p);
        bytes[4 * i + 3] = static_cast<std::uint8_t>(p >> 24);
    }
    return bytes;
}

// The desktop renderer draws an upright quad of one colour as a copy between rectangles of whole
// pixels, each edge's position and each size cut to an integer on its own; so the page does too.
Quad SnappedLikeACopy(const Quad& quad, int textureWidth, int textureHeight) {
    const Vertex* c = quad.corners;
    const bool upright = c[0].x == c[3].x && c[1].x == c[2].x && c[0].y == c[1].y && c[3].y == c[2].y &&
                         c[0].x < c[1].x && c[0].y < c[3].y && c[0].tx == c[3].tx && c[1].tx == c[2].tx &&
                         c[0].ty == c[1].ty && c[3].ty == c[2].ty && c[0].tx < c[1].tx && c[0].ty < c[3].ty;
    const bool oneColour = c[1].color == c[0].color && c[2].color == c[0].color && c[3].color == c[0].color;
    if (!upright || !oneColour) return quad;
    const auto cut = [](float value) { return static_cast<float>(static_cast<int>(value)); };
    const float w = static_cast<float>(textureWidth), h = static_cast<float>(textureHeight);
    const float x0 = cut(c[0].x), y0 = cut(c[0].y), x1 = x0 + cut(c[1].x - c[0].x), y1 = y0 + cut(c[3].y - c[0].y);
    const float u0 = cut(c[0].tx * w), v0 = cut(c[0].ty * h);
    const float u1 = (u0 + cut((c[1].tx - c[0].tx) * w)) / w, v1 = (v0 + cut((c[3].ty - c[0].ty) * h)) / h;
    Quad snapped = quad;
    snapped.corners[0] = Vertex{x0, y0, c[0].z, c[0].color, u0 / w, v0 / h};
    snapped.corners[1] = Vertex{x1, y0, c[1].z, c[0].color, u1, v0 / h};
    snapped.corners[2] = Vertex{x1, y1, c[2].z, c[0].color, u1, v1};
    snapped.corners[3] = Vertex{x0, y1, c[3].z, c[0].color, u0 / w, v1};
    return snapped;
}

} // namespace

bool WebRenderer::Create(int sceneWidth, int sceneHeight, std::string* error) {
    sceneWidth_ = sceneWidth;
    sceneHeight_ = sceneHeight;
    const GLuint vertex = CompileShader(GL_VERTEX_SHADER, kVertexShader, error);
    const GLuint fragment = vertex != 0 ? CompileShader(GL_FRAGMENT_SHADER, kFragmentShader, error) : 0;
    if (fragment == 0) return false;
    program_ = glCreateProgram();
    glAttachShader(program_, vertex);
    glAttachShader(program_, fragment);
    glBindAttribLocation(program_, 0, "position");
    glBindAttribLocation(program_, 1, "colour");
    glBindAttribLocation(program_, 2, "texel");
    glLinkProgram(program_);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = 0;
    glGetProgramiv(program_, GL_LINK_STATUS, &linked);
    if (!linked) {
        *error = "shader program did not link";
        return false;
    }
    glUseProgram(program_);
    scaleLocation_ = glGetUniformLocation(program_, "scale");
    glGenBuffers(1, &buffer_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(GpuVertex), reinterpret_cast<void*>(offsetof(GpuVertex, x)));
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(GpuVertex), reinterpret_cast<void*>(offsetof(GpuVertex, rgba)));
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(GpuVertex), reinterpret_cast<void*>(offsetof(GpuVertex, u)));
    glEnable(GL_BLEND);

    PixelImage white;
    white.width = white.height = 1;
    white.pixels = {0xFFFFFFFFu};
    white_ = MakeTexture(white, true);
    PixelImage scene;
    scene.width = sceneWidth;
    scene.height = sceneHeight;
    scene.pixels.assign(static_cast<std::size_t>(sceneWidth) * static_cast<std::size_t>(sceneHeight), 0xFF000000u);
    sceneTexture_ = MakeTexture(scene, false);
    glGenFramebuffers(1, &sceneTarget_);
    glBindFramebuffer(GL_FRAMEBUFFER, sceneTarget_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, sceneTexture_, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        *error = "the scene's framebuffer is incomplete";
        return false;
    }
    UseTarget(sceneTarget_, sceneWidth_, sceneHeight_);
    return true;
}

void WebRenderer::Destroy() {
    if (program_ == 0) return;
    glDeleteFramebuffers(1, &sceneTarget_);
    const GLuint textures[2] = {sceneTexture_, white_};
    glDeleteTextures(2, textures);
    glDeleteBuffers(1, &buffer_);
    glDeleteProgram(program_);
    *this = WebRenderer{};
}

unsigned WebRenderer::MakeTexture(const PixelImage& image, bool nearest) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const GLint filter = nearest ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    const std::vector<std::uint8_t> bytes = RgbaBytes(image);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    if (glGetError() == GL_NO_ERROR) return texture;
    glDeleteTextures(1, &texture);
    return 0;
}

void WebRenderer::ReplaceTexture(unsigned texture, const PixelImage& image) {
    if (texture == batchTexture_) Flush(); // quads already batched show the old pixels
    glBindTexture(GL_TEXTURE_2D, texture);
    const std::vector<std::uint8_t> bytes = RgbaBytes(image);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
}

void WebRenderer::FreeTexture(unsigned texture) {
    if (texture == batchTexture_) Flush();
    const GLuint name = texture;
    glDeleteTextures(1, &name);
}

void WebRenderer::UseTarget(unsigned framebuffer, int width, int height) {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
    glUniform2f(scaleLocation_, 2.0f / static_cast<float>(width), -2.0f / static_cast<float>(height));
}

void WebRenderer::Clear(std::uint32_t argb) {
    Flush();
    glClearColor(static_cast<float>(argb >> 16 & 0xFF) / 255.0f, static_cast<float>(argb >> 8 & 0xFF) / 255.0f,
                 static_cast<float>(argb & 0xFF) / 255.0f, static_cast<float>(argb >> 24) / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void WebRenderer::DrawQuad(const Quad& quad, unsigned texture, bool blend, int textureWidth, int textureHeight) {
    const unsigned sampled = texture != 0 ? texture : white_;
    if (sampled != batchTexture_ || blend != batchBlend_) Flush();
    batchTexture_ = sampled;
    batchBlend_ = blend;
    const Quad drawn = textureWidth > 0 ? SnappedLikeACopy(quad, textureWidth, textureHeight) : quad;
    for (const int corner : kTriangleCorners) {
        const Vertex& v = drawn.corners[corner];
        batch_.push_back(GpuVertex{v.x, v.y,
                                   {static_cast<std::uint8_t>(v.color >> 16), static_cast<std::uint8_t>(v.color >> 8),
                                    static_cast<std::uint8_t>(v.color), static_cast<std::uint8_t>(v.color >> 24)},
                                   v.tx, v.ty});
    }
}

// Blending as the desktop renderer blends: colour by source alpha, alpha over alpha; adding adds
// the source colour scaled by its alpha and keeps the target's alpha.
void WebRenderer::Flush() {
    if (batch_.empty()) return;
    if (batchBlend_) {
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE, GL_ZERO, GL_ONE);
    }
    glBindTexture(GL_TEXTURE_2D, batchTexture_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(batch_.size() * sizeof(GpuVertex)), batch_.data(), GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(batch_.size()));
    batch_.clear();
}

PixelImage WebRenderer::ReadScene() {
    Flush();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(sceneWidth_) * static_cast<std::size_t>(sceneHeight_) * 4);
    glReadPixels(0, 0, sceneWidth_, sceneHeight_, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    PixelImage scene;
    scene.width = sceneWidth_;
    scene.height = sceneHeight_;
    scene.pixels.resize(bytes.size() / 4);
    for (int y = 0; y < sceneHeight_; ++y) { // OpenGL's rows count from the bottom
        const std::size_t row = static_cast<std::size_t>(sceneHeight_ - 1 - y) * static_cast<std::size_t>(sceneWidth_);
        for (int x = 0; x < sceneWidth_; ++x) {
            const std::uint8_t* p = &bytes[(row + static_cast<std::size_t>(x)) * 4];
            scene.pixels[static_cast<std::size_t>(y) * sceneWidth_ + x] =
                std::uint32_t{p[3]} << 24 | std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
        }
    }
    return scene;
}

void WebRenderer::Present(int canvasWidth, int canvasHeight) {
    Flush();
    UseTarget(0, canvasWidth, canvasHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const ScreenRect shown = FitScene(canvasWidth, canvasHeight, sceneWidth_, sceneHeight_);
    const auto x0 = static_cast<float>(shown.x), y0 = static_cast<float>(shown.y);
    const auto x1 = static_cast<float>(shown.x + shown.width), y1 = static_cast<float>(shown.y + shown.height);
    // The scene's top row is the texture's last: v runs from 1 at the top to 0 at the bottom.
    Quad whole{};
    whole.corners[0] = Vertex{x0, y0, 0.0f, 0xFFFFFFFFu, 0.0f, 1.0f};
    whole.corners[1] = Vertex{x1, y0, 0.0f, 0xFFFFFFFFu, 1.0f, 1.0f};
    whole.corners[2] = Vertex{x1, y1, 0.0f, 0xFFFFFFFFu, 1.0f, 0.0f};
    whole.corners[3] = Vertex{x0, y1, 0.0f, 0xFFFFFFFFu, 0.0f, 0.0f};
    glDisable(GL_BLEND); // the frame replaces what the canvas showed
    DrawQuad(whole, sceneTexture_, true, 0, 0);
    Flush();
    glEnable(GL_BLEND);
    UseTarget(sceneTarget_, sceneWidth_, sceneHeight_);
}

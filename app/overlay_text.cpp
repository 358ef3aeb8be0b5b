#include "app/overlay_text.h"

#include <GL/freeglut.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <vector>

namespace {

constexpr const char* kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
// Pixel sizes near those of GLUT's Helvetica 18 and 12.
constexpr int kPixelSizes[2] = {17, 12};

bool font_file = false;
bool upside_down = false;

void* glut_font(OverlayFont font) {
    return font == OverlayFont::kName ? GLUT_BITMAP_HELVETICA_18 : GLUT_BITMAP_HELVETICA_12;
}

// One glyph as glBitmap takes it: bottom row first, a bit a pixel.
struct Glyph {
    int width = 0, rows = 0, left = 0, top = 0, advance = 0;
    std::vector<unsigned char> bits;
};

// The glyphs of bytes 32..255 (Latin-1) in both sizes, rendered on first use.
class FontFile {
public:
    const Glyph* glyph(OverlayFont font, unsigned char c) {
        const int f = static_cast<int>(font);
        if (c < 32 || !open()) return nullptr;
        Glyph& g = glyphs_[f][c];
        if (!done_[f][c]) {
            done_[f][c] = true;
            FT_Set_Pixel_Sizes(face_, 0, kPixelSizes[f]);
            if (FT_Load_Char(face_, c, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0) {
                const FT_GlyphSlot slot = face_->glyph;
                const FT_Bitmap& b = slot->bitmap;
                g.width = static_cast<int>(b.width);
                g.rows = static_cast<int>(b.rows);
                g.left = slot->bitmap_left;
                g.top = slot->bitmap_top;
                g.advance = static_cast<int>(slot->advance.x >> 6);
                const int bytes = (g.width + 7) / 8;
                for (int i = 0; i < g.rows; ++i) {
                    const unsigned char* from = b.buffer + (upside_down ? i : g.rows - 1 - i) * b.pitch;
                    g.bits.insert(g.bits.end(), from, from + bytes);
                }
            }
        }
        return &g;
    }
    int line_height(OverlayFont font) {
        if (!open()) return 0;
        FT_Set_Pixel_Sizes(face_, 0, kPixelSizes[static_cast<int>(font)]);
        return static_cast<int>(face_->size->metrics.height >> 6);
    }

private:
    bool open() {
        if (tried_) return face_ != nullptr;
        tried_ = true;
        if (FT_Init_FreeType(&library_) != 0 || FT_New_Face(library_, kFontFile, 0, &face_) != 0) {
            face_ = nullptr;
            std::fprintf(stderr, "zendral: no text in the picture: cannot read the font %s\n",
                         kFontFile);
        }
        return face_ != nullptr;
    }
    bool tried_ = false;
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    Glyph glyphs_[2][256];
    bool done_[2][256] = {};
};

FontFile& font_glyphs() {
    static FontFile glyphs;
    return glyphs;
}

}  // namespace

void use_font_file(bool on, bool turned_over) {
    font_file = on;
    upside_down = turned_over;
}

int text_width(OverlayFont font, const std::string& text) {
    if (!font_file)
        return glutBitmapLength(glut_font(font), reinterpret_cast<const unsigned char*>(text.c_str()));
    int width = 0;
    for (unsigned char c : text)
        if (const Glyph* g = font_glyphs().glyph(font, c)) width += g->advance;
    return width;
}

int line_height(OverlayFont font) {
    return font_file ? font_glyphs().line_height(font) : glutBitmapHeight(glut_font(font));
}

void draw_text(OverlayFont font, const std::string& text) {
    if (!font_file) {
        glutBitmapString(glut_font(font), reinterpret_cast<const unsigned char*>(text.c_str()));
        return;
    }
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    for (unsigned char c : text) {
        const Glyph* g = font_glyphs().glyph(font, c);
        if (!g) continue;
        const int below = upside_down ? g->top : g->rows - g->top;  // rows below the origin
        glBitmap(g->width, g->rows, static_cast<float>(-g->left), static_cast<float>(below),
                 static_cast<float>(g->advance), 0, g->bits.empty() ? nullptr : g->bits.data());
    }
    glPopClientAttrib();
}

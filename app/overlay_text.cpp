#include "app/overlay_text.h"

#include <GL/freeglut.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <map>
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

// The code points of UTF-8 `text`; a byte that starts no valid sequence stands
// for itself (ASCII, or a Latin-1 name), and a control character for '?'.
std::vector<char32_t> code_points(const std::string& text) {
    std::vector<char32_t> out;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = byte(i);
        const int extra = c >= 0xf5 ? 0 : c >= 0xf0 ? 3 : c >= 0xe0 ? 2 : c >= 0xc2 ? 1 : 0;
        char32_t cp = extra == 3 ? c & 0x07 : extra == 2 ? c & 0x0f : c & 0x1f;
        bool valid = extra > 0;
        for (int k = 1; valid && k <= extra; ++k) {
            valid = i + k < text.size() && (byte(i + k) & 0xc0) == 0x80;
            if (valid) cp = (cp << 6) | (byte(i + k) & 0x3f);
        }
        // Overlong forms and surrogates are not text.
        valid = valid && !(extra == 2 && cp < 0x800) &&
                !(extra == 3 && (cp < 0x10000 || cp > 0x10ffff)) && !(cp >= 0xd800 && cp <= 0xdfff);
        if (!valid) cp = c;
        if (cp < 0x20 || (cp >= 0x7f && cp < 0xa0)) cp = '?';
        out.push_back(cp);
        i += valid ? extra + 1 : 1;
    }
    return out;
}

// The glyphs of the code points drawn so far in both sizes, each way up, rendered
// on first use; a code point the font has no glyph for is drawn as '?'.
class FontFile {
  public:
    const Glyph* glyph(OverlayFont font, char32_t c) {
        const int f = static_cast<int>(font);
        if (c < 32 || !open()) return nullptr;
        if (FT_Get_Char_Index(face_, c) == 0) c = '?';
        // Each way up its own: a frame draws parts of itself the other way up.
        std::map<char32_t, Glyph>& glyphs = glyphs_[f][upside_down];
        auto found = glyphs.find(c);
        if (found == glyphs.end()) {
            Glyph& g = glyphs[c];
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
                    const unsigned char* from =
                        b.buffer + (upside_down ? i : g.rows - 1 - i) * b.pitch;
                    g.bits.insert(g.bits.end(), from, from + bytes);
                }
            }
            return &g;
        }
        return &found->second;
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
    std::map<char32_t, Glyph> glyphs_[2][2];  // by font, by upside_down
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

void text_turned_over(bool turned_over) {
    upside_down = turned_over;
}

// GLUT's bitmap fonts hold Latin-1; any other character is drawn as '?'.
int glut_character(char32_t c) {
    return c < 256 ? static_cast<int>(c) : '?';
}

int text_width(OverlayFont font, const std::string& text) {
    int width = 0;
    for (const char32_t c : code_points(text)) {
        if (!font_file)
            width += glutBitmapWidth(glut_font(font), glut_character(c));
        else if (const Glyph* g = font_glyphs().glyph(font, c))
            width += g->advance;
    }
    return width;
}

int line_height(OverlayFont font) {
    return font_file ? font_glyphs().line_height(font) : glutBitmapHeight(glut_font(font));
}

void move_raster(double dx, double dy) {
    glBitmap(0, 0, 0, 0, static_cast<float>(dx), static_cast<float>(upside_down ? -dy : dy),
             nullptr);
}

void draw_text(OverlayFont font, const std::string& text) {
    if (!font_file) {
        for (const char32_t c : code_points(text))
            glutBitmapCharacter(glut_font(font), glut_character(c));
        return;
    }
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    for (const char32_t c : code_points(text)) {
        const Glyph* g = font_glyphs().glyph(font, c);
        if (!g) continue;
        const int below = upside_down ? g->top : g->rows - g->top;  // rows below the origin
        glBitmap(g->width, g->rows, static_cast<float>(-g->left), static_cast<float>(below),
                 static_cast<float>(g->advance), 0, g->bits.empty() ? nullptr : g->bits.data());
    }
    glPopClientAttrib();
}

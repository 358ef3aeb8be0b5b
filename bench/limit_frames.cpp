// The least a frame of one primitive can cost here: a minimal GL program that
// draws what Zendral's frame of a "Data" file draws (bench/peer_frames.cpp), in
// the same 800 x 600 window (bench/bench_window.h: its lights, depth test,
// normalising), with the same camera, box mapping, material and colour-map
// texture, but from geometry uploaded once into vertex buffers and drawn with a
// single draw call a frame:
//   points   all points, glDrawArrays(GL_POINTS), 2 pixels, square
//   round    the same through the viewer's round-point fragment test
//   surface  the filled surface, one glDrawElements of its quads, flat shaded
//   tubes    the joined tubes (radius 0.02, 8 sides), one glDrawElements,
//            their inner faces culled
// Prints what bench_peer_frames prints: processor and wall seconds and minor
// page faults a frame over `frames` frames after the first, and the pixels the
// frame covers (read back before its swap).
//
// With --texcoords every vertex carries its texture coordinate (all the same),
// as the viewer's recorded points and tubes do, instead of one current for all.
//
// Usage: bench_limit_frames <file> points|round|surface|tubes <frames> [--texcoords]

#define GL_GLEXT_PROTOTYPES
#include <GL/freeglut.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_window.h"
#include "bench/frame_pixels.h"
#include "bench/limit_geometry.h"
#include "bench/quiet_stdout.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"
#include "render/round_points.h"

namespace {

// The material and colour map of plain data: entry 0 (red) of a 16 x 1 map,
// modulating the lit colour, nearest texel; every vertex in that entry.
void set_material_and_texture() {
    const float diffuse[4] = {0.6f, 0.6f, 0.6f, 1.0f}, specular[4] = {1, 1, 1, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 64);
    unsigned char map[16 * 4] = {};
    for (int e = 0; e < 16; ++e) {
        for (int c = 0; c < 3; ++c)
            map[4 * e + c] = e < 9 ? static_cast<unsigned char>(named_colors[e][c] * 255.0) : 0;
        map[4 * e + 3] = 255;
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 16, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, map);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_TEXTURE_2D);
    glTexCoord2f(0.5f / 16, 0.5f);
}

// A texture coordinate array of `count` vertices, all in entry 0.
void upload_texcoords(int count) {
    std::vector<float> st(static_cast<std::size_t>(count) * 2, 0.5f);
    for (std::size_t k = 0; k < st.size(); k += 2) st[k] = 0.5f / 16;
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(st.size() * sizeof(float)), st.data(),
                 GL_STATIC_DRAW);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
}

// The bytes of `mesh` in buffers, and the array pointers at them.
void upload(const LimitMesh& mesh) {
    GLuint buffers[2];
    glGenBuffers(2, buffers);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.vertices.size() * sizeof(float)),
                 mesh.vertices.data(), GL_STATIC_DRAW);
    const GLsizei stride = mesh.floats_per_vertex * sizeof(float);
    glEnableClientState(GL_VERTEX_ARRAY);
    if (mesh.floats_per_vertex == 6) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, stride, nullptr);
        glVertexPointer(3, GL_FLOAT, stride, reinterpret_cast<const void*>(3 * sizeof(float)));
    } else {
        glVertexPointer(3, GL_FLOAT, stride, nullptr);
    }
    if (mesh.indices.empty()) return;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(mesh.indices.size() * sizeof(unsigned)),
                 mesh.indices.data(), GL_STATIC_DRAW);
}

// The viewer's camera of "MonoView " after a load: from (0, 0, focal_length)
// along -z, and the box mapping of the data's bounds into [-5, 5] axis by axis.
void place_camera(const DataSet& set) {
    double low[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL}, high[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (std::size_t k = 0; k < set.point_count(); ++k) {
        for (int a = 0; a < 3; ++a) {
            const double v = set.points[k][a];
            if (!std::isfinite(v)) continue;
            low[a] = std::fmin(low[a], v);
            high[a] = std::fmax(high[a], v);
        }
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double wd2 = nearp * std::tan(degree_factor * aperture / 2), ratio = 800.0 / 600.0;
    glFrustum(-ratio * wd2, ratio * wd2, -wd2, wd2, nearp, farp);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, focal_length, 0, 0, focal_length - 1, 0, 1, 0);
    double f[3];
    for (int a = 0; a < 3; ++a) f[a] = high[a] > low[a] ? 10.0 / (high[a] - low[a]) : 10.0;
    glTranslatef(static_cast<float>(-low[0] * f[0] - 5), static_cast<float>(-low[1] * f[1] - 5),
                 static_cast<float>(-low[2] * f[2] - 5));
    glScalef(static_cast<float>(f[0]), static_cast<float>(f[1]), static_cast<float>(f[2]));
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 2 ? argv[2] : "";
    if (argc < 4 || (mode != "points" && mode != "round" && mode != "surface" && mode != "tubes")) {
        std::fprintf(stderr, "usage: %s <file> points|round|surface|tubes <frames> [--texcoords]\n",
                     argv[0]);
        return 2;
    }
    const int frames = std::atoi(argv[3]);
    open_bench_window();
    {
        QuietStdout quiet;
        data_set.read_data(argv[1]);
    }
    if (data_set.point_count() == 0) return 1;
    const bool points = mode == "points" || mode == "round";
    const LimitMesh mesh = points              ? limit_points(data_set)
                           : mode == "surface" ? limit_surface(data_set)
                                               : limit_tubes(data_set, thickness, segments);
    place_camera(data_set);
    data_set.allocate_grid(0, 0);  // only the buffers from here on
    upload(mesh);
    if (argc > 4 && std::string(argv[4]) == "--texcoords") upload_texcoords(mesh.vertex_count());
    set_material_and_texture();
    GLenum primitive = GL_QUADS;
    if (points) {
        primitive = GL_POINTS;
        glPointSize(thickness * 100);
        glDisable(GL_POINT_SMOOTH);
        // The viewer's own round points: sprites, its fragment program.
        if (mode == "round" && !begin_round_points()) return 1;
    } else if (mode == "surface") {
        glShadeModel(GL_FLAT);  // each quad lit by the normal of its last corner
    } else {
        primitive = GL_TRIANGLES;
        // The tubes are wound inward: their outsides are the clockwise faces, and
        // the insides of the far walls are culled.
        glFrontFace(GL_CW);
        glCullFace(GL_BACK);
        glEnable(GL_CULL_FACE);
    }
    glClearColor(background_color.r(), background_color.g(), background_color.b(), 1);
    const GLsizei count = static_cast<GLsizei>(points ? mesh.vertex_count() : mesh.indices.size());
    const auto draw = [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (points)
            glDrawArrays(GL_POINTS, 0, count);
        else
            glDrawElements(primitive, count, GL_UNSIGNED_INT, nullptr);
    };
    const auto frame = [&] {
        draw();
        glutSwapBuffers();
        glFinish();
    };
    frame();  // as Zendral's first frame, not measured
    const FrameCost cost = measure_frames(frames, frame);
    draw();
    print_frame_cost(cost);
    return 0;
}

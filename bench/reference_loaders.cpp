#include "bench/reference_loaders.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void fold_bounds(DataSet& set, const Vector3& p) {
    for (int a = 0; a < 3; ++a)
        if (set.min[a] > p[a]) set.min[a] = p[a];
    for (int a = 0; a < 3; ++a)
        if (set.max[a] < p[a]) set.max[a] = p[a];
}

bool read_points(DataSet& set, const char* name, bool coloured) {
    FILE* f = std::fopen(name, "r");
    if (!f) return false;
    char header[80];
    int w = 0, n = 0;
    if (!std::fgets(header, sizeof header, f) || std::sscanf(header, "%d %d ", &w, &n) != 2 ||
        w < 0 || n < 0) {
        std::fclose(f);
        return false;
    }
    set.allocate_grid(w, n);
    set.min = Vector3(1000000, 1000000, 1000000);
    set.max = Vector3(-1000000, -1000000, -1000000);
    for (int s = 0; s < w; ++s) {
        for (int i = 0; i < n; ++i) {
            // The grid keeps set s, point i at i * width + s; the file runs set by set.
            Vector3& p = set.point(s, i);
            double x = 0, y = 0, z = 0;
            if (coloured) {
                float v = 0;
                std::fscanf(f, "%lf %lf %lf %f", &x, &y, &z, &v);
                set.color_value(s, i) = v;
            } else {
                std::fscanf(f, "%lf %lf %lf", &x, &y, &z);
            }
            p = Vector3(x, y, z);
            fold_bounds(set, p);
        }
    }
    set.normalize_bounds();
    set.kind = coloured ? DataSet::kColorData : DataSet::kData;
    std::fclose(f);
    return true;
}

// Reads the next chunk of at most 99 characters, drops a carriage return before
// the line end, and cuts it at its first backslash.
bool next_chunk(FILE* f, char* chunk) {
    if (!std::fgets(chunk, 100, f)) return false;
    std::size_t len = std::strlen(chunk);
    if (len >= 2 && chunk[len - 2] == '\r' && chunk[len - 1] == '\n') {
        chunk[len - 2] = '\n';
        chunk[len - 1] = '\0';
    }
    if (char* cut = std::strchr(chunk, '\\')) *cut = '\0';
    return true;
}

struct MapleGrid {
    int x1, x2, y1, y2;
    double x_min, x_max, y_min, y_max, dx, dy;
    std::size_t k = 0;
    int i, j;
};

// Every run of characters between separators is one value, converted by strtod.
void store_values(DataSet& set, MapleGrid& g, const char* text) {
    const std::size_t count = set.point_count();
    const char* p = text;
    while (true) {
        const std::size_t run = std::strcspn(p, ",[]\n");
        if (run > 0) {
            char value[200];
            std::memcpy(value, p, run);
            value[run] = '\0';
            const double v = std::strtod(value, nullptr);
            if (g.k < count) {
                set.point_at(g.k) =
                    Vector3(g.x_min + (g.i - g.x1) * g.dx, g.y_min + (g.j - g.y1) * g.dy, v);
                if (set.min.z() > v) set.min.z() = v;
                if (set.max.z() < v) set.max.z() = v;
            }
            ++g.k;
            if (++g.j > g.y2) {
                ++g.i;
                g.j = g.y1;
            }
        }
        p += run;
        if (*p == '\0') break;
        ++p;
    }
}

}  // namespace

bool reference_read_data(DataSet& set, const char* name) {
    return read_points(set, name, false);
}

bool reference_read_color_data(DataSet& set, const char* name) {
    return read_points(set, name, true);
}

bool reference_read_maple(DataSet& set, const char* name) {
    FILE* f = std::fopen(name, "r");
    if (!f) return false;
    char chunk[100];
    MapleGrid g{};
    const char* grid = nullptr;
    const char* array = nullptr;
    const char* start = nullptr;
    if (!next_chunk(f, chunk) || !(grid = std::strstr(chunk, "GRID(")) ||
        !(array = std::strstr(chunk, "Array")) || !(start = std::strstr(chunk, "[["))) {
        std::fclose(f);
        return false;
    }
    char ranges[100];
    std::size_t len = static_cast<std::size_t>(array - (grid + 5));
    std::memcpy(ranges, grid + 5, len);
    ranges[len] = '\0';
    if (std::sscanf(ranges, "%lf .. %lf,%lf .. %lf", &g.x_min, &g.x_max, &g.y_min, &g.y_max) != 4 ||
        std::sscanf(array + 6, "%d..%d,%d..%d", &g.x1, &g.x2, &g.y1, &g.y2) != 4 || g.x2 < g.x1 ||
        g.y2 < g.y1) {
        std::fclose(f);
        return false;
    }
    set.allocate_grid(g.x2 - g.x1 + 1, g.y2 - g.y1 + 1);
    set.min = Vector3(g.x_min, g.y_min, 1000000000000.0);
    set.max = Vector3(g.x_max, g.y_max, -1000000000000.0);
    g.dx = (g.x_max - g.x_min) / (g.x2 - g.x1);
    g.dy = (g.y_max - g.y_min) / (g.y2 - g.y1);
    g.i = g.x1;
    g.j = g.y1;

    // The carried text holds what follows the last comma of a chunk, which may be
    // the first part of a number that the next chunk completes.
    char carried[200];
    std::strcpy(carried, start + 2);
    char work[300];
    while (next_chunk(f, chunk)) {
        if (char* close = std::strstr(chunk, "]]")) {
            *close = '\0';
            std::strcpy(work, carried);
            std::strcat(work, chunk);
            store_values(set, g, work);
            break;
        }
        char* last_comma = std::strrchr(chunk, ',');
        if (!last_comma) {  // no comma: the whole chunk continues the carried text
            if (std::strlen(carried) + std::strlen(chunk) >= sizeof carried) break;
            std::strcat(carried, chunk);
            continue;
        }
        *last_comma = '\0';
        std::strcpy(work, carried);
        std::strcat(work, chunk);
        std::strcpy(carried, last_comma + 1);
        store_values(set, g, work);
    }
    set.normalize_bounds(DataSet::kMapleTranslationFormat);
    set.kind = DataSet::kMaple;
    std::fclose(f);
    return true;
}

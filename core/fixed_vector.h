#pragma once
// Small fixed-size vectors: Vector3 (three doubles) for points, bounds, scales and
// camera vectors; Color4 (four floats) for RGBA colours.
//
// Bad use throws the integer -1: an index outside 0..N-1, or a cross product of a
// vector that does not have three components.

#include <cmath>

template <typename T, int N>
class FixedVector {
  public:
    FixedVector() {}  // components left unset, like a plain array
    FixedVector(T a, T b, T c, T d = T()) {
        const T in[4] = {a, b, c, d};
        for (int i = 0; i < N && i < 4; ++i) v_[i] = in[i];
    }
    explicit FixedVector(T s) {
        for (int i = 0; i < N; ++i) v_[i] = s;
    }
    FixedVector(const FixedVector& o) {
        for (int i = 0; i < N; ++i) v_[i] = o.v_[i];
    }
    FixedVector& operator=(FixedVector o) {
        for (int i = 0; i < N; ++i) v_[i] = o.v_[i];
        return *this;
    }

    T& operator[](int i) {
        if (i < 0 || i >= N) throw -1;
        return v_[i];
    }
    const T& operator[](int i) const {
        if (i < 0 || i >= N) throw -1;
        return v_[i];
    }

    // Named components: x, y, z of a Vector3; r, g, b, a of a Color4.
    T& x() { return (*this)[0]; }
    T& y() { return (*this)[1]; }
    T& z() { return (*this)[2]; }
    const T& x() const { return (*this)[0]; }
    const T& y() const { return (*this)[1]; }
    const T& z() const { return (*this)[2]; }
    T& r() { return (*this)[0]; }
    T& g() { return (*this)[1]; }
    T& b() { return (*this)[2]; }
    T& a() { return (*this)[3]; }
    const T& r() const { return (*this)[0]; }
    const T& g() const { return (*this)[1]; }
    const T& b() const { return (*this)[2]; }
    const T& a() const { return (*this)[3]; }

    FixedVector operator+(const FixedVector& o) const {
        FixedVector out;
        for (int i = 0; i < N; ++i) out.v_[i] = v_[i] + o.v_[i];
        return out;
    }
    FixedVector operator-(const FixedVector& o) const {
        FixedVector out;
        for (int i = 0; i < N; ++i) out.v_[i] = v_[i] - o.v_[i];
        return out;
    }
    FixedVector operator/(T s) const {
        FixedVector out;
        for (int i = 0; i < N; ++i) out.v_[i] = v_[i] / s;
        return out;
    }
    FixedVector& operator*=(T s) {
        for (int i = 0; i < N; ++i) v_[i] *= s;
        return *this;
    }
    FixedVector& operator-=(const FixedVector& o) {
        for (int i = 0; i < N; ++i) v_[i] -= o.v_[i];
        return *this;
    }

    T length() const {
        T sum = T();
        for (int i = 0; i < N; ++i) sum += v_[i] * v_[i];
        return static_cast<T>(std::sqrt(sum));
    }
    // In place; a zero vector gives non-finite components (callers avoid it).
    FixedVector& normalize() { return *this *= static_cast<T>(1) / length(); }

    // The result lives in one static vector shared by every call: a reference kept
    // from one call shows the result of the next.
    FixedVector& cross(const FixedVector& b) const {
        if (N != 3) throw -1;
        static FixedVector result;
        const T* a = v_;
        result.v_[0] = a[1] * b.v_[2] - a[2] * b.v_[1];
        result.v_[1] = a[2] * b.v_[0] - a[0] * b.v_[2];
        result.v_[2] = a[0] * b.v_[1] - a[1] * b.v_[0];
        return result;
    }

    // OpenGL emission helpers; defined in render/vector_gl.cpp so that this header
    // (and the readers) stay free of GL.
    void gl_translate() const;
    void gl_normal() const;
    void gl_vertex() const;

    const T* data() const { return v_; }

  private:
    T v_[N];
};

using Vector3 = FixedVector<double, 3>;
using Color4 = FixedVector<float, 4>;

// Only Vector3 is handed to GL.
template <>
void FixedVector<double, 3>::gl_translate() const;
template <>
void FixedVector<double, 3>::gl_normal() const;
template <>
void FixedVector<double, 3>::gl_vertex() const;

// Every component finite: nothing else is handed to GL.
inline bool is_finite(const Vector3& v) {
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}

#include "readout/simulatedcamera.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace tarvo {

namespace {

constexpr int kBlock = 8;
constexpr int kSubSamples = 16;  // per axis, for the pixels at a corner

// The share of a pixel (the unit square about its centre) on the positive side of a straight
// edge at signed distance `d` from its centre, the edge's normal having the components `a`, `b`
// (in pixels, |(a, b)| = 1): the distribution of a u + b v over the square is the convolution of
// two uniform ones, a trapezoid.
double SquareShare(double d, double a, double b) {
    double big = std::abs(a) / 2;
    double small = std::abs(b) / 2;
    if (small > big) {
        std::swap(big, small);
    }
    if (d >= big + small) {
        return 1;
    }
    if (d <= -(big + small)) {
        return 0;
    }
    if (small < 1e-12 || std::abs(d) <= big - small) {
        return 0.5 + d / (2 * big);
    }
    const double outer = big + small - std::abs(d);
    const double corner = outer * outer / (8 * big * small);
    return d > 0 ? 1 - corner : corner;
}

}  // namespace

SimulatedCamera::SimulatedCamera(Workpiece workpiece) : m_workpiece(std::move(workpiece)) {
    std::mt19937 gen(20261208u);
    std::normal_distribution<float> normal(0.0f, 1.0f);
    m_normal.resize(1u << 16);
    for (float& v : m_normal) {
        v = normal(gen);
    }
}

void SimulatedCamera::Coverage(std::vector<float>& out) const {
    RenderCoverage(out, m_settings.width, m_settings.height, 0);
}

void SimulatedCamera::RenderCoverage(std::vector<float>& out, int w, int h, int margin) const {
    const CameraScale& s = m_settings.scale;
    const double rot = s.rotation * M_PI / 180.0;
    // Stage millimetres per pixel step in X and in Y of the picture (its Y points down).
    const double eux = s.pixelX * std::cos(rot);
    const double euy = s.pixelX * std::sin(rot);
    const double evx = s.pixelY * std::sin(rot);
    const double evy = -s.pixelY * std::cos(rot);
    const double cx = (m_settings.width - 1) / 2.0 + margin;
    const double cy = (m_settings.height - 1) / 2.0 + margin;
    const auto worldX = [&](double i, double j) { return m_x + (i - cx) * eux + (j - cy) * evx; };
    const auto worldY = [&](double i, double j) { return m_y + (i - cx) * euy + (j - cy) * evy; };
    const double pixelReach = 0.5 * std::hypot(s.pixelX, s.pixelY);
    const double blockReach = kBlock * pixelReach * 1.000001;

    out.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0.0f);
    std::vector<EdgePiece> pieces;
    for (int by = 0; by < h; by += kBlock) {
        for (int bx = 0; bx < w; bx += kBlock) {
            const double mi = bx + (kBlock - 1) / 2.0;
            const double mj = by + (kBlock - 1) / 2.0;
            const double sd = MaterialDistance(m_workpiece, worldX(mi, mj), worldY(mi, mj));
            const int ex = std::min(bx + kBlock, w);
            const int ey = std::min(by + kBlock, h);
            if (std::abs(sd) > blockReach) {
                const float v = sd < 0 ? 1.0f : 0.0f;
                for (int j = by; j < ey; ++j) {
                    std::fill(out.begin() + j * w + bx, out.begin() + j * w + ex, v);
                }
                continue;
            }
            for (int j = by; j < ey; ++j) {
                for (int i = bx; i < ex; ++i) {
                    const double x = worldX(i, j);
                    const double y = worldY(i, j);
                    const double d = MaterialDistance(m_workpiece, x, y);
                    float& px = out[static_cast<std::size_t>(j) * w + i];
                    if (d >= pixelReach) {
                        px = 0;
                    } else if (d <= -pixelReach) {
                        px = 1;
                    } else if (EdgePiecesNear(m_workpiece, x, y, pixelReach, pieces) == 1) {
                        // One edge through the pixel: the area it cuts off, exactly for a
                        // straight edge (a rim of many pixels' radius is straight to 1e-4).
                        const EdgePiece& e = pieces.front();
                        const double a = -(e.nx * eux + e.ny * euy);
                        const double b = -(e.nx * evx + e.ny * evy);
                        const double g = std::hypot(a, b);
                        px = static_cast<float>(SquareShare(-e.distance / g, a / g, b / g));
                    } else {
                        int inside = 0;
                        for (int sj = 0; sj < kSubSamples; ++sj) {
                            for (int si = 0; si < kSubSamples; ++si) {
                                const double oi = i - 0.5 + (si + 0.5) / kSubSamples;
                                const double oj = j - 0.5 + (sj + 0.5) / kSubSamples;
                                inside += MaterialDistance(m_workpiece, worldX(oi, oj), worldY(oi, oj)) < 0;
                            }
                        }
                        px = static_cast<float>(inside) / (kSubSamples * kSubSamples);
                    }
                }
            }
        }
    }
}

bool SimulatedCamera::Grab(GreyImage& frame) {
    if (!m_delivering || m_settings.width <= 0 || m_settings.height <= 0) {
        return false;
    }
    const SimulatedCameraSettings& st = m_settings;
    const int margin = st.blur > 0.05 ? static_cast<int>(std::ceil(3 * st.blur)) : 0;
    const int w = st.width + 2 * margin;
    const int h = st.height + 2 * margin;
    RenderCoverage(m_buffer, w, h, margin);
    for (float& v : m_buffer) {
        v = static_cast<float>(st.bright + (st.dark - st.bright) * v);
    }
    const float* src = m_buffer.data();
    if (margin > 0) {
        // The lens: a Gaussian, first along the rows, then along the columns.
        m_kernel.resize(2 * margin + 1);
        float sum = 0;
        for (int k = -margin; k <= margin; ++k) {
            sum += m_kernel[k + margin] = static_cast<float>(std::exp(-0.5 * k * k / (st.blur * st.blur)));
        }
        for (float& k : m_kernel) {
            k /= sum;
        }
        m_blurred.assign(static_cast<std::size_t>(st.width) * h, 0.0f);
        for (int j = 0; j < h; ++j) {
            const float* row = m_buffer.data() + static_cast<std::size_t>(j) * w;
            float* dst = m_blurred.data() + static_cast<std::size_t>(j) * st.width;
            for (int i = 0; i < st.width; ++i) {
                float acc = 0;
                for (int k = 0; k <= 2 * margin; ++k) {
                    acc += m_kernel[k] * row[i + k];
                }
                dst[i] = acc;
            }
        }
        m_buffer.assign(static_cast<std::size_t>(st.width) * st.height, 0.0f);
        for (int k = 0; k <= 2 * margin; ++k) {
            const float c = m_kernel[k];
            for (int j = 0; j < st.height; ++j) {
                const float* in = m_blurred.data() + static_cast<std::size_t>(j + k) * st.width;
                float* dst = m_buffer.data() + static_cast<std::size_t>(j) * st.width;
                for (int i = 0; i < st.width; ++i) {
                    dst[i] += c * in[i];
                }
            }
        }
        src = m_buffer.data();
    }
    // Uneven light (darker towards the corners and to one side), noise, eight bits.
    frame.Resize(st.width, st.height);
    std::uint32_t state = 0x9E3779B9u * (++m_frameNo) | 1u;
    const double cx = frame.CentreX();
    const double cy = frame.CentreY();
    m_column.resize(static_cast<std::size_t>(st.width));
    for (int i = 0; i < st.width; ++i) {
        const double xn = cx > 0 ? (i - cx) / cx : 0;
        m_column[i] = static_cast<float>(st.light * (0.35 * xn * xn + 0.15 * (xn + 1)));
    }
    const float noise = static_cast<float>(st.noise);
    for (int j = 0; j < st.height; ++j) {
        const double yn = cy > 0 ? (j - cy) / cy : 0;
        const float row = static_cast<float>(1 - st.light * 0.35 * yn * yn);
        const float* in = src + static_cast<std::size_t>(j) * st.width;
        std::uint8_t* out = frame.pixels.data() + static_cast<std::size_t>(j) * st.width;
        for (int i = 0; i < st.width; ++i) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const float v = in[i] * (row - m_column[i]) + noise * m_normal[state & 0xFFFFu] + 0.5f;
            out[i] = static_cast<std::uint8_t>(std::clamp(v, 0.0f, 255.0f));
        }
    }
    return true;
}

}  // namespace tarvo

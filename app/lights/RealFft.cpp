#include "app/lights/RealFft.h"

#include <cmath>
#include <utility>

namespace tessaro {

RealFft::RealFft() {
  for (int k = 0; k < kHalf / 2; ++k) {
    half_twiddles_[k] = std::polar(1.0f, static_cast<float>(-2.0 * M_PI * k / kHalf));
  }
  for (int k = 0; k < kHalf; ++k) {
    split_twiddles_[k] = std::polar(1.0f, static_cast<float>(-2.0 * M_PI * k / kSize));
  }
  for (int i = 0; i < kHalf; ++i) {
    int reversed = 0;
    for (int bit = 0; bit < 8; ++bit) reversed |= ((i >> bit) & 1) << (7 - bit);
    bit_reversed_[i] = static_cast<uint8_t>(reversed);
  }
}

void RealFft::ComplexTransform(std::array<std::complex<float>, kHalf>& z) const {
  for (int i = 0; i < kHalf; ++i) {
    if (i < bit_reversed_[i]) std::swap(z[i], z[bit_reversed_[i]]);
  }
  for (int length = 2; length <= kHalf; length *= 2) {
    const int half = length / 2;
    const int stride = kHalf / length;
    for (int start = 0; start < kHalf; start += length) {
      for (int j = 0; j < half; ++j) {
        const std::complex<float> odd = z[start + j + half] * half_twiddles_[j * stride];
        z[start + j + half] = z[start + j] - odd;
        z[start + j] += odd;
      }
    }
  }
}

void RealFft::Transform(std::array<float, kSize>& values) const {
  std::array<std::complex<float>, kHalf> z;
  for (int n = 0; n < kHalf; ++n) z[n] = {values[2 * n], values[2 * n + 1]};
  ComplexTransform(z);

  constexpr float kScale = 1.0f / kSize;
  // X[k] = E[k] + W^k O[k], where E and O are the transforms of the even and
  // odd samples, recovered from Z[k] and conj(Z[256 - k]).
  values[0] = (z[0].real() + z[0].imag()) * kScale;
  values[1] = (z[0].real() - z[0].imag()) * kScale;
  for (int k = 1; k < kHalf; ++k) {
    const std::complex<float> a = z[k];
    const std::complex<float> b = std::conj(z[kHalf - k]);
    const std::complex<float> even = (a + b) * 0.5f;
    const std::complex<float> odd = (a - b) * std::complex<float>(0.0f, -0.5f);
    const std::complex<float> x = even + split_twiddles_[k] * odd;
    values[2 * k] = x.real() * kScale;
    values[2 * k + 1] = x.imag() * kScale;
  }
}

}  // namespace tessaro

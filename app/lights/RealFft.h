#pragma once
// A 512-point real Fourier transform, scaled by 1/512 and packed in place: the
// zero-frequency term in value 0, the highest-frequency term in value 1, and
// the real and imaginary parts of bin k in values 2k and 2k+1 (k = 1 to 255).
// Computed as a 256-point complex transform of the even and odd samples and
// one split pass; the tables are built once per instance.
#include <array>
#include <complex>

namespace tessaro {

class RealFft {
 public:
  static constexpr int kSize = 512;

  RealFft();
  void Transform(std::array<float, kSize>& values) const;

 private:
  static constexpr int kHalf = kSize / 2;
  void ComplexTransform(std::array<std::complex<float>, kHalf>& z) const;

  std::array<std::complex<float>, kHalf / 2> half_twiddles_{};  // e^(-2 pi i k / 256)
  std::array<std::complex<float>, kHalf> split_twiddles_{};     // e^(-2 pi i k / 512)
  std::array<uint8_t, kHalf> bit_reversed_{};
};

}  // namespace tessaro

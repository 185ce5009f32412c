#pragma once

#include <complex>
#include <span>
#include <vector>

namespace hwd {

// Solves T z = y in O(n^2) by Levinson's recursion, where T is the n-by-n
// Hermitian Toeplitz matrix whose first column is firstColumn: T(i, j) is
// firstColumn[i - j] below the diagonal and its conjugate above. The cycle
// fit's normal equations have this shape; T must be positive definite (every
// leading block invertible), which a Gram matrix with a positive diagonal
// loading is.
[[nodiscard]] std::vector<std::complex<double>>
solveHermitianToeplitz(std::span<const std::complex<double>> firstColumn, std::span<const std::complex<double>> y);

} // namespace hwd

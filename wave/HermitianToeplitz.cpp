#include "HermitianToeplitz.h"

#include <algorithm>
#include <cstddef>

namespace hwd {

std::vector<std::complex<double>>
solveHermitianToeplitz(std::span<const std::complex<double>> firstColumn, std::span<const std::complex<double>> y)
{
    using Complex = std::complex<double>;
    const std::size_t size = y.size();
    if (size == 0)
        return {};
    // t(m) is T(i, j) for i - j = m.
    const auto t = [&](std::ptrdiff_t m) {
        return m >= 0 ? firstColumn[static_cast<std::size_t>(m)] : std::conj(firstColumn[static_cast<std::size_t>(-m)]);
    };
    // For the leading n-by-n block, forward solves T f = e_first, backward
    // T b = e_last and z T z = y; each step grows the block by one.
    std::vector<Complex> forward(size), backward(size), z(size), previousForward(size);
    forward[0] = backward[0] = 1.0 / t(0);
    z[0] = y[0] / t(0);
    for (std::size_t n = 1; n < size; ++n) {
        const auto last = static_cast<std::ptrdiff_t>(n);
        Complex forwardError = 0;
        Complex backwardError = 0;
        Complex solutionError = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const auto column = static_cast<std::ptrdiff_t>(i);
            forwardError += t(last - column) * forward[i];
            backwardError += t(-column - 1) * backward[i];
            solutionError += t(last - column) * z[i];
        }
        const Complex scale = 1.0 / (1.0 - forwardError * backwardError);
        std::copy_n(forward.begin(), n, previousForward.begin());
        previousForward[n] = 0;
        forward[n] = 0;
        for (std::size_t i = n + 1; i-- > 0;) {
            const Complex b = i > 0 ? backward[i - 1] : Complex{};
            forward[i] = (previousForward[i] - forwardError * b) * scale;
            backward[i] = (b - backwardError * previousForward[i]) * scale;
        }
        const Complex correction = y[n] - solutionError;
        for (std::size_t i = 0; i <= n; ++i)
            z[i] += correction * backward[i];
    }
    return z;
}

} // namespace hwd

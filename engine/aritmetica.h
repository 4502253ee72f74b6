#pragma once
// Integer sums, differences and products that report overflow (an empty optional) instead of
// wrapping. GCC and Clang check with their overflow builtins; other compilers (MSVC on
// Windows) with the same comparisons written out in `portavel`, which every build compiles
// so that the tests can hold it against the builtins.

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>

namespace vestamar {

namespace portavel {

template <std::integral T>
std::optional<T> somaExata(T a, T b) {
    using L = std::numeric_limits<T>;
    if (b > 0 ? a > L::max() - b : a < L::min() - b) return std::nullopt;
    return static_cast<T>(a + b);
}

template <std::integral T>
std::optional<T> diferencaExata(T a, T b) {
    using L = std::numeric_limits<T>;
    if (b > 0 ? a < L::min() + b : a > L::max() + b) return std::nullopt;
    return static_cast<T>(a - b);
}

template <std::integral T>
std::optional<T> produtoExato(T a, T b) {
    using L = std::numeric_limits<T>;
    if (a != 0 && b != 0) {
        if constexpr (L::is_signed) {
            const bool estoura =
                a > 0 ? (b > 0 ? a > L::max() / b : b < L::min() / a) : (b > 0 ? a < L::min() / b : a < L::max() / b);
            if (estoura) return std::nullopt;
        } else if (a > L::max() / b) {
            return std::nullopt;
        }
    }
    return static_cast<T>(a * b);
}

}  // namespace portavel

template <std::integral T>
std::optional<T> somaExata(T a, T b) {
#if defined(__GNUC__) || defined(__clang__)
    T r{};
    if (__builtin_add_overflow(a, b, &r)) return std::nullopt;
    return r;
#else
    return portavel::somaExata(a, b);
#endif
}

template <std::integral T>
std::optional<T> diferencaExata(T a, T b) {
#if defined(__GNUC__) || defined(__clang__)
    T r{};
    if (__builtin_sub_overflow(a, b, &r)) return std::nullopt;
    return r;
#else
    return portavel::diferencaExata(a, b);
#endif
}

template <std::integral T>
std::optional<T> produtoExato(T a, T b) {
#if defined(__GNUC__) || defined(__clang__)
    T r{};
    if (__builtin_mul_overflow(a, b, &r)) return std::nullopt;
    return r;
#else
    return portavel::produtoExato(a, b);
#endif
}

// The magnitude of a signed 64-bit value, exact also for the most negative one.
constexpr std::uint64_t magnitude(std::int64_t v) {
    return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

// Nearest whole number, halves to even, independent of the floating-point rounding mode.
// Infinities and NaN come back unchanged.
inline double arredondarParaPar(double x) {
    const double piso = std::floor(x);
    const double resto = x - piso;  // exact: piso and x are within one unit
    if (resto > 0.5) return piso + 1.0;
    if (resto < 0.5) return piso;
    return std::fmod(piso, 2.0) == 0.0 ? piso : piso + 1.0;
}

}  // namespace vestamar

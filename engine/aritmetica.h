#pragma once
// Integer sums, differences and products that report overflow (an empty optional) instead of
// wrapping. GCC and Clang check with their overflow builtins; other compilers (MSVC on
// Windows) with the same comparisons written out in `portavel`, which every build compiles
// so that the tests can hold it against the builtins.

#include <concepts>
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
            const bool estoura = a > 0 ? (b > 0 ? a > L::max() / b : b < L::min() / a)
                                       : (b > 0 ? a < L::min() / b : a < L::max() / b);
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

}  // namespace vestamar

#pragma once
// Integer sums, differences and products that report overflow (an empty optional) instead of
// wrapping. GCC and Clang check with their overflow builtins; other compilers (MSVC on
// Windows) with the same comparisons written out.

#include <concepts>
#include <limits>
#include <optional>

namespace vestamar {

template <std::integral T>
std::optional<T> somaExata(T a, T b) {
    T r{};
#if defined(__GNUC__) || defined(__clang__)
    if (__builtin_add_overflow(a, b, &r)) return std::nullopt;
#else
    using L = std::numeric_limits<T>;
    if (b > 0 ? a > L::max() - b : a < L::min() - b) return std::nullopt;
    r = static_cast<T>(a + b);
#endif
    return r;
}

template <std::integral T>
std::optional<T> diferencaExata(T a, T b) {
    T r{};
#if defined(__GNUC__) || defined(__clang__)
    if (__builtin_sub_overflow(a, b, &r)) return std::nullopt;
#else
    using L = std::numeric_limits<T>;
    if (b > 0 ? a < L::min() + b : a > L::max() + b) return std::nullopt;
    r = static_cast<T>(a - b);
#endif
    return r;
}

template <std::integral T>
std::optional<T> produtoExato(T a, T b) {
    T r{};
#if defined(__GNUC__) || defined(__clang__)
    if (__builtin_mul_overflow(a, b, &r)) return std::nullopt;
#else
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
    r = static_cast<T>(a * b);
#endif
    return r;
}

}  // namespace vestamar

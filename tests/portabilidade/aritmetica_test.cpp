// The checked arithmetic written out for compilers without overflow builtins, held against the
// builtins for every integer type: all pairs of a table of edges, each pair's first operand also
// with the factors on either side of its product's overflow thresholds. The first disagreement
// ends the test.

#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>

#include <gtest/gtest.h>

#include "aritmetica.h"

namespace vestamar {
namespace {

#if defined(__GNUC__) || defined(__clang__)

template <typename T>
class AritmeticaPortavel : public ::testing::Test {};

using Tipos = ::testing::Types<std::int8_t, std::uint8_t, std::int16_t, std::uint16_t, std::int32_t, std::uint32_t,
                               std::int64_t, std::uint64_t>;
TYPED_TEST_SUITE(AritmeticaPortavel, Tipos);

TYPED_TEST(AritmeticaPortavel, ConcordaComOsBuiltins) {
    using T = TypeParam;
    using U = std::make_unsigned_t<T>;
    using L = std::numeric_limits<T>;
    const auto comparar = [](T a, T b) {
        T s{}, d{}, p{};
        const auto se = [](bool estourou, const T& r) { return estourou ? std::nullopt : std::optional(r); };
        EXPECT_EQ(portavel::somaExata(a, b), se(__builtin_add_overflow(a, b, &s), s)) << +a << " + " << +b;
        EXPECT_EQ(portavel::diferencaExata(a, b), se(__builtin_sub_overflow(a, b, &d), d)) << +a << " - " << +b;
        EXPECT_EQ(portavel::produtoExato(a, b), se(__builtin_mul_overflow(a, b, &p), p)) << +a << " * " << +b;
    };
    // The pair, then `a` with the largest and smallest factors that still fit and one past each
    // (formed unsigned, so that stepping past the type's end wraps instead of overflowing).
    const auto compararComLimiares = [&](T a, T b) {
        comparar(a, b);
        if (a == 0 || (L::is_signed && a == static_cast<T>(-1))) return;
        for (const T limite : {L::max(), L::min()}) {
            for (const U passo : {static_cast<U>(-1), U{0}, U{1}})
                comparar(a, static_cast<T>(static_cast<U>(limite / a) + passo));
        }
    };
    // The edges, several to a line
    // clang-format off
    const T pontas[] = {L::min(), static_cast<T>(L::min() + 1), static_cast<T>(L::min() / 2), static_cast<T>(-3),
                        static_cast<T>(-2), static_cast<T>(-1), T{0}, T{1}, T{2}, T{3}, static_cast<T>(L::max() / 3),
                        static_cast<T>(L::max() / 2), static_cast<T>(L::max() - 1), L::max()};
    // clang-format on
    for (const T a : pontas)
        for (const T b : pontas)
            if (!this->HasFailure()) compararComLimiares(a, b);
}

#endif

}  // namespace
}  // namespace vestamar

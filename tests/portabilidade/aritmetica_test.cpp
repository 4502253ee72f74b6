// The checked arithmetic written out for compilers without overflow builtins, held against the
// builtins: every pair of 8-bit values; for the wider types, pairs of every magnitude and sign,
// the ends of the range, and the factors on either side of each product's overflow threshold.

#include <array>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <type_traits>

#include <gtest/gtest.h>

#include "aritmetica.h"

namespace vestamar {
namespace {

#if defined(__GNUC__) || defined(__clang__)

template <typename T>
struct Operacao {
    const char* nome;
    std::optional<T> (*portavel)(T, T);
    bool (*builtin)(T, T, T*);
};

template <typename T>
const Operacao<T> kOperacoes[] = {
    {"soma", portavel::somaExata<T>, [](T a, T b, T* r) { return __builtin_add_overflow(a, b, r); }},
    {"diferenca", portavel::diferencaExata<T>, [](T a, T b, T* r) { return __builtin_sub_overflow(a, b, r); }},
    {"produto", portavel::produtoExato<T>, [](T a, T b, T* r) { return __builtin_mul_overflow(a, b, r); }},
};

// Adds a failure, for the first few pairs only, where the two disagree.
template <typename T>
void comparar(T a, T b, int& divergencias) {
    for (const Operacao<T>& op : kOperacoes<T>) {
        T esperado{};
        const bool estoura = op.builtin(a, b, &esperado);
        const std::optional<T> obtido = op.portavel(a, b);
        if (obtido.has_value() != estoura && (estoura || *obtido == esperado)) continue;
        if (++divergencias <= 5) {
            ADD_FAILURE() << op.nome << '(' << +a << ", " << +b << "): builtin "
                          << (estoura ? std::string("overflow") : std::to_string(+esperado)) << ", written-out "
                          << (obtido ? std::to_string(+*obtido) : std::string("overflow"));
        }
    }
}

template <typename T>
class AritmeticaPortavel : public ::testing::Test {};

using Tipos = ::testing::Types<std::int8_t, std::uint8_t, std::int16_t, std::uint16_t, std::int32_t,
                               std::uint32_t, std::int64_t, std::uint64_t>;
TYPED_TEST_SUITE(AritmeticaPortavel, Tipos);

TYPED_TEST(AritmeticaPortavel, ConcordaComOsBuiltins) {
    using T = TypeParam;
    using U = std::make_unsigned_t<T>;
    using L = std::numeric_limits<T>;
    int divergencias = 0;

    if constexpr (sizeof(T) == 1) {
        for (int a = L::min(); a <= L::max(); ++a) {
            for (int b = L::min(); b <= L::max(); ++b) comparar(static_cast<T>(a), static_cast<T>(b), divergencias);
        }
    } else {
        std::mt19937_64 gerador(20240611);
        const std::array<T, 6> pontas{L::min(), static_cast<T>(L::min() + 1), T{0}, T{1}, static_cast<T>(L::max() - 1),
                                      L::max()};
        // One value in eight is an end of the range; the others have any magnitude and sign.
        auto qualquer = [&]() -> T {
            if (gerador() % 8 == 0) return pontas[gerador() % pontas.size()];
            constexpr unsigned largura = 8 * sizeof(T);
            std::uint64_t bits = (gerador() >> (64 - largura)) >> (gerador() % largura);
            if (L::is_signed && gerador() % 2) bits = 0 - bits;
            return static_cast<T>(bits);
        };
        for (int i = 0; i < 200000; ++i) {
            const T a = qualquer(), b = qualquer();
            comparar(a, b, divergencias);
            if (a == 0 || (L::is_signed && a == static_cast<T>(-1))) continue;
            // The largest and smallest factors that still fit with `a`, and one past each
            // (formed unsigned, so that stepping past the type's end wraps instead of overflowing).
            for (T limite : {L::max(), L::min()}) {
                const auto q = static_cast<U>(limite / a);
                for (U d : {static_cast<U>(-1), U{0}, U{1}}) comparar(a, static_cast<T>(static_cast<U>(q + d)), divergencias);
            }
        }
    }
    EXPECT_EQ(divergencias, 0);
}

#endif

}  // namespace
}  // namespace vestamar

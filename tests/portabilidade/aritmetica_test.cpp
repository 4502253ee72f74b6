// The checked arithmetic written out for compilers without overflow builtins, held against the
// builtins: every pair of 8-bit values, and for the wider types the edges of the range, values
// of every magnitude and the neighbours of each product's overflow threshold.

#include <cstdint>
#include <limits>
#include <random>
#include <type_traits>
#include <vector>

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

// Counts the pairs where the written-out check and the builtin disagree, naming the first few.
template <typename T>
struct Comparacao {
    int divergencias = 0;
    long pares = 0;

    void operator()(T a, T b) {
        ++pares;
        for (const Operacao<T>& op : kOperacoes<T>) {
            T esperado{};
            const bool estoura = op.builtin(a, b, &esperado);
            const std::optional<T> obtido = op.portavel(a, b);
            if (obtido.has_value() == !estoura && (estoura || *obtido == esperado)) continue;
            if (++divergencias <= 5) {
                ADD_FAILURE() << op.nome << '(' << +a << ", " << +b << "): builtin "
                              << (estoura ? std::string("overflow") : std::to_string(+esperado))
                              << ", written-out " << (obtido ? std::to_string(+*obtido) : std::string("overflow"));
            }
        }
    }
};

template <typename T>
class AritmeticaPortavel : public ::testing::Test {};

using Tipos = ::testing::Types<std::int8_t, std::uint8_t, std::int16_t, std::uint16_t, std::int32_t,
                               std::uint32_t, std::int64_t, std::uint64_t>;
TYPED_TEST_SUITE(AritmeticaPortavel, Tipos);

TYPED_TEST(AritmeticaPortavel, ConcordaComOsBuiltins) {
    using T = TypeParam;
    using L = std::numeric_limits<T>;
    Comparacao<T> comparar;

    if constexpr (sizeof(T) == 1) {
        for (int a = L::min(); a <= L::max(); ++a) {
            for (int b = L::min(); b <= L::max(); ++b) comparar(static_cast<T>(a), static_cast<T>(b));
        }
    } else {
        std::vector<T> bordas{L::min(), static_cast<T>(L::min() + 1), static_cast<T>(L::min() / 2), 0, 1, 2, 3,
                              static_cast<T>(L::max() / 2), static_cast<T>(L::max() / 2 + 1),
                              static_cast<T>(L::max() - 1), L::max()};
        if constexpr (L::is_signed) {
            for (T v : {-1, -2, -3}) bordas.push_back(v);
        }
        // Square roots of the range's ends: products around them cross the limit.
        T raiz = 1;
        while (raiz < L::max() / raiz) raiz = static_cast<T>(raiz * 2);
        for (T v : {static_cast<T>(raiz - 1), raiz, static_cast<T>(raiz + 1)}) {
            bordas.push_back(v);
            if constexpr (L::is_signed) bordas.push_back(static_cast<T>(-v));
        }
        for (T a : bordas) {
            for (T b : bordas) comparar(a, b);
        }

        std::mt19937_64 gerador(20240611);
        for (int i = 0; i < 200000; ++i) {
            // Every magnitude, from one bit to the whole width, of either sign.
            auto qualquer = [&] {
                constexpr unsigned largura = 8 * sizeof(T);
                std::uint64_t bits = (gerador() >> (64 - largura)) >> (gerador() % largura);
                if (L::is_signed && gerador() % 2) bits = 0 - bits;
                return static_cast<T>(bits);
            };
            const T a = qualquer(), b = qualquer();
            comparar(a, b);
            if (a == 0 || (L::is_signed && a == static_cast<T>(-1))) continue;
            // The largest and smallest factors that still fit with `a`, and one past each.
            for (T limite : {L::max(), L::min()}) {
                using U = std::make_unsigned_t<T>;
                const auto q = static_cast<U>(limite / a);  // wraps past the type's ends
                for (U d : {static_cast<U>(-1), U{0}, U{1}}) comparar(a, static_cast<T>(static_cast<U>(q + d)));
            }
        }
    }
    EXPECT_EQ(comparar.divergencias, 0) << "in " << comparar.pares << " pairs";
}

#endif

}  // namespace
}  // namespace vestamar

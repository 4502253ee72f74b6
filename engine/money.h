#pragma once
// Money: a fixed-point decimal with four fractional digits, held as a signed 64-bit
// count of ten-thousandths. Sums, differences and products by a 16-bit integer are
// exact; every result beyond the range is a failure (an empty optional), never a wrap.

#include <compare>
#include <cstdint>
#include <optional>

namespace vestamar {

class Money {
public:
    static constexpr std::int64_t kEscala = 10000;  // ten-thousandths per unit

    constexpr Money() = default;

    // The value whose count of ten-thousandths is `dezMilesimos`.
    static constexpr Money deDezMilesimos(std::int64_t dezMilesimos) {
        Money m;
        m.valor_ = dezMilesimos;
        return m;
    }
    // A number of cents, for constants (no range check).
    static constexpr Money deCentavos(std::int64_t centavos) { return deDezMilesimos(centavos * (kEscala / 100)); }

    // double -> money: the double times 10,000, rounded to the nearest integer with halves
    // to even; empty for NaN, infinities and values beyond the range.
    static std::optional<Money> deDouble(double valor);

    // money -> double: the nearest double to the exact decimal value.
    double paraDouble() const;

    constexpr std::int64_t dezMilesimos() const { return valor_; }

    friend constexpr auto operator<=>(Money, Money) = default;

private:
    std::int64_t valor_ = 0;
};

std::optional<Money> somar(Money a, Money b);
std::optional<Money> subtrair(Money a, Money b);
std::optional<Money> multiplicar(Money a, std::int16_t fator);

// parcela − fator × valor, worked out exactly in decimal and rounded once to whole cents,
// halves away from zero. The factor is taken as the decimal it is shown and saved as, its
// text of 15 significant digits (0.133145 is 0,133145, not the binary double next to it).
// Empty when the factor is not finite or the result leaves the money range.
std::optional<Money> parcelaMenosProdutoEmCentavos(Money parcela, double fator, Money valor);

}  // namespace vestamar

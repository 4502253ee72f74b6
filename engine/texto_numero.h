#pragma once
// Numbers as text under the user's regional separators.
//
// Everything here goes through std::from_chars / std::to_chars and plain digit handling,
// so it ignores the process's C locale: once the Qt application object exists the C library
// follows the user's decimal comma, and printf/strtod/iostreams would silently change.
// The separators are always passed in; nothing here reads a global.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "money.h"

namespace vestamar {

// The regional decimal and group marks (UTF-8; usually one character each). An empty
// `grupo` means that no group mark is accepted when parsing and none is written.
struct Separadores {
    std::string decimal = ",";
    std::string grupo = ".";

    static Separadores brasil() { return {",", "."}; }
    static Separadores ponto() { return {".", ","}; }
};

// ---- Parsing -------------------------------------------------------------------------
// Accepted: blanks around the number, one leading "+" or "-", digits with group marks in
// the whole-number part (each mark between two digits, at any place: "1.000", "10.00"),
// one decimal mark (",5" and "5," are accepted), an exponent ("1,5E+20", "2e-3").
// Refused (empty result): empty text, a lone sign or mark, letters, a second decimal mark,
// a group mark after the decimal mark, a trailing sign, blanks inside the number.
// Parsing is exact: the decimal value of the text is rounded once, to the target type.

// The text rounded to four decimals, halves to even; empty beyond the money range.
std::optional<Money> lerMoney(std::string_view texto, const Separadores& sep);
// The nearest double; empty when not finite.
std::optional<double> lerDouble(std::string_view texto, const Separadores& sep);
// The text rounded to a whole number, halves to even; empty outside -32768..32767.
std::optional<std::int16_t> lerInteiro16(std::string_view texto, const Separadores& sep);

// True when both texts are numbers (as the parsers above accept them) of exactly the same
// decimal value: "1.800,00" and "1800" are, "300.000.000.000.000,00" and
// "300000000000000,01" are not, whatever a double makes of them.
bool mesmoValor(std::string_view a, std::string_view b, const Separadores& sep);

// A double rounded to the nearest whole number, halves to even; empty when not finite or
// outside the signed 32-bit range.
std::optional<std::int32_t> arredondarInt32(double valor);

// ---- Formatting ----------------------------------------------------------------------
// Result fields: pattern "#,##0.00". A double is first taken at 15 significant digits and
// that decimal form is rounded to two decimals, halves away from zero; money is rounded
// exactly. A value that rounds to zero is shown without a sign.
std::string formatarMoeda(double valor, const Separadores& sep);
std::string formatarMoeda(Money valor, const Separadores& sep);

// The display patterns of the entry fields: "0", "0.0", "0.00", "#,##0.0", "#,##0.00",
// rounded as formatarMoeda rounds. Any other pattern is shown like "0.00".
std::string formatarPadrao(double valor, std::string_view padrao, const Separadores& sep);
std::string formatarPadrao(Money valor, std::string_view padrao, const Separadores& sep);

// Grouped by thousands, with at least `casasMinimas` decimals and every significant decimal
// after them: a double taken at 15 significant digits ("0,133145", "1.234,5"), money exactly
// ("284,385"). A value that is zero is shown without a sign.
std::string formatarSignificativo(double valor, int casasMinimas, const Separadores& sep);
std::string formatarSignificativo(Money valor, int casasMinimas, const Separadores& sep);

// Plain integer: decimal digits with a leading "-" when negative.
std::string textoInteiro(std::int64_t valor);

// Plain number: the double's shortest text of at most 15 significant digits, regional
// decimal mark, no grouping, no trailing zeros ("12", "1,5", "0,333333333333333"); exponent
// form ("1E+15", "1E-05", "1,5E+20") where plain digits are not used (|x| >= 1E15 or
// 0 < |x| < 1E-4).
std::string textoNumero(double valor, const Separadores& sep);

// Plain money: the integer part, and only when there is a fraction, the decimal mark and
// one to four fractional digits without trailing zeros ("142,8", "678", "-0,0001").
std::string textoMoney(Money valor, const Separadores& sep);

}  // namespace vestamar

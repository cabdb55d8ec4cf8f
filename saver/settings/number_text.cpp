#include "saver/settings/number_text.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace velmoran {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

// Length of the decimal number at the start of text, 0 when there is none.
std::size_t NumberLength(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t intStart = at;
    at = SkipDigits(text, at);
    std::size_t digits = at - intStart;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fracStart = at + 1;
        at = SkipDigits(text, fracStart);
        digits += at - fracStart;
    }
    if (digits == 0) return 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exp = at + 1;
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) ++exp;
        const std::size_t expEnd = SkipDigits(text, exp);
        if (expEnd > exp) at = expEnd;
    }
    return at;
}

// The power of ten of a number's leading digit, its exponent counted in:
// "120" gives 2, "0.05" gives -2, "5e-3" gives -3. Exponents far beyond any
// double's range are held at a bound that still tells their sign.
long long LeadingPower(std::string_view number) {
    constexpr long long kBound = 1'000'000'000'000LL;
    const std::size_t exp = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, exp);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t lead = mantissa.find_first_of("123456789");
    long long power = 0;
    if (lead != std::string_view::npos)
        power = lead < point ? static_cast<long long>(point - lead) - 1 : -static_cast<long long>(lead - point);
    if (exp == std::string_view::npos) return power;
    std::string_view digits = number.substr(exp + 1);
    const bool negative = digits.starts_with('-');
    if (digits.starts_with('-') || digits.starts_with('+')) digits.remove_prefix(1);
    long long exponent = 0;
    for (char d : digits) exponent = std::min(kBound, exponent * 10 + (d - '0'));
    return power + (negative ? -exponent : exponent);
}

// The value of a number NumberLength accepted; from_chars takes no '+'.
double ValueOf(std::string_view number) {
    bool negative = false;
    if (number.front() == '+' || number.front() == '-') {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to tell from 0, or too large, by where its leading digit stands.
        value = LeadingPower(number) < 0 ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<double> WholeNumber(std::string_view text) {
    text = TrimBlanks(text);
    const std::size_t length = NumberLength(text);
    if (length == 0 || length != text.size()) return std::nullopt;
    return ValueOf(text);
}

double LeadingNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    const std::size_t length = NumberLength(text);
    return length == 0 ? 0.0 : ValueOf(text.substr(0, length));
}

}  // namespace velmoran

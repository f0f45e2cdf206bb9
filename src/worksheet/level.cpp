#include "worksheet/level.h"

#include "worksheet/carries.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <numeric>
#include <optional>
#include <vector>

namespace virdamo {

namespace {

constexpr int kMostMultiplicandDigits = 4;
constexpr int kMostMultiplierDigits = 3;
constexpr std::int32_t kLargestMultiplier = 999;

constexpr std::int32_t powerOfTen(int k)
{
    std::int32_t p = 1;
    for (; k > 0; --k) p *= 10;
    return p;
}

/// The multiplicands that have no carry against one multiplier, counted and numbered.
///
/// With no carry anywhere, each partial product's digits are the plain digit products and
/// each column of the final addition is the plain sum of those falling in it. So an operation
/// has no carries exactly when every column sum
///     S_k = sum over r of a[k - r] * d[r]   (a the multiplicand's digits, d the multiplier's,
///                                            index 0 at the units)
/// is at most 9; a zero partial product, written as a single 0, adds nothing to it.
/// S_k takes the m consecutive multiplicand digits a[k - m + 1] to a[k] (m the multiplier's
/// digit count), so the digits are placed from the most significant down, remembering the last
/// m - 1 placed (the window), and column k + m - 1 is checked as a[k] is placed; m - 1 zeros
/// placed below the units check the lowest columns. Every digit of a multiplicand without
/// carries is at most 9 / (the multiplier's largest digit), which keeps the windows few.
///
/// That is the rule of the first format, where a leading digit product of 10 or more is a carry
/// too. As the class writes carries, the leading digit a[n - 1] is any: each partial product
/// r writes its product by d[r] as two digits, in columns r + n - 1 and r + n, and a carry out
/// of the addition's last column is the product's leading digit. The other digits and the
/// columns below n - 1 are as above, so the leading digit and the m - 1 digits under it (the
/// lead: its window, zeros below the units) are checked against the columns from n - 1 up, and
/// the rest are counted by the same tables.
class NoCarryMultiplicands {
public:
    /// Ready for multiplicands of up to mostDigits digits against multiplier (1 to 999) in the
    /// first format, whose tables hold the written one's counts too; or ready for nthWritten of
    /// mostDigits digits.
    constexpr NoCarryMultiplicands(std::int32_t multiplier, int mostDigits, LevelFormat format = LevelFormat::First)
    {
        int largestDigit = 0;
        for (std::int32_t v = multiplier; v > 0; v /= 10) {
            d_[static_cast<std::size_t>(m_++)] = static_cast<int>(v % 10);
            largestDigit = std::max(largestDigit, static_cast<int>(v % 10));
        }
        top_ = d_[static_cast<std::size_t>(m_ - 1)];
        largest_ = 9 / std::max(1, largestDigit);  // a multiplier has a digit above 0
        base_ = largest_ + 1;
        for (int k = 1; k < m_; ++k) windows_ *= base_;
        // Window w holds the digit placed i places above the next one as its base-(largest_ + 1)
        // digit i - 1; that digit meets d[m - 1 - i] in the next column checked.
        for (int w = 0; w < windows_; ++w) {
            int sum = 0;
            int rest = w;
            for (int i = 1; i < m_; ++i) {
                sum += rest % base_ * d_[static_cast<std::size_t>(m_ - 1 - i)];
                rest /= base_;
            }
            windowSum_[static_cast<std::size_t>(w)] = sum;
        }
        // The lead: column n - 1 + i receives from the leading digit x the units of x * d[i] and
        // the tens of x * d[i - 1]; roomFor[i][v]: the leading digits that need at most v there.
        // The product's leading column may reach 10: it is n + m - 1 for the leading digits
        // that reach 10 against d[m - 1] (reachingTen), and only those have n + m - 2 checked.
        std::array<std::array<unsigned, 10>, kMostMultiplierDigits> roomFor{};
        unsigned reachingTen = 0;
        for (int x = 1; x <= 9; ++x) {
            for (int i = 0; i < m_; ++i) {
                const int units = x * d_[static_cast<std::size_t>(i)] % 10;
                const int tens = i == 0 ? 0 : x * d_[static_cast<std::size_t>(i - 1)] / 10;
                const int need = units + tens;
                if (need <= 9) roomFor[static_cast<std::size_t>(i)][static_cast<std::size_t>(need)] |= 1U << x;
            }
            if (x * top_ >= 10) reachingTen |= 1U << x;
        }
        for (auto& column : roomFor) {
            for (std::size_t v = 1; v < column.size(); ++v) column[v] |= column[v - 1];
        }
        for (int w = 0; w < windows_; ++w) {
            // Window digit j, at position n - m + j, meets d[r] in column n - 1 + (j + r - m + 1);
            // the leading digit has what the window's digits leave below 10.
            std::array<int, kMostMultiplierDigits> room{9, 9, 9};
            int rest = w;
            for (int j = 0; j + 1 < m_; ++j, rest /= base_) {
                for (int r = m_ - 1 - j; r < m_; ++r) {
                    const int column = j + r - m_ + 1;
                    room[static_cast<std::size_t>(column)] -= rest % base_ * d_[static_cast<std::size_t>(r)];
                }
            }
            unsigned fitting = 0x3FEU;
            for (int i = 0; i < m_; ++i) {
                const int left = room[static_cast<std::size_t>(i)];
                const unsigned fits =
                    left < 0 ? 0U : roomFor[static_cast<std::size_t>(i)][static_cast<std::size_t>(left)];
                fitting &= i + 1 < m_ ? fits : fits | ~reachingTen;
            }
            leadFits_[static_cast<std::size_t>(w)] = static_cast<std::uint16_t>(fitting);
        }
        std::fill_n(ways_[0].begin(), windows_, 1);
        // The written format places the m - 1 digits under the leading one by itself.
        const int places = format == LevelFormat::First ? mostDigits + m_ - 2 : mostDigits - 1;
        for (int q = 1; q <= places; ++q) {
            const auto& below = ways_[static_cast<std::size_t>(q - 1)];
            // The digits that fit after a window are 0 up to some x, and the windows they lead
            // to are consecutive (all the same one when m is 1): one difference of running sums.
            std::array<std::int32_t, kMostWindows + 1> upTo;
            upTo[0] = 0;
            for (std::size_t v = 0; v < static_cast<std::size_t>(windows_); ++v) upTo[v + 1] = upTo[v] + below[v];
            const int highest = q - m_ < 0 ? 0 : largest_;  // the zeros below the units are fixed
            // fitting[room]: how many digits fit in a column that has room left before 10.
            std::array<int, 10> fitting{};
            for (std::size_t room = 0; room < fitting.size(); ++room) {
                fitting[room] = std::min(highest, static_cast<int>(room) / top_) + 1;
            }
            const auto windows = static_cast<std::size_t>(windows_);
            std::size_t first = 0;  // next(w, 0), followed without dividing
            for (std::size_t w = 0; w < windows; ++w) {
                const int room = 9 - windowSum_[w];
                std::int32_t total = 0;
                if (room >= 0) {
                    const auto digits = static_cast<std::size_t>(fitting[static_cast<std::size_t>(room)]);
                    total = m_ == 1 ? static_cast<std::int32_t>(digits) * below[0] : upTo[first + digits] - upTo[first];
                }
                ways_[static_cast<std::size_t>(q)][w] = total;
                first += static_cast<std::size_t>(base_);
                if (first >= windows) first = 0;
            }
        }
        if (format == LevelFormat::Written) countLeads(mostDigits);
    }

    // Never copied: most of the tables are left unwritten.
    NoCarryMultiplicands(const NoCarryMultiplicands&) = delete;
    NoCarryMultiplicands& operator=(const NoCarryMultiplicands&) = delete;

    /// How many multiplicands of `digits` digits (2 to mostDigits) have no carry in the first format.
    [[nodiscard]] constexpr std::int32_t count(int digits) const
    {
        std::int32_t total = 0;
        for (int x = 1; x <= largest_; ++x) {
            if (fits(0, x)) total += waysAfter(digits + m_ - 1, 0, x);
        }
        return total;
    }

    /// How many multiplicands of `digits` digits (2 to mostDigits) have no carry as the class
    /// writes them.
    [[nodiscard]] constexpr std::int32_t countWritten(int digits) const
    {
        std::int32_t total = 0;
        for (int w = 0; w < windows_; w += leadWindowStep(digits)) {
            total += std::popcount(leadFits_[static_cast<std::size_t>(w)])
                * ways_[static_cast<std::size_t>(digits - 1)][static_cast<std::size_t>(w)];
        }
        return total;
    }

    /// The multiplicand of `digits` digits with rank `rank` (from 0, ascending) among those
    /// without carries or, when withCarries, among those with some, in the first format.
    [[nodiscard]] std::int32_t nth(int digits, std::int32_t rank, bool withCarries) const
    {
        return nthFrom(digits - 1, 0, 0, true, rank, withCarries);
    }

    /// As nth, with carries as the class writes them; ready for `digits` digits.
    [[nodiscard]] std::int32_t nthWritten(int digits, std::int32_t rank, bool withCarries) const
    {
        assert(leadDigits_ == digits);
        const int placed = std::min(m_, digits);  // the lead's digits above the units
        // The leading digit: any, with the windows under it all still open.
        int leading = 1;
        for (; leading <= 9; ++leading) {
            const std::int32_t without =
                leadUpTo_[static_cast<std::size_t>(leading)][static_cast<std::size_t>(windows_)];
            const std::int32_t here = withCarries ? powerOfTen(digits - 1) - without : without;
            if (rank < here) break;
            rank -= here;
        }
        assert(leading <= 9 && "rank beyond the multiplicands");
        const auto& upTo = leadUpTo_[static_cast<std::size_t>(leading)];
        // Each digit of the window fixes one more base-(largest_ + 1) digit of it, from the top:
        // the windows still open are low to low + span - 1.
        std::int32_t multiplicand = leading;
        int low = 0;
        int span = windows_;
        bool clean = true;
        for (int p = digits - 2; p >= digits - placed; --p) {
            span /= base_;
            int x = 0;
            bool stays = false;
            for (; x <= 9; ++x) {
                stays = clean && x <= largest_;
                const int first = low + x * span;
                const auto from = static_cast<std::size_t>(first);
                const std::int32_t without = stays ? upTo[from + static_cast<std::size_t>(span)] - upTo[from] : 0;
                const std::int32_t here = withCarries ? powerOfTen(p) - without : without;
                if (rank < here) break;
                rank -= here;
            }
            assert(x <= 9 && "rank beyond the multiplicands");
            if (stays) {
                low += x * span;
            } else {
                clean = false;
            }
            multiplicand = multiplicand * 10 + x;
        }
        // The digits under the lead meet only columns below digits - 1.
        clean = clean && upTo[static_cast<std::size_t>(low) + 1] > upTo[static_cast<std::size_t>(low)];
        return nthFrom(digits - placed - 1, multiplicand, low, clean, rank, withCarries);
    }

private:
    static constexpr std::size_t kMostWindows = 100;  // 10^(kMostMultiplierDigits - 1)
    static constexpr std::size_t kMostPlaces = kMostMultiplicandDigits + kMostMultiplierDigits - 1;

    /// nth from position p down, the digits above p making `multiplicand` and leaving window w;
    /// clean when they complete no column with a carry.
    [[nodiscard]] std::int32_t nthFrom(int p, std::int32_t multiplicand, int w, bool clean, std::int32_t rank,
                                       bool withCarries) const
    {
        for (; p >= 0; --p) {
            const std::int32_t completions = powerOfTen(p);  // the ways to write the digits below p
            const auto& below = ways_[static_cast<std::size_t>(p + m_ - 1)];
            const int after = next(w, 0);
            // next(w, x) for a digit that fits: one window only when the multiplier has one digit.
            const auto into = [&](int x) { return m_ == 1 ? 0 : after + x; };
            int x = multiplicand == 0 ? 1 : 0;
            bool stays = false;  // x keeps the multiplicand without carries so far
            for (; x <= 9; ++x) {
                stays = clean && x <= largest_ && fits(w, x);
                const std::int32_t without = stays ? below[static_cast<std::size_t>(into(x))] : 0;
                const std::int32_t here = withCarries ? completions - without : without;
                if (rank < here) break;
                rank -= here;
            }
            assert(x <= 9 && "rank beyond the multiplicands");
            if (stays) {
                w = into(x);
            } else {
                clean = false;
            }
            multiplicand = multiplicand * 10 + x;
        }
        return multiplicand;
    }

    /// True when placing x after window w keeps the column it completes at most 9.
    [[nodiscard]] constexpr bool fits(int w, int x) const
    {
        return x * top_ + windowSum_[static_cast<std::size_t>(w)] <= 9;
    }
    [[nodiscard]] constexpr int next(int w, int x) const { return (x + base_ * w) % windows_; }
    /// The windows of an n-digit multiplicand's lead: those whose digits below the units are 0,
    /// every below-th one.
    [[nodiscard]] constexpr int leadWindowStep(int n) const
    {
        int below = 1;
        for (int k = n; k < m_; ++k) below *= base_;
        return below;
    }

    /// Fills leadUpTo_ for multiplicands of `digits` digits.
    constexpr void countLeads(int digits)
    {
        leadDigits_ = digits;
        const int step = leadWindowStep(digits);
        const auto& ways = ways_[static_cast<std::size_t>(digits - 1)];
        for (auto& upTo : leadUpTo_) upTo[0] = 0;
        for (std::size_t w = 0; w < static_cast<std::size_t>(windows_); ++w) {
            const unsigned fitting = static_cast<int>(w) % step == 0 ? leadFits_[w] : 0U;
            for (std::size_t x = 1; x <= 9; ++x) {
                leadUpTo_[x][w + 1] = leadUpTo_[x][w] + ((fitting >> x & 1U) != 0 ? ways[w] : 0);
            }
        }
    }

    /// The ways to place the q - 1 digits left once x is placed after window w.
    [[nodiscard]] constexpr std::int32_t waysAfter(int q, int w, int x) const
    {
        return ways_[static_cast<std::size_t>(q - 1)][static_cast<std::size_t>(next(w, x))];
    }

    std::array<int, kMostMultiplierDigits> d_{};
    int m_ = 0;
    int top_ = 0;      ///< the multiplier's leading digit, d[m - 1]
    int largest_ = 0;  ///< the largest digit a multiplicand without carries can have
    int base_ = 1;
    int windows_ = 1;  ///< base_^(m - 1)
    // Written for the windows and rows in use only: the tables are worked out for every
    // multiplier of a sheet, and clearing what is never read would be most of their cost.
    std::array<int, kMostWindows> windowSum_;
    /// ways_[q][w]: the ways to place the q digits still to come (the last m - 1 of them the
    /// zeros below the units) after window w, every column they complete at most 9.
    std::array<std::array<std::int32_t, kMostWindows>, kMostPlaces> ways_;
    /// leadFits_[w]: bit x set when the leading digit x over window w keeps the columns from
    /// n - 1 up to the one before the product's leading column at most 9 (for any n).
    std::array<std::uint16_t, kMostWindows> leadFits_;
    int leadDigits_ = 0;
    /// leadUpTo_[x][w]: the ways to complete without carries the leads of x over windows below w,
    /// for multiplicands of leadDigits_ digits.
    std::array<std::array<std::int32_t, kMostWindows + 1>, 10> leadUpTo_;
};

using NoCarryCounts =
    std::array<std::array<std::array<std::uint16_t, kLargestMultiplier + 1>, kMostMultiplicandDigits - 1>, 2>;

/// counts with those of kNoCarryCounts for the multipliers first to last filled in.
constexpr NoCarryCounts withNoCarryCounts(NoCarryCounts counts, std::int32_t first, std::int32_t last)
{
    for (std::int32_t b = first; b <= last; ++b) {
        const NoCarryMultiplicands multiplicands(b, kMostMultiplicandDigits);
        for (int n = 2; n <= kMostMultiplicandDigits; ++n) {
            const auto at = static_cast<std::size_t>(n - 2);
            counts[static_cast<std::size_t>(LevelFormat::First)][at][static_cast<std::size_t>(b)] =
                static_cast<std::uint16_t>(multiplicands.count(n));
            counts[static_cast<std::size_t>(LevelFormat::Written)][at][static_cast<std::size_t>(b)] =
                static_cast<std::uint16_t>(multiplicands.countWritten(n));
        }
    }
    return counts;
}

// Worked out in two constants: the compilers evaluate at most 2^25 steps for one.
constexpr NoCarryCounts kNoCarryCountsBelow400 = withNoCarryCounts({}, 1, 399);

/// kNoCarryCounts[format][n - 2][b]: how many multiplicands of n digits have no carry against b
/// in each LevelFormat, worked out while compiling, so that counting a level only adds them up.
constexpr NoCarryCounts kNoCarryCounts = withNoCarryCounts(kNoCarryCountsBelow400, 400, kLargestMultiplier);

/// hasCarries as the first format counted carries: any digit product plus the carry coming in,
/// or any column of the final addition, reaching 10. Beyond the carries written, that is only
/// a leading digit product of 10 or more: with no carry written, every other product is a
/// digit and the addition's last column holds the last row's leading product alone.
bool hasCarriesFirstFormat(std::int32_t multiplicand, std::int32_t multiplier)
{
    std::int32_t leading = multiplicand;
    while (leading >= 10) leading /= 10;
    std::int32_t largest = 0;
    for (std::int32_t v = multiplier; v > 0; v /= 10) largest = std::max(largest, v % 10);
    return leading * largest >= 10 || hasCarries(multiplicand, multiplier);
}

/// Fills out with different ranks from 0 to count - 1 (out no longer than count), each
/// arrangement equally likely: the first places of a Fisher-Yates shuffle of all the ranks,
/// which keeps only the few places it has moved.
void drawDistinctRanks(std::int32_t count, std::span<std::int32_t> out, RandomSource& random)
{
    assert(out.size() <= static_cast<std::size_t>(count) && out.size() <= Modulo1::kOperations);
    struct Moved {
        std::int32_t place;
        std::int32_t rank;
    };
    std::array<Moved, Modulo1::kOperations> moved{};
    std::size_t movedCount = 0;
    const auto rankAt = [&](std::int32_t place) {
        for (std::size_t k = 0; k < movedCount; ++k) {
            if (moved[k].place == place) return moved[k].rank;
        }
        return place;
    };
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto here = static_cast<std::int32_t>(i);
        const auto there = here + static_cast<std::int32_t>(random.nextBelow(static_cast<std::uint32_t>(count - here)));
        out[i] = rankAt(there);
        // Place `here` is never read again: only `there` has to remember what it now holds.
        const std::int32_t displaced = rankAt(here);
        auto entry = std::find_if(moved.begin(), moved.begin() + static_cast<std::ptrdiff_t>(movedCount),
                                  [&](const Moved& mv) { return mv.place == there; });
        if (entry == moved.begin() + static_cast<std::ptrdiff_t>(movedCount)) ++movedCount;
        *entry = Moved{there, displaced};
    }
}

/// The value of rank `rank` among 0, 1, 2... once the values in `taken` (ascending) are left out.
std::int32_t skipping(std::int32_t rank, std::span<const std::int32_t> taken)
{
    for (const std::int32_t t : taken) {
        if (t <= rank) ++rank;
    }
    return rank;
}

/// kDigitsOf[b]: the digits b is written with, bit d for the digit d.
constexpr auto kDigitsOf = [] {
    std::array<std::uint16_t, kLargestMultiplier + 1> digits{};
    for (std::int32_t b = 1; b <= kLargestMultiplier; ++b) {
        for (std::int32_t v = b; v > 0; v /= 10) {
            digits[static_cast<std::size_t>(b)] |= static_cast<std::uint16_t>(1U << static_cast<unsigned>(v % 10));
        }
    }
    return digits;
}();

}  // namespace

bool Level::isDefault() const
{
    return tables.all() && carries == CarriesRule::Any;
}

bool Level::allows(std::int32_t multiplicand, std::int32_t multiplier) const
{
    for (std::int32_t v = multiplier; v > 0; v /= 10) {
        if (!tables.test(static_cast<std::size_t>(v % 10))) return false;
    }
    if (carries == CarriesRule::Any) return true;
    const bool hasSome = format == LevelFormat::First ? hasCarriesFirstFormat(multiplicand, multiplier)
                                                      : hasCarries(multiplicand, multiplier);
    return hasSome == (carries == CarriesRule::With);
}

std::int32_t Level::operationCount(int multiplicandDigits, int multiplierDigits) const
{
    return AllowedOperations(*this, multiplicandDigits, multiplierDigits).size();
}

bool Level::allowsNone(int multiplicandDigits, int multiplierDigits) const
{
    return operationCount(multiplicandDigits, multiplierDigits) == 0;
}

bool Level::repeatsOperations(int multiplicandDigits, int multiplierDigits, int operations) const
{
    return operationCount(multiplicandDigits, multiplierDigits) < operations;
}

AllowedOperations::AllowedOperations(const Level& level, int multiplicandDigits, int multiplierDigits)
    : carries_(level.carries)
    , format_(level.format)
    , cifreMoltiplicando_(multiplicandDigits)
    , cifreMoltiplicatore_(multiplierDigits)
{
    assert(multiplicandDigits >= 2 && multiplicandDigits <= kMostMultiplicandDigits);
    assert(multiplierDigits >= 1 && multiplierDigits <= kMostMultiplierDigits);
    if (multiplicandDigits < 2 || multiplicandDigits > kMostMultiplicandDigits || multiplierDigits < 1
        || multiplierDigits > kMostMultiplierDigits) {
        return;
    }
    const auto refused = static_cast<std::uint16_t>(~level.tables.to_ulong());
    const std::int32_t all = 9 * powerOfTen(multiplicandDigits - 1);
    const auto& clean =
        kNoCarryCounts[static_cast<std::size_t>(format_)][static_cast<std::size_t>(multiplicandDigits - 2)];
    for (std::int32_t b = powerOfTen(multiplierDigits - 1); b < powerOfTen(multiplierDigits); ++b) {
        const auto at = static_cast<std::size_t>(b);
        if ((kDigitsOf[at] & refused) != 0) continue;
        const std::int32_t count = carries_ == CarriesRule::Any ? all
            : carries_ == CarriesRule::Without                  ? clean[at]
                                                                : all - clean[at];
        if (count == 0) continue;  // owns no rank
        multiplier_[multipliers_] = static_cast<std::int16_t>(b);
        size_ += count;
        endRank_[multipliers_++] = size_;
    }
}

void AllowedOperations::at(std::span<const std::int32_t> ranks, std::span<Operation> out) const
{
    assert(ranks.size() == out.size());
    // In ascending rank the operations of one multiplier come together, so that its table of
    // multiplicands without carries is worked out once.
    std::vector<std::size_t> order(ranks.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) { return ranks[x] < ranks[y]; });

    std::optional<NoCarryMultiplicands> table;
    std::int16_t tableOf = 0;
    const auto ends = std::span(endRank_).first(multipliers_);
    for (const std::size_t k : order) {
        const std::int32_t rank = ranks[k];
        assert(rank >= 0 && rank < size_);
        const auto i = static_cast<std::size_t>(std::upper_bound(ends.begin(), ends.end(), rank) - ends.begin());
        const std::int32_t within = rank - (i == 0 ? 0 : endRank_[i - 1]);
        const std::int16_t b = multiplier_[i];
        std::int32_t a = powerOfTen(cifreMoltiplicando_ - 1) + within;
        if (carries_ != CarriesRule::Any) {
            const bool withCarries = carries_ == CarriesRule::With;
            if (!table || tableOf != b) {
                table.emplace(b, cifreMoltiplicando_, format_);
                tableOf = b;
            }
            a = format_ == LevelFormat::First ? table->nth(cifreMoltiplicando_, within, withCarries)
                                              : table->nthWritten(cifreMoltiplicando_, within, withCarries);
        }
        out[k] = Operation{a, b};
    }
}

void AllowedOperations::draw(std::span<Operation> sheet, RandomSource& random) const
{
    assert(size_ > 0 && !sheet.empty() && sheet.size() <= Modulo1::kOperations);
    std::array<std::int32_t, Modulo1::kOperations> drawn{};
    const auto ranks = std::span(drawn).first(sheet.size());
    if (format_ == LevelFormat::Written) {
        drawWritten(ranks, random);
    } else {
        // Each pass takes every operation at most once, so a set smaller than the sheet shows
        // each of them once before any of them twice.
        for (std::size_t start = 0; start < ranks.size(); start += static_cast<std::size_t>(size_)) {
            const std::size_t pass = std::min(static_cast<std::size_t>(size_), ranks.size() - start);
            drawDistinctRanks(size_, ranks.subspan(start).first(pass), random);
        }
    }
    at(ranks, sheet);
}

void AllowedOperations::drawWritten(std::span<std::int32_t> ranks, RandomSource& random) const
{
    const auto operations = ranks.size();
    const auto firstRank = [this](std::size_t i) { return i == 0 ? 0 : endRank_[i - 1]; };
    const auto countOf = [&](std::size_t i) { return static_cast<std::size_t>(endRank_[i] - firstRank(i)); };

    // A one-digit multiplier place by place, as an index into multiplier_: every table (T of
    // them) takes floor(N / T) places and the first N mod T of a random order of them one more,
    // then the places are shuffled.
    std::array<std::size_t, Modulo1::kOperations> tableOf{};
    if (cifreMoltiplicatore_ == 1) {
        std::array<std::size_t, 9> order{};
        std::iota(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(multipliers_), std::size_t{0});
        for (std::size_t i = 0; i < operations % multipliers_; ++i) {
            std::swap(order[i], order[i + random.nextBelow(static_cast<std::uint32_t>(multipliers_ - i))]);
        }
        for (std::size_t i = 0; i < operations; ++i) tableOf[i] = order[i % multipliers_];
        for (std::size_t i = operations - 1; i > 0; --i) {
            std::swap(tableOf[i], tableOf[random.nextBelow(static_cast<std::uint32_t>(i + 1))]);
        }
    }

    // What each multiplier has shown since it began its pass: the ranks of its multiplicands
    // among its own, ascending. It begins a new pass once it has shown them all; a table holds
    // 18 or more (the table of 9 without carries with 2-digit multiplicands), so with two tables
    // or more none does within a sheet. Longer multipliers that have shown all theirs (spent,
    // ascending) are not drawn until every one has.
    struct Shown {
        std::size_t multiplier = 0;
        std::size_t count = 0;
        std::array<std::int32_t, Modulo1::kOperations> ranks{};
    };
    std::array<Shown, Modulo1::kOperations> shown{};
    std::size_t showing = 0;
    std::array<std::int32_t, Modulo1::kOperations> spent{};
    std::size_t spentCount = 0;
    for (std::size_t place = 0; place < operations; ++place) {
        std::size_t i = tableOf[place];
        if (cifreMoltiplicatore_ > 1) {
            if (spentCount == multipliers_) {
                spentCount = 0;
                showing = 0;
            }
            const auto pick = random.nextBelow(static_cast<std::uint32_t>(multipliers_ - spentCount));
            i = static_cast<std::size_t>(skipping(static_cast<std::int32_t>(pick), std::span(spent).first(spentCount)));
        }
        const auto end = shown.begin() + static_cast<std::ptrdiff_t>(showing);
        auto mine = std::find_if(shown.begin(), end, [i](const Shown& s) { return s.multiplier == i; });
        if (mine == end) {
            *mine = Shown{i, 0, {}};
            ++showing;
        }
        if (mine->count == countOf(i)) mine->count = 0;
        const auto before = std::span(mine->ranks).first(mine->count);
        const auto drawn = random.nextBelow(static_cast<std::uint32_t>(countOf(i) - mine->count));
        const std::int32_t within = skipping(static_cast<std::int32_t>(drawn), before);
        mine->ranks[mine->count++] = within;
        std::sort(mine->ranks.begin(), mine->ranks.begin() + static_cast<std::ptrdiff_t>(mine->count));
        if (cifreMoltiplicatore_ > 1 && mine->count == countOf(i)) {
            spent[spentCount++] = static_cast<std::int32_t>(i);
            std::sort(spent.begin(), spent.begin() + static_cast<std::ptrdiff_t>(spentCount));
        }
        ranks[place] = firstRank(i) + within;
    }
}

}  // namespace virdamo

#include "worksheet/level.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"
#include "worksheet/sheet.h"
#include "worksheet/sheet_code.h"
#include "worksheet_fixtures.h"

#include <gtest/gtest.h>

#include <cctype>

#include <bitset>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace virdamo {
namespace {

/// The first operations of the sheet of code, as "AxB".
std::vector<std::string> operationsOf(const SheetCode& code, std::size_t count)
{
    Modulo1 m;
    makeSheet(code, m);
    std::vector<std::string> ops;
    for (std::size_t i = 0; i < count; ++i) {
        ops.push_back(std::to_string(m.ValMoltiplicando[i]) + "x" + std::to_string(m.ValMoltiplicatore[i]));
    }
    return ops;
}

constexpr std::string_view kAlphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";

/// A level of the format of the codes made so far, unless told.
Level levelOf(unsigned tables, CarriesRule carries, LevelFormat format = LevelFormat::First)
{
    return Level{std::bitset<10>(tables), carries, format};
}

// A code must give the same sheet in every release: these are pinned. Each reads back
// also as a user may type it: lower case, blanks, O for 0 and L for 1.
TEST(SheetCode, FixedCodesGiveTheirFixedSheetsAndReadBackAsTyped)
{
    const struct {
        const char* text;
        SheetCode code;
        std::vector<std::string> operations;  // the first ones, or all
    } cases[] = {
        {"H28T5-CY4TQ", {4, 3, 19, 0x123456789AULL}, {"9802x978", "1430x960", "7863x600", "9049x706"}},
        {"00000-00000", {2, 1, 9, 0}, {"67x3", "67x1", "72x3", "54x1", "55x3", "67x8", "95x6", "75x7", "34x2", "42x2"}},
        {"F0000-00010", {4, 2, 19, 1}, {"3907x27", "6212x69", "1773x97", "4061x78"}},
        {"9ZZZZ-ZZZZQ", {3, 2, 19, kSeedMask}, {"695x78", "384x75", "382x78", "809x24"}},
        // Tables of 2 to 5, no carries: every operation of a levelled code.
        {"H28T5-CY4T1-1WR",
         {4, 3, 19, 0x123456789AULL, levelOf(0b0000111100, CarriesRule::Without)},
         {"1100x524", "1001x435", "3102x222", "3003x233", "1110x522", "1000x422", "2001x434",
          "1000x232", "1110x324", "1100x252", "3101x222", "1001x524", "1000x342", "3000x222",
          "2001x423", "1100x445", "1101x334", "2010x243", "1030x222", "1012x223"}},
        {"8185G-R38E2-03Z",
         {3, 2, 9, 0x0A0B0C0D0EULL, levelOf(0b11, CarriesRule::With)},
         {"268x11", "557x11", "369x11"}},
        // Whole sheets, of every kind of carries and every multiplier length: 3x2 tables 2-5 without
        // carries, 4x3 tables 2-9 with, 2x1 tables 6-9 any, 2x1 tables 2-3 without, 3x1 tables 2-9 with.
        {"98HE6-2PCZ1-1WR",
         {3, 2, 19, 0x445C61599FULL, levelOf(0b0000111100, CarriesRule::Without)},
         {"222x22", "312x22", "310x32", "111x54", "211x22", "103x32", "202x43", "112x22", "110x54", "301x22",
          "103x22", "212x23", "102x43", "220x22", "301x32", "111x52", "210x33", "110x53", "111x32", "100x35"}},
        {"HQNV3-9NCR2-ZWY",
         {4, 3, 19, 0xBD7634D598ULL, levelOf(0b1111111100, CarriesRule::With)},
         {"3600x392", "3704x847", "2175x622", "3443x368", "3235x678", "4756x662", "8209x533",
          "7713x387", "1541x499", "8810x863", "2407x556", "7330x527", "4504x488", "8929x253",
          "3303x729", "2823x943", "6571x343", "4711x756", "1574x549", "2804x647"}},
        {"14NXM-AZBT0-Y0D",
         {2, 1, 19, 0x257B457D7AULL, levelOf(0b1111000000, CarriesRule::Any)},
         {"56x8", "77x6", "87x8", "10x6", "56x9", "28x8", "88x7", "20x8", "76x6", "45x9",
          "80x9", "96x6", "50x9", "44x9", "40x6", "62x8", "76x7", "68x7", "87x6", "15x7"}},
        {"1QFHZ-WACM1-0C5",
         {2, 1, 19, 0xBBE3FE2994ULL, levelOf(0b0000001100, CarriesRule::Without)},
         {"30x3", "30x2", "31x2", "12x2", "44x2", "31x3", "14x2", "10x2", "23x2", "11x3",
          "22x2", "10x3", "20x2", "41x2", "42x2", "22x3", "32x3", "33x3", "21x2", "33x2"}},
        {"72ZM2-NW2V2-ZWE",
         {3, 1, 19, 0x17E82AF05BULL, levelOf(0b1111111100, CarriesRule::With)},
         {"269x6", "450x4", "431x9", "128x7", "749x7", "971x6", "942x9", "775x7", "703x6", "710x4",
          "761x3", "397x6", "479x3", "781x5", "263x9", "132x8", "735x7", "530x3", "993x7", "204x7"}},
        // The written format: 2x1 tables 2-5 without carries, each table 5 times.
        {"159DK-RKAY5-1WE",
         {2, 1, 19, 0x2A5B3C4D5EULL, levelOf(0b0000111100, CarriesRule::Without, LevelFormat::Written)},
         {"53x3", "33x3", "82x4", "81x3", "32x4", "90x5", "94x2", "61x5", "93x3", "83x2",
          "31x5", "90x4", "11x5", "22x3", "23x2", "81x2", "43x2", "50x4", "80x4", "40x5"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.code.text(), c.text);
        std::string typed;
        for (const char k : std::string(c.text)) {
            typed += k == '0' ? 'o' : k == '1' ? 'L' : k == '-' ? ' ' : static_cast<char>(std::tolower(k));
        }
        // Pasted from a word processor: an en dash, or a no-break space, for the hyphen.
        std::string pasted = c.text;
        pasted.replace(5, 1, c.code.seed % 2 == 0 ? "\u2013" : " \u00A0");
        for (const std::string& text : {std::string(c.text), typed, pasted}) {
            const ParsedCode parsed = parseSheetCode(text);
            ASSERT_TRUE(parsed.code) << text;
            EXPECT_EQ(*parsed.code, c.code) << text;
        }
        EXPECT_EQ(operationsOf(c.code, c.operations.size()), c.operations) << c.text;
    }
}

TEST(SheetCode, EveryChangedSymbolAndSwapIsDetected)
{
    for (const SheetCode& code : {SheetCode{4, 3, 19, 0x123456789AULL}, SheetCode{2, 2, 9, 0x0F0F0F0F0FULL},
                                  SheetCode{3, 3, 19, 0x0F0F0F0F0FULL, levelOf(0b1111111100, CarriesRule::With)}}) {
        const std::string text = code.text();
        for (std::size_t at = 0; at < text.size(); ++at) {
            if (text[at] == '-') continue;
            for (const char other : kAlphabet) {
                if (other == text[at]) continue;
                std::string typo = text;
                typo[at] = other;
                EXPECT_FALSE(parseSheetCode(typo).code) << typo;
            }
            const std::size_t next = at + 1 < text.size() && text[at + 1] == '-' ? at + 2 : at + 1;
            if (next < text.size() && text[next] != text[at]) {
                std::string swapped = text;
                std::swap(swapped[at], swapped[next]);
                EXPECT_FALSE(parseSheetCode(swapped).code) << swapped;
            }
        }
    }
}

TEST(SheetCode, ABadSymbolIsTheWholeCharacterTyped)
{
    const struct {
        const char* text;
        char32_t bad;
    } cases[] = {
        {"H28T5-CY4T?", U'?'},           {"\u041D28T5-CY4TQ", U'\u041D'},  // Cyrillic En
        {"H28T5\u00B7CY4TQ", U'\u00B7'}, {"H28\xC3", U'\uFFFD'},           // cut in the middle of a character
        {"H28\xFFT5", U'\uFFFD'},        {"H28T5\nCY4TQ", 0},              // a line break reads as a blank
    };
    for (const auto& c : cases) {
        const ParsedCode parsed = parseSheetCode(c.text);
        EXPECT_EQ(parsed.code.has_value(), c.bad == 0) << c.text;
        if (c.bad != 0) {
            EXPECT_EQ(parsed.error, CodeError::BadSymbol) << c.text;
            EXPECT_EQ(static_cast<std::uint32_t>(parsed.badSymbol), static_cast<std::uint32_t>(c.bad)) << c.text;
        }
    }
}

TEST(SheetCode, TheSheetsOfAClassSetFollowTheFirstSeed)
{
    for (const Level& level : {Level{}, levelOf(0b1000000100, CarriesRule::Without)}) {
        const SheetCode first{3, 2, 9, kSeedMask - 1, level};
        EXPECT_EQ(first.nth(1), first);
        EXPECT_EQ(first.nth(2).seed, kSeedMask);
        EXPECT_EQ(first.nth(2).level, level);
        EXPECT_EQ(first.nth(3).seed, 0U) << "seeds wrap at 40 bits";
        EXPECT_NE(operationsOf(first.nth(1), 10), operationsOf(first.nth(2), 10));
    }
}

// Codes of every settings symbol at levels of every kind read back as themselves; the code of
// a sheet takes the level it was drawn at, unless the level allows none of its operations.
TEST(SheetCode, LevelsReadBackAndTellTheirLength)
{
    const Level levels[] = {{},
                            levelOf(0b1111111110, CarriesRule::Any),
                            levelOf(0b0000000010, CarriesRule::With),
                            levelOf(0b1111111111, CarriesRule::Without),
                            levelOf(0b1000000000, CarriesRule::With),
                            levelOf(0b1111111110, CarriesRule::Any, LevelFormat::Written),
                            levelOf(0b0000000010, CarriesRule::With, LevelFormat::Written)};
    for (int cifreA = 2; cifreA <= 4; ++cifreA) {
        for (int cifreB = 1; cifreB <= 3; ++cifreB) {
            for (const Level& level : levels) {
                Modulo1 m = test::stateWith(cifreA, cifreB, 9 + 10 * (cifreA % 2));
                const std::optional<SheetCode> code = codeOfSheet(m, 0x1F2E3D4C5BULL, level);
                ASSERT_EQ(code.has_value(), !level.allowsNone(cifreA, cifreB));
                if (!code) continue;
                EXPECT_EQ(code->level, level);
                EXPECT_EQ(code->text().size(), level.isDefault() ? 11U : 15U) << code->text();
                EXPECT_EQ(parseSheetCode(code->text()).code, code) << code->text();
            }
        }
    }
}

// Twelve symbols and the check symbol that lets them through the check.
ParsedCode withCheckSymbol(const std::string& twelve)
{
    for (const char check : kAlphabet) {
        ParsedCode parsed = parseSheetCode(twelve + check);
        if (parsed.code || parsed.error != CodeError::WrongCheck) return parsed;
    }
    return {};
}

// Decimal codes and the powers of ten's are pinned as the others, and remake their sheets:
// no decimal factor ends in 0, and every factor keeps its digits.
TEST(SheetCode, DecimalCodesRemakeTheirSheets)
{
    const struct {
        const char* text;
        SheetCode code;
        std::vector<std::string> operations;  // the first ones: "AxB" or "N:zeros:decimals"
    } cases[] = {
        {"F28T5-CY4T4-ZZ068",
         {4, 2, 19, 0x123456789AULL, Level{}, 2, 1, SheetKind::Columns},
         {"9802x97", "8143x96", "2532x37", "7108x19"}},
        // Tables 1-4 without carries, a decimal in each factor.
        {"9185G-R38E5-0Y05C",
         {3, 2, 19, 0x0A0B0C0D0EULL, levelOf(0b11110, CarriesRule::Without, LevelFormat::Written), 1, 1,
          SheetKind::Columns},
         {"401x12", "505x11", "202x33", "412x24"}},
        // The powers of ten: 580 × 1000, 9,59 × 100, 2,86 × 1000, 248 × 1000.
        {"759DK-RKAY4-ZZ0GQ",
         {3, 1, 19, 0x2A5B3C4D5EULL, Level{}, 0, 0, SheetKind::PowersOfTen},
         {"580:3:0", "959:2:2", "286:3:2", "248:3:0"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.code.text(), c.text);
        const ParsedCode parsed = parseSheetCode(c.text);
        ASSERT_TRUE(parsed.code) << c.text;
        EXPECT_EQ(*parsed.code, c.code);
        const Sheet sheet = sheetOf(c.code);
        ASSERT_EQ(sheet.operationCount(), 20) << c.text;
        std::vector<std::string> first;
        for (std::size_t i = 0; i < 4; ++i) {
            if (c.code.kind == SheetKind::PowersOfTen) {
                const PowerOfTenRow& row = sheet.powersOfTen[i];
                first.push_back(std::to_string(row.number) + ":" + std::to_string(row.zeros) + ":"
                                + std::to_string(row.decimals));
            } else {
                first.push_back(std::to_string(sheet.operations[i].multiplicand) + "x"
                                + std::to_string(sheet.operations[i].multiplier));
            }
        }
        EXPECT_EQ(first, c.operations) << c.text;
        for (const WorkedOperation& op : sheet.operations) {
            EXPECT_EQ(std::tuple(op.multiplicandDigits, op.multiplierDigits, op.multiplicand % 10 != 0,
                                 op.multiplier % 10 != 0, op.productDecimals()),
                      std::tuple(c.code.multiplicandDigits, c.code.multiplierDigits, true, true,
                                 c.code.multiplicandDecimals + c.code.multiplierDecimals));
            EXPECT_TRUE(c.code.level.allows(op.multiplicand, op.multiplier));
        }
    }
}

TEST(SheetCode, LevelsNoSheetHasAreRefused)
{
    const struct {
        char settings;
        unsigned bits;  // the level: tables, carries << 10, format << 12, bits 13-14 kept for later formats
        bool valid;
    } cases[] = {
        {'0', 0x0004U | 1U << 10, true},  {'0', 0x0004U | 1U << 12, true},  {'0', 0x03FFU, false},  // default
        {'0', 0x0004U | 1U << 13, false}, {'0', 0x0004U | 1U << 14, false}, {'0', 0x03FFU | 1U << 12, false},
        {'0', 0x0002U | 2U << 10, false},  // tables of 1 with carries: none of 2x1
        {'2', 0x0002U | 2U << 10, true},  {'0', 0x0004U | 3U << 10, false}, {'0', 1U << 10, false},
        {'Z', 0x0004U | 1U << 10, false},
    };
    for (const auto& c : cases) {
        std::string twelve = std::string(1, c.settings) + "12345678";
        for (const unsigned shift : {10U, 5U, 0U}) twelve += kAlphabet[(c.bits >> shift) & 0x1FU];
        const ParsedCode parsed = withCheckSymbol(twelve);
        EXPECT_EQ(parsed.code.has_value(), c.valid) << twelve;
        EXPECT_EQ(parsed.error, c.valid ? CodeError::Empty : CodeError::UnknownSettings) << twelve;
    }
    // Fifteen symbols, 2x1 at the default level: bits 0-1 the multiplicand's decimals, 2-3 the
    // multiplier's, 4 the powers of ten, 5-9 kept for later formats.
    const struct {
        unsigned bits;
        bool valid;
    } extensions[] = {{1U, true},      {2U, false},           {1U << 2, false},
                      {1U << 4, true}, {1U << 4 | 1U, false}, {1U << 5 | 1U, false},
                      {0U, false}};
    for (const auto& c : extensions) {
        std::string fourteen = "012345678" + std::string("4ZZ");
        for (const unsigned shift : {5U, 0U}) fourteen += kAlphabet[(c.bits >> shift) & 0x1FU];
        const ParsedCode parsed = withCheckSymbol(fourteen);
        EXPECT_EQ(parsed.code.has_value(), c.valid) << fourteen;
        EXPECT_EQ(parsed.error, c.valid ? CodeError::Empty : CodeError::UnknownSettings) << fourteen;
    }
    for (const char* length : {"H28T5-CY4T", "H28T5-CY4TQ1", "H28T5-CY4T1-1W", "H28T5-CY4T1-1WRR"}) {
        EXPECT_EQ(parseSheetCode(length).error, CodeError::WrongLength) << length;
    }
}

}  // namespace
}  // namespace virdamo

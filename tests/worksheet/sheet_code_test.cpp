#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"
#include "worksheet/sheet_code.h"

#include <gtest/gtest.h>

#include <cctype>

#include <string>
#include <vector>

namespace virdamo {
namespace {

/// The first operations of the sheet of code, as "AxB".
std::vector<std::string> operationsOf(const SheetCode& code, int count)
{
    Modulo1 m;
    makeSheet(code, m);
    std::vector<std::string> ops;
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        ops.push_back(std::to_string(m.ValMoltiplicando[i]) + "x" + std::to_string(m.ValMoltiplicatore[i]));
    }
    return ops;
}

// A code must give the same sheet in every release: these are pinned. Each reads back
// also as a user may type it: lower case, blanks, O for 0 and L for 1.
TEST(SheetCode, FixedCodesGiveTheirFixedSheetsAndReadBackAsTyped)
{
    const struct {
        const char* text;
        SheetCode code;
        std::vector<std::string> firstOperations;
    } cases[] = {
        {"H28T5-CY4TQ", {4, 3, 19, 0x123456789AULL}, {"9802x978", "1430x960", "7863x600", "9049x706"}},
        {"00000-00000", {2, 1, 9, 0}, {"67x3", "67x1", "72x3", "54x1"}},
        {"F0000-00010", {4, 2, 19, 1}, {"3907x27", "6212x69", "1773x97", "4061x78"}},
        {"9ZZZZ-ZZZZQ", {3, 2, 19, kSeedMask}, {"695x78", "384x75", "382x78", "809x24"}},
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
        EXPECT_EQ(operationsOf(c.code, 4), c.firstOperations) << c.text;
    }
}

TEST(SheetCode, EveryChangedSymbolAndSwapIsDetected)
{
    const std::string alphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
    for (const SheetCode& code : {SheetCode{4, 3, 19, 0x123456789AULL}, SheetCode{2, 2, 9, 0x0F0F0F0F0FULL}}) {
        const std::string text = code.text();
        for (std::size_t at = 0; at < text.size(); ++at) {
            if (text[at] == '-') continue;
            for (const char other : alphabet) {
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
    const SheetCode first{3, 2, 9, kSeedMask - 1};
    EXPECT_EQ(first.nth(1), first);
    EXPECT_EQ(first.nth(2).seed, kSeedMask);
    EXPECT_EQ(first.nth(3).seed, 0U) << "seeds wrap at 40 bits";
    EXPECT_NE(operationsOf(first.nth(1), 10), operationsOf(first.nth(2), 10));
}

}  // namespace
}  // namespace virdamo

// Messages composed from a pattern and pieces, and the pieces found again in a composed text.
#include "core/platform/composed_text.h"

#include <gtest/gtest.h>

using namespace kovra;
using Pieces = std::vector<std::string>;

namespace {

struct FitCase {
    const char* name;
    const char* pattern;
    std::string text;
    std::optional<Pieces> pieces;
};

class ComposedPieces : public testing::TestWithParam<FitCase> { };

} // namespace

TEST_P(ComposedPieces, FoundWhenTheTextFitsThePattern)
{
    const FitCase& c = GetParam();
    const auto pieces = composedPieces(c.pattern, c.text);
    EXPECT_EQ(pieces, c.pieces);
    if (pieces) {
        EXPECT_EQ(composeText(c.pattern, *pieces), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ComposedPieces,
    testing::Values(FitCase { "onePlaceAhead", "%1に改行などの制御文字は使えません。",
                        "メッセージに改行などの制御文字は使えません。", Pieces { "メッセージ" } },
        FitCase { "placesAtBothEnds", "%1 / %2", "IP / mask", Pieces { "IP", "mask" } },
        FitCase { "numberedOutOfOrder", "%2は%1バイト", "件名は64バイト", Pieces { "64", "件名" } },
        FitCase { "textBetweenRepeatsInAPiece", "A%1B%2B", "AxBByB", Pieces { "x", "By" } },
        FitCase { "pieceHoldingTheTail", "%1。", "一。二。", Pieces { "一。二" } },
        FitCase { "emptyPieceIsNoFit", "%1に改行などの制御文字は使えません。",
            "に改行などの制御文字は使えません。", std::nullopt },
        FitCase { "headDiffers", "DI%1 の%2", "AI1 の件名", std::nullopt },
        FitCase { "tailDiffers", "%1は%2文字以内で入力してください。",
            "件名は32バイト以内で入力してください。", std::nullopt },
        FitCase { "middleMissing", "%1 / %2 / %3", "a / b", std::nullopt },
        FitCase { "headAndTailOverlap", "ab%1ba", "aba", std::nullopt },
        FitCase { "patternWithoutPlaces", "通信エラー", "通信エラー", std::nullopt }),
    [](const testing::TestParamInfo<FitCase>& info) { return info.param.name; });

TEST(ComposeText, PutsEachPieceAtItsPlaceOnce)
{
    // A piece that looks like a place stays as it is; a place without a piece too.
    EXPECT_EQ(composeText("%2 (%1)", { "%2", "x" }), "x (%2)");
    EXPECT_EQ(composeText("%1 %3%", { "a" }), "a %3%");
    EXPECT_EQ(composeText("%0", { "a" }), "%0");
}

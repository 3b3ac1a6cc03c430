#include <gtest/gtest.h>

#include "core/Scopes.h"

using namespace kelvaro;

TEST(Scopes, OnlyTheNumbersOfTheDialogsNameAScope) {
    // number, whether it names an apply scope, whether it names a generation scope
    struct Row {
        int number;
        bool apply, generate;
    };
    for (Row r :
         {Row{-2, false, false}, Row{-1, false, true}, Row{0, true, true}, Row{3, true, true}, Row{4, false, false}}) {
        const std::optional<ApplyScope> apply = ApplyScopeFromNumber(r.number);
        const std::optional<GenerateScope> generate = GenerateScopeFromNumber(r.number);
        EXPECT_EQ(apply.has_value(), r.apply) << r.number;
        EXPECT_EQ(generate.has_value(), r.generate) << r.number;
        if (apply) {
            EXPECT_EQ(NumberOf(*apply), r.number);
        }
        if (generate) {
            EXPECT_EQ(NumberOf(*generate), r.number);
        }
    }
}

// The hand-written name matcher must answer exactly as std::regex with the two patterns.
#include "recordings/name_pattern.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quorva {
namespace {

void ExpectSameAsRegex(const std::string& name) {
    for (NamePattern p : {NamePattern::kAnyCamera, NamePattern::kMainCamera}) {
        ASSERT_EQ(SearchNamePattern(name, p), SearchNamePatternRegex(name, p))
            << "pattern " << NamePatternText(p) << " name [" << name << "] size " << name.size();
    }
}

const std::string kValid = "AG__-240131-083015-000123M.MOV";

TEST(NamePatternTest, EveryByteAtEveryPositionOfAName) {
    // Every position of the name (and of names shifted by a prefix) takes every byte value.
    for (const std::string& prefix : {std::string(), std::string("x"), std::string("A___-")}) {
        for (size_t k = 0; k < kValid.size(); ++k) {
            for (int b = 0; b < 256; ++b) {
                std::string name = prefix + kValid;
                name[prefix.size() + k] = static_cast<char>(b);
                ExpectSameAsRegex(name);
            }
        }
    }
}

TEST(NamePatternTest, EveryPairOfClassCharactersAndWildcard) {
    // Positions 0..3 and 25..26 over the characters that matter, all combinations.
    const std::string chars = "APT_GMORS-0M.\n\rx";
    for (char a : chars)
        for (char b : chars)
            for (char c : chars)
                for (char d : chars) {
                    std::string name = kValid;
                    name[0] = a;
                    name[1] = b;
                    name[2] = c;
                    name[3] = d;
                    ExpectSameAsRegex(name);
                    name = kValid;
                    name[25] = a;
                    name[26] = b;
                    name[24] = c;
                    name[27] = d;
                    ExpectSameAsRegex(name);
                }
}

TEST(NamePatternTest, RandomStringsOverTheGrammarsAlphabet) {
    std::mt19937 rng(20240131);
    const std::string alphabet = "APT_GMORS-0123456789.MOVmov\n\r\t \xE3\x81\x82\xFF";
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 75);
    for (int i = 0; i < 20000; ++i) {
        std::string s(static_cast<size_t>(length(rng)), ' ');
        for (char& c : s)
            c = alphabet[pick(rng)];
        ExpectSameAsRegex(s);
    }
    // Mutations of valid names: replaced, inserted and deleted characters, repeats.
    std::uniform_int_distribution<int> edits(1, 3);
    for (int i = 0; i < 20000; ++i) {
        std::string s = (i % 3 == 0) ? kValid + kValid : (i % 3 == 1 ? "xx" + kValid : kValid);
        if (i % 5 == 0) s[25] = 'S';
        for (int e = edits(rng); e > 0; --e) {
            std::uniform_int_distribution<size_t> at(0, s.size() - 1);
            const size_t p = at(rng);
            switch (rng() % 3) {
                case 0:
                    s[p] = alphabet[pick(rng)];
                    break;
                case 1:
                    s.insert(s.begin() + static_cast<std::ptrdiff_t>(p), alphabet[pick(rng)]);
                    break;
                default:
                    s.erase(p, 1);
            }
        }
        ExpectSameAsRegex(s);
    }
}

TEST(NamePatternTest, KnownAnswers) {
    EXPECT_TRUE(SearchNamePattern(kValid, NamePattern::kMainCamera));
    EXPECT_TRUE(SearchNamePattern("AG__-240131-083015-000123S.MOV", NamePattern::kAnyCamera));
    EXPECT_FALSE(SearchNamePattern("AG__-240131-083015-000123S.MOV", NamePattern::kMainCamera));
    EXPECT_TRUE(SearchNamePattern("AG__-240131-083015-000123MxMOV", NamePattern::kMainCamera));
    EXPECT_TRUE(
        SearchNamePattern("copy of AG__-240131-083015-000123M.MOV.bak", NamePattern::kMainCamera));
    EXPECT_FALSE(SearchNamePattern("AG__-240131-083015-000123M.mov", NamePattern::kAnyCamera));
    EXPECT_FALSE(SearchNamePattern("AG__-240131-083015-00012M.MOV", NamePattern::kAnyCamera));
}

}  // namespace
}  // namespace quorva

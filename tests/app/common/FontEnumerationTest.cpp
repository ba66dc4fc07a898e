#include "common/FontEnumeration.h"

#include "orvenly/AutomationError.h"
#include "tests/support/TestSupport.h"

#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using penlark::FontReport;

QStringList namesOf(const penlark::FontCollection& fonts) {
    QStringList names;
    for (const auto& font : fonts)
        names.append(font->FaceName);
    return names;
}

std::vector<float> sizesOf(const penlark::FontInfo& font) {
    std::vector<float> sizes;
    for (int32_t i = 1; i <= font.SizeCount; ++i)
        sizes.push_back(font.Size(i));
    return sizes;
}

TEST(FontEnumerationTest, FacesAreSortedByBinaryNameOrder) {
    const std::vector<FontReport> reports = {
        {u"ＭＳ ゴシック"_s, 0, true, true}, {u"Terminal"_s, 9, false, true},
        {u"MS UI Gothic"_s, 0, true, false}, {u"Arial"_s, 0, true, false},
        {u"arial"_s, 0, true, false},        {u"ＭＳ 明朝"_s, 0, true, true},
        {u"Courier"_s, 10, false, true},     {u"MS Gothic"_s, 0, true, true},
        {u"System"_s, 12, false, false},     {u"@ＭＳ ゴシック"_s, 0, true, true}};
    const penlark::FontCollection fonts = penlark::EnumerateFonts(false, reports);
    EXPECT_EQ(namesOf(fonts),
              (QStringList{u"@ＭＳ ゴシック"_s, u"Arial"_s, u"Courier"_s, u"MS Gothic"_s,
                           u"MS UI Gothic"_s, u"System"_s, u"Terminal"_s, u"arial"_s,
                           u"ＭＳ ゴシック"_s, u"ＭＳ 明朝"_s}));
    EXPECT_EQ(fonts.Key(1), QString());
}

TEST(FontEnumerationTest, ManyFacesInAnyOrderComeOutSorted) {
    QRandomGenerator random(7);
    for (int n : {0, 1, 2, 3, 4, 5, 13, 14, 40, 41, 100}) {
        std::vector<FontReport> reports;
        QStringList expected;
        for (int i = 0; i < n; ++i) {
            const QString name =
                u"Face "_s + QString::number(random.bounded(100000)) + QChar(char16_t(0x3041 + i));
            reports.push_back({name, 0, true, false});
            expected.append(name);
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(namesOf(penlark::EnumerateFonts(false, reports)), expected) << n << " faces";
    }
}

TEST(FontEnumerationTest, FixedOnlyLeavesOutProportionalFaces) {
    const std::vector<FontReport> reports = {{u"P"_s, 0, true, false},
                                             {u"F"_s, 0, true, true},
                                             {u"B"_s, 12, false, true},
                                             {u"Q"_s, 10, false, false}};
    const penlark::FontCollection fonts = penlark::EnumerateFonts(true, reports);
    EXPECT_EQ(namesOf(fonts), (QStringList{u"B"_s, u"F"_s}));
    for (const auto& font : fonts)
        EXPECT_TRUE(font->Fixed);
}

TEST(FontEnumerationTest, BitmapFaceListsItsSizesAscendingAndOutlineFaceNone) {
    const std::vector<FontReport> reports = {
        {u"Bitmap"_s, 16, false, true}, {u"Outline"_s, 0, true, true},
        {u"Bitmap"_s, 9, false, true},  {u"Outline"_s, 12, true, true},
        {u"Bitmap"_s, 12, false, true}, {u"Bitmap"_s, 9, false, true}};
    const penlark::FontCollection fonts = penlark::EnumerateFonts(false, reports);
    ASSERT_EQ(fonts.Count(), 2);
    const penlark::FontInfo& bitmap = *fonts.Item(1);
    EXPECT_FALSE(bitmap.TrueType);
    EXPECT_EQ(sizesOf(bitmap), (std::vector<float>{9, 9, 12, 16}));
    const penlark::FontInfo& outline = *fonts.Item(2);
    EXPECT_TRUE(outline.TrueType);
    EXPECT_EQ(outline.SizeCount, 0);
    EXPECT_EQ(errorOf([&] { outline.Size(1); }), orvenly::errors::InvalidPropertyArrayIndex);
    EXPECT_EQ(errorOf([&] { bitmap.Size(0); }), orvenly::errors::InvalidPropertyArrayIndex);
    EXPECT_EQ(errorOf([&] { bitmap.Size(5); }), orvenly::errors::InvalidPropertyArrayIndex);
}

TEST(FontEnumerationTest, InstalledFacesAllShowJapaneseAndHonourFixedOnly) {
    ASSERT_TRUE(haveWidgets());
    const penlark::FontCollection all = penlark::EnumerateFonts(false);
    const penlark::FontCollection fixed = penlark::EnumerateFonts(true);
    const QStringList names = namesOf(all);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_LE(fixed.Count(), all.Count());
    for (const auto& font : fixed) {
        EXPECT_TRUE(font->Fixed);
        EXPECT_TRUE(names.contains(font->FaceName));
    }
    for (const auto& font : all) {
        const std::vector<float> sizes = sizesOf(*font);
        EXPECT_TRUE(std::is_sorted(sizes.begin(), sizes.end()));
        if (font->TrueType) {
            EXPECT_EQ(font->SizeCount, 0);
        }
    }
}

} // namespace

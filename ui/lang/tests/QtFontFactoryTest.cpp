#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>

#include "ui/lang/QtFontFactory.h"

namespace vorlix {
namespace {

class QtFontFactoryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "qt_font_tests";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }

    static SFontDescription Description(const char16_t* face, int height, int width, int weight) {
        SFontDescription description;
        description.face = face;
        description.height = height;
        description.width = width;
        description.weight = weight;
        return description;
    }
};

TEST_F(QtFontFactoryTest, TurnsDescriptionsIntoFonts) {
    const QFont pixels = CQtFontFactory::Create(Description(u"Arial", -18, 0, 700));
    EXPECT_EQ(pixels.family(), "Arial");
    EXPECT_EQ(pixels.pixelSize(), 18);
    EXPECT_EQ(pixels.weight(), QFont::Bold);
    EXPECT_FALSE(pixels.italic() || pixels.underline() || pixels.strikeOut());
    EXPECT_EQ(pixels.styleHint(), QFont::SansSerif);

    // A positive height is the cell; the em inside it is smaller.
    const QFont cell = CQtFontFactory::Create(Description(u"Arial", 20, 0, 500));
    EXPECT_GT(cell.pixelSize(), 12);
    EXPECT_LT(cell.pixelSize(), 20);
    EXPECT_EQ(cell.weight(), QFont::Medium);

    EXPECT_NE(CQtFontFactory::Create(Description(u"Arial", -14, 20, 400)).stretch(), 100);
    EXPECT_EQ(CQtFontFactory::Create(Description(u"Arial", -14, 0, 0)).weight(), QFont::Normal);

    SFontDescription points;
    points.face = u"Arial";
    points.pointSize = 10.9;
    EXPECT_DOUBLE_EQ(CQtFontFactory::Create(points).pointSizeF(), 10.9);
}

TEST_F(QtFontFactoryTest, IconTitleHeightIsTheNegativePixelHeightAt96Dpi) {
    QFont points("Sans");
    points.setPointSizeF(9);
    EXPECT_EQ(CQtFontFactory::IconTitleHeightOf(points), -12);
    QFont pixels("Sans");
    pixels.setPixelSize(16);
    EXPECT_EQ(CQtFontFactory::IconTitleHeightOf(pixels), -16);
    EXPECT_LT(CQtFontFactory::SystemIconTitleHeight(), 0);
}

// The faces the language files name resolve to the free faces of the shipped alias file.
TEST_F(QtFontFactoryTest, ShippedAliasesAnswerTheNamedFaces) {
    ASSERT_EQ(
        CQtFontFactory::InstallAliases(VORLIX_SOURCE_DIR "/resources/fonts/60-vorlix-daze-aliases.conf"), 1);
    EXPECT_TRUE(QFont::substitutes("Arial Rounded MT Bold").contains("Comfortaa", Qt::CaseInsensitive));
    EXPECT_TRUE(QFont::substitutes("Arial").contains("Liberation Sans", Qt::CaseInsensitive));
    EXPECT_EQ(CQtFontFactory::InstallAliases("/nonexistent/aliases.conf"), 0);
    if (!QFontDatabase::hasFamily("Comfortaa")) {
        GTEST_SKIP() << "fonts-comfortaa is not installed";
    }
    const QFont rounded = CQtFontFactory::Create(Description(u"Arial Rounded MT Bold", -17, 0, 500));
    EXPECT_EQ(QFontInfo(rounded).family(), "Comfortaa");
}

}  // namespace
}  // namespace vorlix

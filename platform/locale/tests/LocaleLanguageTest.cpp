#include <gtest/gtest.h>

#include "platform/locale/LocaleLanguage.h"
#include "tests/support/TempDir.h"

namespace vorlix {
namespace {

struct SLocaleCase {
    const char* locale;
    uint16_t id;
};

// Every language of the language table, the Chinese writings by country, and what falls back to English.
TEST(LocaleLanguageTest, MapsLocaleNamesToLanguageIdentifiers) {
    const SLocaleCase cases[] = {
        {"de_DE.UTF-8", 0x0407},
        {"de_AT", 0x0C07},
        {"de", 0x0407},
        {"zh_CN.UTF-8", 0x0804},
        {"zh_SG", 0x0804},
        {"zh_TW.UTF-8", 0x0404},
        {"zh_HK", 0x0C04},
        {"zh_MO", 0x1404},
        {"pt_BR.UTF-8", 0x0416},
        {"pt_PT", 0x0816},
        {"th_TH.UTF-8", 0x041E},
        {"cs_CZ", 0x0405},
        {"es_ES", 0x0C0A},
        {"es_MX", 0x080A},
        {"fr_FR.UTF-8@euro", 0x040C},
        {"fr_CA", 0x0C0C},
        {"it_IT", 0x0410},
        {"ja_JP.eucJP", 0x0411},
        {"ko_KR", 0x0412},
        {"pl_PL", 0x0415},
        {"ru_RU", 0x0419},
        {"tr_TR", 0x041F},
        {"en_US.UTF-8", 0x0409},
        {"en_GB", 0x0809},
        {"C", 0x0409},
        {"POSIX", 0x0409},
        {"C.UTF-8", 0x0409},
        {"nl_NL", 0x0409},
        {"", 0x0409},
        {"_", 0x0409},
        {"de-CH", 0x0807},
    };
    for (const SLocaleCase& c : cases) {
        EXPECT_EQ(CLocaleLanguage::FromLocaleName(c.locale), c.id) << c.locale;
    }
}

TEST(LocaleLanguageTest, EnvironmentFollowsLcAllThenLcMessagesThenLang) {
    {
        testing::ScopedEnv all("LC_ALL", "th_TH.UTF-8");
        testing::ScopedEnv messages("LC_MESSAGES", "de_DE.UTF-8");
        testing::ScopedEnv lang("LANG", "zh_TW.UTF-8");
        EXPECT_EQ(CLocaleLanguage::FromEnvironment(), 0x041E);
    }
    {
        testing::ScopedEnv all("LC_ALL", "");
        testing::ScopedEnv messages("LC_MESSAGES", "de_DE.UTF-8");
        testing::ScopedEnv lang("LANG", "zh_TW.UTF-8");
        EXPECT_EQ(CLocaleLanguage::FromEnvironment(), 0x0407);
    }
    {
        testing::ScopedEnv all("LC_ALL", nullptr);
        testing::ScopedEnv messages("LC_MESSAGES", nullptr);
        testing::ScopedEnv lang("LANG", "zh_TW.UTF-8");
        EXPECT_EQ(CLocaleLanguage::FromEnvironment(), 0x0404);
    }
    {
        testing::ScopedEnv all("LC_ALL", nullptr);
        testing::ScopedEnv messages("LC_MESSAGES", nullptr);
        testing::ScopedEnv lang("LANG", nullptr);
        EXPECT_EQ(CLocaleLanguage::FromEnvironment(), 0x0409);
    }
}

}  // namespace
}  // namespace vorlix

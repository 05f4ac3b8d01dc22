#include <gtest/gtest.h>

#include "LangTestFiles.h"
#include "lang/HelpDocument.h"
#include "lang/LanguageChoice.h"
#include "lang/LanguageSetup.h"
#include "lang/MemoryLangFileSystem.h"
#include "shared/MemoryStoreBackend.h"
#include "shared/StoreNames.h"

namespace vorlix {
namespace {

using testing::TranslatedFile;

TEST(LanguageChoiceTest, ChoosesFileAndHelpSuffixPerProgram) {
    struct SCase {
        uint16_t id;
        const char* configFile;
        const char* monitorFile;
        const char* suffix;
    } const cases[] = {
        {0x0407, "German.txt", "German.txt", "de"},
        {0x0C07, "German.txt", "German.txt", "de"},
        {0x0804, "SimpleChinese.txt", "SimpleChinese.txt", "sc"},
        {0x0404, "TraditionalChinese.txt", "TraditionalChinese.txt", "tc"},
        {0x0C04, "TraditionalChinese.txt", "TraditionalChinese.txt", "tc"},
        {0x1004, "TraditionalChinese.txt", "TraditionalChinese.txt", "tc"},
        {0x0004, "TraditionalChinese.txt", "TraditionalChinese.txt", "tc"},
        {0x041E, "Thai.txt", "", "th"},
        {0x0416, "Brasil.txt", "Brasil.txt", "br"},
        {0x0816, "Brasil.txt", "Brasil.txt", "br"},
        {0x0405, "Czech.txt", "Czech.txt", "cz"},
        {0x0C0A, "Spanish.txt", "Spanish.txt", "sp"},
        {0x041F, "Turkish.txt", "Turkish.txt", "tk"},
        {0x0409, "English.txt", "", "en"},
        {0x0413, "English.txt", "", "en"},
        {0x0000, "English.txt", "", "en"},
    };
    for (const SCase& c : cases) {
        const SLanguageChoice config = CLanguageChoice::Choose(c.id, ELangProgram::Config);
        EXPECT_EQ(config.fileName, c.configFile) << std::hex << c.id;
        EXPECT_EQ(config.helpSuffix, c.suffix) << std::hex << c.id;
        EXPECT_EQ(CLanguageChoice::Choose(c.id, ELangProgram::Monitor).fileName, c.monitorFile)
            << std::hex << c.id;
    }
    EXPECT_EQ(CLanguageChoice::Choose(0x0407, ELangProgram::Config).HelpDocument(), "Information_de.html");
}

TEST(LanguageChoiceTest, TheStoreLanguageOverridesTheSystemForTheMonitor) {
    EXPECT_EQ(CLanguageChoice::MonitorLanguage(0x0407, 0x0409), 0x0407);
    EXPECT_EQ(CLanguageChoice::MonitorLanguage(0x70407, 0x0409), 0x0407);
    EXPECT_EQ(CLanguageChoice::MonitorLanguage(0, 0x0804), 0x0804);
    EXPECT_EQ(CLanguageChoice::MonitorLanguage(-1, 0x0804), 0x0804);
    EXPECT_EQ(CLanguageChoice::MonitorLanguage(0xFFFF, 0x0804), 0x0804);
}

class LanguageSetupTest : public ::testing::Test {
protected:
    static constexpr const char* kExeDir = "/opt/vorlix/bin";

    SConfigLanguage LoadConfig(uint16_t system) {
        return CLanguageSetup::LoadConfig(m_files, m_store, system, kExeDir, m_tables);
    }
    int LoadTray(uint16_t system) {
        return CLanguageSetup::LoadTray(m_files, m_store, system, kExeDir, m_tables);
    }

    CMemoryLangFileSystem m_files;
    CMemoryStoreBackend m_backend;
    CRegStore m_store{m_backend};
    CTextTables m_tables;
};

TEST_F(LanguageSetupTest, GermanFileBesideTheExecutable) {
    m_files.Add("/opt/vorlix/bin/Languages/German.txt", TranslatedFile("German.txt"));
    const SConfigLanguage language = LoadConfig(0x0407);
    EXPECT_TRUE(language.fileInUse);
    EXPECT_EQ(language.choice.fileName, "German.txt");
    EXPECT_EQ(m_tables.Text(ETextTable::Message, 0), u"DE TOO MANY INSTANCES!");
    EXPECT_EQ(LoadTray(0x0407), 1);
    EXPECT_EQ(m_tables.Text(ETextTable::Tray, 3), u"DE tray 3");
}

TEST_F(LanguageSetupTest, SearchOrderOfTheConfigurationProgram) {
    m_store.WriteText(store::kPath, u"/srv/daze");
    m_files.Add("/opt/vorlix/bin/Languages/German.txt", TranslatedFile("German.txt", u"EXE"));
    m_files.Add("/srv/daze/Languages/German.txt", TranslatedFile("German.txt", u"PATH"));
    LoadConfig(0x0407);
    EXPECT_EQ(m_tables.Text(ETextTable::Ui, 3), u"PATH Close");
    m_files.Add("German.txt", TranslatedFile("German.txt", u"CWD"));
    LoadConfig(0x0407);
    EXPECT_EQ(m_tables.Text(ETextTable::Ui, 3), u"CWD Close");
    // The first file found is the one used, even when it then fails its check.
    m_files.Add("German.txt", {0xEF, 0xBB, 0xBF});
    EXPECT_FALSE(LoadConfig(0x0407).fileInUse);
    EXPECT_EQ(m_tables.Text(ETextTable::Ui, 3), u"Close");
}

TEST_F(LanguageSetupTest, SearchOrderOfTheMonitor) {
    m_files.Add("/opt/vorlix/bin/Languages/German.txt", TranslatedFile("German.txt", u"EXE"));
    m_store.WriteText(store::kPath, u"/srv/daze");
    m_files.Add("/srv/daze/Languages/German.txt", TranslatedFile("German.txt", u"PATH"));
    LoadTray(0x0407);
    EXPECT_EQ(m_tables.Text(ETextTable::Tray, 0), u"EXE tray 0") << "the monitor does not search \"Path\"";
    m_files.Add("German.txt", TranslatedFile("German.txt", u"BARE"));
    LoadTray(0x0407);
    EXPECT_EQ(m_tables.Text(ETextTable::Tray, 0), u"BARE tray 0");
    m_files.Add("./German.txt", TranslatedFile("German.txt", u"DOT"));
    LoadTray(0x0407);
    EXPECT_EQ(m_tables.Text(ETextTable::Tray, 0), u"DOT tray 0");
}

TEST_F(LanguageSetupTest, StoreLanguageSwitchesOnlyTheMonitor) {
    m_store.WriteDword(store::kLanguage, 0x0407);
    m_files.Add("/opt/vorlix/bin/Languages/German.txt", TranslatedFile("German.txt"));
    m_files.Add("/opt/vorlix/bin/Languages/English.txt", TranslatedFile("English.txt", u"EN"));
    EXPECT_EQ(LoadTray(0x0409), 1);
    EXPECT_EQ(m_tables.Text(ETextTable::Tray, 1), u"DE tray 1");
    EXPECT_EQ(LoadConfig(0x0409).choice.fileName, "English.txt");
    EXPECT_EQ(m_tables.Text(ETextTable::Message, 0), u"EN TOO MANY INSTANCES!");
}

TEST_F(LanguageSetupTest, ThaiForTheConfigurationProgramOnly) {
    m_files.Add("/opt/vorlix/bin/Languages/Thai.txt", TranslatedFile("Thai.txt", u"TH"));
    EXPECT_TRUE(LoadConfig(0x041E).fileInUse);
    EXPECT_EQ(m_tables.Text(ETextTable::Caption, 0), u"TH Qz vIVEDUD VORLIX DAZE MESSAGE");
    EXPECT_EQ(LoadTray(0x041E), 0);
    EXPECT_EQ(m_tables.Text(ETextTable::Tray, 0), u"Launch VORLIX DAZE Gaming Mouse APP");
}

TEST_F(LanguageSetupTest, ChineseIdentifiersPickTheirWriting) {
    m_files.Add("/opt/vorlix/bin/Languages/SimpleChinese.txt", TranslatedFile("SimpleChinese.txt", u"SC"));
    m_files.Add("/opt/vorlix/bin/Languages/TraditionalChinese.txt",
                TranslatedFile("TraditionalChinese.txt", u"TC"));
    for (const auto& [id, mark] : {std::pair<uint16_t, std::u16string>{0x0804, u"SC OK"},
                                   {0x0404, u"TC OK"},
                                   {0x0C04, u"TC OK"},
                                   {0x1404, u"TC OK"}}) {
        EXPECT_TRUE(LoadConfig(id).fileInUse) << std::hex << id;
        EXPECT_EQ(m_tables.Text(ETextTable::Ui, 19), mark) << std::hex << id;
    }
}

TEST_F(LanguageSetupTest, MissingFileKeepsEnglishAndMissingHelpFallsBack) {
    const SConfigLanguage language = LoadConfig(0x040C);
    EXPECT_FALSE(language.fileInUse);
    EXPECT_EQ(m_tables, CTextTables());
    EXPECT_EQ(language.helpDocument, "Information_en.html");
    m_files.Add("/opt/vorlix/bin/HELP/Information_fr.html", {'<'});
    EXPECT_EQ(LoadConfig(0x040C).helpDocument, "Information_fr.html");
}

class CRecordingOpener : public IDocumentOpener {
public:
    int Open(const std::string& path) override {
        opened.push_back(path);
        return result;
    }
    std::vector<std::string> opened;
    int result = 1;
};

class CRecordingReporter : public IMessageReporter {
public:
    void ShowMessage(const std::string& caption, const std::string& text, Icon) override {
        shown.push_back(caption + "|" + text);
    }
    std::vector<std::string> shown;
};

TEST_F(LanguageSetupTest, HelpCommandOpensOrReportsMessage15) {
    CRecordingOpener opener;
    CRecordingReporter reporter;
    m_store.WriteText(store::kPath, u"/srv/daze");
    m_files.Add("/srv/daze/HELP/Information_de.html", {'<'});
    EXPECT_EQ(
        CHelpDocument::Open(m_files, "Information_de.html", "/srv/daze", kExeDir, opener, m_tables, reporter),
        1);
    EXPECT_EQ(opener.opened, std::vector<std::string>{"/srv/daze/HELP/Information_de.html"});
    EXPECT_TRUE(reporter.shown.empty());

    opener.result = 0;
    EXPECT_EQ(
        CHelpDocument::Open(m_files, "Information_de.html", "/srv/daze", kExeDir, opener, m_tables, reporter),
        0);
    m_files.Add("/opt/vorlix/bin/Languages/German.txt", TranslatedFile("German.txt"));
    LoadConfig(0x0407);
    EXPECT_EQ(CHelpDocument::Open(m_files, "Information_xx.html", "", kExeDir, opener, m_tables, reporter),
              0);
    EXPECT_EQ(opener.opened.size(), 2u) << "a missing document is never handed to the opener";
    EXPECT_EQ(reporter.shown,
              (std::vector<std::string>{
                  "Qz vIVEDUD VORLIX DAZE MESSAGE|Can't find document: Information_de.html",
                  "DE Qz vIVEDUD VORLIX DAZE MESSAGE|DE Can't find document: Information_xx.html"}));
}

}  // namespace
}  // namespace vorlix

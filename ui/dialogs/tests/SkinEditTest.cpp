#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QPushButton>
#include <QTest>

#include "ui/dialogs/CommandClick.h"
#include "ui/dialogs/SkinEdit.h"
#include "ui/skin/tests/TestApp.h"

namespace vorlix {
namespace {

TEST(SkinEdit, FilterKeepsTheBoxCleanWhileTypingAndPasting) {
    SkinTestApp();
    struct SCase {
        const char* box;
        const char* typed;
        QString kept;
    };
    const SCase cases[] = {
        {"count", "300", "255"}, {"count", "4x", "4"},      {"dpi", "9000", "8200"},
        {"dpi", "0825", "0"},    {"name", "a/b\tc", "abc"}, {"delay", "70000", "5000"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.typed);
        CSkinEdit edit;
        const std::string box = c.box;
        if (box == "count") {
            edit.MakeCountBox();
        } else if (box == "dpi") {
            edit.MakeNumberBox(4, 8200);
        } else if (box == "delay") {
            edit.MakeNumberBox(5, 5000);
        } else {
            edit.MakeNameBox(20);
        }
        QTest::keyClicks(&edit, c.typed);
        EXPECT_EQ(edit.text(), c.kept);
        // A pasted or programmatic text goes through the same filter.
        edit.setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(edit.text(), c.kept);
    }
}

TEST(SkinEdit, EditableAndReadOnlyLooks) {
    SkinTestApp();
    CSkinEdit edit;
    edit.SetEditable(true);
    EXPECT_EQ(edit.palette().color(QPalette::Text), QColor(250, 250, 250));
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(43, 43, 43));
    edit.SetEditable(false);
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(edit.palette().color(QPalette::Text), QColor(125, 125, 125));
    EXPECT_EQ(edit.palette().color(QPalette::Base).alpha(), 0);
}

TEST(CommandClick, APostedIdRunsAsAClickOnThatControl) {
    SkinTestApp();
    QDialog dialog;
    auto* hidden = new QPushButton(&dialog);
    auto* disabled = new QPushButton(&dialog);
    SetControlId(hidden, 2);
    SetControlId(disabled, 1085);
    hidden->hide();
    disabled->setEnabled(false);
    int hiddenClicks = 0;
    int disabledClicks = 0;
    QObject::connect(hidden, &QAbstractButton::clicked, [&] { ++hiddenClicks; });
    QObject::connect(disabled, &QAbstractButton::clicked, [&] { ++disabledClicks; });

    EXPECT_TRUE(ClickControl(&dialog, 2));  // Cancel of a one-button page still cancels
    EXPECT_FALSE(ClickControl(&dialog, 1085));
    EXPECT_FALSE(ClickControl(&dialog, 4711));
    EXPECT_EQ(hiddenClicks, 1);
    EXPECT_EQ(disabledClicks, 0);
    // A dialog with no OK button takes 1 as OK.
    EXPECT_TRUE(ClickControl(&dialog, 1));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(ClickControl(nullptr, 1));
}

}  // namespace
}  // namespace vorlix

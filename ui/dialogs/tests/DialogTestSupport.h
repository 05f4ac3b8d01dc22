#pragma once

#include <QApplication>
#include <QFont>
#include <QTest>

#include "lang/TextTables.h"
#include "ui/dialogs/SkinDlg.h"
#include "ui/dialogs/tests/ScriptedModalRunner.h"
#include "ui/skin/tests/TestApp.h"

namespace vorlix::testing {

// The text tables, the two fonts and one skinned dialog, as the main window holds them.
struct SDialogParts : SAppFirst {
    CTextTables texts;
    QFont fontText{QStringLiteral("DejaVu Sans"), 10};
    QFont fontList{QStringLiteral("DejaVu Sans"), 9};
    CSkinDlg dlg{texts, fontText, fontList};
};

// The top-level widget of type T with that object name (a dialog a function makes for itself), or
// nullptr.
template <class T>
T* TopLevel(const char* objectName) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<T*>(widget); found != nullptr && widget->objectName() == objectName) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace vorlix::testing

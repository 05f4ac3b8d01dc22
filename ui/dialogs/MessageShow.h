#pragma once

#include <string>

class QWidget;

namespace vorlix {

class CSkinDlg;
class CTextTables;

// The caption of the system message box: the message caption of the text tables.
inline constexpr const char16_t* kMessageCaption = u"Qz vIVEDUD VORLIX DAZE MESSAGE";

// Shows message number (0..19; others show nothing) of the message table with appended after it: on
// the skinned dialog's warning page when that dialog has run before, is not open right now and the
// whole text has at most 39 characters; otherwise in the system message box, as an error, topmost.
// dlg may be null (the system box is used). Both go through the modal runner.
void ShowMessage(CSkinDlg* dlg, const CTextTables& texts, int number, const std::u16string& appended = {},
                 QWidget* parent = nullptr);

}  // namespace vorlix

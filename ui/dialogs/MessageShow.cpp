#include "ui/dialogs/MessageShow.h"

#include "lang/TextTables.h"
#include "shared/Utf16.h"
#include "ui/dialogs/SkinDlg.h"
#include "ui/dialogs/SystemMessageBox.h"
#include "ui/dialogs/core/SkinPages.h"

namespace vorlix {

void ShowMessage(CSkinDlg* dlg, const CTextTables& texts, int number, const std::u16string& appended,
                 QWidget* parent) {
    std::u16string whole(texts.Text(ETextTable::Message, number));
    whole += appended;
    const bool initialised = dlg != nullptr && dlg->Initialised();
    const bool open = dlg != nullptr && dlg->IsRunning();
    switch (MessageRoute(number, initialised, open, whole.size())) {
        case EMessageRoute::None:
            return;
        case EMessageRoute::SkinnedPage:
            dlg->page = page::kWarning;
            dlg->text = whole;
            dlg->DoModal();
            return;
        case EMessageRoute::SystemBox:
            RunSystemMessageBox(Utf16ToUtf8(texts.Text(ETextTable::Caption, 0)), Utf16ToUtf8(whole),
                                IMessageReporter::Icon::Stop, parent);
            return;
    }
}

}  // namespace vorlix
